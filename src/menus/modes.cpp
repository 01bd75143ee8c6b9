// Switching between the one-player game and the two two-player games.
#include "app/play_window.h"

namespace rallo {

namespace {
constexpr float kOnePlayerRightWall = 8640;
constexpr float kTwoPlayerRightWall = 9600;
}  // namespace

void frmRallo::mnuOptionsOnePlayer_Click() {
    if (mnuOptionsOnePlayer.Checked) return;
    mnuOptionsOnePlayer.Checked = true;
    mnuOptionsTwoPlayerComputer.Checked = false;
    mnuOptionsTwoPlayerPeople.Checked = false;
    againstComputer = kFalse;
    twoPeople = kFalse;
    onePlayerMode = kTrue;
    shpPaddle.Visible = true;
    shpPlayer1.Visible = false;
    shpPlayer2.Visible = false;
    lblPlayer2Score.Visible = false;
    lblPlayer2ScoreLabel.Visible = false;
    player1Score = 0;
    lblPlayer1Score.Caption = Str(player1Score);
    lblPlayer1ScoreLabel.Caption = "Number of hits";
    shpWallRight.Left = kOnePlayerRightWall;
    ArrangeWindow();
    mnuOptionsComputerSkill.Enabled = false;
}

void frmRallo::mnuOptionsTwoPlayerComputer_Click() {
    if (mnuOptionsTwoPlayerComputer.Checked) return;
    mnuOptionsOnePlayer.Checked = false;
    mnuOptionsTwoPlayerComputer.Checked = true;
    mnuOptionsTwoPlayerPeople.Checked = false;
    onePlayerMode = kFalse;
    twoPeople = kFalse;
    againstComputer = kTrue;
    shpWallRight.Left = kTwoPlayerRightWall;
    ArrangeWindow();
    ShowTwoPlayerBoard();
    lblPlayer1ScoreLabel.Caption = "Computer Score";
    lblPlayer2ScoreLabel.Caption = "Player Score";
    mnuOptionsComputerSkill.Enabled = true;
}

void frmRallo::mnuOptionsTwoPlayerPeople_Click() {
    if (mnuOptionsTwoPlayerPeople.Checked) return;
    mnuOptionsOnePlayer.Checked = false;
    mnuOptionsTwoPlayerComputer.Checked = false;
    mnuOptionsTwoPlayerPeople.Checked = true;
    onePlayerMode = kFalse;
    againstComputer = kFalse;
    twoPeople = kTrue;
    shpWallRight.Left = kTwoPlayerRightWall;
    ArrangeWindow();
    ShowTwoPlayerBoard();
    lblPlayer1ScoreLabel.Caption = "Player 1 Score";
    lblPlayer2ScoreLabel.Caption = "Player 2 Score";
    mnuOptionsComputerSkill.Enabled = false;
}

void frmRallo::ShowTwoPlayerBoard() {
    shpPaddle.Visible = false;
    shpPlayer1.Visible = true;
    shpPlayer2.Visible = true;
    lblPlayer2Score.Visible = true;
    lblPlayer2ScoreLabel.Visible = true;
    player2Score = 0;
    player1Score = 0;
    lblPlayer1Score.Caption = Str(player1Score);
    lblPlayer1ScoreLabel.Caption = "Player 1 Score";
    lblPlayer2Score.Caption = Str(player2Score);
}

}  // namespace rallo
