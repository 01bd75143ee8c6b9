// The page's side of the platform: functions the page's script provides
// (page/page.js, object ralloPage). Sizes and places are in CSS pixels.
#pragma once

#include <cstdint>

namespace rallo::web {

// What the page queues for the game, in the order the player did it.
// Wake only brings the game back to tell news it held back.
enum class PageEvent { None = 0, KeyDown, KeyUp, Button, Menu, Text, Tick, Close, Wake };

extern "C" {
void page_window(int id, const char* caption, double clientWidth, double clientHeight,
                 std::uint32_t backColor, int hasMenus, int dialog);
void page_window_update(int id, const char* caption, double left, double top, double width,
                        double height, int visible);
void page_game_key(const char* name, int code);  // into ralloPage.keys
void page_name(int id, const char* name);        // for the page's elements and its tests
void page_shape(int id, int window, int circle, std::uint32_t fill);
void page_label(int id, int window, int systemColors, std::uint32_t back, std::uint32_t fore,
                int centred, int border, const char* fontName, int fontSize, int bold);
void page_button(int id, int window);
void page_text_box(int id, int window);
void page_control_update(int id, double left, double top, double width, double height, int visible,
                         const char* text);
void page_menu(int id, int window, int parent, int hasChildren);
void page_menu_update(int id, const char* caption, int checked, int enabled);
// The timer wakes the game once, `ms` from now, with a Tick; a stop also
// drops a Tick still queued.
void page_arm_timer(int id, int ms);
void page_stop_timer(int id);
// The next queued event, or None; fields receive its two numbers.
int page_take_event(int* fields);
char* page_take_text();  // the text of the Text event just taken; the caller frees it
double page_viewport_width();
double page_viewport_height();
// The first character of the language's separators, 0 if none is told.
char32_t page_decimal_separator();
char32_t page_group_separator();
void page_beep();
// What a screen reader is told: a control's name, the court (a window's
// element holding its pieces) and its description, and news as it happens.
void page_accessible_name(int id, const char* name);
void page_court(int window, const char* name);
void page_piece(int shape, const char* name);
void page_describe(int window, const char* description);
void page_announce(const char* text, int urgent);
void page_wake_after(std::uint32_t milliseconds);                          // queues a Wake event
void page_message_box(const char* title, const char* text, int critical);  // waits for OK
void page_end();                                                           // never returns
}

}  // namespace rallo::web
