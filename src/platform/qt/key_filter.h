// Keyboard events of the game's windows, turned into the game's key events
// with virtual-key codes.
#pragma once

#include <QObject>

class QKeyEvent;

namespace rallo::qt {

// The virtual-key code of a key; 0 for a key the game has no code for.
int VirtualKey(const QKeyEvent& event);

// Installed on the application: sees every key event aimed at a widget of a
// game window (not at menus) and hands it to that window's event sink.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* target, QEvent* event) override;
};

}  // namespace rallo::qt
