#include "platform/qt/probes.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace rallo::qt {

namespace {

const char* PathFrom(const char* variable) {
    const char* path = std::getenv(variable);
    return path != nullptr && *path != '\0' ? path : nullptr;
}

// Read while the game runs: each line goes out whole.
std::FILE* OpenLog(const char* variable) {
    const char* path = PathFrom(variable);
    std::FILE* file = path ? std::fopen(path, "w") : nullptr;
    if (file != nullptr) std::setvbuf(file, nullptr, _IOLBF, 512);
    return file;
}

std::FILE* FrameLog() {
    static std::FILE* const log = OpenLog("RALLO2_FRAME_LOG");
    return log;
}

std::FILE* BeepLog() {
    static std::FILE* const log = OpenLog("RALLO2_BEEP_LOG");
    return log;
}

std::FILE* InputLog() {
    static std::FILE* const log = OpenLog("RALLO2_INPUT_LOG");
    return log;
}

}  // namespace

std::int64_t MonotonicNs() {
    // steady_clock is CLOCK_MONOTONIC here, the clock outside tools read.
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void MarkFirstPaint() {
    static bool marked = false;
    if (marked) return;
    marked = true;
    const char* path = PathFrom("RALLO2_FIRST_PAINT");
    if (path == nullptr) return;
    if (std::FILE* out = std::fopen(path, "w")) {
        std::fprintf(out, "%" PRId64 "\n", MonotonicNs());
        std::fclose(out);
    }
}

bool FrameLogWanted() {
    return FrameLog() != nullptr;
}

void LogFrame(std::int64_t tickNs, std::int64_t doneNs, bool ran) {
    if (std::FILE* log = FrameLog()) {
        std::fprintf(log, "%" PRId64 " %" PRId64 " %d\n", tickNs, doneNs, ran ? 1 : 0);
    }
}

bool BeepLogWanted() {
    return BeepLog() != nullptr;
}

void LogBeep(std::int64_t calledNs, std::int64_t returnedNs) {
    if (std::FILE* log = BeepLog()) {
        std::fprintf(log, "%" PRId64 " %" PRId64 "\n", calledNs, returnedNs);
    }
}

bool InputLogWanted() {
    return InputLog() != nullptr;
}

void LogKey(int virtualKey) {
    if (std::FILE* log = InputLog()) {
        std::fprintf(log, "key %" PRId64 " %d\n", MonotonicNs(), virtualKey);
    }
}

void LogShown(const std::string& moved) {
    if (std::FILE* log = InputLog()) {
        std::fprintf(log, "shown %" PRId64 " %s\n", MonotonicNs(), moved.c_str());
    }
}

}  // namespace rallo::qt
