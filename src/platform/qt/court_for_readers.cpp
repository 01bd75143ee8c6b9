#include "platform/qt/court_for_readers.h"

#include "platform/qt/client_area.h"

namespace rallo::qt {

namespace {
constexpr const char* kWallPrefix = "shpWall";
}  // namespace

CourtForReaders* CourtForReaders::For(const Window& window, QWidget* clientArea) {
    std::optional<CourtWords> words = CourtWords::For(window);
    return words ? new CourtForReaders(window, std::move(*words), clientArea) : nullptr;
}

CourtForReaders::CourtForReaders(const Window& window, CourtWords words, QWidget* clientArea)
    : QWidget(clientArea), words_(std::move(words)) {
    for (const Control* control : window.controls) {
        if (control->kind == ControlKind::Shape && control->name.rfind(kWallPrefix, 0) == 0) {
            walls_.push_back(static_cast<const Shape*>(control));
        }
    }
    // The court is painted by the client area below; this only listens.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Court"));
    FitToWalls();
    lower();
    show();
}

std::vector<const CourtForReaders::Piece*> CourtForReaders::Shown() const {
    std::vector<const Piece*> shown;
    for (const Piece& piece : pieces()) {
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
    if (shape.name.rfind(kWallPrefix, 0) == 0) {
        FitToWalls();
    } else if (&shape == &words_.Ball()) {
        words_.BallMoved();
    }
}

QString CourtForReaders::Description() const {
    return QString::fromStdString(words_.Description());
}

}  // namespace rallo::qt
