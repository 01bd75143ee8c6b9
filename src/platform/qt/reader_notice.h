// The news of a game told to a screen reader without moving the focus: a
// notification in a status bar, shown once for each piece of news. Orca
// speaks a notification when it is shown, and without the word
// "notification" when it sits in a status bar.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string_view>

#include "platform/controls.h"
#include "platform/reader_words.h"

class QStatusBar;

namespace rallo::qt {

// The notification itself: no pixels, only a name that is the news.
class NoticeWidget : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

class ReaderNotice : public QObject {
    Q_OBJECT
public:
    // The notice of a window with a board (the play window); nullptr for any other.
    static ReaderNotice* For(const Window& window, QWidget* clientArea);

    // The game's writes are done: tell what changed, if anything.
    void Look();
    // A message box opens: what is held is told first; the box itself,
    // an alert, is spoken by the reader as it opens.
    void BeforeMessage(std::string_view text);

private:
    ReaderNotice(ReaderNews news, QWidget* clientArea);
    void Tell(const News& news);
    static std::uint32_t NowMs();

    ReaderNews news_;
    QStatusBar* bar_;
    NoticeWidget* notice_;
    QTimer held_;
};

}  // namespace rallo::qt
