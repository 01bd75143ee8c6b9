#include "invariants.h"

#include <initializer_list>

#include "app/play_window.h"
#include "app/program.h"
#include "menus/length_dialog.h"

namespace rallo::testing {

namespace {

class Report {
public:
    void Require(bool holds, const char* rule) {
        if (!holds) broken_ += std::string(rule) + "\n";
    }
    std::string Text() const { return broken_; }

private:
    std::string broken_;
};

int CheckMarks(std::initializer_list<const MenuItem*> group) {
    int checked = 0;
    for (const MenuItem* item : group)
        checked += item->Checked ? 1 : 0;
    return checked;
}

bool IsFlag(Int16 value) {
    return value == kTrue || value == kFalse;
}

// Inside the court: between the inner faces of the four walls.
bool InsideWalls(const frmRallo& w, const Shape& paddle) {
    return paddle.Left >= w.shpWallLeft.Left + w.shpWallLeft.Width &&
           paddle.Left + paddle.Width <= w.shpWallRight.Left &&
           paddle.Top >= w.shpWallTop.Top + w.shpWallTop.Height &&
           paddle.Top + paddle.Height <= w.shpWallBottom.Top;
}

}  // namespace

std::string BrokenInvariants(Program& program) {
    Report report;
    const frmRallo* play = program.PlayWindow();
    if (!play) return "the play window is not loaded\n";
    const frmRallo& w = *play;

    // The game mode: one flag set, and its item the one checked.
    const int modes =
        (w.onePlayerMode == kTrue) + (w.againstComputer == kTrue) + (w.twoPeople == kTrue);
    report.Require(modes == 1, "exactly one mode flag is -1");
    report.Require(w.mnuOptionsOnePlayer.Checked == (w.onePlayerMode == kTrue) &&
                       w.mnuOptionsTwoPlayerComputer.Checked == (w.againstComputer == kTrue) &&
                       w.mnuOptionsTwoPlayerPeople.Checked == (w.twoPeople == kTrue),
                   "the checked mode item is the mode that is set");
    report.Require(CheckMarks({&w.mnuOptionsOnePlayer, &w.mnuOptionsTwoPlayerComputer,
                               &w.mnuOptionsTwoPlayerPeople}) == 1,
                   "one check mark among the modes");
    report.Require(CheckMarks({&w.mnuOptionsComputerSkillBad, &w.mnuOptionsComputerSkillOK,
                               &w.mnuOptionsComputerSkillGreat}) == 1,
                   "one check mark among the skills");
    report.Require(CheckMarks({&w.mnuOptionsBallSpeedFast, &w.mnuOptionsBallSpeedMedium,
                               &w.mnuOptionsBallSpeedSlow}) == 1,
                   "one check mark among the ball speeds");
    report.Require(CheckMarks({&w.mnuOptionsPaddleSizeLarge, &w.mnuOptionsPaddleSizeMedium,
                               &w.mnuOptionsPaddleSizeSmall}) == 1,
                   "one check mark among the paddle sizes");
    report.Require(CheckMarks({&w.mnuOptionsSoundOn, &w.mnuOptionsSoundOff}) == 1,
                   "one check mark among the sound choices");
    for (Int16 flag : {w.soundOn, w.onePlayerMode, w.againstComputer, w.twoPeople, w.paused})
        report.Require(IsFlag(flag), "every flag is -1 or 0");

    // The paddles of the game being played stay on the court.
    if (w.onePlayerMode) {
        report.Require(InsideWalls(w, w.shpPaddle), "shpPaddle lies inside the walls");
    } else {
        report.Require(InsideWalls(w, w.shpPlayer1), "shpPlayer1 lies inside the walls");
        report.Require(InsideWalls(w, w.shpPlayer2), "shpPlayer2 lies inside the walls");
    }

    // A game runs from Play until its end: Play is hidden exactly then.
    const bool gameRuns = !w.cmdNewGame.Visible;
    report.Require(w.shpBall.Visible == gameRuns, "the ball is visible exactly while a game runs");
    report.Require(w.cmdExit.Visible != gameRuns, "Exit is visible exactly while no game runs");
    report.Require(w.mnuOptions.Enabled != gameRuns && w.mnuHelp.Enabled != gameRuns,
                   "the menus are enabled exactly while no game runs");

    const frmLengthOfGame* dialog = program.LengthDialog();
    const bool dialogShown = dialog && dialog->form.Visible;
    report.Require(dialogShown || w.form.Visible,
                   "the play window is shown whenever the dialog is not");
    return report.Text();
}

}  // namespace rallo::testing
