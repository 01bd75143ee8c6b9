// The play window: its controls, its menu tree, its game state and its
// routines. The routines are defined in one file per group (layout, frame
// loop, wait, new game, the rallies, the menu commands).
#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/platform.h"

namespace rallo {

class Program;

class frmRallo {
public:
    frmRallo(Program& program, Platform& platform);

    // Start-up and court fitting.
    void Form_Load();
    void ArrangeWindow();
    void PlaceCourtShapes();
    void PlaceLabelsAndButtons();
    void ApplyPaddleSize();

    // Frame loop and keys.
    void tmrMain_Timer();
    void Form_KeyDown(int KeyCode);
    void Form_KeyUp(int KeyCode);

    void Wait(std::int32_t inMilliseconds);
    static constexpr std::int32_t kServePauseMs = 2000;  // the pause before every serve
    static constexpr int kTimerRunning = 1;              // tmrMain's interval while frames run

    void cmdNewGame_Click();
    void cmdExit_Click();

    // Rallies.
    void OnePlayerTick();
    void TwoPlayerTick();
    void ComputerStep();
    void EndGame();

    // Option and mode commands, help.
    void mnuOptionsBallSpeedFast_Click();
    void mnuOptionsBallSpeedMedium_Click();
    void mnuOptionsBallSpeedSlow_Click();
    void mnuOptionsComputerSkillBad_Click();
    void mnuOptionsComputerSkillOK_Click();
    void mnuOptionsComputerSkillGreat_Click();
    void mnuOptionsPaddleSizeLarge_Click();
    void mnuOptionsPaddleSizeMedium_Click();
    void mnuOptionsPaddleSizeSmall_Click();
    void mnuOptionsSoundOn_Click();
    void mnuOptionsSoundOff_Click();
    void mnuOptionsGameTo_Click();
    void mnuOptionsOnePlayer_Click();
    void mnuOptionsTwoPlayerComputer_Click();
    void mnuOptionsTwoPlayerPeople_Click();
    void ShowTwoPlayerBoard();
    void SwitchToTwoPlayerGame(MenuItem& chosen, const char* leftCaption, const char* rightCaption);
    void mnuHelpOnePlayerDirections_Click();
    void mnuHelpTwoPlayerDirections_Click();
    void mnuHelpAbout_Click();

    // Overflow in play: report it and end the game in progress.
    void ReportOverflow();

    Window form{"frmRallo", "Rallo", 8685, 7740, kBlue};

    // Controls, in the order of the design table.
    Timer tmrMain{"tmrMain", 1};
    Button cmdExit{"cmdExit", 7080, 6120, 1215, 255, "E&xit"};
    Button cmdNewGame{"cmdNewGame", 5800, 6120, 1215, 255, "&Play"};
    Label lblPlayer2Score{"lblPlayer2Score", 6480, 6840, 975, 495, "", ScoreStyle(), false};
    Label lblPlayer2ScoreLabel{
        "lblPlayer2ScoreLabel",          6300, 7440, 1335, 255, "Player 2 Score",
        CaptionStyle(Alignment::Center), false};
    Shape shpPlayer2{"shpPlayer2", ShapeKind::Rectangle, 8160, 2520, 195, 900, kWhite, false};
    Shape shpPlayer1{"shpPlayer1", ShapeKind::Rectangle, 240, 2520, 195, 900, kBlack, false};
    Label lblPlayer1ScoreLabel{
        "lblPlayer1ScoreLabel",         900, 7440, 1335, 255, "Number of hits",
        CaptionStyle(Alignment::Center)};
    Label lblPlayer1Score{"lblPlayer1Score", 1080, 6840, 975, 495, "", ScoreStyle()};
    Label Label2{"Label2", 3720, 6120, 1095, 255, "Game Over!", CaptionStyle(Alignment::Center)};
    Label Label1{"Label1", 120, 6120, 975, 255, "", CaptionStyle(Alignment::Left)};
    Shape shpBall{"shpBall", ShapeKind::Circle, 8040, 360, 255, 255, kYellow};
    Shape shpPaddle{"shpPaddle", ShapeKind::Rectangle, 3840, 5640, 900, 195, kWhite};
    Shape shpWallRight{"shpWallRight", ShapeKind::Rectangle, 8640, 0, 30, 5985, kWhite};
    Shape shpWallLeft{"shpWallLeft", ShapeKind::Rectangle, 0, 0, 25, 5987, kWhite};
    Shape shpWallTop{"shpWallTop", ShapeKind::Rectangle, 0, 0, 9615, 25, kWhite};
    Shape shpWallBottom{"shpWallBottom", ShapeKind::Rectangle, 0, 5970, 9615, 30, kWhite};

