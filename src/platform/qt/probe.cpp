#include "platform/qt/probe.h"

#include <QEvent>
#include <QTimer>
#include <cstdlib>
#include <string>

#include "platform/qt/client_area.h"
#include "platform/qt/probes.h"
#include "platform/qt/window_view.h"

namespace rallo::qt {

namespace {

constexpr const char* kProbeVariables[] = {"RALLO2_FIRST_PAINT", "RALLO2_FRAME_LOG",
                                           "RALLO2_BEEP_LOG", "RALLO2_INPUT_LOG"};

QRect Shown(const Shape& shape) {
    return shape.Visible ? PixelRect(shape) : QRect();
}

}  // namespace

// The game's sink for a window, with the key presses and the ticks noted.
class Probe::NotingSink : public EventSink {
public:
    explicit NotingSink(EventSink& game) : game_(game) {}

    void KeyDown(Window& window, int keyCode) override {
        LogKey(keyCode);
        game_.KeyDown(window, keyCode);
    }
    void KeyUp(Window& window, int keyCode) override { game_.KeyUp(window, keyCode); }
    void Click(Button& button) override { game_.Click(button); }
    void Click(MenuItem& item) override { game_.Click(item); }
    void Close(Window& window) override { game_.Close(window); }
    bool Tick(Timer& timer) override {
        if (!FrameLogWanted()) return game_.Tick(timer);
        const std::int64_t firedNs = MonotonicNs();
        const bool ran = game_.Tick(timer);
        LogFrame(firedNs, MonotonicNs(), ran);
        return ran;
    }

private:
    EventSink& game_;
};

bool Probe::Asked() {
    for (const char* variable : kProbeVariables) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

Probe::Probe() = default;

// The client areas outlive this part of the platform.
Probe::~Probe() {
    for (const auto& [area, window] : clientAreas_)
        area->removeEventFilter(this);
}

void Probe::Attach(Window& window, EventSink& sink) {
    sinks_.push_back(std::make_unique<NotingSink>(sink));
    QtPlatform::Attach(window, *sinks_.back());
    auto* area = ViewOf(window)->findChild<ClientArea*>();
    clientAreas_[area] = &window;
    area->installEventFilter(this);
    for (const Control* control : window.controls) {
        if (control->kind == ControlKind::Shape) {
            const auto& shape = static_cast<const Shape&>(*control);
            shown_[&shape] = Shown(shape);
        }
    }
}

bool Probe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) Painting(*clientAreas_.at(watched));
    return false;
}

// Qt puts the painted window on the screen after the paint event; a zero
// timer runs once that is done.
void Probe::Painting(const Window& window) {
    if (!painted_) {
        painted_ = true;
        QTimer::singleShot(0, &MarkFirstPaint);
    }
    if (!InputLogWanted()) return;
    std::string moved;
    for (const Control* control : window.controls) {
        if (control->kind != ControlKind::Shape) continue;
        const auto& shape = static_cast<const Shape&>(*control);
        QRect& was = shown_[&shape];
        const QRect now = Shown(shape);
        if (now == was) continue;
        was = now;
        if (!moved.empty()) moved += ' ';
        moved += shape.name + ':' + std::to_string(now.x()) + ',' + std::to_string(now.y());
    }
    if (!moved.empty()) QTimer::singleShot(0, [moved] { LogShown(moved); });
}

void Probe::Beep() {
    if (!BeepLogWanted()) return QtPlatform::Beep();
    const std::int64_t calledNs = MonotonicNs();
    QtPlatform::Beep();
    LogBeep(calledNs, MonotonicNs());
}

}  // namespace rallo::qt
