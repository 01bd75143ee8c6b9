// Virtual-key codes: those the game's windows react to, and the keys the
// game is played with, which a platform gives to the game before anything
// else on its window (a focused button, the page's scrolling).
#pragma once

namespace rallo::keys {

inline constexpr int kEnter = 13;
inline constexpr int kPause = 19;
inline constexpr int kEscape = 27;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kA = 65;
inline constexpr int kP = 80;
inline constexpr int kS = 83;
inline constexpr int kZ = 90;

struct GameKey {
    const char* name;  // as the page's controls name it
    int code;
};

inline constexpr GameKey kGameKeys[] = {{"Left", kLeft}, {"Up", kUp}, {"Right", kRight},
                                        {"Down", kDown}, {"A", kA},   {"S", kS},
                                        {"Z", kZ},       {"P", kP},   {"Pause", kPause}};

constexpr bool IsGameKey(int code) {
    for (const GameKey& key : kGameKeys) {
        if (key.code == code) return true;
    }
    return false;
}

}  // namespace rallo::keys
