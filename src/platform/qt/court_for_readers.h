// The court as assistive tools see it: a focusable, named object over the
// painted court whose children are the ball and the visible paddles, and
// whose description says in words what a sighted player sees at a glance.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

#include "platform/controls.h"
#include "platform/reader_words.h"

namespace rallo::qt {

class CourtForReaders : public QWidget {
    Q_OBJECT
public:
    using Piece = CourtWords::Piece;

    // A court for a window with a ball; nullptr for any other window.
    static CourtForReaders* For(const Window& window, QWidget* clientArea);

    const std::vector<Piece>& pieces() const { return words_.Pieces(); }
    // The pieces on show, in drawing order.
    std::vector<const Piece*> Shown() const;
    // A piece's box on the screen.
    QRect ScreenRect(const Piece& piece) const;

    // A shape was written: the ball's heading is followed, walls move the court.
    void ShapeChanged(const Shape& shape);
    // Read when asked, never pushed: a sentence a few times a second would
    // talk over the news of the game.
    QString Description() const;
    // The court's box: inside the walls and the client area.
    void FitToWalls();

private:
    CourtForReaders(const Window& window, CourtWords words, QWidget* clientArea);

    CourtWords words_;
    std::vector<const Shape*> walls_;
};

}  // namespace rallo::qt
