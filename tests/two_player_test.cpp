// The two-player rally and the computer's paddle at their edges, one frame at
// a time. The court: walls' inner faces at top 25, bottom 5970, left 25, right
// wall at 9600; paddles 195 wide at Left 225 and 9205, home Top 2535, centre
// 2985; the ball 255 across, served from (4815, 2858).
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "game_fixture.h"

namespace rallo::testing {
namespace {

using Strings = std::vector<std::string>;
constexpr float kServeLeft = 4815;
constexpr float kHome = 2535;

class TwoPlayer : public GameTest {
protected:
    void StartMatch(bool computer) {
        Start();
        Do([&] {
            program.Click(computer ? play().mnuOptionsTwoPlayerComputer
                                   : play().mnuOptionsTwoPlayerPeople);
        });
        Do([&] { program.Click(play().cmdNewGame); });
        Events();
    }
    // Sets the steps and places the ball so that the next frame's move brings
    // it to (left, top), then runs that frame as the timer delivers it.
    void FrameTo(float left, float top, int stepX = 0, int stepY = 0) {
        play().ballStepX = stepX;
        play().ballStepY = stepY;
        play().shpBall.Left = left - float(stepX);
        play().shpBall.Top = top - float(stepY);
        Do([&] { program.Tick(play().tmrMain); });
    }
    double NowMs() const { return double(platform.Now()) / HeadlessPlatform::kPerMs; }
};

TEST_F(TwoPlayer, BallBouncesOffTopAndBottomWallsAtEquality) {
    struct Case {
        float top;
        int stepY;
        float newTop;
        int newStepY;
    };
    const Case cases[] = {{25, -40, 25, 40},       // lying on the top wall's lower edge
                          {26, -40, 26, -40},      //
                          {-15, -40, 25, 40},      // past it: put back on it
                          {5715, 40, 5715, -40},   // bottom edge exactly on the bottom wall
                          {5714, 40, 5714, 40},    //
                          {5800, 40, 5715, -40}};  //
    StartMatch(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.top);
        FrameTo(kServeLeft, c.top, 0, c.stepY);
        EXPECT_EQ(play().shpBall.Top, c.newTop);
        EXPECT_EQ(play().ballStepY, c.newStepY);
        EXPECT_EQ(Events(), c.stepY == c.newStepY ? Strings{} : Strings{"beep"});
    }
    play().soundOn = kFalse;
    FrameTo(kServeLeft, 25, 0, -40);
    EXPECT_EQ(play().ballStepY, 40);
    EXPECT_EQ(Events(), Strings{});
}

// A ball level with the left wall's face or the right wall's Left stays in;
// a twip beyond is lost. Only a ball lost on the left counts a new ball.
TEST_F(TwoPlayer, EdgesAndTheBallNumber) {
    StartMatch(false);
    FrameTo(25, 500, -50);
    FrameTo(9600, 500, 50);
    EXPECT_EQ(play().player1Score, 0);
    EXPECT_EQ(play().player2Score, 0);

    const double before = NowMs();
    FrameTo(24, 500, -50);
    EXPECT_EQ(play().player2Score, 1);
    EXPECT_EQ(play().ballNumber, 2);
    EXPECT_EQ(play().Label1.Caption.get(), "Ball  2");
    EXPECT_EQ(play().ballStepX, -50);  // towards the side that lost
    EXPECT_GE(NowMs() - before, 2000);

    play().Label1.Caption = "";
    FrameTo(9601, 500, 50);
    EXPECT_EQ(play().player1Score, 1);
    EXPECT_EQ(play().ballNumber, 2);
    EXPECT_EQ(play().Label1.Caption.get(), "Ball  2");  // shown again, same number
    EXPECT_EQ(play().ballStepX, 50);
    EXPECT_EQ(Events(), Strings{});  // a lost ball makes no sound
}

// In reach of a paddle and past the wall behind it in the same frame: the
// paddle returns it, because the paddles are tested first.
TEST_F(TwoPlayer, PaddleReturnsBeforeTheBallIsLost) {
    StartMatch(false);
    play().shpWallLeft.Width = 300;  // lost below 300; the left paddle reaches 30..420
    FrameTo(100, 2857.5f, -50);
    EXPECT_EQ(play().shpBall.Left, 420);
    play().shpWallRight.Left = 9300;  // lost past 9300; the right paddle reaches 8950..9400
    FrameTo(9350, 2857.5f, 50);
    EXPECT_EQ(play().shpBall.Left, 8950);
    EXPECT_EQ(play().player1Score + play().player2Score, 0);
}

// k = round16(0.55 x (paddle centre - ball centre)); step = round16(step - k / 2),
// halves to even. A ball centred on a paddle has Top 2857.5.
TEST_F(TwoPlayer, PaddleDeflectsByWhereItMeetsTheBall) {
    struct Case {
        float left, top;
        int stepX, stepY, newStepY;
        float newLeft;
    };
    const Case cases[] = {{300, 2557.5f, -50, 50, -32, 420},  // 300 above the centre: k 165, -32.5
                          {300, 3157.5f, -50, 50, 132, 420},  // 300 below: k -165, 132.5
                          {9000, 2851.5f, 50, 50, 48, 8950},  // 6 above on the right: k 3, 48.5
                          {300, 2857.5f, -50, 37, 37, 420},   // centred: the step is kept
                          {300, 2857.5f, 50, 37, 37, 420}};   // moving away: reversed all the same
    StartMatch(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.top);
        FrameTo(c.left, c.top, c.stepX, c.stepY);
        EXPECT_EQ(play().ballStepY, c.newStepY);
        EXPECT_EQ(play().ballStepX, -c.stepX);
        EXPECT_EQ(play().shpBall.Left, c.newLeft);
        EXPECT_EQ(Events(), Strings{"beep"});
    }
}

