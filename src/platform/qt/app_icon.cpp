#include "platform/qt/app_icon.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QPixmap>
#include <QResource>

namespace rallo::qt {

namespace {

constexpr int kBytesPerPixel = 4;  // 8-bit R, G, B, A

}  // namespace

QIcon MakeAppIcon() {
    // One square picture a size, named by its side, as the build drew it
    // from the icon drawing (desktop/CMakeLists.txt). The folder holds
    // nothing else: a name filter would compile a regular expression, which
    // adds half a megabyte to the program's peak memory.
    QIcon icon;
    QDirIterator pictures(":/window-icon", QDir::Files);
    while (pictures.hasNext()) {
        const QString path = pictures.next();
        const int side = QFileInfo(path).baseName().toInt();
        const QByteArray pixels = QResource(path).uncompressedData();
        if (side <= 0 || pixels.size() != side * side * kBytesPerPixel) continue;
        const QImage picture(reinterpret_cast<const uchar*>(pixels.constData()), side, side,
                             QImage::Format_RGBA8888);
        icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

}  // namespace rallo::qt
