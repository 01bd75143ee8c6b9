// The driver's clock at the end of its range, and its idle loop with nothing
// due. (Its golden transcripts are checked by tests/harness/transcript.py.)
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sim_script.h"

namespace {

// Spans that would take the virtual clock past its end are a script error at
// the line that asks, for `run` and `after` alike; the clock itself never
// overflows. A million runs of 1e12 ms reach the end exactly.
TEST(ClockEnd, ASpanPastItIsAnErrorAtItsLine) {
    for (const char* last : {"run 1", "after 1 click cmdNewGame", "run 0"}) {
        std::string script = "start\n";
        for (int i = 0; i < 1'000'000; ++i)
            script += "run 1e12\n";
        script += std::string(last) + "\nprint time\n";
        std::istringstream in(script);
        std::ostringstream out, err;
        rallo::SimScript sim(out, err);
        const int status = sim.Run(in);
        if (std::string(last) == "run 0") {
            EXPECT_EQ(status, 0) << err.str();
            // The counter shows the clock modulo 2^32 ms.
            EXPECT_EQ(out.str(), std::to_string(1'000'000'000'000'000'000 % (1LL << 32)) + "\n");
        } else {
            EXPECT_EQ(status, 2);
            EXPECT_EQ(err.str(),
                      "error: line 1000002: the clock would pass its end at "
                      "1000000000000000000 ms: 1\n");
        }
    }
}

// Asked to run until never with nothing due, the idle loop returns and the
// clock stays put (it used to jump the clock to the end of its range and
// never return).
TEST(IdleLoop, WithNothingEverDueLeavesTheClockWhereItIs) {
    rallo::HeadlessPlatform platform;
    rallo::Program program(platform);
    platform.RunNow([&] { program.Start(); });
    const auto before = platform.Now();
    platform.RunUntil(rallo::HeadlessPlatform::kNever);
    EXPECT_EQ(platform.Now(), before);
}

}  // namespace
