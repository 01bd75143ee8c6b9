// One-player rules that need exact placements: the edges of the hit window,
// bounces and beeps, lost balls and the end of a game, and what an overflow in
// play does. A whole game is played by scripts/one_player_game.sim.
#include <string>
#include <vector>

#include "game_fixture.h"

namespace rallo::testing {
namespace {

// The designed court: inner faces of the walls at 25 (left, top) and 8640
// (right), the bottom wall at 5970, the paddle 900 wide at Left 3885 and Top
// 5640, the ball 255 across. A ball is hit while its Top is within 5385..5540
// and lost once its Top is beyond 5970 + 255 = 6225.
class OnePlayer : public GameTest {
protected:
    void SetUp() override {
        Start();
        Do([this] { play().cmdNewGame_Click(); });
    }
    // One frame, delivered as the platform delivers a tick.
    void Frame(int count = 1) {
        while (count-- > 0)
            Do([this] { program.Tick(play().tmrMain); });
    }
    // Places the ball so that the next frame moves it to (left, top).
    void BallArrivesAt(float left, float top, int stepX, int stepY) {
        play().ballStepX = stepX;
        play().ballStepY = stepY;
        play().shpBall.Left = left - float(stepX);
        play().shpBall.Top = top - float(stepY);
    }
    bool Hit(float left, float top, int stepY = 50) {
        play().player1Score = 0;
        BallArrivesAt(left, top, 0, stepY);
        Frame();
        return play().player1Score.value() == 1;
    }
    void ExpectGameOver() {
        const frmRallo& w = play();
        EXPECT_EQ(w.tmrMain.Interval, 0);
        EXPECT_FALSE(w.shpBall.Visible || w.Label1.Visible);
        EXPECT_TRUE(w.Label2.Visible && w.cmdExit.Visible && w.cmdNewGame.Visible);
        EXPECT_TRUE(w.mnuOptions.Enabled && w.mnuHelp.Enabled);
    }
    double NowMs() const { return double(platform.Now()) / HeadlessPlatform::kPerMs; }
    using Beeps = std::vector<std::string>;
};

TEST_F(OnePlayer, HitWindowEdgesAreIncluded) {
    EXPECT_TRUE(Hit(4000, 5385));  // lower edge on the paddle
    EXPECT_FALSE(Hit(4000, 5384));
    EXPECT_TRUE(Hit(4000, 5540));  // upper edge exactly 100 above the paddle
    EXPECT_FALSE(Hit(4000, 5541));
    EXPECT_TRUE(Hit(3885 - 255, 5400));  // touching the paddle's left end
    EXPECT_FALSE(Hit(3885 - 256, 5400));
    EXPECT_TRUE(Hit(3885 + 900, 5400));  // touching its right end
    EXPECT_FALSE(Hit(3885 + 901, 5400));
    EXPECT_TRUE(Hit(4000, 5400, -50));  // the direction is not tested
    EXPECT_EQ(play().ballStepY.value(), 50);
    play().paddleStepX = -200;  // the paddle moves (to 3685) before the test
    EXPECT_TRUE(Hit(3685 - 255, 5400));
}

TEST_F(OnePlayer, AFallingBallOverThePaddleIsCaughtAtEverySpeedAndOffset) {
    for (const int speed : {50, 100, 150}) {
        for (int offset = 0; offset < speed; ++offset) {
            play().player1Score = 0;
            BallArrivesAt(4000, 5240 + offset, 0, speed);  // just above the window
            for (int n = 0; n < 5 && play().ballStepY.value() > 0; ++n)
                Frame();
            EXPECT_EQ(play().player1Score.value(), 1) << speed << " " << offset;
        }
    }
    EXPECT_EQ(play().ballNumber.value(), 1);
}

TEST_F(OnePlayer, APaddleSlidingUnderALowBallMissesIt) {
    play().paddleStepX = -200;
    BallArrivesAt(3000, 5550, 0, 50);  // overlapped from Top 5700 on
    Frame(14);
    EXPECT_EQ(play().player1Score.value(), 0);
    EXPECT_EQ(play().ballNumber.value(), 1);
    Frame();  // Top 6250
    EXPECT_EQ(play().player1Score.value(), 0);
    EXPECT_EQ(play().ballNumber.value(), 2);
}

TEST_F(OnePlayer, WallsBounceOnTouchingWithOneBeepEach) {
    BallArrivesAt(10, 10, -60, -70);  // top-left corner: both walls at once
    Frame();
    EXPECT_EQ(play().shpBall.Left, 25);
    EXPECT_EQ(play().shpBall.Top, 25);
    EXPECT_EQ(play().ballStepX.value(), 60);
    EXPECT_EQ(play().ballStepY.value(), 70);
    EXPECT_EQ(Events(), (Beeps{"beep", "beep"}));
    BallArrivesAt(8640 - 255, 3000, 40, 50);  // touching the right wall
    Frame();
    EXPECT_EQ(play().ballStepX.value(), -40);
    BallArrivesAt(25, 3000, -40, 50);  // touching the left wall
    Frame();
    EXPECT_EQ(play().ballStepX.value(), 40);
    EXPECT_EQ(Events(), (Beeps{"beep", "beep"}));
    BallArrivesAt(26, 26, -1, -1);  // one twip clear of both
    Frame();
    EXPECT_EQ(play().ballStepX.value(), -1);
    EXPECT_TRUE(Events().empty());
}

TEST_F(OnePlayer, WithSoundOffNothingBeepsAndALostBallNeverDoes) {
    play().soundOn = 0;
    BallArrivesAt(10, 10, -60, -70);
    Frame();
    EXPECT_TRUE(Hit(4000, 5400));
    play().soundOn = -1;
    BallArrivesAt(4000, 6300, 0, 50);
    Frame();
    EXPECT_EQ(play().ballNumber.value(), 2);
    EXPECT_TRUE(Events().empty());
}

TEST_F(OnePlayer, ALostBallIsServedAfterTwoSecondsAndNothingMovesMeanwhile) {
    const double before = NowMs();
    play().paddleStepX = 200;  // held
    BallArrivesAt(4000, 6250, 30, 50);
    platform.QueueRandom(0.5f);  // serve step Int(0.5 * -250 + 1) = -124
    Frame();
    EXPECT_EQ(NowMs() - before, 2000);
    EXPECT_EQ(play().Label1.Caption.get(), "Ball  2");
    EXPECT_EQ(play().ballStepX.value(), -124);
    EXPECT_EQ(play().ballStepY.value(), 50);
    EXPECT_EQ(platform.FramesRun(), 0);  // the ticks of the wait were dropped
    EXPECT_EQ(play().shpBall.Left, 8040);
    EXPECT_EQ(play().shpBall.Top, 360);
    EXPECT_EQ(play().shpPaddle.Left, 3885);
    Frame();  // the held key moves the paddle on from its home place
    EXPECT_EQ(play().shpPaddle.Left, 4085);
    EXPECT_EQ(play().shpBall.Left, 7916);
}

TEST_F(OnePlayer, WithPlayTo1TheFirstLostBallEndsTheGameAtOnce) {
    program.playTo = 1;
    const double before = NowMs();
    BallArrivesAt(4000, 6250, 0, 50);
    Frame();
    EXPECT_EQ(NowMs(), before);
    EXPECT_EQ(play().Label1.Caption.get(), "Ball  1");
    EXPECT_EQ(play().ballNumber.value(), 2);
    ExpectGameOver();
}

class OverflowInPlay : public OnePlayer {
protected:
    // After the frame: one critical "Overflow" box (after any wall beep), the
    // game over, the settings kept, and a new game that runs.
    void ExpectReportedAndTheProgramGoesOn(std::size_t beeps) {
        const std::vector<RecordedEvent> events = platform.TakeEvents();
        ASSERT_EQ(events.size(), beeps + 1);
        EXPECT_EQ(events.back().text, "Overflow");
        EXPECT_EQ(events.back().icon, MsgIcon::Critical);
        ExpectGameOver();
        EXPECT_EQ(play().ballSpeed.value(), 50);
        EXPECT_EQ(play().paddleSize.value(), 900);
        EXPECT_TRUE(play().mnuOptionsBallSpeedSlow.Checked);
        Do([this] { play().cmdNewGame_Click(); });
        RunMs(20);
        EXPECT_EQ(platform.FramesRun(), 1);
        EXPECT_EQ(play().shpBall.Top, 410);
    }
};

TEST_F(OverflowInPlay, OfTheHitCountStopsTheHitWhereItStands) {
    play().player1Score = 32767;
    play().lblPlayer1Score.Caption = "32767";
    BallArrivesAt(4000, 5400, 0, 50);
    platform.QueueRandom(0.5f);  // r = 76
    Frame();
    EXPECT_EQ(play().player1Score.value(), 32767);
    EXPECT_EQ(play().ballStepX.value(), 76);  // written before the failed increment
    EXPECT_EQ(play().ballStepY.value(), 50);  // the rest of the hit did not happen
    EXPECT_EQ(play().shpBall.Top, 5400);
    EXPECT_EQ(play().lblPlayer1Score.Caption.get(), "32767");
    ExpectReportedAndTheProgramGoesOn(0);
}

TEST_F(OverflowInPlay, OfTheBallNumberInTheLongestGame) {
    program.playTo = 32767;
    play().ballNumber = 32767;
    const double before = NowMs();
    BallArrivesAt(4000, 6250, 0, 50);
    Frame();
    EXPECT_EQ(play().ballNumber.value(), 32767);
    EXPECT_EQ(program.playTo.value(), 32767);
    EXPECT_EQ(play().shpBall.Top, 360);  // served before the increment failed
    EXPECT_EQ(play().Label1.Caption.get(), "Ball  1");
    EXPECT_EQ(NowMs(), before);
    ExpectReportedAndTheProgramGoesOn(0);
}

TEST_F(OverflowInPlay, OfTheHorizontalStepAfterManyHits) {
    play().shpPaddle.Left = 25;
    BallArrivesAt(-32600, 5400, -32700, 50);  // the left wall turns it to 32700
    platform.QueueRandom(0.5f);               // and the hit adds 76
    Frame();
    EXPECT_EQ(play().ballStepX.value(), 32700);
    EXPECT_EQ(play().player1Score.value(), 0);
    ExpectReportedAndTheProgramGoesOn(1);
}

}  // namespace
}  // namespace rallo::testing
