// The desktop's font configuration, read on a second thread while the
// toolkit connects to the display. The first text a window measures would
// otherwise wait for it: fontconfig parses dozens of configuration files
// before it can match a single font.
#pragma once

#include <thread>

namespace rallo::qt {

class FontWarmUp {
public:
    // Starts reading; harmless if the toolkit turns out to read it itself.
    FontWarmUp();
    ~FontWarmUp();

    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Returns once the configuration is read. Call it before any widget
    // exists, so that the toolkit finds the configuration ready and does
    // not read a second copy of it meanwhile.
    void Wait();

private:
    std::thread reader_;
};

}  // namespace rallo::qt
