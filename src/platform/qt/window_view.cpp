#include "platform/qt/window_view.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <algorithm>

#include "platform/qt/client_area.h"
#include "platform/qt/court_for_readers.h"
#include "platform/qt/design_font.h"
#include "platform/qt/frame_watch.h"
#include "platform/qt/menu_view.h"
#include "platform/qt/reader_notice.h"
#include "platform/qt/title_bars.h"

namespace rallo::qt {

namespace {

// A title, a close and a minimise box but no maximise box: the window keeps
// the size the game gives it (setFixedSize in ApplyWindow).
constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The menu bar of a window with menus, with its view as its child.
QMenuBar* MakeMenuBar(Window& window, EventSink& sink, QWidget* parent) {
    if (window.menuBar.empty()) return nullptr;
    auto* bar = new QMenuBar(parent);
    new MenuView(window, sink, bar);
    return bar;
}

// Its font is the one the controls on it inherit.
ClientArea* MakeClientArea(Window& window, QWidget* parent) {
    auto* area = new ClientArea(window, parent);
    area->setFont(DesignFont(area->font(), {}, kControlFontPoints, false));
    return area;
}

// Where the compositor places every window (Wayland), a program's own
// places are not asked for, and the places Qt tells are not the real ones.
bool CompositorPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

WindowView::WindowView(Window& window, EventSink& sink, QMargins& knownFrame, TitleBars& titleBars)
    : QWidget(nullptr, kWindowFlags),
      window_(window),
      sink_(sink),
      menuBar_(MakeMenuBar(window, sink, this)),
      client_(MakeClientArea(window, this)),
      widgets_(window, sink, client_),
      // After the other widgets: the buttons keep the focus first.
      court_(CourtForReaders::For(window, client_)),
      notice_(ReaderNotice::For(window, client_)),
      focus_(*this, widgets_, court_),
      frame_(knownFrame) {
    setWindowTitle(QString::fromStdString(window_.Caption));
    for (Control* control : window_.controls)
        control->SetObserver(this);
    window_.SetObserver(this);
    titleBars.Prepare(*this);
    // Some window systems tell the frame as soon as the native window exists.
    winId();
    frame_.Learn(*this);  // before the outer size is set from it
    // A new frame on a painted window: refit, and paint it all again.
    new FrameWatch(*this, [this, &titleBars] {
        titleBars.Exposed(*this);
        if (frame_.Learn(*this)) FitToFrame();
        update();
    });
    SetOuterSize();
    ApplyWindow();
}

void WindowView::Changed(Observable& source) {
    if (writing_) return;
    if (&source == &window_) {
        ApplyWindow();
    } else {
        ApplyControl(static_cast<Control&>(source));
    }
}

void WindowView::ApplyControl(const Control& control) {
    if (control.kind == ControlKind::Shape) {
        const auto& shape = static_cast<const Shape&>(control);
        client_->ShapeChanged(shape);
        if (court_) court_->ShapeChanged(shape);
        return;
    }
    if (control.kind == ControlKind::Button && !control.Visible) {
        focus_.ButtonHiding(widgets_.For(control));
    }
    if (widgets_.Apply(control) == ControlWidgets::Effect::ButtonShownOrHidden) {
        focus_.ButtonShownOrHidden();
    }
    AfterWrites();
}

// Once the game's handler has written everything (a posted call runs at the
// next processing of events): the focus moves first, then the news is told,
// so that a reader speaks the news last instead of cutting it short.
void WindowView::AfterWrites() {
    if (afterWritesQueued_) return;
    afterWritesQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            afterWritesQueued_ = false;
            focus_.Settle();
            if (notice_) notice_->Look();
        },
        Qt::QueuedConnection);
}

int WindowView::MenuHeight() const {
    return menuBar_ ? menuBar_->sizeHint().height() : 0;
}

// The model's Width and Height are the outer box: the designed client area
// plus the menu bar and the frame.
void WindowView::SetOuterSize() {
    const QSize outer = frame_.Around(
        QSize(ToPixels(window_.clientWidth), ToPixels(window_.clientHeight) + MenuHeight()));
    writing_ = true;
    window_.Width = static_cast<float>(outer.width()) * kTwipsPerPixel;
    window_.Height = static_cast<float>(outer.height()) * kTwipsPerPixel;
    writing_ = false;
}

void WindowView::ApplyWindow() {
    const QString caption = QString::fromStdString(window_.Caption);
    if (windowTitle() != caption) setWindowTitle(caption);

    const int menuHeight = MenuHeight();
    const int top = contentsMargins().top();  // under the game's own title bar, if any
    const QSize inside = frame_.Inside(QSize(ToPixels(window_.Width), ToPixels(window_.Height)));
    const QSize client(std::max(1, inside.width()), std::max(1, inside.height() - menuHeight));
    if (client_->size() != client || client_->y() != top + menuHeight) {
        if (menuBar_) menuBar_->setGeometry(0, top, client.width(), menuHeight);
        client_->setGeometry(0, top + menuHeight, client.width(), client.height());
        setFixedSize(client.width(), top + menuHeight + client.height());
        if (court_) court_->FitToWalls();
    }

    // Move() sets Left, then Top, then tells once; the first two are halfway.
    if (!window_.moving() && !CompositorPlacesWindows()) {
        const QPoint place(ToPixels(window_.Left), ToPixels(window_.Top));
        if (pos() != place) move(place);
    }

    if (window_.Visible && !isVisible()) {
        widgets_.OfferTextsToTypeOver();
        show();
        raise();
        activateWindow();
        focus_.ShownAgain();
    } else if (!window_.Visible && isVisible()) {
        focus_.Hiding();
        hide();
    }
}

// Most window systems tell the frame only once a window is shown.
bool WindowView::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            if (frame_.Learn(*this)) FitToFrame();
            break;
        default:
            break;
    }
    return handled;
}

// A newly learnt frame: the outer Width stays what the game asked for (the
// client area gives way); the Height keeps the client area as designed.
void WindowView::FitToFrame() {
    const QSize outer = frame_.Around(QSize(0, client_->height() + MenuHeight()));
    writing_ = true;
    window_.Height = static_cast<float>(outer.height()) * kTwipsPerPixel;
    writing_ = false;
    ApplyWindow();
}

// The window is placed by the game; a move by the user is written back so
// the model always tells where the window is (where the compositor places
// it, Qt cannot tell).
void WindowView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!isVisible() || CompositorPlacesWindows()) return;
    writing_ = true;
    if (ToPixels(window_.Left) != x()) window_.Left = static_cast<float>(x()) * kTwipsPerPixel;
    if (ToPixels(window_.Top) != y()) window_.Top = static_cast<float>(y()) * kTwipsPerPixel;
    writing_ = false;
}

void WindowView::closeEvent(QCloseEvent* event) {
    // Closing is the game's decision: it ends the program or hides the window.
    event->ignore();
    sink_.Close(window_);
}

}  // namespace rallo::qt
