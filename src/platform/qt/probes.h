// Marks for measuring the real window from outside, written by the probe
// (probe.h) only when asked for by the environment:
//   RALLO2_FIRST_PAINT=<file>  the monotonic time (ns) once the play window's
//                              first paint has reached the screen, one line;
//   RALLO2_FRAME_LOG=<file>    one line per frame-clock tick:
//                              "<tick ns> <done ns> <ran>";
//   RALLO2_BEEP_LOG=<file>     one line per beep: "<called ns> <returned ns>";
//   RALLO2_INPUT_LOG=<file>    "key <ns> <virtual key>" as a key press reaches
//                              a game window, and "shown <ns> <shape>:<x>,<y>
//                              ..." once a paint that moved shapes has reached
//                              the screen (their new pixel places).
#pragma once

#include <cstdint>
#include <string>

namespace rallo::qt {

// Nanoseconds of the monotonic clock, the one the marks are written in.
std::int64_t MonotonicNs();

// The first call after a window has painted; later calls do nothing.
void MarkFirstPaint();

// One tick of the frame clock: when it fired, when the game was done with
// it, and whether a frame ran.
void LogFrame(std::int64_t tickNs, std::int64_t doneNs, bool ran);
bool FrameLogWanted();

// One beep: when the game asked for it, and when the call gave the frame back.
void LogBeep(std::int64_t calledNs, std::int64_t returnedNs);
bool BeepLogWanted();

// A key press as it reaches the game, and a paint that moved shapes.
bool InputLogWanted();
void LogKey(int virtualKey);
// `moved` lists the shapes as "<name>:<x>,<y>", space-separated.
void LogShown(const std::string& moved);

}  // namespace rallo::qt
