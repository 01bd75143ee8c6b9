// The rest of a one-player frame, after the ball has moved.
#include "app/play_window.h"
#include "app/program.h"

namespace rallo {

namespace {
constexpr float kHitMargin = 100;  // the ball's top must be this far above the paddle's
}  // namespace

void frmRallo::OnePlayerTick() {
    // Top wall.
    if (shpWallTop.Top + shpWallTop.Height >= shpBall.Top) {
        shpBall.Top = shpWallTop.Top + shpWallTop.Height;
        ballStepY = -ballStepY;
        if (soundOn) platform_.Beep();
    }
    // Side walls.
    if (shpWallLeft.Left + shpWallLeft.Width >= shpBall.Left) {
        shpBall.Left = shpWallLeft.Left + shpWallLeft.Width;
        ballStepX = -ballStepX;
        if (soundOn) platform_.Beep();
    } else if (shpBall.Left + shpBall.Width >= shpWallRight.Left) {
        shpBall.Left = shpWallRight.Left - shpBall.Width;
        ballStepX = -ballStepX;
        if (soundOn) platform_.Beep();
    }
    // Paddle movement and limits.
    if (paddleStepX) shpPaddle.Left = shpPaddle.Left + float(paddleStepX);
    if (shpWallLeft.Left + shpWallLeft.Width >= shpPaddle.Left) {
        shpPaddle.Left = shpWallLeft.Left + shpWallLeft.Width;
    } else if (shpPaddle.Left + shpPaddle.Width >= shpWallRight.Left) {
        shpPaddle.Left = shpWallRight.Left - shpPaddle.Width;
    }
    // Paddle hit.
    if (shpBall.Top + shpBall.Height >= shpPaddle.Top &&
        shpBall.Top + kHitMargin <= shpPaddle.Top &&
        shpBall.Left + shpBall.Width >= shpPaddle.Left &&
        shpPaddle.Left + shpPaddle.Width >= shpBall.Left) {
        const Int16 r = Int(platform_.Rnd() * 150 + 1);
        ballStepX = ballStepX + r;
        player1Score = player1Score + 1;
        lblPlayer1Score.Caption = CStr(player1Score);
        if (soundOn) platform_.Beep();
        shpBall.Top = shpPaddle.Top - shpBall.Height;
        ballStepY = -ballStepY;
    }
    // Lost ball.
    if (shpWallBottom.Top + shpBall.Height < shpBall.Top) {
        shpBall.Left = float(ballHomeLeft);
        shpBall.Top = float(ballHomeTop);
        shpPaddle.Left = float(paddleHomeLeft);
        ballStepY = ballSpeed;
        ballStepX = Int(platform_.Rnd() * -250 + 1);
        ballNumber = ballNumber + 1;
        if (ballNumber <= program_.playTo) {
            Label1.Caption = "Ball " + Str(ballNumber);
            Wait(kServePauseMs);
        }
    }
    // End of game.
    if (ballNumber > program_.playTo) EndGame();
}

}  // namespace rallo
