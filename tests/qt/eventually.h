// Waiting in the event loop for what the real window does in its own time.
// Qt's QTRY_ macros report only to Qt's own test runner: under GoogleTest a
// condition that never came true passed unseen. This fails the test.
#pragma once

#include <gtest/gtest.h>

#include <QTest>

namespace rallo::qt::testing {
// Generous: the machine may be busy.
inline constexpr int kEventuallyMs = 10000;
}  // namespace rallo::qt::testing

#define ASSERT_EVENTUALLY(condition)                                          \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, \
                                ::rallo::qt::testing::kEventuallyMs))         \
        << "never came true: " #condition
