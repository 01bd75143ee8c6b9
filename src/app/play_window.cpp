#include "app/play_window.h"

namespace rallo {

frmRallo::frmRallo(Program& program, Platform& platform) : program_(program), platform_(platform) {
    // Back to front: walls, paddles, ball, then labels and buttons.
    form.controls = {&shpWallBottom,   &shpWallTop,
                     &shpWallLeft,     &shpWallRight,
                     &shpPaddle,       &shpPlayer1,
                     &shpPlayer2,      &shpBall,
                     &Label1,          &Label2,
                     &lblPlayer1Score, &lblPlayer1ScoreLabel,
                     &lblPlayer2Score, &lblPlayer2ScoreLabel,
                     &cmdNewGame,      &cmdExit};
    form.timers = {&tmrMain};
    BuildMenus();
    WireHandlers();
}

LabelStyle frmRallo::ScoreStyle() {
    LabelStyle style;
    style.systemColors = true;
    style.alignment = Alignment::Center;
    style.border = true;
    style.fontName = "MS Sans Serif";
    style.fontSize = 18;
    style.fontBold = true;
    return style;
}

LabelStyle frmRallo::CaptionStyle(Alignment alignment) {
    LabelStyle style;
    style.alignment = alignment;
    return style;
}

void frmRallo::BuildMenus() {
    mnuOptions.Add(mnuOptionsOnePlayer);
    mnuOptions.Add(mnuOptionsTwoPlayer);
    mnuOptionsTwoPlayer.Add(mnuOptionsTwoPlayerComputer);
    mnuOptionsTwoPlayer.Add(mnuOptionsTwoPlayerPeople);
    mnuOptions.Add(mnuOptionsComputerSkill);
    mnuOptionsComputerSkill.Add(mnuOptionsComputerSkillBad);
    mnuOptionsComputerSkill.Add(mnuOptionsComputerSkillOK);
    mnuOptionsComputerSkill.Add(mnuOptionsComputerSkillGreat);
    mnuOptions.Add(mnuOptionsBallSpeed);
    mnuOptionsBallSpeed.Add(mnuOptionsBallSpeedFast);
    mnuOptionsBallSpeed.Add(mnuOptionsBallSpeedMedium);
    mnuOptionsBallSpeed.Add(mnuOptionsBallSpeedSlow);
    mnuOptions.Add(mnuOptionsPaddleSize);
    mnuOptionsPaddleSize.Add(mnuOptionsPaddleSizeSmall);
    mnuOptionsPaddleSize.Add(mnuOptionsPaddleSizeMedium);
    mnuOptionsPaddleSize.Add(mnuOptionsPaddleSizeLarge);
    mnuOptions.Add(mnuOptionsSound);
    mnuOptionsSound.Add(mnuOptionsSoundOn);
    mnuOptionsSound.Add(mnuOptionsSoundOff);
    mnuOptions.Add(mnuOptionsGameTo);
    mnuHelp.Add(mnuHelpDirections);
    mnuHelpDirections.Add(mnuHelpOnePlayerDirections);
    mnuHelpDirections.Add(mnuHelpTwoPlayerDirections);
    mnuHelp.Add(mnuHelpAbout);
    form.menuBar = {&mnuOptions, &mnuHelp};
}

void frmRallo::WireHandlers() {
    cmdNewGame.Click = [this] { cmdNewGame_Click(); };
    cmdExit.Click = [this] { cmdExit_Click(); };
    mnuOptionsOnePlayer.Click = [this] { mnuOptionsOnePlayer_Click(); };
    mnuOptionsTwoPlayerComputer.Click = [this] { mnuOptionsTwoPlayerComputer_Click(); };
    mnuOptionsTwoPlayerPeople.Click = [this] { mnuOptionsTwoPlayerPeople_Click(); };
    mnuOptionsComputerSkillBad.Click = [this] { mnuOptionsComputerSkillBad_Click(); };
    mnuOptionsComputerSkillOK.Click = [this] { mnuOptionsComputerSkillOK_Click(); };
    mnuOptionsComputerSkillGreat.Click = [this] { mnuOptionsComputerSkillGreat_Click(); };
    mnuOptionsBallSpeedFast.Click = [this] { mnuOptionsBallSpeedFast_Click(); };
    mnuOptionsBallSpeedMedium.Click = [this] { mnuOptionsBallSpeedMedium_Click(); };
    mnuOptionsBallSpeedSlow.Click = [this] { mnuOptionsBallSpeedSlow_Click(); };
    mnuOptionsPaddleSizeSmall.Click = [this] { mnuOptionsPaddleSizeSmall_Click(); };
    mnuOptionsPaddleSizeMedium.Click = [this] { mnuOptionsPaddleSizeMedium_Click(); };
    mnuOptionsPaddleSizeLarge.Click = [this] { mnuOptionsPaddleSizeLarge_Click(); };
    mnuOptionsSoundOn.Click = [this] { mnuOptionsSoundOn_Click(); };
    mnuOptionsSoundOff.Click = [this] { mnuOptionsSoundOff_Click(); };
    mnuOptionsGameTo.Click = [this] { mnuOptionsGameTo_Click(); };
    mnuHelpOnePlayerDirections.Click = [this] { mnuHelpOnePlayerDirections_Click(); };
    mnuHelpTwoPlayerDirections.Click = [this] { mnuHelpTwoPlayerDirections_Click(); };
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
}

}  // namespace rallo
