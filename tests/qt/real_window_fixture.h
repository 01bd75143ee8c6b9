// The program started on the Qt platform, with its play window shown.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <functional>

#include "app/play_window.h"
#include "app/program.h"
#include "menus/length_dialog.h"
#include "platform/qt/client_area.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/window_view.h"

namespace rallo::qt::testing {

class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        program.Start();
        view = platform.ViewOf(play().form);
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    }

    frmRallo& play() { return *program.PlayWindow(); }
    QWidget* WidgetOf(const Control& control) { return view->WidgetFor(control); }

    // Every action of a menu bar, depth first, as the user finds them.
    static void Walk(const QList<QAction*>& actions, const std::function<void(QAction*)>& visit) {
        for (QAction* action : actions) {
            visit(action);
            if (action->menu()) Walk(action->menu()->actions(), visit);
        }
    }
    QAction* Action(const QString& caption) {
        QAction* found = nullptr;
        Walk(view->menus()->actions(), [&](QAction* action) {
            if (action->text() == caption) found = action;
        });
        return found;
    }

    QtPlatform platform;
    Program program{platform};
    WindowView* view = nullptr;
};

}  // namespace rallo::qt::testing
