// The court in words: where the ball is, where it heads, and how far it is
// from the paddle that has to reach it.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "platform/reader_words.h"

namespace rallo {

namespace {

struct PieceName {
    std::string_view control;
    std::string_view spoken;
};

constexpr PieceName kPieceNames[] = {
    {"shpBall", "Ball"},
    {"shpPaddle", "Paddle"},
    {"shpPlayer1", "Left paddle"},
    {"shpPlayer2", "Right paddle"},
};
constexpr std::string_view kBallControl = "shpBall";

const Shape* ShapeNamed(const Window& window, std::string_view name) {
    return static_cast<const Shape*>(window.ControlNamed(ControlKind::Shape, name));
}

float CentreX(const Control& c) {
    return c.Left + c.Width / 2;
}
float CentreY(const Control& c) {
    return c.Top + c.Height / 2;
}

// How far the ball's centre is from a control's box, in twips.
double Distance(const Shape& ball, const Control& control) {
    const double x = CentreX(ball), y = CentreY(ball);
    const double dx = std::max({control.Left - x, 0.0, x - (control.Left + control.Width)});
    const double dy = std::max({control.Top - y, 0.0, y - (control.Top + control.Height)});
    return std::hypot(dx, dy);
}

int Sign(float value) {
    return (value > 0) - (value < 0);
}

std::string Lowered(std::string_view name) {
    std::string text(name);
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

// "2 paddle lengths right of the paddle", "just above the left paddle".
// A paddle moves along its long side; that is the way the player needs to know.
std::string WhereFrom(const Shape& ball, const CourtWords::Piece& paddle) {
    const Shape& p = *paddle.shape;
    const bool across = p.Width >= p.Height;
    const float ballFrom = across ? ball.Left : ball.Top;
    const float ballTo = ballFrom + (across ? ball.Width : ball.Height);
    const float paddleFrom = across ? p.Left : p.Top;
    const float length = across ? p.Width : p.Height;
    const std::string the = "the " + Lowered(paddle.name);
    if (ballTo >= paddleFrom && ballFrom <= paddleFrom + length) {
        if (!across) return "level with " + the;
        return (CentreY(ball) < CentreY(p) ? "above " : "below ") + the;
    }
    const bool before = ballTo < paddleFrom;
    const float gap = before ? paddleFrom - ballTo : ballFrom - (paddleFrom + length);
    const std::string side =
        across ? (before ? "left of " : "right of ") : (before ? "above " : "below ");
    const long lengths = length > 0 ? std::lround(gap / length) : 0;
    if (lengths == 0) return "just " + side + the;
    return std::to_string(lengths) + (lengths == 1 ? " paddle length " : " paddle lengths ") +
           side + the;
}

}  // namespace

std::optional<CourtWords> CourtWords::For(const Window& window) {
    const Shape* ball = ShapeNamed(window, kBallControl);
    if (ball == nullptr) return std::nullopt;
    return CourtWords(window, *ball);
}

CourtWords::CourtWords(const Window& window, const Shape& ball)
    : window_(&window), ball_(&ball), ballX_(CentreX(ball)), ballY_(CentreY(ball)) {
    for (const Control* control : window.controls) {
        for (const PieceName& known : kPieceNames) {
            if (control->kind == ControlKind::Shape && control->name == known.control) {
                pieces_.push_back({static_cast<const Shape*>(control), std::string(known.spoken)});
            }
        }
    }
}

void CourtWords::BallMoved() {
    const float x = CentreX(*ball_), y = CentreY(*ball_);
    if (x != ballX_) headingX_ = Sign(x - ballX_);
    if (y != ballY_) headingY_ = Sign(y - ballY_);
    ballX_ = x;
    ballY_ = y;
}

const CourtWords::Piece* CourtWords::NearestPaddle() const {
    const Piece* nearest = nullptr;
    double shortest = std::numeric_limits<double>::max();
    for (const Piece& piece : pieces_) {
        if (piece.shape == ball_ || !piece.shape->Visible) continue;
        const double distance = Distance(*ball_, *piece.shape);
        if (distance < shortest) {
            shortest = distance;
            nearest = &piece;
        }
    }
    return nearest;
}

std::string CourtWords::Description() const {
    if (!ball_->Visible) return "No ball in play.";
    // The halves of the court, between the inner faces of its walls.
    const Shape* left = ShapeNamed(*window_, "shpWallLeft");
    const Shape* right = ShapeNamed(*window_, "shpWallRight");
    const Shape* top = ShapeNamed(*window_, "shpWallTop");
    const Shape* bottom = ShapeNamed(*window_, "shpWallBottom");
    const float middleX = left && right ? (left->Left + left->Width + right->Left) / 2 : 0;
    const float middleY = top && bottom ? (top->Top + top->Height + bottom->Top) / 2 : 0;
    std::string text = "Ball in the ";
    text += CentreY(*ball_) < middleY ? "upper " : "lower ";
    text += CentreX(*ball_) < middleX ? "left" : "right";
    if (headingX_ || headingY_) {
        text += ", heading ";
        if (headingX_) text += headingX_ < 0 ? "left" : "right";
        if (headingX_ && headingY_) text += " and ";
        if (headingY_) text += headingY_ < 0 ? "up" : "down";
    }
    if (const Piece* paddle = NearestPaddle()) text += ", " + WhereFrom(*ball_, *paddle);
    return text + ".";
}

}  // namespace rallo
