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

}  // namespace
