#include "platform/qt/accessible.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QWindow>
#include <vector>

#include "platform/qt/court_for_readers.h"
#include "platform/qt/menu_accessible.h"
#include "platform/qt/reader_notice.h"
#include "platform/qt/window_view.h"

namespace rallo::qt {

namespace {

// A ball or a paddle: no widget of its own, only a name and a box on the
// screen inside its court.
class PieceAccessible : public QAccessibleInterface {
public:
    PieceAccessible(CourtForReaders* court, const CourtForReaders::Piece& piece)
        : court_(court), piece_(piece) {}

    bool isValid() const override { return court_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return court_ ? court_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return court_ ? QAccessible::queryAccessibleInterface(court_) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? QString::fromStdString(piece_.name) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return court_ ? court_->ScreenRect(piece_) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !piece_.shape->Visible;
        return state;
    }

private:
    QPointer<CourtForReaders> court_;
    const CourtForReaders::Piece& piece_;
};

// The court: its children are the pieces on show, not child widgets. A
// screen reader says no role for it: "canvas" or "panel" mean nothing to a
// player.
class CourtAccessible : public QAccessibleWidget {
public:
    explicit CourtAccessible(CourtForReaders* court)
        : QAccessibleWidget(court, QAccessible::Client) {
        for (const CourtForReaders::Piece& piece : court->pieces()) {
            auto* child = new PieceAccessible(court, piece);
            children_.push_back(child);
            ids_.push_back(QAccessible::registerAccessibleInterface(child));  // Qt owns it
        }
    }
    ~CourtAccessible() override {
        for (const QAccessible::Id id : ids_)
            QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Description ? court()->Description()
                                                : QAccessibleWidget::text(kind);
    }
    int childCount() const override { return static_cast<int>(Shown().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto shown = Shown();
        return index >= 0 && index < static_cast<int>(shown.size()) ? shown[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto shown = Shown();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] == child) return static_cast<int>(i);
        }
        return -1;
    }
    // The front piece under a point on the screen.
    QAccessibleInterface* childAt(int x, int y) const override {
        const auto shown = Shown();
        for (auto piece = shown.rbegin(); piece != shown.rend(); ++piece) {
            if ((*piece)->rect().contains(x, y)) return *piece;
        }
        return nullptr;
    }

private:
    std::vector<PieceAccessible*> Shown() const {
        std::vector<PieceAccessible*> shown;
        const auto& pieces = court()->pieces();
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].shape->Visible) shown.push_back(children_[i]);
        }
        return shown;
    }
    CourtForReaders* court() const { return static_cast<CourtForReaders*>(widget()); }

    std::vector<PieceAccessible*> children_;
    std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* court = qobject_cast<CourtForReaders*>(object)) return new CourtAccessible(court);
    if (auto* action = qobject_cast<QAction*>(object)) return MenuItemAccessible(action);
    if (auto* notice = qobject_cast<NoticeWidget*>(object)) {
        return new QAccessibleWidget(notice, QAccessible::Notification);
    }
    // A top-level window is a frame or a dialog, not Qt's plain client area.
    if (auto* view = qobject_cast<WindowView*>(object)) {
        const bool dialog = view->model().role == WindowRole::Dialog;
        return new QAccessibleWidget(view, dialog ? QAccessible::Dialog : QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&Factory);
}

}  // namespace rallo::qt
