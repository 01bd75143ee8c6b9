// The first-paint mark of the bench's own windows, the same line the game
// writes: RALLO2_FIRST_PAINT=<path> gets the CLOCK_MONOTONIC time in
// nanoseconds once the first paint has reached the screen; without it the
// time goes to standard output.
#pragma once

#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace bench {

// steady_clock is CLOCK_MONOTONIC here, the clock bench/run reads.
inline long long MonotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline void WriteFirstPaint() {
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

// Call from the first paintEvent: Qt flushes the painted window to the
// screen after the event, and a zero timer runs once that is done.
inline void MarkFirstPaintLater() {
    QTimer::singleShot(0, &WriteFirstPaint);
}

// The blue the floors paint, marking the first paint.
class BlueArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(0, 0, 255));
        if (!painted_) {
            painted_ = true;
            MarkFirstPaintLater();
        }
    }

private:
    bool painted_ = false;
};

}  // namespace bench
