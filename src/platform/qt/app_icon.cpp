#include "platform/qt/app_icon.h"

#include <QDirIterator>

namespace rallo::qt {

QIcon MakeAppIcon() {
    // One picture a size, as the build drew them (desktop/CMakeLists.txt).
    QIcon icon;
    QDirIterator pictures(":/window-icon", {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    while (pictures.hasNext())
        icon.addFile(pictures.next());
    return icon;
}

}  // namespace rallo::qt
