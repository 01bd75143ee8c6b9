// Switching between the one-player game and the two two-player games.
#include "app/play_window.h"
#include "menus/choice.h"

namespace rallo {

namespace {
constexpr float kOnePlayerRightWall = 8640;
constexpr float kTwoPlayerRightWall = 9600;
}  // namespace

void frmRallo::mnuOptionsOnePlayer_Click() {
    if (!Choose(mnuOptionsOnePlayer,
                {&mnuOptionsOnePlayer, &mnuOptionsTwoPlayerComputer, &mnuOptionsTwoPlayerPeople}))
        return;
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
    SwitchToTwoPlayerGame(mnuOptionsTwoPlayerComputer, "Computer Score", "Player Score");
}

void frmRallo::mnuOptionsTwoPlayerPeople_Click() {
    SwitchToTwoPlayerGame(mnuOptionsTwoPlayerPeople, "Player 1 Score", "Player 2 Score");
}

// The two two-player games differ only in who plays the left paddle, the
// score captions and whether the computer's skill can be chosen.
void frmRallo::SwitchToTwoPlayerGame(MenuItem& chosen, const char* leftCaption,
                                     const char* rightCaption) {
    if (!Choose(chosen,
                {&mnuOptionsOnePlayer, &mnuOptionsTwoPlayerComputer, &mnuOptionsTwoPlayerPeople}))
        return;
    const bool computer = &chosen == &mnuOptionsTwoPlayerComputer;
    onePlayerMode = kFalse;
    againstComputer = Flag(computer);
    twoPeople = Flag(!computer);
    shpWallRight.Left = kTwoPlayerRightWall;
    ArrangeWindow();
    ShowTwoPlayerBoard();
    lblPlayer1ScoreLabel.Caption = leftCaption;
    lblPlayer2ScoreLabel.Caption = rightCaption;
    mnuOptionsComputerSkill.Enabled = computer;
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