struct MatchEnd {
    bool computer;
    float lostAt;
    const char* message;
};

class TwoPlayerEnd : public TwoPlayer, public ::testing::WithParamInterface<MatchEnd> {};

// At 2 : 2 to 3 the last point ends the match in its frame: no "Ball"
// caption, no wait, one message, no beep.
TEST_P(TwoPlayerEnd, LastPointEndsAtOnce) {
    const MatchEnd& m = GetParam();
    StartMatch(m.computer);
    play().player1Score = 2;
    play().player2Score = 2;
    play().ballNumber = 3;
    play().Label1.Caption = "Ball  3";
    const double before = NowMs();
    FrameTo(m.lostAt, 500, m.lostAt < kServeLeft ? -50 : 50);
    EXPECT_EQ(Events(), Strings{m.message});
    EXPECT_EQ(NowMs(), before);
    EXPECT_EQ(play().Label1.Caption.get(), "Ball  3");
    EXPECT_EQ(play().tmrMain.Interval, 0);
    EXPECT_TRUE(play().cmdNewGame.Visible);
}

INSTANTIATE_TEST_SUITE_P(Matches, TwoPlayerEnd,
                         ::testing::Values(MatchEnd{false, 24, "Player 2 Wins!"},
                                           MatchEnd{false, 9601, "Player 1 Wins!"},
                                           MatchEnd{true, 9601, "Computer Wins!"},
                                           MatchEnd{true, 24, "Player 1 Wins!"}));

TEST_F(TwoPlayer, ComputerRestsWhileTheBallsTopIsWithinItsPaddle) {
    const float cases[][3] = {                       // ball top, paddle top before, after
                              {2535, kHome, kHome},  // level with the paddle's top
                              {3435, kHome, kHome},  // level with its bottom
                              {3400, kHome, kHome},  // most of the ball below the paddle
                              {2534, kHome, 2385},   // above: up by 150
                              {2534.5f, kHome, 2385}, {3436, kHome, 2685},  // below: down by 150
                              {30, 100, 25}};  // up past the top wall and put back on it
    StartMatch(true);
    for (const auto& [ballTop, from, to] : cases) {
        SCOPED_TRACE(ballTop);
        play().shpPlayer1.Top = from;
        FrameTo(kServeLeft, ballTop);
        EXPECT_EQ(play().shpPlayer1.Top, to);
    }
}