    // Menu tree.
    MenuItem mnuOptions{"mnuOptions", "&Options"};
    MenuItem mnuOptionsOnePlayer{"mnuOptionsOnePlayer", "&One Player Game", true};
    MenuItem mnuOptionsTwoPlayer{"mnuOptionsTwoPlayer", "&Two Player Game"};
    MenuItem mnuOptionsTwoPlayerComputer{"mnuOptionsTwoPlayerComputer", "Play against &Computer"};
    MenuItem mnuOptionsTwoPlayerPeople{"mnuOptionsTwoPlayerPeople", "Play with &Two People"};
    MenuItem mnuOptionsComputerSkill{"mnuOptionsComputerSkill", "Computer Skill", false, false};
    MenuItem mnuOptionsComputerSkillBad{"mnuOptionsComputerSkillBad", "Bad"};
    MenuItem mnuOptionsComputerSkillOK{"mnuOptionsComputerSkillOK", "OK", true};
    MenuItem mnuOptionsComputerSkillGreat{"mnuOptionsComputerSkillGreat", "Great"};
    MenuItem mnuOptionsBallSpeed{"mnuOptionsBallSpeed", "&Ball Speed"};
    MenuItem mnuOptionsBallSpeedFast{"mnuOptionsBallSpeedFast", "&Fast"};
    MenuItem mnuOptionsBallSpeedMedium{"mnuOptionsBallSpeedMedium", "&Medium"};
    MenuItem mnuOptionsBallSpeedSlow{"mnuOptionsBallSpeedSlow", "&Slow", true};
    MenuItem mnuOptionsPaddleSize{"mnuOptionsPaddleSize", "&Paddle Size"};
    MenuItem mnuOptionsPaddleSizeSmall{"mnuOptionsPaddleSizeSmall", "Small"};
    MenuItem mnuOptionsPaddleSizeMedium{"mnuOptionsPaddleSizeMedium", "Medium"};
    MenuItem mnuOptionsPaddleSizeLarge{"mnuOptionsPaddleSizeLarge", "Large", true};
    MenuItem mnuOptionsSound{"mnuOptionsSound", "Sound"};
    MenuItem mnuOptionsSoundOn{"mnuOptionsSoundOn", "On", true};
    MenuItem mnuOptionsSoundOff{"mnuOptionsSoundOff", "Off"};
    MenuItem mnuOptionsGameTo{"mnuOptionsGameTo", "Play game to..."};
    MenuItem mnuHelp{"mnuHelp", "&Help"};
    MenuItem mnuHelpDirections{"mnuHelpDirections", "&Directions"};
    MenuItem mnuHelpOnePlayerDirections{"mnuHelpOnePlayerDirections", "One Player Directions"};
    MenuItem mnuHelpTwoPlayerDirections{"mnuHelpTwoPlayerDirections", "Two Player Directions"};
    MenuItem mnuHelpAbout{"mnuHelpAbout", "&About"};

    // GameState, in the order of its tables. All signed 16-bit.
    Int16 ballStepX, ballStepY, paddleStepX, leftPaddleStepY, rightPaddleStepY;
    Int16 courtWidth, paddleHomeLeft, player1HomeTop, player2HomeTop;
    Int16 ballHomeLeft, ballHomeTop, serveLeft, serveTop;
    Int16 ballSpeed, paddleSize, computerSkill, soundOn;
    Int16 onePlayerMode, againstComputer, twoPeople;
    Int16 ballNumber, player1Score, player2Score, paused;

private:
    static LabelStyle ScoreStyle();
    static LabelStyle CaptionStyle(Alignment alignment);
    void BuildMenus();
    void WireHandlers();

    Program& program_;
    Platform& platform_;
};

}  // namespace rallo
