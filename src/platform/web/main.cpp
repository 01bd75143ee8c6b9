// Rallo2 on a web page: the game's program on the page's platform. main
// starts the game and returns; from then on the page calls rallo_pump
// whenever it has queued something for the game and the game is idle.
#include <emscripten.h>

#include "app/program.h"
#include "platform/web/web_platform.h"

namespace {
rallo::web::WebPlatform platform;
rallo::Program program(platform);
}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void rallo_pump() {
    platform.DoEvents();
}

int main() {
    program.Start();
    return 0;
}
