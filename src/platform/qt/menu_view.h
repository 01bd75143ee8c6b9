// The menu bar of a game window, built from its MenuItem tree and kept in
// step with every Caption, Checked and Enabled write.
#pragma once

#include <QObject>
#include <unordered_map>

#include "platform/controls.h"
#include "platform/platform.h"

class QAction;
class QMenu;
class QMenuBar;

namespace rallo::qt {

class MenuView : public QObject, private Observer {
    Q_OBJECT
public:
    MenuView(Window& window, EventSink& sink, QMenuBar* bar);

    QAction* ActionFor(const MenuItem& item) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build(MenuItem& item, QMenu* parentMenu);
    void Escaped(QMenu* menu);
    void Changed(Observable& source) override;
    void SyncItem(const MenuItem& item);
    void SyncEnabled(const MenuItem& item);
    void Choose(MenuItem& item);

    Window& window_;
    EventSink& sink_;
    QMenuBar* bar_;
    std::unordered_map<const MenuItem*, QAction*> actions_;
};

}  // namespace rallo::qt
