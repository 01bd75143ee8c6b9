#include "platform/qt/court_for_readers.h"

#include <cmath>
#include <limits>

#include "platform/qt/client_area.h"

namespace rallo::qt {

namespace {

// Often enough to follow a rally by ear, rarely enough not to flood a
// screen reader with 64 descriptions a second.
constexpr int kDescribeEveryMs = 250;

struct PieceName {
    const char* control;
    const char* spoken;
};

// The shapes a player tells apart; the walls only bound the court.
constexpr PieceName kPieceNames[] = {
    {"shpBall", "Ball"},
    {"shpPaddle", "Paddle"},
    {"shpPlayer1", "Left paddle"},
    {"shpPlayer2", "Right paddle"},
};
constexpr const char* kBallControl = "shpBall";
constexpr const char* kWallPrefix = "shpWall";

QPoint Centre(const Control& control) {
    return QPoint(static_cast<int>(std::lround(control.Left + control.Width / 2)),
                  static_cast<int>(std::lround(control.Top + control.Height / 2)));
}

// How far a point is from a control's box, in twips.
double Distance(const QPoint& point, const Control& control) {
    const double dx =
        std::max({control.Left - point.x(), 0.0f, point.x() - (control.Left + control.Width)});
    const double dy =
        std::max({control.Top - point.y(), 0.0f, point.y() - (control.Top + control.Height)});
    return std::hypot(dx, dy);
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

CourtForReaders* CourtForReaders::For(const Window& window, QWidget* clientArea) {
    for (const Control* control : window.controls) {
        if (control->kind == ControlKind::Shape && control->name == kBallControl) {
            return new CourtForReaders(window, static_cast<const Shape&>(*control), clientArea);
        }
    }
    return nullptr;
}

CourtForReaders::CourtForReaders(const Window& window, const Shape& ball, QWidget* clientArea)
    : QWidget(clientArea),
      window_(window),
      ball_(ball),
      ballAt_(Centre(ball)),
      ballShown_(ball.Visible) {
    for (const Control* control : window_.controls) {
        if (control->kind != ControlKind::Shape) continue;
        const auto* shape = static_cast<const Shape*>(control);
        if (shape->name.rfind(kWallPrefix, 0) == 0) walls_.push_back(shape);
        for (const PieceName& known : kPieceNames) {
            if (shape->name == known.control) pieces_.push_back({shape, known.spoken});
        }
    }
    // The court is painted by the client area below; this only listens.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Court"));
    setAccessibleDescription(Description());
    throttle_.setSingleShot(true);
    throttle_.setInterval(kDescribeEveryMs);
    connect(&throttle_, &QTimer::timeout, this, &CourtForReaders::Refresh);
    FitToWalls();
    lower();
    show();
}

std::vector<const CourtForReaders::Piece*> CourtForReaders::Shown() const {
    std::vector<const Piece*> shown;
    for (const Piece& piece : pieces_) {
        if (piece.shape->Visible) shown.push_back(&piece);
    }
    return shown;
}

QRect CourtForReaders::ScreenRect(const Piece& piece) const {
    const QRect box = PixelRect(*piece.shape);
    return QRect(parentWidget()->mapToGlobal(box.topLeft()), box.size());
}

void CourtForReaders::FitToWalls() {
    QRect court;
    for (const Shape* wall : walls_)
        court = court.united(PixelRect(*wall));
    court = court.intersected(parentWidget()->rect());  // walls reach past a narrow window
    if (geometry() != court) setGeometry(court);
}

void CourtForReaders::ShapeChanged(const Shape& shape) {
    if (&shape == &ball_) {
        const QPoint now = Centre(ball_);
        if (now.x() != ballAt_.x()) headingX_ = Sign(now.x() - ballAt_.x());
        if (now.y() != ballAt_.y()) headingY_ = Sign(now.y() - ballAt_.y());
        ballAt_ = now;
        if (ball_.Visible != ballShown_) {
            ballShown_ = ball_.Visible;
            Refresh();
        } else if (!throttle_.isActive()) {
            throttle_.start();
        }
        return;
    }
    if (shape.name.rfind(kWallPrefix, 0) == 0) FitToWalls();
    if (!throttle_.isActive()) throttle_.start();
}

void CourtForReaders::Refresh() {
    throttle_.stop();
    const QString now = Description();
    if (accessibleDescription() != now) setAccessibleDescription(now);  // Qt tells the change
}

// "Ball in the upper left, heading right and down. Closest: Left paddle."
QString CourtForReaders::Description() const {
    if (!ball_.Visible) return QStringLiteral("No ball in play.");
    QString text = QStringLiteral("Ball in the ");
    const QRect court = geometry();
    const QPoint ball = PixelRect(ball_).center();
    text += ball.y() < court.center().y() ? QStringLiteral("upper ") : QStringLiteral("lower ");
    text += ball.x() < court.center().x() ? QStringLiteral("left") : QStringLiteral("right");
    QStringList heading;
    if (headingX_) heading << (headingX_ < 0 ? QStringLiteral("left") : QStringLiteral("right"));
    if (headingY_) heading << (headingY_ < 0 ? QStringLiteral("up") : QStringLiteral("down"));
    if (!heading.isEmpty()) text += QStringLiteral(", heading ") + heading.join(" and ");
    text += QStringLiteral(".");
    const Piece* closest = nullptr;
    double nearest = std::numeric_limits<double>::max();
    for (const Piece* piece : Shown()) {
        if (piece->shape == &ball_) continue;
        const double distance = Distance(Centre(ball_), *piece->shape);
        if (distance < nearest) {
            nearest = distance;
            closest = piece;
        }
    }
    if (closest) text += QStringLiteral(" Closest: ") + closest->name + QStringLiteral(".");
    return text;
}

}  // namespace rallo::qt
