// The game-length dialog: asks for playTo.
#pragma once

#include "platform/controls.h"
#include "platform/platform.h"

namespace rallo {

class Program;

class frmLengthOfGame {
public:
    frmLengthOfGame(Program& program, Platform& platform);

    void Form_Load();
    void Form_KeyDown(int KeyCode);
    void Form_Close();
    void cmdGo_Click();

    Window form{"frmLengthOfGame", "How long do you want to play?", 4380, 1365, kBlue,
                WindowRole::Dialog};
    TextBox txtPlayTo{"txtPlayTo", 2603, 345, 375, 285, "3"};
    Label Label1{"Label1", 1403, 360, 1095, 255, "Play a game to ", LabelStyle{}};
    Button cmdGo{"cmdGo", 1343, 765, 1695, 255, "Set length of game"};

private:
    void BackToPlayWindow();

    Program& program_;
    Platform& platform_;
};

}  // namespace rallo