TEST_F(TwoPlayer, GreatComputerJumpsPastTheBallWithTheSmallPaddle) {
    Start();
    Do([&] { program.Click(play().mnuOptionsTwoPlayerComputer); });
    Do([&] { program.Click(play().mnuOptionsComputerSkillGreat); });
    Do([&] { program.Click(play().mnuOptionsPaddleSizeSmall); });
    Do([&] { program.Click(play().cmdNewGame); });
    ASSERT_EQ(play().shpPlayer1.Top, 2885);
    // Ball top 2880 is just above the paddle; 250 up leaves its bottom at 2835.
    for (float top : {2635, 2885, 2635, 2885}) {
        FrameTo(kServeLeft, 2880);
        EXPECT_EQ(play().shpPlayer1.Top, top);
    }
}

TEST_F(TwoPlayer, LeftKeysDoNotMoveTheComputersPaddle) {
    StartMatch(true);
    Do([&] { program.KeyDown(play().form, 65); });  // A
    EXPECT_EQ(play().leftPaddleStepY, -200);
    FrameTo(kServeLeft, 2700);  // within the computer's paddle: it rests
    EXPECT_EQ(play().shpPlayer1.Top, kHome);
}

// Both paddles are held between the walls: Top at least 25, at most 5970 - 900.
TEST_F(TwoPlayer, PaddlesAreKeptInsideTheCourt) {
    const float cases[][3] = {{100, -200, 25},   {24, 0, 25},     {25.5f, 0, 25.5f},
                              {5000, 200, 5070}, {5071, 0, 5070}, {5069.5f, 0, 5069.5f}};
    StartMatch(false);
    for (const auto& [top, step, limited] : cases) {
        SCOPED_TRACE(top);
        play().shpPlayer1.Top = play().shpPlayer2.Top = top;
        play().leftPaddleStepY = play().rightPaddleStepY = int(step);
        FrameTo(kServeLeft, 500);
        EXPECT_EQ(play().shpPlayer1.Top, limited);
        EXPECT_EQ(play().shpPlayer2.Top, limited);
    }
}

// A tick that falls due while a frame waits before the next serve is dropped;
// a nested frame would move the ball and score during the pause.
TEST_F(TwoPlayer, NoFrameRunsInsideTheServeWait) {
    StartMatch(false);
    bool ran = true;
    platform.Queue(platform.Now() + 1000 * HeadlessPlatform::kPerMs,
                   [&] { ran = program.Tick(play().tmrMain); });
    const long frames = platform.FramesRun();
    FrameTo(24, 500, -50);
    EXPECT_FALSE(ran);
    EXPECT_EQ(platform.FramesRun(), frames);
    EXPECT_EQ(play().shpBall.Left, kServeLeft);
}

// A box that stays open for a second while the frame timer ticks on, as a
// real one does. Only the first box lingers, so a broken guard shows as a
// second message instead of endless nesting.
class LingeringBoxPlatform : public HeadlessPlatform {
public:
    void MsgBox(std::string_view text, MsgIcon icon) override {
        HeadlessPlatform::MsgBox(text, icon);
        if (boxes_++ > 0) return;
        Sleep(1000);
        DoEvents();
    }

private:
    int boxes_ = 0;
};

TEST(TwoPlayerMessage, NoFrameRunsWhileTheWinnersBoxIsOpen) {
    LingeringBoxPlatform platform;
    Program program(platform);
    platform.RunNow([&] { program.Start(); });
    frmRallo& play = *program.PlayWindow();
    platform.RunNow([&] { program.Click(play.mnuOptionsTwoPlayerPeople); });
    program.playTo = 1;
    platform.RunNow([&] { program.Click(play.cmdNewGame); });
    play.ballStepX = -50;
    play.ballStepY = 0;
    play.shpBall.Left = 74;  // lost on the left in the next frame
    play.shpBall.Top = 500;
    platform.RunNow([&] { program.Tick(play.tmrMain); });
    const std::vector<RecordedEvent> events = platform.TakeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].text, "Player 2 Wins!");
    EXPECT_EQ(play.player2Score, 1);
    EXPECT_EQ(play.player1Score, 0);
    EXPECT_EQ(play.shpBall.Left, kServeLeft);
}

}  // namespace
}  // namespace rallo::testing
