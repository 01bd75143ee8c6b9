// The probe that measurements from outside ask for (see probes.h for what it
// writes): the desktop platform, noting the keys, frames, paints and beeps it
// passes on. It runs only when asked for, so the game's own paths carry
// nothing of it.
#pragma once

#include <QObject>
#include <QRect>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/qt/qt_platform.h"

namespace rallo::qt {

class Probe final : public QObject, public QtPlatform {
public:
    // Whether the environment asks for any of the marks.
    static bool Asked();

    Probe();
    ~Probe() override;

    void Attach(Window& window, EventSink& sink) override;
    void Beep() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class NotingSink;

    void Painting(const Window& window);

    std::vector<std::unique_ptr<NotingSink>> sinks_;
    std::unordered_map<QObject*, const Window*> clientAreas_;
    std::unordered_map<const Shape*, QRect> shown_;  // where each shape was last painted
    bool painted_ = false;
};

}  // namespace rallo::qt
