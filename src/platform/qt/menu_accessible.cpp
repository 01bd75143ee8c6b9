#include "platform/qt/menu_accessible.h"

#include <QAccessibleInterface>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWindow>

namespace rallo::qt {

namespace {

// Said after the item's name: Qt has no role that Orca reads as a submenu.
const char* const kSubmenuWords = "submenu";

class MenuItemFace : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuItemFace(QAction* action) : action_(action) {}

    bool isValid() const override { return action_ && Owner(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override {
        QWidget* owner = Owner();
        return owner ? owner->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(Owner());
    }
    // The submenu it opens is its one child.
    int childCount() const override { return Submenu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && Submenu() ? QAccessible::queryAccessibleInterface(Submenu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && Submenu() && child->object() == Submenu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* submenu = child(0);
        return submenu && submenu->rect().contains(x, y) ? submenu : nullptr;
    }
    QRect rect() const override {
        QWidget* owner = Owner();
        QRect box;
        if (auto* bar = qobject_cast<QMenuBar*>(owner)) box = bar->actionGeometry(action_);
        if (auto* menu = qobject_cast<QMenu*>(owner)) box = menu->actionGeometry(action_);
        return owner ? box.translated(owner->mapToGlobal(QPoint(0, 0))) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        QWidget* owner = Owner();
        state.invisible = !owner || !owner->isVisible() || !action_->isVisible();
        if (auto* bar = qobject_cast<QMenuBar*>(owner))
            state.focused = bar->activeAction() == action_;
        if (auto* menu = qobject_cast<QMenu*>(owner))
            state.focused = menu->activeAction() == action_;
        state.disabled = !action_->isEnabled();
        state.checkable = action_->isCheckable();
        state.checked = action_->isChecked();
        state.hasPopup = Submenu() != nullptr;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                return action_->property(kReaderNameProperty).toString();
            case QAccessible::Description:
                return Submenu() ? QString::fromLatin1(kSubmenuWords) : QString();
            case QAccessible::Accelerator:
                return QKeySequence::mnemonic(action_->text()).toString(QKeySequence::NativeText);
            default:
                return QString();
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    // The same actions as Qt's own items: press an item, open a submenu.
    QStringList actionNames() const override {
        return {Submenu() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (!action_->isEnabled()) return;
        if (name == pressAction() && !Submenu()) action_->trigger();
        if (name != showMenuAction() || !Submenu()) return;
        if (Submenu()->isVisible()) {
            Submenu()->hide();
        } else if (auto* bar = qobject_cast<QMenuBar*>(Owner())) {
            bar->setActiveAction(action_);
        } else if (auto* menu = qobject_cast<QMenu*>(Owner())) {
            menu->setActiveAction(action_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QMenu* Submenu() const { return action_ ? action_->menu() : nullptr; }
    // The menu or the menu bar that shows the item.
    QWidget* Owner() const {
        if (!action_) return nullptr;
        for (QObject* object : action_->associatedObjects()) {
            if (qobject_cast<QMenu*>(object) || qobject_cast<QMenuBar*>(object)) {
                return static_cast<QWidget*>(object);
            }
        }
        return nullptr;
    }

    QPointer<QAction> action_;
};

}  // namespace

QAccessibleInterface* MenuItemAccessible(QAction* action) {
    if (action == nullptr || !action->property(kReaderNameProperty).isValid()) return nullptr;
    return new MenuItemFace(action);
}

}  // namespace rallo::qt
