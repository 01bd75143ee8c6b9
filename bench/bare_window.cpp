// The toolkit's floor: a Qt window of the one-player play window's size
// that paints itself blue and does nothing else. bench/run compares the
// game's start-up time and memory with this program's.
//
// RALLO2_FIRST_PAINT=<path>: once the first paint has reached the screen,
// writes the CLOCK_MONOTONIC time in nanoseconds as one line to <path>, the
// same mark the game writes.
#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "first_paint.h"

namespace {

// Outer size of the one-player play window: 8760 by 7740 twips.
constexpr int kWidth = 584;
constexpr int kHeight = 516;

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bench::BlueArea window;
    window.setWindowTitle("bare");
    window.setAttribute(Qt::WA_OpaquePaintEvent);
    window.setFixedSize(kWidth, kHeight);
    const QRect screen = window.screen()->geometry();
    window.move(screen.x() + (screen.width() - kWidth) / 2,
                screen.y() + (screen.height() - kHeight) / 2);
    window.show();
    return app.exec();
}
