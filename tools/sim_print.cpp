// What a script prints: the game's state, controls, windows and menu items,
// the clock, and the events recorded since the last print.
#include "sim_script.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/play_window.h"
#include "menus/length_dialog.h"
#include "platform/decimal_text.h"
#include "sim_names.h"

namespace rallo {

namespace {

using Time = HeadlessPlatform::Time;

// The GameState, in the order of its tables.
const std::pair<const char*, Int16 frmRallo::*> kStateVariables[] = {
    {"ballStepX", &frmRallo::ballStepX},
    {"ballStepY", &frmRallo::ballStepY},
    {"paddleStepX", &frmRallo::paddleStepX},
    {"leftPaddleStepY", &frmRallo::leftPaddleStepY},
    {"rightPaddleStepY", &frmRallo::rightPaddleStepY},
    {"courtWidth", &frmRallo::courtWidth},
    {"paddleHomeLeft", &frmRallo::paddleHomeLeft},
    {"player1HomeTop", &frmRallo::player1HomeTop},
    {"player2HomeTop", &frmRallo::player2HomeTop},
    {"ballHomeLeft", &frmRallo::ballHomeLeft},
    {"ballHomeTop", &frmRallo::ballHomeTop},
    {"serveLeft", &frmRallo::serveLeft},
    {"serveTop", &frmRallo::serveTop},
    {"ballSpeed", &frmRallo::ballSpeed},
    {"paddleSize", &frmRallo::paddleSize},
    {"computerSkill", &frmRallo::computerSkill},
    {"soundOn", &frmRallo::soundOn},
    {"onePlayerMode", &frmRallo::onePlayerMode},
    {"againstComputer", &frmRallo::againstComputer},
    {"twoPeople", &frmRallo::twoPeople},
    {"ballNumber", &frmRallo::ballNumber},
    {"player1Score", &frmRallo::player1Score},
    {"player2Score", &frmRallo::player2Score},
    {"paused", &frmRallo::paused},
};

// The control names of the dialog; its Label1 is spelt with the window's name.
bool IsDialogControl(const std::string& name) {
    return name == "txtPlayTo" || name == "cmdGo" || name == "frmLengthOfGame.Label1";
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '\\':
                quoted += "\\\\";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\n':
                quoted += "\\n";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Box(float left, float top, float width, float height, bool visible) {
    return "Left=" + ShortestDecimal(left) + " Top=" + ShortestDecimal(top) +
           " Width=" + ShortestDecimal(width) + " Height=" + ShortestDecimal(height) +
           " Visible=" + (visible ? "1" : "0");
}

std::string Describe(const Control& control) {
    std::string text =
        control.name + " " +
        Box(control.Left, control.Top, control.Width, control.Height, control.Visible);
    if (const auto* label = dynamic_cast<const Label*>(&control))
        text += " Caption=" + Quoted(label->Caption);
    if (const auto* button = dynamic_cast<const Button*>(&control))
        text += " Caption=" + Quoted(button->Caption);
    if (const auto* box = dynamic_cast<const TextBox*>(&control))
        text += " Text=" + Quoted(box->Text);
    return text;
}

std::string Describe(const Window& window) {
    return window.name + " " +
           Box(window.Left, window.Top, window.Width, window.Height, window.Visible) +
           " Caption=" + Quoted(window.Caption);
}

}  // namespace

void SimScript::Print(const std::string& name) {
    if (name == "time") {
        const Time wrapped = platform_.Now() % (Time{1} << 35);  // the counter is 32-bit
        out_ << ShortestDecimal(static_cast<double>(wrapped) / HeadlessPlatform::kPerMs) << "\n";
        return;
    }
    if (name == "events") return PrintEvents();
    frmRallo* play = program_.PlayWindow();
    if (name == "state") {
        if (!play) {
            out_ << "state not loaded\n";
            return;
        }
        for (const auto& [variable, member] : kStateVariables)
            out_ << variable << "=" << (play->*member).value() << "\n";
        out_ << "playTo=" << program_.playTo.value() << "\n";
        return;
    }
    const bool known = name == "playTo" || name == "frmRallo" || name == "frmLengthOfGame" ||
                       name == "tmrMain" || IsDialogControl(name) || IsMenuName(name) ||
                       std::any_of(std::begin(kStateVariables), std::end(kStateVariables),
                                   [&](const auto& v) { return name == v.first; });
    const bool playControl = IsPlayWindowControl(name);
    if (!known && !playControl) throw ScriptError("unknown name: " + name);
    frmLengthOfGame* dialog = program_.LengthDialog();
    const bool dialogThing = name == "frmLengthOfGame" || IsDialogControl(name);
    if ((dialogThing && !dialog) || (!dialogThing && !play)) {
        out_ << name << " not loaded\n";
        return;
    }
    if (name == "playTo") {
        out_ << "playTo=" << program_.playTo.value() << "\n";
    } else if (name == "frmRallo") {
        out_ << Describe(play->form) << "\n";
    } else if (name == "frmLengthOfGame") {
        out_ << Describe(dialog->form) << "\n";
    } else if (name == "tmrMain") {
        out_ << "tmrMain Interval=" << play->tmrMain.Interval.get() << "\n";
    } else if (name == "txtPlayTo") {
        out_ << Describe(dialog->txtPlayTo) << "\n";
    } else if (name == "cmdGo") {
        out_ << Describe(dialog->cmdGo) << "\n";
    } else if (name == "frmLengthOfGame.Label1") {
        out_ << "frmLengthOfGame." << Describe(dialog->Label1) << "\n";
    } else if (MenuItem* item = FindMenu(play->form.menuBar, name)) {
        out_ << item->name << " Caption=" << Quoted(item->Caption)
             << " Checked=" << (item->Checked ? 1 : 0) << " Enabled=" << (item->Enabled ? 1 : 0)
             << "\n";
    } else if (playControl) {
        for (const Control* control : play->form.controls)
            if (control->name == name) out_ << Describe(*control) << "\n";
    } else {
        for (const auto& [variable, member] : kStateVariables)
            if (name == variable) out_ << variable << "=" << (play->*member).value() << "\n";
    }
}

void SimScript::PrintEvents() {
    for (const RecordedEvent& event : platform_.TakeEvents()) {
        switch (event.kind) {
            case RecordedEvent::Kind::Beep:
                out_ << "beep\n";
                break;
            case RecordedEvent::Kind::End:
                out_ << "end\n";
                break;
            case RecordedEvent::Kind::Message:
                out_ << "message " << Quoted(event.text) << " title=" << Quoted(kAppTitle)
                     << " icon=" << (event.icon == MsgIcon::Critical ? "critical" : "information")
                     << " buttons=ok\n";
                break;
        }
    }
}

}  // namespace rallo
