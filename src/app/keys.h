// Virtual-key codes the play window reacts to.
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
}  // namespace rallo::keys
