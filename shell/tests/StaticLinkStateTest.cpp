// The hyperlink text's state: which target a click opens, and how the
// desktop's answer changes its colour.
#include "shell/frame/StaticLinkState.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(StaticLinkState, AClickOpensTheLinkOrTheTextAndOnlySuccessTurnsItPurple)
{
    struct Case {
        const char* pWhat;
        const char* pLink;
        const char* pText;
        int iShellResult;
        const char* pOpened; // null: the desktop is not asked
        StaticLinkState::ClickResult eResult;
    };
    const Case a_cases[] = {
        {"own link", "mailto:a@b.example", "a@b.example", 33, "mailto:a@b.example", StaticLinkState::e_opened},
        {"text as link", "", "https://x.example/", 42, "https://x.example/", StaticLinkState::e_opened},
        {"nothing to open", "", "", 33, nullptr, StaticLinkState::e_nothing},
        {"desktop refuses", "", "https://x.example/", 31, "https://x.example/", StaticLinkState::e_failed},
        {"32 is a failure", "file.pdf", "", 32, "file.pdf", StaticLinkState::e_failed},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        StaticLinkState link(c.pLink);
        std::vector<std::string> v_opened;
        const auto f_open = [&](const std::string& s) {
            v_opened.push_back(s);
            return c.iShellResult;
        };
        EXPECT_EQ(link.GetColour(), 0x0000FFu);
        EXPECT_EQ(link.Click(c.pText, f_open), c.eResult);
        EXPECT_EQ(v_opened, c.pOpened ? std::vector<std::string>{c.pOpened} : std::vector<std::string>{});
        const bool b_visited = c.eResult == StaticLinkState::e_opened;
        EXPECT_EQ(link.IsVisited(), b_visited);
        EXPECT_EQ(link.GetColour(), b_visited ? 0x800080u : 0x0000FFu);
        EXPECT_EQ(link.GetLastClick(), c.eResult);
    }

    // Once visited, a later failure keeps it visited.
    StaticLinkState link("x");
    link.Click("", [](const std::string&) { return 33; });
    link.Click("", [](const std::string&) { return 2; });
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.GetLastClick(), StaticLinkState::e_failed);
}
