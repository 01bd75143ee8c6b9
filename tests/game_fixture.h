// A started game on the headless platform, for rule tests written in code.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/play_window.h"
#include "app/program.h"
#include "platform/headless/headless_platform.h"

namespace rallo::testing {

class GameTest : public ::testing::Test {
protected:
    void Start() {
        platform.RunNow([this] { program.Start(); });
    }
    frmRallo& play() { return *program.PlayWindow(); }
    // Runs a handler as the outermost event, as the platforms do.
    template <typename Handler>
    void Do(Handler handler) {
        platform.RunNow(handler);
    }
    void RunMs(double ms) {
        platform.RunUntil(platform.Now() +
                          static_cast<HeadlessPlatform::Time>(ms * HeadlessPlatform::kPerMs));
    }
    // The recorded events since the last call, as "beep", "end" or the message text.
    std::vector<std::string> Events() {
        std::vector<std::string> out;
        for (const RecordedEvent& e : platform.TakeEvents()) {
            switch (e.kind) {
                case RecordedEvent::Kind::Beep:
                    out.push_back("beep");
                    break;
                case RecordedEvent::Kind::End:
                    out.push_back("end");
                    break;
                case RecordedEvent::Kind::Message:
                    out.push_back(e.text);
                    break;
            }
        }
        return out;
    }

    HeadlessPlatform platform;
    Program program{platform};
};

}  // namespace rallo::testing
