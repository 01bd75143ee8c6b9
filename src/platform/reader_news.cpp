// The news of a game: what changed on the board since the news last told,
// in words, at most a few times a second.
#include "platform/reader_words.h"

namespace rallo {

namespace {

constexpr std::string_view kScoreSuffix = " Score";

template <typename T>
const T* Named(const Window& window, ControlKind kind, std::string_view name) {
    return static_cast<const T*>(window.ControlNamed(kind, name));
}

// "3 hits", "1 hit".
std::string Hits(const std::string& count) {
    return count + (count == "1" ? " hit" : " hits");
}

// "Computer Score" is the Computer's.
std::string_view Side(std::string_view caption) {
    if (caption.ends_with(kScoreSuffix)) caption.remove_suffix(kScoreSuffix.size());
    return caption;
}

}  // namespace

std::optional<ReaderNews> ReaderNews::For(const Window& window) {
    const auto* play = Named<Button>(window, ControlKind::Button, "cmdNewGame");
    const auto* ball = Named<Label>(window, ControlKind::Label, "Label1");
    const auto* over = Named<Label>(window, ControlKind::Label, "Label2");
    if (!play || !ball || !over) return std::nullopt;
    std::vector<Score> scores;
    for (const Control* control : window.controls) {
        if (control->kind != ControlKind::Label) continue;
        if (const Label* caption = CaptionOf(window, *control)) {
            scores.push_back({static_cast<const Label*>(control), caption});
        }
    }
    return ReaderNews(*play, *ball, *over, std::move(scores));
}

ReaderNews::ReaderNews(const Control& play, const Label& ball, const Label& over,
                       std::vector<Score> scores)
    : play_(&play), ball_(&ball), over_(&over), scores_(std::move(scores)), told_(Look()) {}

ReaderNews::Board ReaderNews::Look() const {
    Board board;
    board.inPlay = !play_->Visible;
    if (ball_->Visible) board.ball = Spoken(ball_->Caption.get());
    board.over = over_->Visible;
    for (const Score& score : scores_) {
        if (!score.value->Visible || !score.caption->Visible) continue;
        board.scores.push_back(Spoken(score.value->Caption.get()));
        board.names.push_back(Spoken(score.caption->Caption.get()));
    }
    return board;
}

std::string ReaderNews::Changes(const Board& now) const {
    // Between games (options, modes) nothing is news, and the start of a
    // game is told by the court taking the focus.
    if (!told_.inPlay || (!now.inPlay && !now.over)) return {};
    const bool onePlayer = now.scores.size() == 1;
    const bool sameBoard = now.names == told_.names;
    std::string text;
    const auto add = [&text](const std::string& sentence) {
        if (!text.empty()) text += ' ';
        text += sentence;
    };
    if (sameBoard && now.scores != told_.scores && !(onePlayer && now.over)) {
        if (onePlayer) {
            add(Hits(now.scores[0]) + ".");
        } else {
            std::string standing;
            for (std::size_t i = 0; i < now.scores.size(); ++i) {
                if (now.scores[i] != told_.scores[i]) {
                    add(std::string(Side(now.names[i])) + " scores.");
                }
                standing += (i ? ", " : "") + now.names[i] + " " + now.scores[i];
            }
            add(standing + ".");
        }
    }
    if (now.ball != told_.ball && !now.ball.empty()) {
        if (onePlayer) add("Ball lost.");
        add(now.ball + ".");
    }
    if (now.over && !told_.over) {
        add(Spoken(over_->Caption.get()));
        if (onePlayer) add(Hits(now.scores[0]) + ".");
    }
    return text;
}

std::optional<News> ReaderNews::Take(std::uint32_t nowMs) {
    const Board now = Look();
    if (now == told_) {
        held_ = false;
        return std::nullopt;
    }
    std::string text = Changes(now);
    if (text.empty()) {
        told_ = now;
        held_ = false;
        return std::nullopt;
    }
    // The counter wraps: compare the distance, not the times.
    if (lastToldMs_ && nowMs - *lastToldMs_ < kShortestGapMs) {
        held_ = true;
        return std::nullopt;
    }
    told_ = now;
    lastToldMs_ = nowMs;
    held_ = false;
    return News{std::move(text), Urgency::Polite};
}

std::optional<std::uint32_t> ReaderNews::HeldUntil() const {
    if (!held_) return std::nullopt;
    return *lastToldMs_ + kShortestGapMs;
}

std::vector<News> ReaderNews::Message(std::string_view text, std::uint32_t nowMs) {
    std::vector<News> told;
    const Board now = Look();
    if (std::string held = Changes(now); !held.empty()) told.push_back({std::move(held)});
    told.push_back({Spoken(text), Urgency::Urgent});
    told_ = now;
    lastToldMs_ = nowMs;
    held_ = false;
    return told;
}

}  // namespace rallo
