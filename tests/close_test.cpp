// The play window closed from its title bar while a handler is still inside
// a wait or a message box: the program ends there, the handler that waited
// never goes on, and nothing queued for later runs.
#include <string>
#include <vector>

#include "game_fixture.h"

namespace rallo::testing {
namespace {

using Strings = std::vector<std::string>;

// Answers a message box the way a player may: by closing the play window
// while the box is still up.
class CloseDuringMessage : public HeadlessPlatform {
public:
    void MsgBox(std::string_view text, MsgIcon icon) override {
        HeadlessPlatform::MsgBox(text, icon);
        if (closeOnMessage != nullptr) sink->Close(*closeOnMessage);
    }
    EventSink* sink = nullptr;
    Window* closeOnMessage = nullptr;
};

class CloseMidHandler : public ::testing::Test {
protected:
    void SetUp() override {
        platform.RunNow([this] { program.Start(); });
        platform.sink = &program;
    }
    frmRallo& play() { return *program.PlayWindow(); }
    void Do(const std::function<void()>& handler) { platform.RunNow(handler); }
    void Frame() {
        Do([this] { program.Tick(play().tmrMain); });
    }
    Strings Events() {
        Strings out;
        for (const RecordedEvent& e : platform.TakeEvents())
            out.push_back(e.kind == RecordedEvent::Kind::End ? "end" : e.text);
        return out;
    }
    // Something a later handler would change, to see that none ran.
    void QueueLaterKey(double afterMs) {
        platform.Queue(platform.Now() +
                           static_cast<HeadlessPlatform::Time>(afterMs * HeadlessPlatform::kPerMs),
                       [this] { program.KeyDown(play().form, 37); });
    }
    void ExpectEndedWithNothingAfter() {
        EXPECT_TRUE(platform.Ended());
        EXPECT_FALSE(platform.TimerRunning());
        const long frames = platform.FramesRun();
        platform.RunUntil(platform.Now() + 10'000 * HeadlessPlatform::kPerMs);
        EXPECT_EQ(platform.FramesRun(), frames);
        EXPECT_EQ(play().paddleStepX, Int16(0)) << "a queued key ran after the end";
    }

    CloseDuringMessage platform;
    Program program{platform};
};

TEST_F(CloseMidHandler, DuringTheServeWaitAfterALostBall) {
    Do([this] { program.Click(play().cmdNewGame); });
    ASSERT_TRUE(platform.TimerRunning());
    const HeadlessPlatform::Time before = platform.Now();
    play().ballStepX = 0;
    play().shpBall.Top = 6300;  // the next frame loses the ball and waits to serve
    platform.Queue(before + 500 * HeadlessPlatform::kPerMs, [this] { program.Close(play().form); });
    QueueLaterKey(600);
    Frame();
    EXPECT_EQ(Events(), Strings{"end"});
    EXPECT_EQ(platform.Now() - before, 500 * HeadlessPlatform::kPerMs) << "the wait went on";
    EXPECT_EQ(play().Label1.Caption.get(), "Ball  2");
    EXPECT_FALSE(play().cmdNewGame.Visible) << "the frame went on to end the game";
    ExpectEndedWithNothingAfter();
}

TEST_F(CloseMidHandler, DuringTheWinnersMessage) {
    Do([this] { program.Click(play().mnuOptionsTwoPlayerPeople); });
    Do([this] { program.Click(play().cmdNewGame); });
    play().player1Score = 2;
    play().player2Score = 2;
    play().ballNumber = 3;
    play().ballStepX = -50;
    play().shpBall.Left = 50;  // lost on the left, above the paddle: 2 : 3 ends the match
    play().shpBall.Top = 500;
    platform.closeOnMessage = &play().form;
    QueueLaterKey(100);
    Frame();
    EXPECT_EQ(Events(), (Strings{"Player 2 Wins!", "end"}));
    EXPECT_FALSE(play().cmdNewGame.Visible) << "the board was reset after the end";
    EXPECT_TRUE(play().shpBall.Visible);
    ExpectEndedWithNothingAfter();
}

}  // namespace
}  // namespace rallo::testing
