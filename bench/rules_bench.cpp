// Nanoseconds per frame of the rules, on the headless platform: the ball
// moves, bounces, is hit or lost and served again, with no drawing.
#include <benchmark/benchmark.h>

#include "app/play_window.h"
#include "app/program.h"
#include "platform/headless/headless_platform.h"

namespace {

using rallo::frmRallo;
using rallo::HeadlessPlatform;
using rallo::MenuItem;
using rallo::Program;

// A game in progress that never ends: the longest game there is, started
// again whenever it does end (or a checked number overflows).
class EndlessGame {
public:
    explicit EndlessGame(MenuItem frmRallo::*mode) {
        platform_.RunNow([this] { program_.Start(); });
        if (mode != nullptr) {
            platform_.RunNow([this, mode] { program_.Click(play().*mode); });
        }
        program_.playTo = 32767;
        NewGame();
    }

    bool Frame() {
        const bool ran = program_.Tick(play().tmrMain);
        if (!platform_.TimerRunning()) NewGame();
        // Beeps are recorded by the headless platform; drop them now and
        // then so the record does not grow through the run.
        if ((++frames_ & 0x3FF) == 0) platform_.TakeEvents();
        return ran;
    }

    long Games() const { return games_; }

private:
    frmRallo& play() { return *program_.PlayWindow(); }

    // Play, including its two-second wait, which costs nothing on the
    // virtual clock.
    void NewGame() {
        platform_.RunNow([this] { program_.Click(play().cmdNewGame); });
        ++games_;
    }

    HeadlessPlatform platform_;
    Program program_{platform_};
    long frames_ = 0;
    long games_ = 0;
};

void RunFrames(benchmark::State& state, MenuItem frmRallo::*mode) {
    EndlessGame game(mode);
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.Frame());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["games"] = static_cast<double>(game.Games());
}

void BM_OnePlayerFrame(benchmark::State& state) {
    RunFrames(state, nullptr);
}

void BM_TwoPeopleFrame(benchmark::State& state) {
    RunFrames(state, &frmRallo::mnuOptionsTwoPlayerPeople);
}

void BM_ComputerFrame(benchmark::State& state) {
    RunFrames(state, &frmRallo::mnuOptionsTwoPlayerComputer);
}

BENCHMARK(BM_OnePlayerFrame);
BENCHMARK(BM_TwoPeopleFrame);
BENCHMARK(BM_ComputerFrame);

}  // namespace

BENCHMARK_MAIN();
