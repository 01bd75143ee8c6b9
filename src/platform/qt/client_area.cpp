#include "platform/qt/client_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/qt/probes.h"

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
    if (InputLogWanted() && std::find(moved_.begin(), moved_.end(), &shape) == moved_.end()) {
        moved_.push_back(&shape);
    }
}

namespace {

void LogShownLater(const std::vector<const Shape*>& moved) {
    std::string line;
    for (const Shape* shape : moved) {
        const QRect box = shape->Visible ? PixelRect(*shape) : QRect();
        if (!line.empty()) line += ' ';
        line += shape->name + ':' + std::to_string(box.x()) + ',' + std::to_string(box.y());
    }
    QTimer::singleShot(0, [line] { LogShown(line); });
}

}  // namespace

void ClientArea::paintEvent(QPaintEvent* event) {
    if (!paintedOnce_) {
        paintedOnce_ = true;
        // Qt puts the painted window on the screen after this event; a zero
        // timer runs once that is done.
        QTimer::singleShot(0, &MarkFirstPaint);
    }
    if (!moved_.empty()) {
        LogShownLater(moved_);
        moved_.clear();
    }
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
