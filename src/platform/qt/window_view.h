// The real window of a game Window: a fixed-size top-level widget with the
// menu bar (if the window has menus) over the client area. It observes the
// window and its controls and shows every change as it is written.
#pragma once

#include <QMargins>
#include <QWidget>

#include "platform/controls.h"
#include "platform/platform.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/window_focus.h"
#include "platform/qt/window_frame.h"

class QMenuBar;

namespace rallo::qt {

class ClientArea;
class CourtForReaders;
class ReaderNotice;
class TitleBars;

class WindowView : public QWidget, private Observer {
    Q_OBJECT
public:
    // `knownFrame` is the frame round a window, shared by all views: zero
    // until a window system has told it. `titleBars` says who draws them.
    WindowView(Window& window, EventSink& sink, QMargins& knownFrame, TitleBars& titleBars);

    Window& model() { return window_; }
    CourtForReaders* courtForReaders() const { return court_; }
    ReaderNotice* notice() const { return notice_; }
    QMenuBar* menus() const { return menuBar_; }
    QWidget* WidgetFor(const Control& control) const { return widgets_.For(control); }

    void KeyDown(int keyCode) { sink_.KeyDown(window_, keyCode); }
    void KeyUp(int keyCode) { sink_.KeyUp(window_, keyCode); }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void Changed(Observable& source) override;
    void ApplyWindow();
    void ApplyControl(const Control& control);
    int MenuHeight() const;
    void SetOuterSize();
    void FitToFrame();
    void AfterWrites();

    Window& window_;
    EventSink& sink_;
    QMenuBar* menuBar_;
    ClientArea* client_;
    ControlWidgets widgets_;
    CourtForReaders* court_;  // for the window with a ball
    ReaderNotice* notice_;    // for the window with a board
    WindowFocus focus_;
    bool afterWritesQueued_ = false;
    WindowFrame frame_;
    bool writing_ = false;  // the view itself is writing to the model
};

}  // namespace rallo::qt
