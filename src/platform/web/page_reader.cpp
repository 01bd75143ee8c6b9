#include "platform/web/page_reader.h"

#include "platform/web/page_bridge.h"

namespace rallo::web {

namespace {

constexpr const char* kCourtName = "Court";

void Announce(const News& news) {
    page_announce(news.text.c_str(), news.urgency == Urgency::Urgent ? 1 : 0);
}

}  // namespace

void PageReader::Attach(const Window& window, int windowId) {
    if (!court_) {
        if (std::optional<CourtWords> words = CourtWords::For(window)) {
            page_court(windowId, kCourtName);
            for (const CourtWords::Piece& piece : words->Pieces())
                page_piece(ids_.at(piece.shape), piece.name.c_str());
            court_.emplace(Court{windowId, std::move(*words), {}});
            Describe(*court_);
        }
    }
    if (!news_) news_ = ReaderNews::For(window);
}

void PageReader::Shown(const Window& window, const Control& control) {
    switch (control.kind) {
        case ControlKind::Label:
        case ControlKind::TextBox:
            page_accessible_name(ids_.at(&control), ReaderName(window, control).c_str());
            // A caption names its value too: "Computer Score: 2".
            if (const Label* value = ValueCaptionedBy(window, control)) {
                page_accessible_name(ids_.at(value), ReaderName(window, *value).c_str());
            }
            break;
        case ControlKind::Shape:
            if (!court_ || ids_.at(&window) != court_->windowId) break;
            court_->words.BallMoved();  // a shape that is not the ball leaves its heading be
            Describe(*court_);
            break;
        case ControlKind::Button:
            break;
    }
}

// The page is told only a changed description: the ball moves every frame,
// the words far less often.
void PageReader::Describe(Court& court) {
    std::string now = court.words.Description();
    if (now == court.told) return;
    court.told = std::move(now);
    page_describe(court.windowId, court.told.c_str());
}

void PageReader::TakeNews(std::uint32_t nowMs) {
    if (!news_) return;
    if (std::optional<News> news = news_->Take(nowMs)) {
        Announce(*news);
        return;
    }
    const std::optional<std::uint32_t> until = news_->HeldUntil();
    if (until && !wakePending_) {
        wakePending_ = true;
        page_wake_after(*until - nowMs);  // the counter wraps: the distance is what counts
    }
}

void PageReader::Message(std::string_view text, std::uint32_t nowMs) {
    if (!news_) return;
    for (const News& news : news_->Message(text, nowMs))
        Announce(news);
}

}  // namespace rallo::web
