#include "platform/qt/title_bar.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWindow>

namespace rallo::qt {

namespace {

// What the bar offers. Close comes with the system menu hint; without the
// maximise hint the style draws no maximise button.
constexpr Qt::WindowFlags kOffered =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;

// A real button where the style draws one on the bar, so that readers find
// it by name and can press it; the bar paints it with the rest.
class BarButton : public QAbstractButton {
public:
    BarButton(QStyle::SubControl part, QWidget* bar) : QAbstractButton(bar), part_(part) {
        setAttribute(Qt::WA_Hover);   // repainted as the pointer comes and goes
        setFocusPolicy(Qt::NoFocus);  // the keys stay where the game put them
    }
    QStyle::SubControl part() const { return part_; }

protected:
    void paintEvent(QPaintEvent*) override {}

private:
    QStyle::SubControl part_;
};

}  // namespace

TitleBar::TitleBar(QWidget& window)
    : QWidget(&window),
      window_(window),
      minimize_(AddButton(QStyle::SC_TitleBarMinButton, QStringLiteral("Minimize"))),
      close_(AddButton(QStyle::SC_TitleBarCloseButton, QStringLiteral("Close"))) {
    const QStyleOptionTitleBar option = Option();
    setFixedHeight(style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this));
    QMargins room = window_.contentsMargins();
    room.setTop(room.top() + height());
    window_.setContentsMargins(room);
    connect(minimize_, &QAbstractButton::clicked, &window_, &QWidget::showMinimized);
    connect(close_, &QAbstractButton::clicked, &window_, &QWidget::close);
    window_.installEventFilter(this);
    FitToWindow();
    show();
}

QAbstractButton* TitleBar::AddButton(QStyle::SubControl part, const QString& name) {
    auto* button = new BarButton(part, this);
    button->setAccessibleName(name);
    button->setToolTip(name);
    return button;
}

QStyleOptionTitleBar TitleBar::Option() const {
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.text = window_.windowTitle();
    option.icon = window_.windowIcon();
    option.titleBarFlags = kOffered;
    option.subControls = QStyle::SC_TitleBarLabel | QStyle::SC_TitleBarSysMenu |
                         QStyle::SC_TitleBarMinButton | QStyle::SC_TitleBarCloseButton;
    const bool active = window_.isActiveWindow();
    option.palette.setCurrentColorGroup(active ? QPalette::Active : QPalette::Inactive);
    option.titleBarState = active ? int(QStyle::State_Active) : 0;
    option.state.setFlag(QStyle::State_Active, active);
    // The buttons' own states, for the style to draw them pressed or lit.
    for (const auto* button : {minimize_, close_}) {
        if (!button->isDown() && !button->underMouse()) continue;
        option.activeSubControls |= static_cast<const BarButton*>(button)->part();
        option.state |= button->isDown() ? QStyle::State_Sunken : QStyle::State_MouseOver;
    }
    return option;
}

void TitleBar::FitToWindow() {
    setGeometry(0, 0, window_.width(), height());
    const QStyleOptionTitleBar option = Option();
    for (auto* button : {minimize_, close_}) {
        const auto part = static_cast<BarButton*>(button)->part();
        button->setGeometry(style()->subControlRect(QStyle::CC_TitleBar, &option, part, this));
    }
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        switch (event->type()) {
            case QEvent::Resize:
                FitToWindow();
                break;
            case QEvent::ActivationChange:  // told to the window alone
            case QEvent::WindowTitleChange:
            case QEvent::WindowIconChange:
                update();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QStyleOptionTitleBar option = Option();
    style()->drawComplexControl(QStyle::CC_TitleBar, &option, &painter, this);
}

// The window system moves the window for as long as the button is held.
void TitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && window_.windowHandle() != nullptr &&
        window_.windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

}  // namespace rallo::qt
