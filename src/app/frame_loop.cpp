// One frame per timer tick, and the keys, which only set the steps and the
// pause flag: nothing moves until the next frame.
#include "app/play_window.h"
#include "platform/keys.h"

namespace rallo {

namespace {
constexpr int kPaddleStep = 200;
}  // namespace

void frmRallo::tmrMain_Timer() {
    shpBall.Top = shpBall.Top + float(ballStepY);
    shpBall.Left = shpBall.Left + float(ballStepX);
    if (onePlayerMode) {
        OnePlayerTick();
    } else {
        TwoPlayerTick();
    }
}

void frmRallo::Form_KeyDown(int KeyCode) {
    if (KeyCode == keys::kPause || KeyCode == keys::kP) {
        if (paused) {
            tmrMain.Interval = kTimerRunning;
            paused = kFalse;
        } else {
            tmrMain.Interval = 0;
            paused = kTrue;
        }
    }
    if (KeyCode == keys::kLeft) paddleStepX = -kPaddleStep;
    if (KeyCode == keys::kRight) paddleStepX = kPaddleStep;
    if (KeyCode == keys::kA || KeyCode == keys::kS) {
        leftPaddleStepY = -kPaddleStep;
    } else if (KeyCode == keys::kZ) {
        leftPaddleStepY = kPaddleStep;
    } else if (KeyCode == keys::kUp) {
        rightPaddleStepY = -kPaddleStep;
    } else if (KeyCode == keys::kDown) {
        rightPaddleStepY = kPaddleStep;
    }
}

void frmRallo::Form_KeyUp(int KeyCode) {
    if (onePlayerMode) {
        paddleStepX = 0;
    } else if (KeyCode == keys::kA || KeyCode == keys::kS || KeyCode == keys::kZ) {
        leftPaddleStepY = 0;
    } else if (KeyCode == keys::kUp || KeyCode == keys::kDown) {
        rightPaddleStepY = 0;
    }
}

}  // namespace rallo
