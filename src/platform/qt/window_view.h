// The real window of a game Window: a fixed-size top-level widget with the
// menu bar (if the window has menus) over the client area. It observes the
// window and its controls and shows every change as it is written.
#pragma once

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <unordered_map>

#include "platform/controls.h"
#include "platform/platform.h"

class QMenuBar;

namespace rallo::qt {

class ClientArea;
class CourtView;
class MenuView;

class WindowView : public QWidget, private Observer {
    Q_OBJECT
public:
    // `knownFrame` is the window system's frame round a window, shared by
    // all views: zero until a window system has told it.
    WindowView(Window& window, EventSink& sink, QMargins& knownFrame);

    Window& model() { return window_; }
    ClientArea* client() const { return client_; }
    CourtView* court() const { return court_; }
    QMenuBar* menus() const { return menuBar_; }
    MenuView* menuView() const { return menuView_; }
    QWidget* WidgetFor(const Control& control) const;

    void KeyDown(int keyCode) { sink_.KeyDown(window_, keyCode); }
    void KeyUp(int keyCode) { sink_.KeyUp(window_, keyCode); }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void Changed(Observable& source) override;
    void CreateWidget(Control& control);
    void ApplyWindow();
    void OfferTextsToTypeOver();
    void ApplyControl(Control& control);
    void ApplyLabel(const Label& label, QWidget* widget);
    void Rename(const Control& control);
    void QueueFocusCheck();
    void SettleFocus();
    int MenuHeight() const;
    void SetOuterSize();
    bool LearnFrame();
    void FitToFrame();

    Window& window_;
    EventSink& sink_;
    QMargins& knownFrame_;
    QMargins frame_;  // the frame the model's outer size counts
    QMenuBar* menuBar_ = nullptr;
    MenuView* menuView_ = nullptr;
    ClientArea* client_ = nullptr;
    CourtView* court_ = nullptr;  // for the window with a ball
    bool focusCheckQueued_ = false;
    QPointer<QWidget> focusBeforeHide_;
    std::unordered_map<const Control*, QWidget*> widgets_;
    bool writing_ = false;  // the view itself is writing to the model
};

}  // namespace rallo::qt
