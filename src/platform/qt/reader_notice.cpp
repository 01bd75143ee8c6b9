#include "platform/qt/reader_notice.h"

#include <QStatusBar>
#include <chrono>

namespace rallo::qt {

ReaderNotice* ReaderNotice::For(const Window& window, QWidget* clientArea) {
    std::optional<ReaderNews> news = ReaderNews::For(window);
    return news ? new ReaderNotice(std::move(*news), clientArea) : nullptr;
}

ReaderNotice::ReaderNotice(ReaderNews news, QWidget* clientArea)
    : QObject(clientArea),
      news_(std::move(news)),
      bar_(new QStatusBar(clientArea)),
      notice_(new NoticeWidget(bar_)) {
    // Neither takes room, paints or takes the mouse: they are for ears only.
    bar_->setSizeGripEnabled(false);
    bar_->setGeometry(0, 0, 0, 0);
    bar_->setAttribute(Qt::WA_TransparentForMouseEvents);
    bar_->setAccessibleName(QStringLiteral("News"));
    notice_->setGeometry(0, 0, 0, 0);
    notice_->hide();
    bar_->show();
    held_.setSingleShot(true);
    connect(&held_, &QTimer::timeout, this, &ReaderNotice::Look);
}

std::uint32_t ReaderNotice::NowMs() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void ReaderNotice::Look() {
    const std::uint32_t now = NowMs();
    if (const std::optional<News> news = news_.Take(now)) Tell(*news);
    if (const std::optional<std::uint32_t> until = news_.HeldUntil()) {
        held_.start(static_cast<int>(*until - now));
    }
}

void ReaderNotice::BeforeMessage(std::string_view text) {
    held_.stop();
    for (const News& news : news_.Message(text, NowMs())) {
        if (news.urgency == Urgency::Polite) Tell(news);
    }
}

// Shown again for every piece of news: the showing is what is spoken.
void ReaderNotice::Tell(const News& news) {
    notice_->hide();
    notice_->setAccessibleName(QString::fromStdString(news.text));
    notice_->show();
}

}  // namespace rallo::qt
