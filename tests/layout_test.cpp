// The window at rest and the fitting of the window to either court. The
// start values of the game state are checked by scripts/startup.sim.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace rallo::testing {
namespace {

class Layout : public GameTest {
protected:
    const Control& Find(const std::string& name) {
        for (const Control* c : play().form.controls)
            if (c->name == name) return *c;
        throw std::invalid_argument(name);
    }
};

TEST_F(Layout, StartsIdleWithFiveCheckMarksAndTheTwoPlayerBoardHidden) {
    Start();
    frmRallo& w = play();
    EXPECT_EQ(w.tmrMain.Interval, 0);
    EXPECT_FALSE(w.shpBall.Visible);
    EXPECT_FALSE(w.Label2.Visible);
    EXPECT_TRUE(w.Label1.Visible && w.cmdNewGame.Visible && w.cmdExit.Visible);
    EXPECT_EQ(w.lblPlayer1Score.Caption.get(), " 0");
    for (const char* hidden :
         {"shpPlayer1", "shpPlayer2", "lblPlayer2Score", "lblPlayer2ScoreLabel"})
        EXPECT_FALSE(Find(hidden).Visible) << hidden;

    const std::vector<const MenuItem*> checked = {
        &w.mnuOptionsOnePlayer, &w.mnuOptionsComputerSkillOK, &w.mnuOptionsBallSpeedSlow,
        &w.mnuOptionsPaddleSizeLarge, &w.mnuOptionsSoundOn};
    std::vector<const MenuItem*> all(w.form.menuBar.begin(), w.form.menuBar.end());
    for (std::size_t i = 0; i < all.size(); ++i) {
        const MenuItem& item = *all[i];
        all.insert(all.end(), item.children.begin(), item.children.end());
        const bool mark = std::find(checked.begin(), checked.end(), &item) != checked.end();
        EXPECT_EQ(bool(item.Checked), mark) << item.name;
        EXPECT_EQ(bool(item.Enabled), &item != &w.mnuOptionsComputerSkill) << item.name;
    }
    EXPECT_EQ(all.size(), 26u);
    EXPECT_FALSE(w.mnuOptionsComputerSkillGreat.Reachable());
}

// Left of every placed control on the one-player court (right wall at 8640)
// and the two-player court (9600); the player-2 labels are not moved in the
// one-player layout.
const struct {
    const char* name;
    float onePlayer, twoPlayer;
} kLefts[] = {
    {"shpPaddle", 3885, 4365},
    {"shpPlayer1", 225, 225},
    {"shpPlayer2", 8245, 9205},
    {"cmdExit", 7255, 8215},
    {"cmdNewGame", 5940, 6900},
    {"Label2", 3787.5, 4267.5},
    {"lblPlayer1Score", 3847.5, 1920},
    {"lblPlayer1ScoreLabel", 3667.5, 1740},
    {"lblPlayer2Score", 6480, 6735},
    {"lblPlayer2ScoreLabel", 6300, 6555},
    {"Label1", 200, 200},
};

TEST_F(Layout, BothCourtsMatchTheFittingTable) {
    Start();
    frmRallo& w = play();
    for (const auto& c : kLefts)
        EXPECT_EQ(Find(c.name).Left, c.onePlayer) << c.name;
    EXPECT_EQ(w.courtWidth.value(), 8670);
    EXPECT_EQ(w.form.Width, 8760);

    w.shpWallRight.Left = 9600;
    w.onePlayerMode = 0;
    w.ArrangeWindow();
    for (const auto& c : kLefts)
        EXPECT_EQ(Find(c.name).Left, c.twoPlayer) << c.name;
    EXPECT_EQ(w.courtWidth.value(), 9630);
    EXPECT_EQ(w.form.Width, 9720);
    EXPECT_EQ(w.form.Height, 7740);  // never changed
    EXPECT_EQ(w.form.Left, 2820);    // (15360 - 9720) / 2
    EXPECT_EQ(w.form.Top, 1890);
    EXPECT_EQ(w.shpPaddle.Top, 5640);
    EXPECT_EQ(w.shpPlayer1.Top, 2535);
    EXPECT_EQ(w.shpPlayer2.Top, 2535);
    EXPECT_EQ(w.paddleHomeLeft.value(), 4365);
    EXPECT_EQ(w.player1HomeTop.value(), 2535);
    EXPECT_EQ(w.player2HomeTop.value(), 2535);

    w.shpWallRight.Left = 10893;  // courtWidth 10923: 3 * 10923 does not fit
    EXPECT_THROW(w.ArrangeWindow(), Overflow);
}

TEST_F(Layout, ApplyPaddleSizeRecentresButKeepsTheHomePlaces) {
    Start();
    frmRallo& w = play();
    w.paddleSize = 200;
    w.ApplyPaddleSize();
    EXPECT_EQ(w.shpPaddle.Width, 200);
    EXPECT_EQ(w.shpPaddle.Left, 4235);  // 8670 / 2 - 100
    EXPECT_EQ(w.shpPlayer1.Height, 200);
    EXPECT_EQ(w.shpPlayer1.Top, 2885);  // 2985 - 100
    EXPECT_EQ(w.shpPlayer2.Top, 2885);
    EXPECT_EQ(w.paddleHomeLeft.value(), 3885);
    EXPECT_EQ(w.player1HomeTop.value(), 2535);
    EXPECT_EQ(w.player2HomeTop.value(), 2535);
    w.ArrangeWindow();  // only a new fitting records them
    EXPECT_EQ(w.paddleHomeLeft.value(), 4235);
    EXPECT_EQ(w.player2HomeTop.value(), 2885);
}

struct Screen {
    float width, height, left, top;
};

class Centring : public GameTest, public ::testing::WithParamInterface<Screen> {};

// The window is 8760 x 7740; odd differences lose their half toward zero, and
// a small screen puts the window partly off it.
TEST_P(Centring, HalvesTheDifferenceTruncatingTowardZero) {
    platform.SetScreen(GetParam().width, GetParam().height);
    Start();
    EXPECT_EQ(play().form.Left, GetParam().left);
    EXPECT_EQ(play().form.Top, GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(Screens, Centring,
                         ::testing::Values(Screen{15360, 11520, 3300, 1890},
                                           Screen{8760 + 1001, 7740 - 1001, 500, -500},
                                           Screen{8760 - 1001, 7740 + 1001, -500, 500},
                                           Screen{6000, 6000, -1380, -870}));

}  // namespace
}  // namespace rallo::testing
