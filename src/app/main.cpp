// Rallo2 on the desktop: the game's program on the Qt platform.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/program.h"
#include "platform/qt/app_icon.h"
#include "platform/qt/app_style.h"
#include "platform/qt/probe.h"
#include "platform/qt/qt_platform.h"

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char** argv) {
    // Without a display the toolkit would abort with a long message of its
    // own; one line says what to do.
    if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM")) {
        std::fputs(
            "rallo2: no display found; run it on a desktop or under Xvfb (DISPLAY is not set)\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // The style the toolkit chose, but with nothing read before it is drawn.
    QApplication::setStyle(new rallo::qt::AppStyle(QApplication::style()->name()));
    QApplication::setApplicationName("Rallo2");
    // The desktop entry's name: desktops find the menu entry and its icon by it.
    QApplication::setDesktopFileName("org.rallo2.Rallo2");
    // The game ends itself (Exit, or closing the play window); hiding the
    // play window while the length dialog is open must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(rallo::qt::MakeAppIcon());

    // Measurements from outside ask for the probe: the same platform, noting what it sees.
    const std::unique_ptr<rallo::qt::QtPlatform> platform =
        rallo::qt::Probe::Asked() ? std::make_unique<rallo::qt::Probe>()
                                  : std::make_unique<rallo::qt::QtPlatform>();
    rallo::Program program(*platform);
    program.Start();
    return QApplication::exec();
}
