// The desktop's bell where no sound server listens: the game must still
// ring the toolkit's bell, once a beep, and say nothing.
#include "platform/qt/desktop_bell.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <vector>

namespace rallo::qt {
namespace {

// Points libcanberra at a sound server that is not there, for one test.
class NoSoundServer : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"CANBERRA_DRIVER", "PULSE_SERVER"}) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        }
        qputenv("CANBERRA_DRIVER", "pulse");
        qputenv("PULSE_SERVER", "unix:/nonexistent/rallo2-test/native");
    }
    void TearDown() override {
        for (const auto& [name, value, set] : saved_) {
            if (set) {
                qputenv(name, value);
            } else {
                qunsetenv(name);
            }
        }
    }

private:
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    std::vector<Saved> saved_;
};

TEST_F(NoSoundServer, EveryBeepFallsBackToTheToolkitsBell) {
    int rung = 0;
    DesktopBell bell([&rung] { ++rung; });
    EXPECT_FALSE(bell.Connected());
    // A corner bounce: two beeps in one frame are two rings.
    bell.Ring();
    bell.Ring();
    EXPECT_EQ(rung, 2);
}

}  // namespace
}  // namespace rallo::qt
