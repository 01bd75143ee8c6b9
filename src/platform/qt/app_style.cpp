#include "platform/qt/app_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QStyleOption>
#include <optional>

namespace rallo::qt {

namespace {

// An icon of the wrapped style, asked for only when something needs to know
// more about it than that it exists.
class DeferredStyleIcon : public QIconEngine {
public:
    DeferredStyleIcon(QStyle* style, QStyle::StandardPixmap which, const QStyleOption* option,
                      const QWidget* widget)
        : style_(style), which_(which), widget_(widget) {
        if (option != nullptr) option_ = *option;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QString iconName() override { return Icon().name(); }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("rallo.deferred"); }
    QIconEngine* clone() const override { return new DeferredStyleIcon(*this); }

private:
    const QIcon& Icon() {
        if (!loaded_) {
            loaded_ = true;
            // Asked as it would have been at once (the direction the arrow
            // points comes from the option, else from the application).
            const QStyle* style = style_ ? style_.data() : QApplication::style();
            icon_ = style->standardIcon(which_, option_ ? &*option_ : nullptr, widget_.data());
        }
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QStyleOption> option_;
    QPointer<const QWidget> widget_;
    bool loaded_ = false;
    QIcon icon_;
};

}  // namespace

AppStyle::AppStyle(const QString& key) : QProxyStyle(key) {}

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                             const QWidget* widget) const {
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton) {
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    return QIcon(new DeferredStyleIcon(baseStyle(), icon, option, widget));
}

}  // namespace rallo::qt
