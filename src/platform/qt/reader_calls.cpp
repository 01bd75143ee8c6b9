#include "platform/qt/reader_calls.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QEvent>
#include <QPointer>
#include <thread>
#include <vector>

namespace rallo::qt {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Qt's connection to the accessibility bus, and the paths of the objects
// that answer on it: every accessible object, and the tree's cache.
constexpr const char* kReaderBus = "a11y";
constexpr const char* kAnsweringPaths[] = {"/org/a11y/atspi/accessible", "/org/a11y/atspi/cache"};

// A reader asks in bursts, each question after the last answer: look again
// soon while it asks, rarely while it is quiet.
constexpr auto kWhileAsked = 1ms;
constexpr auto kWhileQuiet = 10ms;

// Counts the calls delivered to the objects it watches.
class CallCounter : public QObject {
public:
    int delivered = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MetaCall) ++delivered;
        return false;
    }
};

std::vector<QObject*> Answerers(CallCounter& counter) {
    std::vector<QObject*> answerers;
    const QDBusConnection bus(QString::fromLatin1(kReaderBus));
    if (!bus.isConnected()) return answerers;
    for (const char* path : kAnsweringPaths) {
        if (QObject* object = bus.objectRegisteredAt(QString::fromLatin1(path))) {
            object->installEventFilter(&counter);
            answerers.push_back(object);
        }
    }
    return answerers;
}

}  // namespace

void SleepAnsweringReader(std::chrono::milliseconds span) {
    const Clock::time_point until = Clock::now() + span;
    CallCounter counter;
    const std::vector<QObject*> answerers = Answerers(counter);
    if (answerers.empty()) {
        std::this_thread::sleep_until(until);
        return;
    }
    for (Clock::time_point now = Clock::now(); now < until; now = Clock::now()) {
        counter.delivered = 0;
        for (QObject* answerer : answerers)
            QCoreApplication::sendPostedEvents(answerer, QEvent::MetaCall);
        const auto slice = counter.delivered > 0 ? kWhileAsked : kWhileQuiet;
        std::this_thread::sleep_until(std::min(until, Clock::now() + slice));
    }
    for (QObject* answerer : answerers)
        answerer->removeEventFilter(&counter);
}

}  // namespace rallo::qt
