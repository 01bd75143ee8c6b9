#include "platform/qt/design_font.h"

#include <QStringList>

namespace rallo::qt {

// A font the design names may be missing here; the free fallbacks come close
// enough in width for the captions to fit their designed boxes.
QFont DesignFont(const QFont& base, const std::string& family, int points, bool bold) {
    QFont font = base;
    QStringList families{"Liberation Sans", "DejaVu Sans Condensed", "DejaVu Sans"};
    if (!family.empty()) families.prepend(QString::fromStdString(family));
    font.setFamilies(families);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

}  // namespace rallo::qt
