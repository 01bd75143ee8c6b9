// The option choices: one check mark per group, one stored value each.
#include "app/play_window.h"
#include "app/program.h"
#include "menus/choice.h"
#include "menus/length_dialog.h"

namespace rallo {

void frmRallo::mnuOptionsBallSpeedFast_Click() {
    if (!Choose(mnuOptionsBallSpeedFast,
                {&mnuOptionsBallSpeedFast, &mnuOptionsBallSpeedMedium, &mnuOptionsBallSpeedSlow}))
        return;
    ballSpeed = 150;
}

void frmRallo::mnuOptionsBallSpeedMedium_Click() {
    if (!Choose(mnuOptionsBallSpeedMedium,
                {&mnuOptionsBallSpeedFast, &mnuOptionsBallSpeedMedium, &mnuOptionsBallSpeedSlow}))
        return;
    ballSpeed = 100;
    ApplyPaddleSize();
}

void frmRallo::mnuOptionsBallSpeedSlow_Click() {
    if (!Choose(mnuOptionsBallSpeedSlow,
                {&mnuOptionsBallSpeedFast, &mnuOptionsBallSpeedMedium, &mnuOptionsBallSpeedSlow}))
        return;
    ballSpeed = 50;
}

void frmRallo::mnuOptionsComputerSkillBad_Click() {
    if (!Choose(mnuOptionsComputerSkillBad,
                {&mnuOptionsComputerSkillBad, &mnuOptionsComputerSkillOK,
                 &mnuOptionsComputerSkillGreat}))
        return;
    computerSkill = 50;
}

void frmRallo::mnuOptionsComputerSkillOK_Click() {
    if (!Choose(mnuOptionsComputerSkillOK, {&mnuOptionsComputerSkillBad, &mnuOptionsComputerSkillOK,
                                            &mnuOptionsComputerSkillGreat}))
        return;
    computerSkill = 150;
}

void frmRallo::mnuOptionsComputerSkillGreat_Click() {
    if (!Choose(mnuOptionsComputerSkillGreat,
                {&mnuOptionsComputerSkillBad, &mnuOptionsComputerSkillOK,
                 &mnuOptionsComputerSkillGreat}))
        return;
    computerSkill = 250;
}

void frmRallo::mnuOptionsPaddleSizeLarge_Click() {
    if (!Choose(mnuOptionsPaddleSizeLarge, {&mnuOptionsPaddleSizeLarge, &mnuOptionsPaddleSizeMedium,
                                            &mnuOptionsPaddleSizeSmall}))
        return;
    paddleSize = 900;
    ApplyPaddleSize();
}

void frmRallo::mnuOptionsPaddleSizeMedium_Click() {
    if (!Choose(
            mnuOptionsPaddleSizeMedium,
            {&mnuOptionsPaddleSizeLarge, &mnuOptionsPaddleSizeMedium, &mnuOptionsPaddleSizeSmall}))
        return;
    paddleSize = 500;
    ApplyPaddleSize();
}

void frmRallo::mnuOptionsPaddleSizeSmall_Click() {
    if (!Choose(mnuOptionsPaddleSizeSmall, {&mnuOptionsPaddleSizeLarge, &mnuOptionsPaddleSizeMedium,
                                            &mnuOptionsPaddleSizeSmall}))
        return;
    paddleSize = 200;
    ApplyPaddleSize();
}

void frmRallo::mnuOptionsSoundOn_Click() {
    if (!Choose(mnuOptionsSoundOn, {&mnuOptionsSoundOn, &mnuOptionsSoundOff})) return;
    soundOn = kTrue;
}

void frmRallo::mnuOptionsSoundOff_Click() {
    if (!Choose(mnuOptionsSoundOff, {&mnuOptionsSoundOn, &mnuOptionsSoundOff})) return;
    soundOn = kFalse;
}

void frmRallo::mnuOptionsGameTo_Click() {
    form.Visible = false;
    program_.LoadLengthDialog().form.Visible = true;
}

}  // namespace rallo
