#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/qt/accessible.h"
#include "platform/qt/desktop_bell.h"
#include "platform/qt/frame_clock.h"
#include "platform/qt/frame_watch.h"
#include "platform/qt/key_filter.h"
#include "platform/qt/reader_calls.h"
#include "platform/qt/reader_notice.h"
#include "platform/qt/window_view.h"

namespace rallo::qt {

QtPlatform::QtPlatform()
    : keys_(std::make_unique<KeyFilter>()),
      bell_(std::make_unique<DesktopBell>(&QApplication::beep)) {
    InstallAccessibility();
    qApp->installEventFilter(keys_.get());
}

QtPlatform::~QtPlatform() {
    qApp->removeEventFilter(keys_.get());
    clocks_.clear();
    views_.clear();
}

WindowView* QtPlatform::ViewOf(const Window& window) const {
    for (const auto& view : views_) {
        if (&view->model() == &window) return view.get();
    }
    return nullptr;
}

FrameClock* QtPlatform::ClockOf(const Timer& timer) const {
    for (const auto& clock : clocks_) {
        if (&clock->timer() == &timer) return clock.get();
    }
    return nullptr;
}

void QtPlatform::Attach(Window& window, EventSink& sink) {
    views_.push_back(std::make_unique<WindowView>(window, sink, frame_, titleBars_));
    for (Timer* timer : window.timers) {
        clocks_.push_back(std::make_unique<FrameClock>(*timer, sink));
    }
}

void QtPlatform::Beep() {
    bell_->Ring();
}

void QtPlatform::Randomize() {
    random_.Randomize();
}

float QtPlatform::Rnd() {
    return random_.Rnd();
}

std::uint32_t QtPlatform::timeGetTime() {
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(since).count());
}

void QtPlatform::Sleep(std::int32_t milliseconds) {
    if (milliseconds <= 0) {
        std::this_thread::yield();
    } else {
        SleepAnsweringReader(std::chrono::milliseconds(milliseconds));
    }
}

void QtPlatform::DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPlatform::MsgBox(std::string_view text, MsgIcon icon) {
    QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Centred on the game's window that is showing, if any.
    QWidget* owner = nullptr;
    for (const auto& view : views_) {
        if (view->isVisible()) owner = view.get();
    }
    for (const auto& view : views_) {
        if (ReaderNotice* notice = view->notice()) notice->BeforeMessage(text);
    }
    QMessageBox box(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromUtf8(kAppTitle), body, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    // A fixed-size window like the game's: its title bar offers no maximise.
    titleBars_.Prepare(box);
    new FrameWatch(box, [this, &box] { titleBars_.Exposed(box); });
    box.exec();
    // Without a window manager nobody else gives the keyboard back.
    if (owner != nullptr && owner->isVisible()) owner->activateWindow();
}

float QtPlatform::ScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<float>(screen->geometry().width()) * kTwipsPerPixel : 0.0f;
}

float QtPlatform::ScreenHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<float>(screen->geometry().height()) * kTwipsPerPixel : 0.0f;
}

namespace {

char32_t FirstCharacter(const QString& text) {
    return text.isEmpty() ? 0 : text.toUcs4().front();
}

}  // namespace

// The desktop's language decides.
NumberFormat QtPlatform::Numbers() {
    const QLocale locale;
    return LanguageNumberFormat(FirstCharacter(locale.decimalPoint()),
                                FirstCharacter(locale.groupSeparator()));
}

void QtPlatform::End() {
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace rallo::qt
