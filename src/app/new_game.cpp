// Play, Exit, and the end of a game.
#include "app/play_window.h"

namespace rallo {

void frmRallo::cmdNewGame_Click() {
    cmdNewGame.Visible = false;
    cmdExit.Visible = false;
    Label2.Visible = false;
    Label1.Visible = true;
    mnuOptions.Enabled = false;
    mnuHelp.Enabled = false;
    player2Score = 0;
    player1Score = 0;
    lblPlayer1Score.Caption = Str(player1Score);
    lblPlayer2Score.Caption = Str(player2Score);
    shpBall.Visible = true;
    if (onePlayerMode) {
        ballStepX = Int(platform_.Rnd() * -250 + 1);
        ballStepY = ballSpeed;
        shpBall.Left = float(ballHomeLeft);
        shpBall.Top = float(ballHomeTop);
    } else {
        ballStepX = -ballSpeed;
        ballStepY = Int(platform_.Rnd() * 50 + 1);
        shpBall.Left = static_cast<float>(double(courtWidth) / 2);
        const Int16 innerHeight = round16(shpWallBottom.Top - (shpWallTop.Top + shpWallTop.Height));
        shpBall.Top = (float(innerHeight) + shpWallTop.Height) / 2 - shpBall.Height / 2;
        serveLeft = round16(shpBall.Left);
        serveTop = round16(shpBall.Top);
    }
    ballNumber = 1;
    Label1.Caption = "Ball " + Str(ballNumber);
    Wait(kServePauseMs);
    tmrMain.Interval = kTimerRunning;
}

void frmRallo::cmdExit_Click() {
    platform_.End();
}

// The board after the last ball or point: frames stopped, buttons and menus back.
void frmRallo::EndGame() {
    tmrMain.Interval = 0;
    shpBall.Visible = false;
    Label2.Visible = true;
    Label1.Visible = false;
    cmdExit.Visible = true;
    cmdNewGame.Visible = true;
    mnuOptions.Enabled = true;
    mnuHelp.Enabled = true;
}

void frmRallo::ReportOverflow() {
    platform_.MsgBox("Overflow", MsgIcon::Critical);
    const bool gameInProgress = !cmdNewGame.Visible;
    if (gameInProgress) EndGame();
}

}  // namespace rallo
