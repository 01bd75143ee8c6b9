// Any bytes as a driver script, run line by line on the headless platform;
// after every line the game's invariants must hold. A budget of virtual time
// and frames keeps each input short: a line that would exceed it ends the
// input, as does the first script error.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "invariants.h"
#include "platform/decimal_text.h"
#include "sim_script.h"

namespace {

constexpr double kRunBudgetMs = 60'000;
constexpr long kTickBudget = 4'000;

struct Budget {
    double runMs = kRunBudgetMs;
    long ticks = kTickBudget;

    // Whether the line fits what is left; takes its share.
    bool Take(const std::string& line) {
        std::istringstream words(line);
        std::string command, count;
        words >> command >> count;
        if (command == "run") {
            const std::optional<double> ms = rallo::ReadDecimal(count);
            if (!ms) return true;  // the script's own error
            if (!(*ms <= runMs)) return false;
            runMs -= *ms;
        } else if (command == "tick") {
            const long frames = count.empty() ? 1 : std::strtol(count.c_str(), nullptr, 10);
            if (frames > ticks) return false;
            if (frames > 0) ticks -= frames;
        }
        return true;
    }
};

bool StartUpOverflowed(const rallo::HeadlessPlatform& platform) {
    for (const rallo::RecordedEvent& event : platform.Events())
        if (event.kind == rallo::RecordedEvent::Kind::Message && event.text == "Overflow")
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out, err;
    rallo::SimScript script(out, err);
    Budget budget;
    // An Overflow during start-up leaves the window as far as it got, where
    // the invariants need not hold yet; the rest of the script still runs.
    bool checking = true;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!budget.Take(line)) break;
        const bool startedBefore = script.Started();
        try {
            script.Line(line);
        } catch (const rallo::ScriptError&) {
            break;
        }
        if (!script.Started() || script.Headless().Ended()) continue;
        if (!startedBefore && StartUpOverflowed(script.Headless())) checking = false;
        if (!checking) continue;
        const std::string broken = rallo::testing::BrokenInvariants(script.Game());
        if (!broken.empty()) {
            std::fprintf(stderr, "after \"%s\":\n%s", line.c_str(), broken.c_str());
            std::abort();
        }
    }
    return 0;
}
