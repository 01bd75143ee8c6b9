#include "platform/qt/title_bars.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "platform/qt/title_bar.h"

namespace rallo::qt {

namespace {

bool Frameless(const QWidget& window) {
    return window.windowFlags().testFlag(Qt::FramelessWindowHint);
}

// The button hints go: Qt would take them to mean a frame after all.
Qt::WindowFlags FramelessFlags(const QWidget& window) {
    return window.windowType() | Qt::FramelessWindowHint;
}

// On Wayland a window's frame, if it has one, is a title bar Qt draws; on
// other window systems it is the window manager's.
bool FramesAreQts() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

void TitleBars::Prepare(QWidget& window) {
    if (!ours_ || Frameless(window)) return;
    window.setWindowFlags(FramelessFlags(window));
    new TitleBar(window);
}

void TitleBars::Exposed(QWidget& window) {
    const QWindow* native = window.windowHandle();
    if (FramesAreQts() && !Frameless(window) && native != nullptr &&
        !native->frameMargins().isNull()) {
        TakeOver(window);
    }
}

void TitleBars::TakeOver(QWidget& window) {
    ours_ = true;
    if (Frameless(window)) return;
    // Told to the native window as it is: going through setWindowFlags would
    // hide the window and give the compositor a new one.
    window.overrideWindowFlags(FramelessFlags(window));
    if (QWindow* native = window.windowHandle()) native->setFlags(window.windowFlags());
    new TitleBar(window);
}

}  // namespace rallo::qt
