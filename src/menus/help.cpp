// The directions and the About box.
#include <initializer_list>
#include <string>

#include "app/play_window.h"

namespace rallo {

namespace {

constexpr const char* kLineBreak = "\r\n";

// Paragraphs separated by an empty line, no break at the end.
std::string Paragraphs(std::initializer_list<std::string> paragraphs) {
    std::string text;
    for (const std::string& paragraph : paragraphs) {
        if (!text.empty()) text += std::string(kLineBreak) + kLineBreak;
        text += paragraph;
    }
    return text;
}

}  // namespace

void frmRallo::mnuHelpOnePlayerDirections_Click() {
    platform_.MsgBox(
        Paragraphs({"Set the options (Ball speed, Paddle size, Sound, Play game to...)",
                    "Hit the play button to start",
                    "Use the right and left arrow keys to move the paddle",
                    "Hit the 'P' or the 'Pause' key to Pause", "Set sound on or off"}),
        MsgIcon::Information);
}

void frmRallo::mnuHelpTwoPlayerDirections_Click() {
    platform_.MsgBox(
        Paragraphs({"Set the options (1 person or 2 people, Ball speed, Paddle size, Sound, Play "
                    "game to...)",
                    "Hit the play button to start",
                    "Use the 'A' or 'S' (up) and 'Z' (down) keys to move the left paddle (if not"
                    " playing against the computer)",
                    "Use the up and down arrow keys to move the right paddle",
                    "Hit the 'P' or the 'Pause' key to Pause"}),
        MsgIcon::Information);
}

void frmRallo::mnuHelpAbout_Click() {
    platform_.MsgBox(
        std::string("Rallo2, written by the Rallo2 team in 2026") + kLineBreak + "Version 2.0",
        MsgIcon::Information);
}

}  // namespace rallo
