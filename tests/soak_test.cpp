// A million frames of random play in each game mode: keys at random during
// the games, options and game lengths at random between them, and the
// invariants checked after every frame and every action. Deterministic: the
// choices come from a seeded generator, the platform's random values from
// its own.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "app/play_window.h"
#include "app/program.h"
#include "invariants.h"
#include "menus/length_dialog.h"
#include "platform/headless/headless_platform.h"
#include "platform/keys.h"

namespace rallo::testing {
namespace {

constexpr long kFramesPerMode = 1'000'000;
constexpr int kLongestGame = 5;  // balls or points: short games, many of them

struct Mode {
    const char* name;
    MenuItem frmRallo::*item;
};

class Soak : public ::testing::TestWithParam<Mode> {
protected:
    frmRallo& play() { return *program.PlayWindow(); }

    void Check(const char* after) {
        const std::string broken = BrokenInvariants(program);
        ASSERT_TRUE(broken.empty())
            << "after " << after << " at frame " << platform.FramesRun() << ":\n"
            << broken;
    }
    void Choose(MenuItem& item) {
        platform.RunNow([&] { program.Click(item); });
    }
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(choices); }
    bool OneIn(int n) { return Pick(n) == 0; }

    // Between games: a few options, sometimes a new game length, then Play.
    void ChangeOptionsAndPlay() {
        frmRallo& w = play();
        const std::array<MenuItem*, 11> options = {
            &w.mnuOptionsBallSpeedFast,     &w.mnuOptionsBallSpeedMedium,
            &w.mnuOptionsBallSpeedSlow,     &w.mnuOptionsPaddleSizeLarge,
            &w.mnuOptionsPaddleSizeMedium,  &w.mnuOptionsPaddleSizeSmall,
            &w.mnuOptionsSoundOn,           &w.mnuOptionsSoundOff,
            &w.mnuOptionsComputerSkillBad,  &w.mnuOptionsComputerSkillOK,
            &w.mnuOptionsComputerSkillGreat};
        for (int n = Pick(3); n > 0; --n) {
            Choose(*options[Pick(options.size())]);
            Check("an option");
        }
        if (OneIn(4)) {
            Choose(w.mnuOptionsGameTo);
            frmLengthOfGame& dialog = *program.LengthDialog();
            dialog.txtPlayTo.Text = std::to_string(1 + Pick(kLongestGame));
            platform.RunNow([&] { program.Click(dialog.cmdGo); });
            Check("a game length");
        }
        platform.RunNow([&] { program.Click(w.cmdNewGame); });
        ++games;
        Check("Play");
    }

    // During a game: now and then a key goes down or up; rarely the pause
    // key, and the next step resumes.
    void PressKeys() {
        static constexpr std::array<int, 8> kKeys = {keys::kLeft, keys::kRight, keys::kUp,
                                                     keys::kDown, keys::kA,     keys::kS,
                                                     keys::kZ,    keys::kEnter};
        Window& form = play().form;
        if (OneIn(8)) {
            const int code = kKeys[Pick(kKeys.size())];
            platform.RunNow([&] {
                if (OneIn(2)) {
                    program.KeyDown(form, code);
                } else {
                    program.KeyUp(form, code);
                }
            });
            Check("a key");
        }
        if (OneIn(20'000)) {
            platform.RunNow([&] { program.KeyDown(form, keys::kP); });
            Check("the pause key");
        }
    }

    // Pausing stops the frames; the next step resumes them.
    void NextFrameUnlessPaused() {
        if (platform.TimerRunning()) NextFrame();
    }

    void NextFrame() {
        const long before = platform.FramesRun();
        platform.RunUntil(HeadlessPlatform::kNever, [&] {
            return platform.FramesRun() > before || !platform.TimerRunning();
        });
        Check("a frame");
    }

    HeadlessPlatform platform;
    Program program{platform};
    std::mt19937 choices{20261208};
    long games = 0;
};

TEST_P(Soak, AMillionFramesKeepEveryInvariant) {
    platform.RunNow([&] { program.Start(); });
    Check("start-up");
    Choose(play().*GetParam().item);
    Check("the mode");
    while (platform.FramesRun() < kFramesPerMode) {
        if (play().cmdNewGame.Visible) {
            ChangeOptionsAndPlay();
        } else if (!platform.TimerRunning()) {
            // Paused: resume.
            platform.RunNow([&] { program.KeyDown(play().form, keys::kP); });
            Check("the pause key");
        } else {
            PressKeys();
            NextFrameUnlessPaused();
        }
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(games, 100);
    std::printf("%s: %ld frames, %ld games\n", GetParam().name, platform.FramesRun(), games);
}

INSTANTIATE_TEST_SUITE_P(Modes, Soak,
                         ::testing::Values(Mode{"OnePlayer", &frmRallo::mnuOptionsOnePlayer},
                                           Mode{"AgainstComputer",
                                                &frmRallo::mnuOptionsTwoPlayerComputer},
                                           Mode{"TwoPeople", &frmRallo::mnuOptionsTwoPlayerPeople}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rallo::testing
