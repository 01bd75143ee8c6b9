// The court as assistive tools see it: a focusable, named object over the
// painted court whose children are the ball and the visible paddles, and
// whose description says in words what a sighted player sees at a glance.
#pragma once

#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "platform/controls.h"

namespace rallo::qt {

class CourtForReaders : public QWidget {
    Q_OBJECT
public:
    struct Piece {
        const Shape* shape;
        QString name;
    };

    // A court for a window with a ball; nullptr for any other window.
    static CourtForReaders* For(const Window& window, QWidget* clientArea);

    const std::vector<Piece>& pieces() const { return pieces_; }
    // The pieces on show, in drawing order.
    std::vector<const Piece*> Shown() const;
    // A piece's box on the screen.
    QRect ScreenRect(const Piece& piece) const;

    // A shape was written: walls move the court, the ball's moves are told
    // a few times a second, anything else at once.
    void ShapeChanged(const Shape& shape);
    // Something happened (a score, the next ball, the end): tell it now.
    void Refresh();
    QString Description() const;
    // The court's box: inside the walls and the client area.
    void FitToWalls();

private:
    CourtForReaders(const Window& window, const Shape& ball, QWidget* clientArea);

    const Window& window_;
    const Shape& ball_;
    std::vector<Piece> pieces_;
    std::vector<const Shape*> walls_;
    QPoint ballAt_;     // the ball's centre when last written, in twips
    int headingX_ = 0;  // the sign of its last move across
    int headingY_ = 0;  // and down
    bool ballShown_;
    QTimer throttle_;
};

}  // namespace rallo::qt
