// The program's widget style: the one Qt picks for the desktop, with one
// change in when, not in what, it draws.
#pragma once

#include <QProxyStyle>

namespace rallo::qt {

// Every menu bar builds an overflow button for menus that do not fit, and Qt
// reads its arrow from an image file right then; reading the first image
// loads every image-format plugin, which costs start-up time and memory. The
// play window's menus always fit, so here the arrow is read only if it is
// ever drawn. Everything else is the wrapped style's.
class AppStyle : public QProxyStyle {
    Q_OBJECT
public:
    // `key` names the style to wrap, as QStyleFactory knows it: the one the
    // application already uses, so that nothing looks different.
    explicit AppStyle(const QString& key);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace rallo::qt
