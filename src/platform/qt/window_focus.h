// Where the keys go in a game window. While a game runs no button shows, and
// the keys and a reader's attention go to the court; when the buttons come
// back the first takes the focus. A window hidden for a while (the play
// window behind the dialog) comes back with the focus where the player left it.
#pragma once

#include <QPointer>
#include <QWidget>

namespace rallo::qt {

class ControlWidgets;

class WindowFocus {
public:
    // `court` is nullptr for a window without one; its focus is left to Qt.
    WindowFocus(QWidget& window, const ControlWidgets& widgets, QWidget* court);

    // Buttons show and hide in a row; the focus is settled once they are
    // done, when the window calls Settle after the game's writes.
    void ButtonShownOrHidden() { settleWanted_ = court_ != nullptr; }
    void Settle();
    // A button with the focus is about to hide: the focus goes to the court
    // at once, not through the next button, which a reader would announce.
    void ButtonHiding(QWidget* button);
    void Hiding();
    void ShownAgain();

private:
    QWidget& window_;
    const ControlWidgets& widgets_;
    QWidget* court_;
    bool settleWanted_ = false;
    QPointer<QWidget> beforeHide_;
};

}  // namespace rallo::qt
