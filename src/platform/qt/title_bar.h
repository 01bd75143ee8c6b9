// The game's own title bar across the top of a frameless window: the
// window's icon and title, a minimise and a close button, and no maximise,
// for the game's windows keep the size it gives them. The widget style draws
// it, active or inactive from the palette; dragging it moves the window.
#pragma once

#include <QAbstractButton>
#include <QStyleOptionTitleBar>
#include <QWidget>

namespace rallo::qt {

class TitleBar : public QWidget {
    Q_OBJECT
public:
    // Sits at the top of `window` and keeps its top contents margin free
    // for itself, so what the window lays out comes below the bar.
    explicit TitleBar(QWidget& window);

    QAbstractButton* minimizeButton() const { return minimize_; }
    QAbstractButton* closeButton() const { return close_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QStyleOptionTitleBar Option() const;
    QAbstractButton* AddButton(QStyle::SubControl part, const QString& name);
    void FitToWindow();

    QWidget& window_;
    QAbstractButton* minimize_;
    QAbstractButton* close_;
};

}  // namespace rallo::qt
