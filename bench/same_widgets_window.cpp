// The toolkit's floor for the play window as it is: a plain Qt window with
// the same widgets (the menu bar with the same tree, the two buttons, the
// labels, in the same fonts, at the same places), built with nothing but Qt
// and no game behind it. bench/run compares the game's start-up time and
// memory with this program's; what the game needs beyond it is its own cost.
//
// RALLO2_FIRST_PAINT=<path>: the same first-paint mark the game writes.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <vector>

#include "first_paint.h"

namespace {

// The one-player play window: 584 by 516 pixels below the menu bar.
constexpr int kWidth = 584;
constexpr int kClientHeight = 516;

struct Item {
    const char* caption;
    std::vector<Item> children = {};
    bool checked = false;
    bool enabled = true;
};

// The play window's menu tree at start-up.
const std::vector<Item>& MenuTree() {
    static const std::vector<Item> tree = {
        {"&Options",
         {{"&One Player Game", {}, true},
          {"&Two Player Game", {{"Play against &Computer"}, {"Play with &Two People"}}},
          {"Computer Skill", {{"Bad"}, {"OK", {}, true}, {"Great"}}, false, false},
          {"&Ball Speed", {{"&Fast"}, {"&Medium"}, {"&Slow", {}, true}}},
          {"&Paddle Size", {{"Small"}, {"Medium"}, {"Large", {}, true}}},
          {"Sound", {{"On", {}, true}, {"Off"}}},
          {"Play game to..."}}},
        {"&Help",
         {{"&Directions", {{"One Player Directions"}, {"Two Player Directions"}}}, {"&About"}}},
    };
    return tree;
}

void Add(const Item& item, QMenuBar* bar, QMenu* parent, bool reachable) {
    const QString caption = QString::fromUtf8(item.caption);
    reachable = reachable && item.enabled;
    QAction* action = nullptr;
    if (!item.children.empty()) {
        QMenu* menu = parent ? parent->addMenu(caption) : bar->addMenu(caption);
        for (const Item& child : item.children)
            Add(child, bar, menu, reachable);
        action = menu->menuAction();
    } else {
        action = parent ? parent->addAction(caption) : bar->addAction(caption);
    }
    if (item.checked) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    action->setEnabled(reachable);
}

// The game's fonts: a named face with free fallbacks of the same width.
QFont Font(const QFont& base, const char* name, int points, bool bold) {
    QFont font = base;
    QStringList families{"Liberation Sans", "DejaVu Sans Condensed", "DejaVu Sans"};
    if (name != nullptr) families.prepend(QString::fromUtf8(name));
    font.setFamilies(families);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

void PushButton(QWidget* parent, const char* text, QRect box) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setAutoDefault(false);
    button->setGeometry(box);
}

QLabel* Caption(QWidget* parent, const char* text, QRect box, Qt::Alignment across,
                bool visible = true) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(across | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setGeometry(box);
    label->setVisible(visible);
    return label;
}

QLabel* Score(QWidget* parent, QRect box, bool visible) {
    auto* label = new QLabel(visible ? " 0" : "", parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setFont(Font(label->font(), "MS Sans Serif", 18, true));
    label->setGeometry(box);
    label->setVisible(visible);
    return label;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                Qt::WindowCloseButtonHint);
    window.setWindowTitle("same widgets");

    auto* bar = new QMenuBar(&window);
    for (const Item& item : MenuTree())
        Add(item, bar, nullptr, true);
    const int menuHeight = bar->sizeHint().height();
    bar->setGeometry(0, 0, kWidth, menuHeight);

    auto* court = new bench::BlueArea(&window);
    court->setAttribute(Qt::WA_OpaquePaintEvent);
    court->setFont(Font(court->font(), nullptr, 8, false));
    court->setGeometry(0, menuHeight, kWidth, kClientHeight);
    // In the play window's order, which is also its focus order.
    PushButton(court, "E&xit", QRect(484, 408, 81, 17));
    PushButton(court, "&Play", QRect(396, 408, 81, 17));
    Score(court, QRect(400, 456, 65, 33), false);
    Caption(court, "Player 2 Score", QRect(420, 496, 89, 17), Qt::AlignHCenter, false);
    Caption(court, "Number of hits", QRect(245, 496, 89, 17), Qt::AlignHCenter);
    Score(court, QRect(257, 456, 65, 33), true);
    Caption(court, "Game Over!", QRect(253, 408, 73, 17), Qt::AlignHCenter, false);
    Caption(court, "", QRect(13, 408, 65, 17), Qt::AlignLeft);

    window.setFixedSize(kWidth, menuHeight + kClientHeight);
    const QRect screen = window.screen()->geometry();
    window.move(screen.x() + (screen.width() - window.width()) / 2,
                screen.y() + (screen.height() - window.height()) / 2);
    window.show();
    return app.exec();
}
