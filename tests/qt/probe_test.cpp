// The probe that measurements ask for: only when the environment names a log,
// and then every key press, frame, moved shape on the screen, beep and the
// first paint reach their logs in the formats the outside tools read.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "app/play_window.h"
#include "app/program.h"
#include "eventually.h"
#include "platform/qt/probe.h"
#include "platform/qt/window_view.h"

namespace rallo::qt {
namespace {

std::string Read(const QTemporaryDir& dir, const char* name) {
    std::ifstream in(dir.filePath(name).toStdString());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Has(const std::string& log, const char* pattern) {
    return std::regex_search(log, std::regex(pattern));
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
    // The paddle moved by the key is on the screen after a frame.
    ASSERT_EVENTUALLY(
        Has(Read(dir, "RALLO2_INPUT_LOG"), "(^|\n)key \\d+ 39\n[\\s\\S]*shown \\d+ .*shpPaddle:"));
    QTest::keyRelease(view->windowHandle(), Qt::Key_Right);
    probe.Beep();

    EXPECT_TRUE(Has(Read(dir, "RALLO2_FIRST_PAINT"), "^\\d+\n$"));
    EXPECT_TRUE(Has(Read(dir, "RALLO2_FRAME_LOG"), "(^|\n)\\d+ \\d+ 1\n"));
    EXPECT_TRUE(Has(Read(dir, "RALLO2_BEEP_LOG"), "^\\d+ \\d+\n$"));
}

}  // namespace
}  // namespace rallo::qt
