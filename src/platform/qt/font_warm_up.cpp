#include "platform/qt/font_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace rallo::qt {

// FcInit loads the configuration once for the whole process; Qt's font
// database calls it too and then finds it loaded.
FontWarmUp::FontWarmUp() {
    try {
        reader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt reads the configuration itself, as usual.
    }
}

FontWarmUp::~FontWarmUp() {
    Wait();
}

void FontWarmUp::Wait() {
    if (reader_.joinable()) reader_.join();
}

}  // namespace rallo::qt
