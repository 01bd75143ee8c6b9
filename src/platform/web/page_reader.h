// What the page tells a screen reader, in the words every platform shares:
// the names of labels and text boxes, the court with its pieces and its
// description, and the news of a game. The page's script only presents them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/controls.h"
#include "platform/reader_words.h"

namespace rallo::web {

class PageReader {
public:
    using Ids = std::unordered_map<const Observable*, int>;
    explicit PageReader(const Ids& ids) : ids_(ids) {}

    // After the window and its controls are on the page.
    void Attach(const Window& window, int windowId);
    // After a control's state was sent to the page.
    void Shown(const Window& window, const Control& control);
    // Once the game's handlers have run: the news since the last call.
    void TakeNews(std::uint32_t nowMs);
    // The page's wake-up for held news has come.
    void Woken() { wakePending_ = false; }
    // A message box is about to open.
    void Message(std::string_view text, std::uint32_t nowMs);

private:
    struct Court {
        int windowId;
        CourtWords words;
        std::string told;  // the description the page has
    };

    void Describe(Court& court);

    const Ids& ids_;
    std::optional<Court> court_;  // the play window's
    std::optional<ReaderNews> news_;
    bool wakePending_ = false;  // the page will bring the game back for held news
};

}  // namespace rallo::web
