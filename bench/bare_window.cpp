// The toolkit's floor: a Qt window of the one-player play window's size
// that paints itself blue and does nothing else. bench/run compares the
// game's start-up time and memory with this program's.
//
// RALLO2_FIRST_PAINT=<path>: once the first paint has reached the screen,
// writes the CLOCK_MONOTONIC time in nanoseconds as one line to <path>, the
// same mark the game writes.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// Outer size of the one-player play window: 8760 by 7740 twips.
constexpr int kWidth = 584;
constexpr int kHeight = 516;

// steady_clock is CLOCK_MONOTONIC here, the clock bench/run reads.
long long MonotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void MarkFirstPaint() {
    const long long ns = MonotonicNs();
    const char* path = std::getenv("RALLO2_FIRST_PAINT");
    if (path == nullptr || *path == '\0') {
        std::printf("first paint %lld\n", ns);
        std::fflush(stdout);
        return;
    }
    if (FILE* out = std::fopen(path, "w")) {
        std::fprintf(out, "%lld\n", ns);
        std::fclose(out);
    }
}

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(0, 0, 255));
        if (!painted_) {
            painted_ = true;
            // Qt flushes the painted window to the screen after this event;
            // a zero timer runs once that is done.
            QTimer::singleShot(0, &MarkFirstPaint);
        }
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle("bare");
    window.setAttribute(Qt::WA_OpaquePaintEvent);
    window.setFixedSize(kWidth, kHeight);
    const QRect screen = window.screen()->geometry();
    window.move(screen.x() + (screen.width() - kWidth) / 2,
                screen.y() + (screen.height() - kHeight) / 2);
    window.show();
    return app.exec();
}
