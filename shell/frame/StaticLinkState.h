// What a hyperlink text keeps without its window: the link it opens (its
// own text when it has none), whether it has been opened (blue until then,
// purple after), and what its last click did.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class StaticLinkState {
public:
    // Colours as 0xRRGGBB.
    static constexpr std::uint32_t uUnvisited = 0x0000FF;
    static constexpr std::uint32_t uVisited = 0x800080;

    enum ClickResult { e_nothing, e_opened, e_failed };

    explicit StaticLinkState(std::string s_link = {}) : sLink(std::move(s_link)) {}

    const std::string& GetLink() const { return sLink; }
    // What a click opens: the link, or the window's text for an empty link.
    std::string Target(const std::string& s_windowText) const { return sLink.empty() ? s_windowText : sLink; }
    // A click: nothing without a target; else f_open (the desktop's result,
    // above 32 for success) opens it, and success makes the link visited.
    // A failure leaves the colour as it was; the window beeps.
    ClickResult Click(const std::string& s_windowText, const std::function<int(const std::string&)>& f_open);

    bool IsVisited() const { return bVisited; }
    std::uint32_t GetColour() const { return bVisited ? uVisited : uUnvisited; }
    ClickResult GetLastClick() const { return eLastClick; }

private:
    std::string sLink;
    bool bVisited = false;
    ClickResult eLastClick = e_nothing;
};
