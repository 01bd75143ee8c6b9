// The bridge's JavaScript halves: each forwards to the page's script, which
// owns the elements. The two that wait suspend the game through Asyncify.
#include "platform/web/page_bridge.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, page_window, (int id, const char* caption, double clientWidth, double clientHeight,
                          std::uint32_t backColor, int hasMenus, int dialog), {
    ralloPage.window(id, UTF8ToString(caption), clientWidth, clientHeight, backColor, !!hasMenus,
                     !!dialog);
});
EM_JS(void, page_window_update, (int id, const char* caption, double left, double top,
                                 double width, double height, int visible), {
    ralloPage.windowUpdate(id, UTF8ToString(caption), left, top, width, height, !!visible);
});
EM_JS(void, page_name, (int id, const char* name), { ralloPage.name(id, UTF8ToString(name)); });
EM_JS(void, page_shape, (int id, int window, int circle, std::uint32_t fill), {
    ralloPage.shape(id, window, !!circle, fill);
});
EM_JS(void, page_label, (int id, int window, int systemColors, std::uint32_t back,
                         std::uint32_t fore, int centred, int border, const char* fontName,
                         int fontSize, int bold), {
    ralloPage.label(id, window, {systemColors: !!systemColors, back: back, fore: fore,
                                 centred: !!centred, border: !!border,
                                 fontName: UTF8ToString(fontName), fontSize: fontSize,
                                 bold: !!bold});
});
EM_JS(void, page_button, (int id, int window), { ralloPage.button(id, window); });
EM_JS(void, page_text_box, (int id, int window), { ralloPage.textBox(id, window); });
EM_JS(void, page_control_update, (int id, double left, double top, double width, double height,
                                  int visible, const char* text), {
    ralloPage.controlUpdate(id, left, top, width, height, !!visible, UTF8ToString(text));
});
EM_JS(void, page_menu, (int id, int window, int parent, int hasChildren), {
    ralloPage.menu(id, window, parent, !!hasChildren);
});
EM_JS(void, page_menu_update, (int id, const char* caption, int checked, int enabled), {
    ralloPage.menuUpdate(id, UTF8ToString(caption), !!checked, !!enabled);
});
EM_JS(void, page_timer, (int id, int running), { ralloPage.timer(id, !!running); });
EM_JS(int, page_take_event, (int* fields), {
    const event = ralloPage.takeEvent();
    if (!event) return 0;
    HEAP32[fields >> 2] = event.a | 0;
    HEAP32[(fields >> 2) + 1] = event.b | 0;
    ralloPage.takenText = event.text || "";
    return event.kind;
});
EM_JS(char*, page_take_text, (), {
    const text = ralloPage.takenText;
    const size = lengthBytesUTF8(text) + 1;
    const buffer = _malloc(size);
    stringToUTF8(text, buffer, size);
    return buffer;
});
EM_JS(double, page_viewport_width, (), { return ralloPage.viewportWidth(); });
EM_JS(double, page_viewport_height, (), { return ralloPage.viewportHeight(); });
EM_JS(char, page_decimal_separator, (), { return ralloPage.separator("decimal", 46); });
EM_JS(char, page_group_separator, (), { return ralloPage.separator("group", 44); });
EM_JS(void, page_beep, (), { ralloPage.beep(); });
EM_JS(void, page_accessible_name, (int id, const char* name), {
    ralloPage.accessibleName(id, UTF8ToString(name));
});
EM_JS(void, page_court, (int window, const char* name), {
    ralloPage.court(window, UTF8ToString(name));
});
EM_JS(void, page_piece, (int shape, const char* name), {
    ralloPage.piece(shape, UTF8ToString(name));
});
EM_JS(void, page_describe, (int window, const char* description), {
    ralloPage.describe(window, UTF8ToString(description));
});
EM_JS(void, page_announce, (const char* text, int urgent), {
    ralloPage.announce(UTF8ToString(text), !!urgent);
});
EM_JS(void, page_wake_after, (std::uint32_t milliseconds), { ralloPage.wakeAfter(milliseconds); });
EM_ASYNC_JS(void, wait_message_box, (const char* title, const char* text, int critical), {
    await ralloPage.messageBox(UTF8ToString(title), UTF8ToString(text), !!critical);
});
EM_ASYNC_JS(void, park_ended_game, (), {
    ralloPage.end();
    await new Promise(() => {});  // the game's stack stays parked; nothing of it runs again
});
// clang-format on

namespace rallo::web {

// The waiting imports carry their own import names, so they stay private here.
void page_message_box(const char* title, const char* text, int critical) {
    wait_message_box(title, text, critical);
}

void page_end() {
    park_ended_game();
}

}  // namespace rallo::web
