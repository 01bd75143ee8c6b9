#include "platform/qt/menu_view.h"

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "platform/qt/menu_accessible.h"
#include "platform/reader_words.h"

namespace rallo::qt {

MenuView::MenuView(Window& window, EventSink& sink, QMenuBar* bar)
    : QObject(bar), window_(window), sink_(sink), bar_(bar) {
    for (MenuItem* item : window_.menuBar)
        Build(*item, nullptr);
    for (MenuItem* item : window_.menuBar)
        SyncEnabled(*item);
}

QAction* MenuView::ActionFor(const MenuItem& item) const {
    const auto found = actions_.find(&item);
    return found == actions_.end() ? nullptr : found->second;
}

void MenuView::Build(MenuItem& item, QMenu* parentMenu) {
    const QString caption = QString::fromStdString(item.Caption);
    QAction* action = nullptr;
    if (!item.children.empty()) {
        QMenu* menu = parentMenu ? parentMenu->addMenu(caption) : bar_->addMenu(caption);
        action = menu->menuAction();
        menu->installEventFilter(this);
        for (MenuItem* child : item.children)
            Build(*child, menu);
    } else {
        action = parentMenu ? parentMenu->addAction(caption) : bar_->addAction(caption);
        connect(action, &QAction::triggered, this, [this, &item] { Choose(item); });
    }
    actions_[&item] = action;
    item.SetObserver(this);
    SyncItem(item);
}

void MenuView::Choose(MenuItem& item) {
    // The game keeps each group's single check mark itself; the action's own
    // toggle on a click is undone by taking the mark from the model again.
    if (item.Reachable()) sink_.Click(item);
    SyncItem(item);
}

void MenuView::Changed(Observable& source) {
    const auto& item = static_cast<const MenuItem&>(source);
    SyncItem(item);
    // Whether an item can be chosen depends on every menu above it.
    SyncEnabled(item);
}

// Only a checked item is checkable: an unchecked checkable item would show an
// empty box. Actions stay outside exclusive groups, which draw radio bullets.
void MenuView::SyncItem(const MenuItem& item) {
    QAction* action = ActionFor(item);
    if (action == nullptr) return;
    const QString caption = QString::fromStdString(item.Caption);
    if (action->text() != caption) action->setText(caption);
    action->setProperty(kReaderNameProperty, QString::fromStdString(ReaderName(item)));
    const bool checked = item.Checked;
    if (action->isCheckable() != checked) action->setCheckable(checked);
    if (action->isChecked() != checked) action->setChecked(checked);
}

// Escape closes the open menu (Qt's own handling) and then: out of a
// submenu the item that opened it is told again; out of the last menu the
// menu bar is left and the focus goes back where it was, as Alt left it.
bool MenuView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        auto* menu = static_cast<QMenu*>(watched);
        QMetaObject::invokeMethod(
            this, [this, menu] { Escaped(menu); }, Qt::QueuedConnection);
    }
    return false;
}

void MenuView::Escaped(QMenu* menu) {
    if (bar_->actions().contains(menu->menuAction())) {
        QKeyEvent leave(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(bar_, &leave);
    } else if (QAccessibleInterface* opener =
                   QAccessible::queryAccessibleInterface(menu->menuAction())) {
        QAccessibleEvent told(opener, QAccessible::Focus);
        QAccessible::updateAccessibility(&told);
    }
}

// A disabled menu only greys its own entry; the items under it are disabled
// too so that no way into the menu can choose them.
void MenuView::SyncEnabled(const MenuItem& item) {
    if (QAction* action = ActionFor(item)) action->setEnabled(item.Reachable());
    for (const MenuItem* child : item.children)
        SyncEnabled(*child);
}

}  // namespace rallo::qt
