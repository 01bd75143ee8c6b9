// The program's style draws what the style it wraps draws, the menu bar's
// overflow arrow included, although that arrow is read only when needed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <memory>

#include "platform/qt/app_style.h"

namespace rallo::qt::testing {
namespace {

class AppStyleTest : public ::testing::Test {
protected:
    AppStyleTest()
        : name_(QApplication::style()->name()),
          style_(name_),
          plain_(QStyleFactory::create(name_)) {}

    // What QIcon::paint puts on a transparent square, as the overflow button
    // paints its icon.
    static QImage Painted(const QIcon& icon, int size) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        icon.paint(&painter, image.rect());
        return image;
    }

    static QImage Pixels(const QIcon& icon, int size) { return icon.pixmap(size, size).toImage(); }

    QString name_;
    AppStyle style_;
    std::unique_ptr<QStyle> plain_;
};

TEST_F(AppStyleTest, WrapsTheStyleTheApplicationUses) {
    ASSERT_NE(plain_, nullptr);
    EXPECT_EQ(style_.baseStyle()->name(), name_);
}

TEST_F(AppStyleTest, OverflowArrowsLookTheSameAsTheWrappedStyles) {
    for (const auto which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon deferred = style_.standardIcon(which);
        const QIcon plain = plain_->standardIcon(which);
        ASSERT_FALSE(plain.isNull());
        EXPECT_FALSE(deferred.isNull()) << which;
        EXPECT_EQ(deferred.availableSizes(), plain.availableSizes()) << which;
        EXPECT_EQ(deferred.actualSize(QSize(64, 64)), plain.actualSize(QSize(64, 64))) << which;
        for (const int size : {16, 32}) {
            EXPECT_EQ(Pixels(deferred, size), Pixels(plain, size)) << which << " at " << size;
            EXPECT_EQ(Painted(deferred, size), Painted(plain, size)) << which << " at " << size;
        }
    }
}

TEST_F(AppStyleTest, TheArrowKeepsTheDirectionItWasAskedFor) {
    QStyleOption leftToRight;
    leftToRight.direction = Qt::LeftToRight;
    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    const auto which = QStyle::SP_ToolBarHorizontalExtensionButton;
    const QImage ltr = Pixels(plain_->standardIcon(which, &leftToRight), 16);
    const QImage rtl = Pixels(plain_->standardIcon(which, &rightToLeft), 16);
    ASSERT_NE(ltr, rtl) << "the wrapped style draws one arrow for both directions";

    // Read only after the asking option is gone, as a menu bar's would be.
    QIcon deferred;
    {
        QStyleOption option = rightToLeft;
        deferred = style_.standardIcon(which, &option);
    }
    EXPECT_EQ(Pixels(deferred, 16), rtl);
}

TEST_F(AppStyleTest, OtherIconsAreTheWrappedStyles) {
    for (const auto which : {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxCritical,
                             QStyle::SP_DialogOkButton}) {
        EXPECT_EQ(Pixels(style_.standardIcon(which), 32), Pixels(plain_->standardIcon(which), 32))
            << which;
    }
}

}  // namespace
}  // namespace rallo::qt::testing
