// The client area of a game window: its back colour and its shapes, painted
// back to front. Labels, buttons and the text box are child widgets on top.
#pragma once

#include <QWidget>
#include <unordered_map>

#include "platform/controls.h"
#include "platform/platform.h"

namespace rallo::qt {

// Twips to whole pixels, rounded only here, when something is drawn.
int ToPixels(float twips);
QColor ToQColor(Color color);
// The pixel box of a control, position and size rounded separately so a
// moving shape keeps its size.
QRect PixelRect(const Control& control);

class ClientArea : public QWidget {
    Q_OBJECT
public:
    ClientArea(Window& window, QWidget* parent);

    // A shape changed: repaint where it was and where it is now.
    void ShapeChanged(const Shape& shape);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Window& window_;
    std::unordered_map<const Shape*, QRect> painted_;  // where each shape was last shown
};

}  // namespace rallo::qt
