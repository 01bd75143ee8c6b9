// The rest of a two-player frame, after the ball has moved: both games, two
// people or one person against the computer.
#include "app/play_window.h"
#include "app/program.h"

namespace rallo {

namespace {

constexpr double kDeflection = 0.55;  // share of the centres' distance that bends the ball

// A paddle corrects the ball's vertical step by where the ball meets it.
Int16 Deflected(Int16 ballStepY, const Shape& paddle, const Shape& ball) {
    const double paddleCentre = double(paddle.Top) + double(paddle.Height) / 2;
    const double ballCentre = double(ball.Top) + double(ball.Height) / 2;
    const Int16 k = round16(kDeflection * (paddleCentre - ballCentre));
    return round16(double(ballStepY) - double(k) / 2);
}

}  // namespace

void frmRallo::TwoPlayerTick() {
    // Top and bottom walls.
    if (shpBall.Top <= shpWallTop.Top + shpWallTop.Height) {
        shpBall.Top = shpWallTop.Top + shpWallTop.Height;
        ballStepY = -ballStepY;
        if (soundOn) platform_.Beep();
    } else if (shpBall.Top + shpBall.Height >= shpWallBottom.Top) {
        shpBall.Top = shpWallBottom.Top - shpBall.Height;
        ballStepY = -ballStepY;
        if (soundOn) platform_.Beep();
    }
    // Paddles.
    if (rightPaddleStepY) shpPlayer2.Top = shpPlayer2.Top + float(rightPaddleStepY);
    if (againstComputer) {
        ComputerStep();
    } else if (twoPeople && leftPaddleStepY) {
        shpPlayer1.Top = shpPlayer1.Top + float(leftPaddleStepY);
    }
    for (Shape* paddle : {&shpPlayer1, &shpPlayer2}) {
        if (shpWallTop.Top + shpWallTop.Height >= paddle->Top) {
            paddle->Top = shpWallTop.Top + shpWallTop.Height;
        } else if (paddle->Top + paddle->Height >= shpWallBottom.Top) {
            paddle->Top = shpWallBottom.Top - paddle->Height;
        }
    }
    // Left paddle return.
    if (shpPlayer1.Left - shpPlayer1.Width <= shpBall.Left &&
        shpBall.Left <= shpPlayer1.Left + shpPlayer1.Width &&
        shpBall.Top + shpBall.Height >= shpPlayer1.Top &&
        shpPlayer1.Top + shpPlayer1.Height >= shpBall.Top) {
        ballStepY = Deflected(ballStepY, shpPlayer1, shpBall);
        if (soundOn) platform_.Beep();
        shpBall.Left = shpPlayer1.Left + shpPlayer1.Width;
        ballStepX = -ballStepX;
    }
    // Right paddle return.
    if (shpBall.Left + shpBall.Width >= shpPlayer2.Left &&
        shpBall.Left <= shpPlayer2.Left + shpPlayer2.Width &&
        shpBall.Top + shpBall.Height >= shpPlayer2.Top &&
        shpPlayer2.Top + shpPlayer2.Height >= shpBall.Top) {
        ballStepY = Deflected(ballStepY, shpPlayer2, shpBall);
        if (soundOn) platform_.Beep();
        shpBall.Left = shpPlayer2.Left - shpBall.Width;
        ballStepX = -ballStepX;
    }
    // Lost ball: the next ball starts towards the side that lost it.
    const Int16& playTo = program_.playTo;
    const bool lostLeft = shpBall.Left < shpWallLeft.Left + shpWallLeft.Width;
    const bool lostRight = !lostLeft && shpBall.Left > shpWallRight.Left;
    if (lostLeft || lostRight) {
        shpBall.Left = float(serveLeft);
        shpBall.Top = float(serveTop);
        shpPlayer1.Top = float(player1HomeTop);
        shpPlayer2.Top = float(player2HomeTop);
        if (lostLeft) {
            ballStepX = -ballSpeed;
            ballStepY = Int(platform_.Rnd() * 50 + 1);
            ballNumber = ballNumber + 1;
            player2Score = player2Score + 1;
            lblPlayer2Score.Caption = Str(player2Score);
            if (ballNumber <= playTo) {
                Label1.Caption = "Ball " + Str(ballNumber);
                Wait(kServePauseMs);
            }
        } else {
            ballStepX = ballSpeed;
            ballStepY = Int(platform_.Rnd() * 50 + 1);
            player1Score = player1Score + 1;
            lblPlayer1Score.Caption = Str(player1Score);
            if (player1Score < playTo && player2Score < playTo) {
                Label1.Caption = "Ball " + Str(ballNumber);
                Wait(kServePauseMs);
            }
        }
    }
    // End of match.
    if (player1Score < playTo && player2Score < playTo) return;
    if (againstComputer) {
        platform_.MsgBox(player1Score > player2Score ? "Computer Wins!" : "Player 1 Wins!",
                         MsgIcon::Information);
    } else {
        platform_.MsgBox(player1Score > player2Score ? "Player 1 Wins!" : "Player 2 Wins!",
                         MsgIcon::Information);
    }
    EndGame();
}

}  // namespace rallo
