// The probe that measurements from outside ask for (see probes.h for what
// it writes): it stands between the game and the desktop platform, passes
// every call on and notes the keys, frames, paints and beeps it sees. It is
// there only when asked for, so the game's own paths carry nothing of it.
#pragma once

#include <QObject>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

namespace rallo::qt {

class QtPlatform;

class Probe final : public QObject, public Platform {
public:
    // The probe the environment asks for, round `desktop`; nullptr if none.
    static std::unique_ptr<Probe> IfAsked(QtPlatform& desktop);

    explicit Probe(QtPlatform& desktop);
    ~Probe() override;

    void Attach(Window& window, EventSink& sink) override;
    void Beep() override;
    void Randomize() override;
    float Rnd() override;
    std::uint32_t timeGetTime() override;
    void Sleep(std::int32_t milliseconds) override;
    void DoEvents() override;
    void MsgBox(std::string_view text, MsgIcon icon) override;
    float ScreenWidth() override;
    float ScreenHeight() override;
    NumberFormat Numbers() override;
    [[noreturn]] void End() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class NotingSink;

    void Painting(const Window& window);

    QtPlatform& desktop_;
    std::vector<std::unique_ptr<NotingSink>> sinks_;
    std::unordered_map<const QObject*, const Window*> clientAreas_;
    std::unordered_map<const Shape*, QRect> shown_;  // where each shape was last painted
    bool painted_ = false;
};

}  // namespace rallo::qt
