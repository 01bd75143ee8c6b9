// What a screen reader is told: names, the court, and the news of a game
// heard in order, once each, never faster than the news allows.
#include <regex>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "platform/reader_words.h"

namespace rallo::testing {
namespace {

// Spoken sentences carry no mark a reader reads aloud: only commas, and
// full stops or exclamation marks that end a sentence.
void ExpectNoPunctuationRead(const std::string& text) {
    static const std::regex spoken(R"(([A-Za-z0-9 ,]|[.!]( |$))+)");
    EXPECT_TRUE(std::regex_match(text, spoken)) << text;
}

class ReaderWords : public GameTest {
protected:
    void SetUp() override {
        Start();
        news = ReaderNews::For(play().form);
    }
    std::uint32_t Now() { return platform.timeGetTime(); }
    // The news told at `ms`, empty when none is.
    std::string Told(std::uint32_t ms) {
        const auto told = news->Take(ms);
        return told ? told->text : std::string();
    }
    // The news told while the game runs for `ms`, looked for every 50 ms as
    // a platform does after its handlers.
    std::vector<std::string> Heard(double ms) {
        std::vector<std::string> heard;
        for (double run = 0; run < ms; run += 50) {
            RunMs(50);
            if (auto told = news->Take(Now())) {
                ExpectNoPunctuationRead(told->text);
                EXPECT_EQ(told->urgency, Urgency::Polite);
                heard.push_back(told->text);
            }
        }
        return heard;
    }
    std::optional<ReaderNews> news;
};

TEST_F(ReaderWords, NamesKeepTheCaptionsForm) {
    Do([this] { play().mnuOptionsTwoPlayerComputer_Click(); });
    play().lblPlayer1Score.Caption = " 2";
    EXPECT_EQ(ReaderName(play().form, play().lblPlayer1Score), "Computer Score: 2");
    play().Label1.Caption = "Ball  2";
    EXPECT_EQ(ReaderName(play().form, play().Label1), "Ball 2");
    EXPECT_EQ(ReaderName(play().form, play().cmdExit), "");
    EXPECT_EQ(ReaderName(play().mnuOptionsGameTo), "Play game to");
    EXPECT_EQ(ReaderName(MenuItem("mnuSome", "Fish && &Chips")), "Fish & Chips");
    EXPECT_FALSE(ReaderNews::For(Window("frmOther", "", 100, 100, kBlue)));
}

TEST_F(ReaderWords, OnePlayerGameLeftAloneIsHeardInOrder) {
    Do([this] { play().cmdNewGame_Click(); });
    EXPECT_EQ(Heard(20000), (std::vector<std::string>{"Ball lost. Ball 2.", "Ball lost. Ball 3.",
                                                      "Game Over! 0 hits."}));
    Do([this] { play().cmdNewGame_Click(); });  // a new game starts without news
    EXPECT_EQ(Told(Now()), "");
}

TEST_F(ReaderWords, NewsComingTooSoonIsHeldAndToldOnce) {
    Do([this] { play().cmdNewGame_Click(); });
    const std::uint32_t start = Now();
    EXPECT_EQ(Told(start), "");  // the start is no news
    play().lblPlayer1Score.Caption = "1";
    EXPECT_EQ(Told(start), "1 hit.");
    play().lblPlayer1Score.Caption = "2";
    play().Label1.Caption = "Ball  2";
    EXPECT_EQ(Told(start + 100), "");
    EXPECT_EQ(news->HeldUntil(), start + ReaderNews::kShortestGapMs);
    EXPECT_EQ(Told(start + ReaderNews::kShortestGapMs), "2 hits. Ball lost. Ball 2.");
    EXPECT_EQ(Told(start + 2000), "");
    EXPECT_FALSE(news->HeldUntil());
}

TEST_F(ReaderWords, PointsTellTheScoreAndTheWinnerCutsIn) {
    Do([this] { play().mnuOptionsTwoPlayerComputer_Click(); });
    Do([this] { play().cmdNewGame_Click(); });
    EXPECT_EQ(Told(Now()), "");
    play().lblPlayer2Score.Caption = " 1";
    play().Label1.Caption = "Ball  2";
    EXPECT_EQ(Told(Now()), "Player scores. Computer Score 0, Player Score 1. Ball 2.");
    play().lblPlayer1Score.Caption = " 3";
    const std::uint32_t boxAt = Now() + 1;
    const std::vector<News> told = news->Message("Computer Wins!", boxAt);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].text, "Computer scores. Computer Score 3, Player Score 1.");
    EXPECT_EQ(told[1].text, "Computer Wins!");
    EXPECT_EQ(told[1].urgency, Urgency::Urgent);
    Do([this] { play().EndGame(); });
    EXPECT_EQ(Told(boxAt + ReaderNews::kShortestGapMs), "Game Over!");
}

TEST_F(ReaderWords, CourtSaysWhereTheBallIsFromThePaddle) {
    auto court = CourtWords::For(play().form);
    Shape& ball = play().shpBall;
    ball.Visible = true;
    const auto at = [&](float left, float top) {
        ball.Left = left;
        ball.Top = top;
        court->BallMoved();
        ExpectNoPunctuationRead(court->Description());
        return court->Description();
    };
    // The paddle is 900 wide from 3885; the ball 255 across.
    at(6600, 1000);
    EXPECT_EQ(at(6500, 1100),
              "Ball in the upper right, heading left and down, 2 paddle lengths right of the "
              "paddle.");
    EXPECT_EQ(at(4000, 5000), "Ball in the lower left, heading left and down, above the paddle.");
    EXPECT_EQ(at(3885 - 255 - 100, 5000),
              "Ball in the lower left, heading left and down, just left of the paddle.");
    ball.Visible = false;
    EXPECT_EQ(court->Description(), "No ball in play.");
    EXPECT_FALSE(CourtWords::For(Window("frmOther", "", 100, 100, kBlue)));

    Do([this] { play().mnuOptionsTwoPlayerPeople_Click(); });
    ball.Visible = true;
    const Shape& left = play().shpPlayer1;
    EXPECT_EQ(at(left.Left + 300, left.Top - 2 * left.Height - 255),
              "Ball in the upper left, heading left and up, 2 paddle lengths above the left "
              "paddle.");
}

}  // namespace
}  // namespace rallo::testing
