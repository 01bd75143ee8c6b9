// Start-up and the fitting of the window to the court. Everything is placed
// from the walls; only the mode commands move a wall.
#include "app/play_window.h"
#include "app/program.h"

namespace rallo {

namespace {
constexpr int kWindowExtraWidth = 90;  // window frame beyond the court's right edge
constexpr float kPaddleAboveBottomWall = 330;
constexpr float kSidePaddleInset = 200;  // gap between a side wall and its paddle
constexpr float kLabel1Left = 200;
constexpr float kButtonMargin = 200;  // Exit's gap to the court's right edge
constexpr float kButtonGap = 100;     // gap between Play and Exit
}  // namespace

void frmRallo::Form_Load() {
    ballHomeLeft = round16(shpBall.Left);
    ballHomeTop = round16(shpBall.Top);
    onePlayerMode = kTrue;
    soundOn = kTrue;
    paused = kFalse;
    ArrangeWindow();
    Label2.Visible = false;
    shpBall.Visible = false;
    cmdExit.Visible = true;
    cmdNewGame.Visible = true;
    platform_.Randomize();
    ballSpeed = 50;
    ballStepY = 50;
    ballStepX = Int(platform_.Rnd() * -250 + 1);
    paddleSize = 900;
    computerSkill = 150;
    ballNumber = 1;
    tmrMain.Interval = 0;
    program_.playTo = 3;
    player1Score = 0;
    lblPlayer1Score.Caption = Str(player1Score);
}

void frmRallo::ArrangeWindow() {
    courtWidth = round16(shpWallRight.Left + shpWallRight.Width);
    form.Width = float(courtWidth + kWindowExtraWidth);
    const float screenWidth = platform_.ScreenWidth();
    const float width = form.Width;
    const float screenHeight = platform_.ScreenHeight();
    const float height = form.Height;
    const std::int32_t top = round32(screenHeight - height) / 2;
    const std::int32_t left = round32(screenWidth - width) / 2;
    form.Move(static_cast<float>(left), static_cast<float>(top));
    PlaceCourtShapes();
    PlaceLabelsAndButtons();
    paddleHomeLeft = round16(shpPaddle.Left);
    player1HomeTop = round16(shpPlayer1.Top);
    player2HomeTop = round16(shpPlayer2.Top);
}

void frmRallo::PlaceCourtShapes() {
    const double centreLine = double(courtWidth) / 2;
    shpPaddle.Left = static_cast<float>(centreLine - shpPaddle.Width / 2);
    shpPaddle.Top = shpWallBottom.Top - kPaddleAboveBottomWall;
    const Int16 innerHeight = round16(shpWallBottom.Top - (shpWallTop.Top + shpWallTop.Height));
    const double middle = (float(innerHeight) + shpWallTop.Height) / 2.0;
    shpPlayer1.Top = static_cast<float>(middle - shpPlayer1.Height / 2);
    shpPlayer1.Left = shpWallLeft.Left + shpWallLeft.Width + kSidePaddleInset;
    shpPlayer2.Top = static_cast<float>(middle - shpPlayer2.Height / 2);
    shpPlayer2.Left = shpWallRight.Left - (shpPlayer2.Width + kSidePaddleInset);
}

void frmRallo::PlaceLabelsAndButtons() {
    const double centreLine = double(courtWidth) / 2;
    Label2.Left = static_cast<float>(centreLine - Label2.Width / 2);
    shpPaddle.Top = shpWallBottom.Top - kPaddleAboveBottomWall;
    if (onePlayerMode) {
        lblPlayer1Score.Left = static_cast<float>(centreLine - lblPlayer1Score.Width / 2);
        lblPlayer1ScoreLabel.Left = static_cast<float>(centreLine - lblPlayer1ScoreLabel.Width / 2);
    } else {
        const double quarterLine = double(courtWidth) / 4;
        const double threeQuarterLine = double(Int16(3) * courtWidth) / 4;
        lblPlayer1Score.Left = static_cast<float>(quarterLine - lblPlayer1Score.Width / 2);
        lblPlayer1ScoreLabel.Left =
            static_cast<float>(quarterLine - lblPlayer1ScoreLabel.Width / 2);
        lblPlayer2Score.Left = static_cast<float>(threeQuarterLine - lblPlayer2Score.Width / 2);
        lblPlayer2ScoreLabel.Left =
            static_cast<float>(threeQuarterLine - lblPlayer2ScoreLabel.Width / 2);
    }
    Label1.Left = kLabel1Left;
    cmdExit.Left = float(courtWidth) - (cmdExit.Width + kButtonMargin);
    cmdNewGame.Left = cmdExit.Left - (cmdNewGame.Width + kButtonGap);
}

void frmRallo::ApplyPaddleSize() {
    shpPaddle.Width = float(paddleSize);
    shpPlayer1.Height = float(paddleSize);
    shpPlayer2.Height = float(paddleSize);
    PlaceCourtShapes();
}

}  // namespace rallo
