// The probe that measurements ask for: only when the environment names a log,
// and then every key press, frame, moved shape on the screen, beep and the
// first paint reach their logs in the formats the outside tools read.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/play_window.h"
#include "app/program.h"
#include "eventually.h"
#include "platform/qt/probe.h"
#include "platform/qt/window_view.h"

namespace rallo::qt {
namespace {

// The log's lines, each split into its fields.
std::vector<std::vector<std::string>> Lines(const QTemporaryDir& dir, const char* name) {
    std::ifstream in(dir.filePath(name).toStdString());
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        lines.emplace_back(std::istream_iterator<std::string>(fields),
                           std::istream_iterator<std::string>());
    }
    return lines;
}

bool Nanoseconds(const std::string& field) {
    return !field.empty() &&
           std::all_of(field.begin(), field.end(), [](unsigned char c) { return std::isdigit(c); });
}

// A key press of Right, and after it a paint on the screen that moved the paddle.
bool PaddleShownAfterRight(const QTemporaryDir& dir) {
    bool pressed = false;
    for (const auto& line : Lines(dir, "RALLO2_INPUT_LOG")) {
        if (line.size() == 3 && line[0] == "key" && Nanoseconds(line[1]) && line[2] == "39") {
            pressed = true;
        } else if (pressed && line.size() > 2 && line[0] == "shown" && Nanoseconds(line[1])) {
            for (std::size_t i = 2; i < line.size(); ++i)
                if (line[i].starts_with("shpPaddle:")) return true;
        }
    }
    return false;
}

TEST(Probe, WritesEveryLogAskedForWhatItSaw) {
    EXPECT_FALSE(Probe::Asked());
    QTemporaryDir dir;
    for (const char* name :
         {"RALLO2_FIRST_PAINT", "RALLO2_FRAME_LOG", "RALLO2_BEEP_LOG", "RALLO2_INPUT_LOG"}) {
        ::setenv(name, dir.filePath(name).toLocal8Bit().constData(), 1);
    }
    ASSERT_TRUE(Probe::Asked());
    Probe probe;
    Program program(probe);
    program.Start();
    frmRallo& play = *program.PlayWindow();
    WindowView* view = probe.ViewOf(play.form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));

    program.Click(play.cmdNewGame);  // returns after the serve pause
    QTest::keyPress(view->windowHandle(), Qt::Key_Right);
    ASSERT_EVENTUALLY(PaddleShownAfterRight(dir));
    QTest::keyRelease(view->windowHandle(), Qt::Key_Right);
    probe.Beep();

    const auto paint = Lines(dir, "RALLO2_FIRST_PAINT");
    ASSERT_EQ(paint.size(), 1u);
    EXPECT_TRUE(paint[0].size() == 1 && Nanoseconds(paint[0][0]));
    const auto frames = Lines(dir, "RALLO2_FRAME_LOG");
    EXPECT_TRUE(std::any_of(frames.begin(), frames.end(), [](const auto& f) {
        return f.size() == 3 && Nanoseconds(f[0]) && Nanoseconds(f[1]) && f[2] == "1";
    }));
    const auto beeps = Lines(dir, "RALLO2_BEEP_LOG");
    ASSERT_EQ(beeps.size(), 1u);
    EXPECT_TRUE(beeps[0].size() == 2 && Nanoseconds(beeps[0][0]) && Nanoseconds(beeps[0][1]));
}

}  // namespace
}  // namespace rallo::qt
