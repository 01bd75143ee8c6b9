#include "platform/qt/window_view.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "platform/qt/accessible_names.h"
#include "platform/qt/client_area.h"
#include "platform/qt/court_view.h"
#include "platform/qt/frame_watch.h"
#include "platform/qt/menu_view.h"

namespace rallo::qt {

namespace {

// A font the design names may be missing here; the free fallbacks come close
// enough in width for the captions to fit their designed boxes.
QFont FontFor(const QFont& base, const std::string& name, int points, bool bold) {
    QFont font = base;
    QStringList families{"Liberation Sans", "DejaVu Sans Condensed", "DejaVu Sans"};
    if (!name.empty()) families.prepend(QString::fromStdString(name));
    font.setFamilies(families);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(const Label& model, QWidget* parent) {
    auto* label = new QLabel(parent);
    const LabelStyle& style = model.style;
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromStdString(model.Caption));
    const Qt::Alignment across =
        style.alignment == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(across | Qt::AlignTop);
    if (style.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
    QPalette palette = label->palette();
    if (style.systemColors) {
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
    } else {
        palette.setColor(QPalette::Window, ToQColor(style.BackColor));
        palette.setColor(QPalette::WindowText, ToQColor(style.ForeColor));
    }
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    if (!style.fontName.empty()) {
        label->setFont(FontFor(label->font(), style.fontName, style.fontSize, style.fontBold));
    }
    return label;
}

// Where the compositor places every window (Wayland), a program's own
// places are not asked for, and the places Qt tells are not the real ones.
bool CompositorPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

// A title, a close and a minimise box but no maximise box: the window keeps
// the size the game gives it (setFixedSize in ApplyWindow).
WindowView::WindowView(Window& window, EventSink& sink, QMargins& knownFrame)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      window_(window),
      sink_(sink),
      knownFrame_(knownFrame),
      frame_(knownFrame) {
    setWindowTitle(QString::fromStdString(window_.Caption));
    if (!window_.menuBar.empty()) {
        menuBar_ = new QMenuBar(this);
        menuView_ = new MenuView(window_, sink_, menuBar_);
    }
    client_ = new ClientArea(window_, this);
    client_->setFont(FontFor(client_->font(), {}, 8, false));
    for (Control* control : window_.controls) {
        if (control->kind != ControlKind::Shape) CreateWidget(*control);
        control->SetObserver(this);
    }
    // After the other widgets: the buttons keep the focus first.
    court_ = CourtView::For(window_, client_);
    for (Control* control : window_.controls) {
        if (control->kind == ControlKind::TextBox) {
            const Label* label = LabelBefore(window_, static_cast<TextBox&>(*control));
            if (label) static_cast<QLabel*>(WidgetFor(*label))->setBuddy(WidgetFor(*control));
        }
        if (control->kind != ControlKind::Shape) Rename(*control);
    }
    window_.SetObserver(this);
    // Some window systems tell the frame as soon as the native window exists.
    winId();
    LearnFrame();  // before the outer size is set from it
    // A new frame on a painted window: refit, and paint it all again.
    new FrameWatch(*this, [this] {
        if (LearnFrame()) FitToFrame();
        update();
    });
    SetOuterSize();
    ApplyWindow();
}

QWidget* WindowView::WidgetFor(const Control& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

// Created in the window's control order, which is also the focus order.
void WindowView::CreateWidget(Control& control) {
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Label:
            widget = MakeLabel(static_cast<Label&>(control), client_);
            break;
        case ControlKind::Button: {
            auto& button = static_cast<Button&>(control);
            auto* push = new QPushButton(QString::fromStdString(button.Caption), client_);
            push->setAutoDefault(false);
            connect(push, &QPushButton::clicked, this, [this, &button] { sink_.Click(button); });
            widget = push;
            break;
        }
        case ControlKind::TextBox: {
            auto& box = static_cast<TextBox&>(control);
            auto* edit = new QLineEdit(QString::fromStdString(box.Text), client_);
            // What the user types is at once the model's text.
            connect(edit, &QLineEdit::textChanged, this,
                    [&box](const QString& text) { box.Text = text.toStdString(); });
            widget = edit;
            break;
        }
        case ControlKind::Shape:
            return;
    }
    widgets_[&control] = widget;
    widget->setGeometry(PixelRect(control));
    widget->setVisible(control.Visible);
}

void WindowView::Changed(Observable& source) {
    if (writing_) return;
    if (&source == &window_) {
        ApplyWindow();
    } else {
        ApplyControl(static_cast<Control&>(source));
    }
}

void WindowView::ApplyControl(Control& control) {
    if (control.kind == ControlKind::Shape) {
        client_->ShapeChanged(static_cast<const Shape&>(control));
        if (court_) court_->ShapeChanged(static_cast<const Shape&>(control));
        return;
    }
    QWidget* widget = WidgetFor(control);
    if (widget == nullptr) return;
    const QRect box = PixelRect(control);
    if (widget->geometry() != box) widget->setGeometry(box);
    if (control.kind == ControlKind::Label) {
        ApplyLabel(static_cast<Label&>(control), widget);
        return;
    }
    if (control.kind == ControlKind::Button) {
        const QString caption = QString::fromStdString(static_cast<Button&>(control).Caption);
        auto* push = static_cast<QPushButton*>(widget);
        if (push->text() != caption) push->setText(caption);
    } else {
        const QString text = QString::fromStdString(static_cast<TextBox&>(control).Text);
        auto* edit = static_cast<QLineEdit*>(widget);
        if (edit->text() != text) edit->setText(text);
    }
    if (widget->isVisibleTo(client_) != control.Visible) {
        widget->setVisible(control.Visible);
        if (control.kind == ControlKind::Button) QueueFocusCheck();
    }
}

// A new caption or a label coming into view is news for assistive tools.
// The name goes first: Qt tells a label's text change only while the label
// has no name of its own.
void WindowView::ApplyLabel(const Label& model, QWidget* widget) {
    auto* label = static_cast<QLabel*>(widget);
    const QString caption = QString::fromStdString(model.Caption);
    const bool newCaption = label->text() != caption;
    const bool shown = model.Visible && !label->isVisibleTo(client_);
    if (newCaption || shown) {
        Rename(model);
        if (const Label* value = ValueCaptionedBy(window_, model)) Rename(*value);
    }
    if (newCaption) label->setText(caption);
    if (label->isVisibleTo(client_) != model.Visible) label->setVisible(model.Visible);
    if ((newCaption || shown) && court_) court_->Refresh();
}

// A new name is told by Qt itself; the same name again is told here, as news
// that the words stand once more (a label shown again).
void WindowView::Rename(const Control& control) {
    if (control.kind != ControlKind::Label && control.kind != ControlKind::TextBox) return;
    QWidget* widget = WidgetFor(control);
    const QString name = AccessibleName(window_, control);
    if (widget == nullptr || name.isEmpty()) return;
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
        return;
    }
    QAccessibleEvent told(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&told);
}

// Buttons show and hide in a row; the focus is settled once they are done.
void WindowView::QueueFocusCheck() {
    if (court_ == nullptr || focusCheckQueued_) return;
    focusCheckQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        focusCheckQueued_ = false;
        SettleFocus();
    });
}

