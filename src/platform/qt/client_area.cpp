#include "platform/qt/client_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace rallo::qt {

int ToPixels(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QColor ToQColor(Color color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QRect PixelRect(const Control& control) {
    return QRect(ToPixels(control.Left), ToPixels(control.Top), ToPixels(control.Width),
                 ToPixels(control.Height));
}

ClientArea::ClientArea(Window& window, QWidget* parent) : QWidget(parent), window_(window) {
    // Everything is painted here, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (Control* control : window_.controls) {
        if (control->kind != ControlKind::Shape) continue;
        auto* shape = static_cast<Shape*>(control);
        painted_[shape] = shape->Visible ? PixelRect(*shape) : QRect();
    }
}

void ClientArea::ShapeChanged(const Shape& shape) {
    QRect& was = painted_[&shape];
    const QRect now = shape.Visible ? PixelRect(shape) : QRect();
    if (now == was) return;
    if (!was.isEmpty()) update(was);
    if (!now.isEmpty()) update(now);
    was = now;
}

void ClientArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), ToQColor(window_.BackColor));
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPen outline(Qt::black, 0);  // cosmetic: one pixel at any scale
    for (const Control* control : window_.controls) {
        if (control->kind != ControlKind::Shape || !control->Visible) continue;
        const auto& shape = static_cast<const Shape&>(*control);
        const QRect box = PixelRect(shape);
        if (box.isEmpty() || !box.intersects(event->rect())) continue;
        const QColor fill = ToQColor(shape.FillColor);
        // A one-pixel outline round a box two pixels thick would cover the
        // whole box (the walls are 25 to 30 twips): thin boxes show their fill.
        if (box.width() < 3 || box.height() < 3) {
            painter.fillRect(box, fill);
            continue;
        }
        if (shape.shape == ShapeKind::Rectangle) {
            painter.fillRect(box, Qt::black);
            painter.fillRect(box.adjusted(1, 1, -1, -1), fill);
        } else {
            painter.setPen(outline);
            painter.setBrush(fill);
            painter.drawEllipse(box.adjusted(0, 0, -1, -1));
        }
    }
}

}  // namespace rallo::qt
