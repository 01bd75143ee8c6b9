// The Options menu choices, the three game modes and the game-length dialog,
// driven through the program's event boundary. The driver scripts menu_*,
// dialog_* and help_* cover the same commands as the player sees them.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "menus/length_dialog.h"

namespace rallo::testing {
namespace {

using Item = MenuItem frmRallo::*;

// Names of the menu items whose properties change, in the order they change.
struct ChangeLog : Observer {
    void Changed(Observable& source) override {
        names.push_back(static_cast<MenuItem&>(source).name);
    }
    std::vector<std::string> names;
};

class Menus : public GameTest {
protected:
    void Click(Item item) {
        Do([&] { program.Click(play().*item); });
    }
    // Moves the three paddles away from where ApplyPaddleSize would put them.
    void DisplacePaddles() {
        play().shpPaddle.Left = 1000;
        play().shpPlayer1.Top = 1000;
        play().shpPlayer2.Top = 1000;
    }
    bool PaddlesDisplaced() {
        return play().shpPaddle.Left == 1000 && play().shpPlayer1.Top == 1000 &&
               play().shpPlayer2.Top == 1000;
    }
    std::vector<bool> CheckMarks(const std::vector<Item>& items) {
        std::vector<bool> marks;
        for (Item item : items)
            marks.push_back((play().*item).Checked);
        return marks;
    }
};

const std::vector<Item> kAllChoices = {
    &frmRallo::mnuOptionsOnePlayer,        &frmRallo::mnuOptionsTwoPlayerComputer,
    &frmRallo::mnuOptionsTwoPlayerPeople,  &frmRallo::mnuOptionsComputerSkillBad,
    &frmRallo::mnuOptionsComputerSkillOK,  &frmRallo::mnuOptionsComputerSkillGreat,
    &frmRallo::mnuOptionsBallSpeedFast,    &frmRallo::mnuOptionsBallSpeedMedium,
    &frmRallo::mnuOptionsBallSpeedSlow,    &frmRallo::mnuOptionsPaddleSizeSmall,
    &frmRallo::mnuOptionsPaddleSizeMedium, &frmRallo::mnuOptionsPaddleSizeLarge,
    &frmRallo::mnuOptionsSoundOn,          &frmRallo::mnuOptionsSoundOff};

struct Choice {
    const char* name;
    Item item;
    std::vector<Item> group;  // in the order its check marks are written
    Int16 frmRallo::*field;
    int value;
    bool appliesPaddleSize;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Choice& choice, std::ostream* out) {
    *out << choice.name;
}

const std::vector<Item> kSpeeds = {&frmRallo::mnuOptionsBallSpeedFast,
                                   &frmRallo::mnuOptionsBallSpeedMedium,
                                   &frmRallo::mnuOptionsBallSpeedSlow};
const std::vector<Item> kSkills = {&frmRallo::mnuOptionsComputerSkillBad,
                                   &frmRallo::mnuOptionsComputerSkillOK,
                                   &frmRallo::mnuOptionsComputerSkillGreat};
const std::vector<Item> kSizes = {&frmRallo::mnuOptionsPaddleSizeLarge,
                                  &frmRallo::mnuOptionsPaddleSizeMedium,
                                  &frmRallo::mnuOptionsPaddleSizeSmall};
const std::vector<Item> kSounds = {&frmRallo::mnuOptionsSoundOn, &frmRallo::mnuOptionsSoundOff};

class OptionChoice : public Menus, public ::testing::WithParamInterface<Choice> {};

// From the computer game (where every group is reachable), with the clicked
// item unchecked first: one check mark in the group, written in group order,
// the value stored, and the paddles re-sized and re-placed only where due.
TEST_P(OptionChoice, MovesTheCheckMarkAndStoresTheValue) {
    const Choice& c = GetParam();
    Start();
    Click(&frmRallo::mnuOptionsTwoPlayerComputer);
    if ((play().*c.item).Checked) Click(c.group[0] == c.item ? c.group[1] : c.group[0]);
    Item previous = nullptr;
    for (Item item : c.group)
        if ((play().*item).Checked) previous = item;
    ChangeLog log;
    std::vector<std::string> expectedOrder;
    for (Item item : c.group) {
        (play().*item).SetObserver(&log);
        if (item == c.item || item == previous) expectedOrder.push_back((play().*item).name);
    }
    std::vector<Item> others;
    for (Item item : kAllChoices)
        if (std::find(c.group.begin(), c.group.end(), item) == c.group.end())
            others.push_back(item);
    const std::vector<bool> otherMarks = CheckMarks(others);
    DisplacePaddles();

    Click(c.item);

    for (Item item : c.group)
        EXPECT_EQ((play().*item).Checked, item == c.item);
    EXPECT_EQ(log.names, expectedOrder);
    EXPECT_EQ(CheckMarks(others), otherMarks);
    EXPECT_EQ((play().*c.field).value(), c.value);
    if (c.appliesPaddleSize) {
        const float size = float(play().paddleSize);
        EXPECT_EQ(play().shpPaddle.Width, size);
        EXPECT_EQ(play().shpPlayer1.Height, size);
        EXPECT_EQ(play().shpPlayer2.Height, size);
        EXPECT_EQ(play().shpPaddle.Left, 4815 - size / 2);  // court 9630 wide
        EXPECT_EQ(play().shpPlayer1.Top, 2985 - size / 2);
        EXPECT_EQ(play().shpPlayer2.Top, 2985 - size / 2);
    } else {
        EXPECT_TRUE(PaddlesDisplaced());
    }
    // Homes are recorded only when the window is arranged.
    EXPECT_EQ(play().paddleHomeLeft, 4365);
    EXPECT_EQ(play().player1HomeTop, 2535);
    for (Item item : c.group)
        (play().*item).SetObserver(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionChoice,
    ::testing::Values(
        Choice{"Fast", &frmRallo::mnuOptionsBallSpeedFast, kSpeeds, &frmRallo::ballSpeed, 150,
               false},
        Choice{"MediumSpeed", &frmRallo::mnuOptionsBallSpeedMedium, kSpeeds, &frmRallo::ballSpeed,
               100, true},
        Choice{"Slow", &frmRallo::mnuOptionsBallSpeedSlow, kSpeeds, &frmRallo::ballSpeed, 50,
               false},
        Choice{"Bad", &frmRallo::mnuOptionsComputerSkillBad, kSkills, &frmRallo::computerSkill, 50,
               false},
        Choice{"OK", &frmRallo::mnuOptionsComputerSkillOK, kSkills, &frmRallo::computerSkill, 150,
               false},
        Choice{"Great", &frmRallo::mnuOptionsComputerSkillGreat, kSkills, &frmRallo::computerSkill,
               250, false},
        Choice{"Large", &frmRallo::mnuOptionsPaddleSizeLarge, kSizes, &frmRallo::paddleSize, 900,
               true},
        Choice{"MediumSize", &frmRallo::mnuOptionsPaddleSizeMedium, kSizes, &frmRallo::paddleSize,
               500, true},
        Choice{"Small", &frmRallo::mnuOptionsPaddleSizeSmall, kSizes, &frmRallo::paddleSize, 200,
               true},
        Choice{"On", &frmRallo::mnuOptionsSoundOn, kSounds, &frmRallo::soundOn, -1, false},
        Choice{"Off", &frmRallo::mnuOptionsSoundOff, kSounds, &frmRallo::soundOn, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A click on a checked item writes nothing: no check mark, no value (even
// one changed behind the menu's back), no re-placed paddle.
TEST_F(Menus, ClickOnTheCheckedChoiceChangesNothing) {
    Start();
    Click(&frmRallo::mnuOptionsTwoPlayerComputer);
    play().ballSpeed = 77;
    play().computerSkill = 77;
    play().paddleSize = 77;
    play().soundOn = 1;
    DisplacePaddles();
    ChangeLog log;
    for (Item item : kAllChoices)
        (play().*item).SetObserver(&log);
    for (Item item : {&frmRallo::mnuOptionsBallSpeedSlow, &frmRallo::mnuOptionsComputerSkillOK,
                      &frmRallo::mnuOptionsPaddleSizeLarge, &frmRallo::mnuOptionsSoundOn})
        Click(item);
    EXPECT_TRUE(log.names.empty());
    EXPECT_EQ(play().ballSpeed, 77);
    EXPECT_EQ(play().computerSkill, 77);
    EXPECT_EQ(play().paddleSize, 77);
    EXPECT_EQ(play().soundOn, 1);
    EXPECT_TRUE(PaddlesDisplaced());
    EXPECT_EQ(play().shpPaddle.Width, 900);
    for (Item item : kAllChoices)
        (play().*item).SetObserver(nullptr);
}

struct Board {
    bool one, computer, people;
    const char* label1;
    const char* label2;
    float wallLeft;
    float windowWidth;
    bool skillEnabled;
};

void ExpectBoard(frmRallo& w, const Board& b) {
    EXPECT_EQ(w.mnuOptionsOnePlayer.Checked, b.one);
    EXPECT_EQ(w.mnuOptionsTwoPlayerComputer.Checked, b.computer);
    EXPECT_EQ(w.mnuOptionsTwoPlayerPeople.Checked, b.people);
    EXPECT_EQ(w.onePlayerMode, Flag(b.one));
    EXPECT_EQ(w.againstComputer, Flag(b.computer));
    EXPECT_EQ(w.twoPeople, Flag(b.people));
    EXPECT_EQ(w.shpPaddle.Visible, b.one);
    EXPECT_EQ(w.shpPlayer1.Visible, !b.one);
    EXPECT_EQ(w.shpPlayer2.Visible, !b.one);
    EXPECT_EQ(w.lblPlayer2Score.Visible, !b.one);
    EXPECT_EQ(w.lblPlayer2ScoreLabel.Visible, !b.one);
    EXPECT_EQ(w.lblPlayer1ScoreLabel.Caption.get(), b.label1);
    EXPECT_EQ(w.lblPlayer2ScoreLabel.Caption.get(), b.label2);
    EXPECT_EQ(w.shpWallRight.Left, b.wallLeft);
    EXPECT_EQ(w.courtWidth, round16(b.wallLeft + 30));
    EXPECT_EQ(w.form.Width, b.windowWidth);
    EXPECT_EQ(w.form.Top, (9001 - 7740) / 2);
    EXPECT_EQ(w.form.Left, float(int(16001 - b.windowWidth) / 2));  // odd difference: truncated
    EXPECT_EQ(w.mnuOptionsComputerSkill.Enabled, b.skillEnabled);
    EXPECT_EQ(w.player1Score, 0);
    EXPECT_EQ(w.lblPlayer1Score.Caption.get(), " 0");
}

// One player -> computer -> two people -> one player, on a 16001 x 9001 screen,
// with scores left over from a game before each switch.
TEST_F(Menus, EveryModeSwitchSetsItsBoardAndRefitsTheWindow) {
    platform.SetScreen(16001, 9001);
    Start();
    const auto leftOver = [&] {
        play().player1Score = 5;
        play().player2Score = 4;
        play().lblPlayer1Score.Caption = " 5";
        play().lblPlayer2Score.Caption = " 4";
    };
    leftOver();
    Click(&frmRallo::mnuOptionsTwoPlayerComputer);
    ExpectBoard(play(), {false, true, false, "Computer Score", "Player Score", 9600, 9720, true});
    EXPECT_EQ(play().player2Score, 0);
    EXPECT_EQ(play().lblPlayer2Score.Caption.get(), " 0");
    EXPECT_EQ(play().shpPlayer2.Left, 9205);

    leftOver();
    Click(&frmRallo::mnuOptionsTwoPlayerPeople);
    ExpectBoard(play(),
                {false, false, true, "Player 1 Score", "Player 2 Score", 9600, 9720, false});
    EXPECT_EQ(play().player2Score, 0);

    leftOver();
    Click(&frmRallo::mnuOptionsOnePlayer);
    ExpectBoard(play(),
                {true, false, false, "Number of hits", "Player 2 Score", 8640, 8760, false});
    EXPECT_EQ(play().player2Score, 4);  // kept, its label hidden
    EXPECT_EQ(play().lblPlayer2Score.Caption.get(), " 4");
    EXPECT_EQ(play().shpPaddle.Left, 3885);
}

TEST_F(Menus, ClickOnTheCheckedModeChangesNothing) {
    Start();
    for (Item mode : {&frmRallo::mnuOptionsOnePlayer, &frmRallo::mnuOptionsTwoPlayerComputer}) {
        Click(mode);
        play().player1Score = 7;
        play().player2Score = 6;
        play().lblPlayer1ScoreLabel.Caption = "x";
        DisplacePaddles();
        play().form.Move(0, 0);
        Click(mode);
        EXPECT_EQ(play().player1Score, 7);
        EXPECT_EQ(play().player2Score, 6);
        EXPECT_EQ(play().lblPlayer1ScoreLabel.Caption.get(), "x");
        EXPECT_TRUE(PaddlesDisplaced());
        EXPECT_EQ(play().form.Left, 0);
    }
}

// A paddle size does not record new homes; the next mode switch does.
TEST_F(Menus, ModeSwitchRecordsHomesForThePaddleSizeInUse) {
    Start();
    Click(&frmRallo::mnuOptionsPaddleSizeSmall);
    EXPECT_EQ(play().shpPaddle.Left, 4335 - 100);
    EXPECT_EQ(play().paddleHomeLeft, 3885);
    Click(&frmRallo::mnuOptionsTwoPlayerPeople);
    EXPECT_EQ(play().paddleHomeLeft, 4815 - 100);
    EXPECT_EQ(play().player1HomeTop, 2985 - 100);
    EXPECT_EQ(play().player2HomeTop, 2985 - 100);
}

class LengthDialog : public Menus {
protected:
    frmLengthOfGame& dialog() { return *program.LengthDialog(); }
    void Open() { Click(&frmRallo::mnuOptionsGameTo); }
};

// Created and centred on first use, then only hidden: a place the player
// dragged it to and the last text typed are kept. Only Enter presses its
// button, and the play window comes back as it was, moving no check mark.
TEST_F(LengthDialog, KeepsItsPlaceAndTextAndGivesBackThePlayWindow) {
    Start();
    Click(&frmRallo::mnuOptionsTwoPlayerPeople);
    const float left = play().form.Left;
    const std::vector<bool> marks = CheckMarks(kAllChoices);
    ASSERT_EQ(program.LengthDialog(), nullptr);
    Open();
    EXPECT_EQ(dialog().form.Left, (15360 - 4380) / 2);
    dialog().form.Move(100, 200);
    dialog().txtPlayTo.Text = "5";
    Do([&] { program.KeyDown(dialog().form, 65); });
    EXPECT_TRUE(dialog().form.Visible);
    Do([&] { program.KeyDown(dialog().form, 13); });
    EXPECT_EQ(program.playTo, 5);
    EXPECT_FALSE(dialog().form.Visible);
    EXPECT_TRUE(play().form.Visible);
    EXPECT_EQ(play().form.Left, left);
    EXPECT_EQ(play().courtWidth, 9630);
    EXPECT_EQ(CheckMarks(kAllChoices), marks);

    Open();
    EXPECT_EQ(dialog().form.Left, 100);
    EXPECT_EQ(dialog().form.Top, 200);
    EXPECT_EQ(dialog().txtPlayTo.Text.get(), "5");
    dialog().txtPlayTo.Text = "9";
    Do([&] { program.Close(dialog().form); });  // a cancel
    EXPECT_EQ(program.playTo, 5);
    EXPECT_TRUE(play().form.Visible);
    EXPECT_FALSE(platform.Ended());
}

// Escape cancels as the title bar's close does; the same key in the play
// window does nothing.
TEST_F(LengthDialog, EscapeCancelsAndKeepsTheLength) {
    Start();
    Open();
    dialog().txtPlayTo.Text = "7";
    Do([&] { program.KeyDown(dialog().form, 27); });
    EXPECT_EQ(program.playTo, 3);
    EXPECT_FALSE(dialog().form.Visible);
    EXPECT_TRUE(play().form.Visible);
    EXPECT_EQ(dialog().txtPlayTo.Text.get(), "7");
    Do([&] { program.KeyDown(play().form, 27); });
    EXPECT_TRUE(play().form.Visible);
    EXPECT_FALSE(platform.Ended());
}

}  // namespace
}  // namespace rallo::testing
