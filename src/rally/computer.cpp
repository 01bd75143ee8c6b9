// The computer's left paddle: one fixed step a frame towards the ball's top edge.
#include "app/play_window.h"

namespace rallo {

void frmRallo::ComputerStep() {
    if (shpBall.Top < shpPlayer1.Top) {
        shpPlayer1.Top = shpPlayer1.Top - float(computerSkill);
    } else if (shpPlayer1.Top + shpPlayer1.Height < shpBall.Top) {
        shpPlayer1.Top = shpPlayer1.Top + float(computerSkill);
    }
}

}  // namespace rallo
