#include "platform/qt/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace rallo::qt {

namespace {

QPixmap Draw(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(QPen(Qt::white, unit * 0.5));
    painter.setBrush(QColor(0, 0, 255));
    painter.drawRoundedRect(QRectF(unit * 0.5, unit * 0.5, unit * 15, unit * 15), unit, unit);
    painter.setPen(QPen(Qt::black, unit * 0.3));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(unit * 4, unit * 12, unit * 8, unit * 1.6));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(QRectF(unit * 8.5, unit * 3.5, unit * 3.5, unit * 3.5));
    return pixmap;
}

}  // namespace

QIcon MakeAppIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addPixmap(Draw(size));
    return icon;
}

}  // namespace rallo::qt
