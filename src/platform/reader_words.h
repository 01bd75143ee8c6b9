// What a screen reader is told about the game, worked out from the controls
// alone so that every platform tells the same words: the names of labels and
// text boxes, the court's description, and the news of a game as it happens.
// A platform only presents these words in its own terms.
//
// Names keep the captions' own form ("Number of hits: 3"). The court's
// description and the news are spoken sentences: they use no punctuation a
// screen reader reads aloud at its usual settings (no colons, dashes,
// brackets or ellipses), only commas and marks that end a sentence.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"

namespace rallo {

// ----- Names, for any window -----

// The caption of a value label is the label named like it with "Label"
// after: lblPlayer1ScoreLabel ("Number of hits") captions lblPlayer1Score.
const Label* CaptionOf(const Window& window, const Control& value);
const Label* ValueCaptionedBy(const Window& window, const Control& caption);
// The label that names a text box: the nearest one before it on its row.
const Label* LabelBefore(const Window& window, const TextBox& box);

// The name of a label or a text box: a value label with its caption,
// "Number of hits: 3"; a text box by its label; any other label by its own
// caption ("Ball 2"). Runs of blanks read as one; empty for other controls.
std::string ReaderName(const Window& window, const Control& control);

// The name of a menu item: its caption without the access key's marker and
// without a closing ellipsis, which a reader would say as "dot dot dot"
// ("Play game to..." reads "Play game to").
std::string ReaderName(const MenuItem& item);

// Text as a reader says it: runs of blanks as one, none at either end.
std::string Spoken(std::string_view text);

// ----- The court of the play window -----

class CourtWords {
public:
    // A shape a player tells apart; the walls only bound the court.
    struct Piece {
        const Shape* shape;
        std::string name;  // "Ball", "Paddle", "Left paddle", "Right paddle"
    };

    // The court of a window with a ball; nothing for any other window.
    static std::optional<CourtWords> For(const Window& window);

    // Call after every write to the ball's place, so that the description
    // knows where the ball heads.
    void BallMoved();

    // "Ball in the upper right, heading left and down, 2 paddle lengths
    // right of the paddle." The distance is to the nearest paddle shown,
    // along the way that paddle moves; "No ball in play." while it is hidden.
    std::string Description() const;

    // The ball and paddles, in drawing order, shown or not.
    const std::vector<Piece>& Pieces() const { return pieces_; }
    const Shape& Ball() const { return *ball_; }

private:
    CourtWords(const Window& window, const Shape& ball);
    const Piece* NearestPaddle() const;

    const Window* window_;
    const Shape* ball_;
    std::vector<Piece> pieces_;
    float ballX_, ballY_;  // the ball's centre when last moved, in twips
    int headingX_ = 0;     // the sign of its last move across
    int headingY_ = 0;     // and down
};

// ----- News of a game, as it happens -----

enum class Urgency {
    Polite,  // told when the reader is done with what it is saying
    Urgent,  // told at once, cutting in
};

struct News {
    std::string text;
    Urgency urgency = Urgency::Polite;
};

// Watches the play window's board (scores, ball number, "Game Over!") and
// says what changed: a hit with the new count ("3 hits."), a lost ball and
// the next ("Ball lost. Ball 2."), a point with the score ("Computer
// scores. Computer Score 1, Player Score 0."), the end ("Game Over!").
// Each change is told once. News that comes sooner than kShortestGapMs
// after the last is held back and told together with whatever follows.
class ReaderNews {
public:
    static constexpr std::uint32_t kShortestGapMs = 400;

    // The news of a window with a board (the play window); nothing for any other.
    static std::optional<ReaderNews> For(const Window& window);

    // What changed since the news last told, or nothing when nothing did or
    // when it is held back; then ask again at HeldUntil(). Call it after the
    // game's handlers have run (a posted task, a timer), not from inside a
    // change notification, where the board is half written. `nowMs` is the
    // platform's millisecond counter.
    std::optional<News> Take(std::uint32_t nowMs);
    // When held-back news may be told; nothing when none is held.
    std::optional<std::uint32_t> HeldUntil() const;

    // A message box is opening (the winner, "Overflow"): whatever news is
    // held, politely and at once, then the message, urgent.
    std::vector<News> Message(std::string_view text, std::uint32_t nowMs);

private:
    struct Score {
        const Label* value;
        const Label* caption;
    };
    // What the news compares: the board as a player sees it.
    struct Board {
        bool inPlay = false;              // the Play button is hidden
        std::string ball;                 // "Ball 2" while shown
        bool over = false;                // "Game Over!" shown
        std::vector<std::string> scores;  // the values of the shown scores
        std::vector<std::string> names;   // and their captions
        bool operator==(const Board&) const = default;
    };

    ReaderNews(const Control& play, const Label& ball, const Label& over,
               std::vector<Score> scores);
    Board Look() const;
    std::string Changes(const Board& now) const;

    const Control* play_;
    const Label* ball_;
    const Label* over_;
    std::vector<Score> scores_;
    Board told_;  // the board when news was last told
    std::optional<std::uint32_t> lastToldMs_;
    bool held_ = false;
};

}  // namespace rallo