// While a game runs no button shows, and the keys and a reader's attention
// go to the court; when the buttons come back the first takes the focus.
void WindowView::SettleFocus() {
    QWidget* firstButton = nullptr;
    for (const Control* control : window_.controls) {
        if (control->kind == ControlKind::Button && control->Visible) {
            firstButton = WidgetFor(*control);
            break;
        }
    }
    QWidget* focused = focusWidget();
    if (firstButton == nullptr) {
        if (focused != court_) court_->setFocus(Qt::OtherFocusReason);
    } else if (focused == nullptr || focused == court_ || !focused->isVisibleTo(this)) {
        firstButton->setFocus(Qt::OtherFocusReason);
    }
}

int WindowView::MenuHeight() const {
    return menuBar_ ? menuBar_->sizeHint().height() : 0;
}

// The model's Width and Height are the outer box: the designed client area
// plus the menu bar and the frame.
void WindowView::SetOuterSize() {
    writing_ = true;
    const int width = ToPixels(window_.clientWidth) + frame_.left() + frame_.right();
    const int height =
        ToPixels(window_.clientHeight) + MenuHeight() + frame_.top() + frame_.bottom();
    window_.Width = static_cast<float>(width) * kTwipsPerPixel;
    window_.Height = static_cast<float>(height) * kTwipsPerPixel;
    writing_ = false;
}

void WindowView::ApplyWindow() {
    const QString caption = QString::fromStdString(window_.Caption);
    if (windowTitle() != caption) setWindowTitle(caption);

    const int menuHeight = MenuHeight();
    const QSize client(
        std::max(1, ToPixels(window_.Width) - frame_.left() - frame_.right()),
        std::max(1, ToPixels(window_.Height) - menuHeight - frame_.top() - frame_.bottom()));
    if (client_->size() != client || client_->y() != menuHeight) {
        if (menuBar_) menuBar_->setGeometry(0, 0, client.width(), menuHeight);
        client_->setGeometry(0, menuHeight, client.width(), client.height());
        setFixedSize(client.width(), menuHeight + client.height());
        if (court_) court_->FitToWalls();
    }

    // Move() sets Left, then Top, then tells once; the first two are halfway.
    if (!window_.moving() && !CompositorPlacesWindows()) {
        const QPoint place(ToPixels(window_.Left), ToPixels(window_.Top));
        if (pos() != place) move(place);
    }

    // A window hidden for a while (the play window behind the dialog) comes
    // back with the focus where the player left it.
    if (window_.Visible && !isVisible()) {
        OfferTextsToTypeOver();
        show();
        raise();
        activateWindow();
        if (focusBeforeHide_ && focusBeforeHide_->isVisibleTo(this)) focusBeforeHide_->setFocus();
    } else if (!window_.Visible && isVisible()) {
        focusBeforeHide_ = focusWidget();
        hide();
    }
}

// A window that opens offers its text boxes' texts to be typed over.
void WindowView::OfferTextsToTypeOver() {
    for (const Control* control : window_.controls) {
        if (control->kind == ControlKind::TextBox) {
            static_cast<QLineEdit*>(WidgetFor(*control))->selectAll();
        }
    }
}

bool WindowView::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            if (LearnFrame()) FitToFrame();
            break;
        default:
            break;
    }
    return handled;
}

// The frame is the window system's; most tell it only once a window is
// shown. Returns whether it differs from the one this window counted.
bool WindowView::LearnFrame() {
    const QWindow* native = windowHandle();
    if (native == nullptr) return false;
    const QMargins frame = native->frameMargins();
    if (frame.isNull() && !isVisible()) return false;  // not told yet
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0) {
        return false;
    }
    knownFrame_ = frame;
    if (frame == frame_) return false;
    frame_ = frame;
    return true;
}

// A newly learnt frame: the outer Width stays what the game asked for (the
// client area gives way); the Height keeps the client area as designed.
void WindowView::FitToFrame() {
    writing_ = true;
    const int height = client_->height() + MenuHeight() + frame_.top() + frame_.bottom();
    window_.Height = static_cast<float>(height) * kTwipsPerPixel;
    writing_ = false;
    ApplyWindow();
}

// The window is placed by the game; a move by the user is written back so
// the model always tells where the window is.
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
