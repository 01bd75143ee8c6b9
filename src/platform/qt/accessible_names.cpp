#include "platform/qt/accessible_names.h"

#include <QAccessible>
#include <QWidget>

namespace rallo::qt {

QString AccessibleName(const Window& window, const Control& control) {
    return QString::fromStdString(ReaderName(window, control));
}

// A new name is told by Qt itself.
void TellName(QWidget* widget, const QString& name) {
    if (widget == nullptr || name.isEmpty()) return;
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
        return;
    }
    QAccessibleEvent told(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&told);
}

}  // namespace rallo::qt
