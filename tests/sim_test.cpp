// Golden transcripts of the driver: each scripts/NAME.sim is run through
// rallo2-sim; its standard output must equal NAME.out byte for byte. Where a
// NAME.err exists, the run must fail with status 2 and print exactly that on
// standard error.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim_script.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ScriptNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(RALLO2_SCRIPTS))
        if (entry.path().extension() == ".sim") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;
};

Outcome RunScript(const fs::path& script) {
    const fs::path errFile = fs::temp_directory_path() / ("rallo2-sim-" + script.stem().string() +
                                                          std::to_string(::getpid()) + ".err");
    const std::string command =
        std::string(RALLO2_SIM) + " '" + script.string() + "' 2>'" + errFile.string() + "'";
    Outcome run;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(errFile);
    fs::remove(errFile);
    return run;
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, MatchesGolden) {
    const fs::path base = fs::path(RALLO2_SCRIPTS) / GetParam();
    const Outcome run = RunScript(base.string() + ".sim");
    EXPECT_EQ(run.out, ReadFile(base.string() + ".out"));
    const fs::path errGolden = base.string() + ".err";
    if (fs::exists(errGolden)) {
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, ReadFile(errGolden));
    } else {
        EXPECT_EQ(run.status, 0) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, Transcript, testing::ValuesIn(ScriptNames()),
                         [](const auto& info) { return info.param; });

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
