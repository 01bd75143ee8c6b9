#include "sim_script.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <utility>
#include <vector>

#include "app/play_window.h"
#include "menus/length_dialog.h"
#include "platform/decimal_text.h"
#include "sim_names.h"

namespace rallo {

namespace {

using Time = HeadlessPlatform::Time;

int ParseInt(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw ScriptError("not a whole number: " + text);
    return value;
}

// Milliseconds, possibly with a fraction, as eighths of a millisecond.
Time ParseMs(const std::string& text) {
    const std::optional<double> ms = ReadDecimal(text);
    if (!ms || !(*ms >= 0 && *ms <= 1e12)) throw ScriptError("not a time in milliseconds: " + text);
    return static_cast<Time>(std::llround(*ms * HeadlessPlatform::kPerMs));
}

// The moment `span` after `now`; a script may not take the clock past its end.
Time Later(Time now, Time span, const std::string& text) {
    if (span > HeadlessPlatform::kLatest - now)
        throw ScriptError("the clock would pass its end at " +
                          std::to_string(HeadlessPlatform::kLatestMs) + " ms: " + text);
    return now + span;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

}  // namespace

int SimScript::Run(std::istream& in) {
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        try {
            Line(line);
        } catch (const ScriptError& error) {
            out_.flush();
            err_ << "error: line " << number << ": " << error.what() << "\n";
            return 2;
        }
        out_.flush();
    }
    return 0;
}

void SimScript::Line(const std::string& line) {
    if (line.empty() || line[0] == '#') return;
    const std::vector<std::string> words = Words(line);
    if (words.empty()) return;
    const std::string& command = words[0];
    const auto arguments = [&](std::size_t count) {
        if (words.size() != count + 1) throw ScriptError("wrong number of arguments: " + line);
    };
    if (command == "screen") {
        arguments(2);
        if (started_) throw ScriptError("screen after start");
        platform_.SetScreen(static_cast<float>(ParseInt(words[1])),
                            static_cast<float>(ParseInt(words[2])));
    } else if (command == "clock") {
        arguments(1);
        if (started_) throw ScriptError("clock after start");
        const std::string& text = words[1];
        long long ms = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
        if (error != std::errc() || end != text.data() + text.size() || ms < 0 || ms > 0xFFFFFFFFLL)
            throw ScriptError("clock needs a whole number from 0 to 4294967295: " + text);
        platform_.SetClock(static_cast<std::uint32_t>(ms));
    } else if (command == "rnd") {
        if (words.size() < 2) throw ScriptError("rnd needs values");
        for (std::size_t i = 1; i < words.size(); ++i) {
            const std::optional<float> r = ReadDecimalFloat(words[i]);
            if (!r || !(*r >= 0 && *r < 1))
                throw ScriptError("random value outside [0, 1): " + words[i]);
            platform_.QueueRandom(*r);
        }
    } else if (command == "start") {
        arguments(0);
        if (started_) throw ScriptError("second start");
        started_ = true;
        platform_.RunNow([this] { program_.Start(); });
    } else if (command == "after") {
        if (words.size() < 3) throw ScriptError("after needs a time and an action");
        const Time due = Later(platform_.Now(), ParseMs(words[1]), words[1]);
        const std::size_t actionStart = line.find(words[2], line.find(words[1]) + words[1].size());
        Action action = PlayerAction(line.substr(actionStart));
        if (!started_) return (void)Refused("the program has not started");
        if (platform_.Ended()) return (void)Refused("the program has ended");
        platform_.Queue(due, std::move(action));
    } else if (command == "run") {
        arguments(1);
        const Time end = Later(platform_.Now(), ParseMs(words[1]), words[1]);
        RequireRunning("run");
        if (!started_ || platform_.Ended()) return;
        platform_.RunUntil(end);
    } else if (command == "tick") {
        if (words.size() > 2) throw ScriptError("wrong number of arguments: " + line);
        const int frames = words.size() == 2 ? ParseInt(words[1]) : 1;
        if (frames < 1) throw ScriptError("tick needs a positive count");
        RequireRunning("tick");
        if (!started_ || platform_.Ended()) return;
        if (!platform_.TimerRunning()) return (void)Refused("the frame timer is stopped");
        const long target = platform_.FramesRun() + frames;
        platform_.RunUntil(HeadlessPlatform::kNever, [&] {
            return platform_.FramesRun() >= target || !platform_.TimerRunning();
        });
    } else if (command == "print") {
        arguments(1);
        Print(words[1]);
    } else {
        Action action = PlayerAction(line);
        if (!started_) return (void)Refused("the program has not started");
        if (platform_.Ended()) return (void)Refused("the program has ended");
        platform_.RunNow(action);
    }
}

void SimScript::RequireRunning(const char* what) {
    if (!started_) {
        Refused((std::string(what) + ": the program has not started").c_str());
    } else if (platform_.Ended()) {
        Refused((std::string(what) + ": the program has ended").c_str());
    }
}

bool SimScript::Refused(const char* reason) {
    out_ << "refused: " << reason << "\n";
    return true;
}

// Parses a player action now and returns it; whether the player can do it is
// judged when it runs.
SimScript::Action SimScript::PlayerAction(const std::string& text) {
    const std::vector<std::string> words = Words(text);
    const std::string command = words.empty() ? "" : words[0];
    if (command == "key") {
        if (words.size() != 3 || (words[1] != "down" && words[1] != "up"))
            throw ScriptError("expected key down|up CODE: " + text);
        const bool down = words[1] == "down";
        const int code = ParseInt(words[2]);
        return [this, down, code] {
            if (platform_.Ended()) return (void)Refused("the program has ended");
            frmRallo& play = *program_.PlayWindow();
            frmLengthOfGame* dialog = program_.LengthDialog();
            Window* shown = play.form.Visible                ? &play.form
                            : dialog && dialog->form.Visible ? &dialog->form
                                                             : nullptr;
            if (!shown) return (void)Refused("no window is shown");
            if (down) {
                program_.KeyDown(*shown, code);
            } else {
                program_.KeyUp(*shown, code);
            }
        };
    }
    if (command == "click") {
        if (words.size() != 2) throw ScriptError("expected click NAME: " + text);
        const std::string name = words[1];
        if (name != "cmdNewGame" && name != "cmdExit" && name != "cmdGo")
            throw ScriptError("unknown button: " + name);
        return [this, name] {
            if (platform_.Ended()) return (void)Refused("the program has ended");
            frmRallo& play = *program_.PlayWindow();
            frmLengthOfGame* dialog = program_.LengthDialog();
            if (name == "cmdGo" && !dialog) return (void)Refused("frmLengthOfGame is not loaded");
            Button& button = name == "cmdGo"     ? dialog->cmdGo
                             : name == "cmdExit" ? play.cmdExit
                                                 : play.cmdNewGame;
            const Window& window = name == "cmdGo" ? dialog->form : play.form;
            if (!window.Visible) return (void)Refused((window.name + " is not shown").c_str());
            if (!button.Visible) return (void)Refused((name + " is hidden").c_str());
            program_.Click(button);
        };
    }
    if (command == "menu") {
        if (words.size() != 2) throw ScriptError("expected menu NAME: " + text);
        const std::string name = words[1];
        if (!IsMenuName(name)) throw ScriptError("unknown menu item: " + name);
        return [this, name] {
            if (platform_.Ended()) return (void)Refused("the program has ended");
            frmRallo& play = *program_.PlayWindow();
            MenuItem& item = *FindMenu(play.form.menuBar, name);
            if (!play.form.Visible) return (void)Refused("frmRallo is not shown");
            if (!item.Reachable()) return (void)Refused((name + " is disabled").c_str());
            program_.Click(item);
        };
    }
    if (command == "type") {
        const std::string typed = text.size() > 5 ? text.substr(5) : "";
        if (text.size() > 4 && text[4] != ' ') throw ScriptError("unknown command: " + text);
        return [this, typed] {
            if (platform_.Ended()) return (void)Refused("the program has ended");
            frmLengthOfGame* dialog = program_.LengthDialog();
            if (!dialog || !dialog->form.Visible)
                return (void)Refused("frmLengthOfGame is not shown");
            dialog->txtPlayTo.Text = typed;
        };
    }
    if (command == "close") {
        if (words.size() != 2 || (words[1] != "frmRallo" && words[1] != "frmLengthOfGame"))
            throw ScriptError("expected close frmRallo|frmLengthOfGame: " + text);
        const bool dialogWindow = words[1] == "frmLengthOfGame";
        return [this, dialogWindow] {
            if (platform_.Ended()) return (void)Refused("the program has ended");
            frmLengthOfGame* dialog = program_.LengthDialog();
            Window* window =
                dialogWindow ? (dialog ? &dialog->form : nullptr) : &program_.PlayWindow()->form;
            if (!window || !window->Visible) return (void)Refused("the window is not shown");
            program_.Close(*window);
        };
    }
    throw ScriptError("unknown command: " + text);
}

}  // namespace rallo
