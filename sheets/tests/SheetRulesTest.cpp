#include "framework/MessageBox.h"
#include "sheets/SheetRules.h"

#include <gtest/gtest.h>

TEST(SheetRules, TypedTextIsKeptInTheEventsCharacterSetOrRefusedNamingTheCharacter)
{
    ScriptedMessageBox boxes;
    struct Case {
        std::string sTyped;
        std::optional<std::string> sKept;
        std::string sNamed;
    };
    const Case a_cases[] = {
        {"Main stage", std::string("Main stage"), ""},
        {"Caf\xC3\xA9 \xE2\x82\xAC", std::string("Caf\xE9 \x80"), ""},  // e acute and the euro sign
        {"Tent \xE4\xB8\xAD", std::nullopt, "U+4E2D"},
        {"\xF0\x9F\x8E\xB5 Band", std::nullopt, "U+1F3B5"},
        {"bad \xFF byte", std::nullopt, "an invalid byte"},
    };
    for (const Case& c : a_cases) {
        const std::size_t n_before = boxes.Boxes().size();
        EXPECT_EQ(AcceptTypedText(c.sTyped), c.sKept) << c.sTyped;
        if (c.sKept) {
            EXPECT_EQ(boxes.Boxes().size(), n_before) << c.sTyped;
        } else {
            ASSERT_EQ(boxes.Boxes().size(), n_before + 1) << c.sTyped;
            EXPECT_NE(boxes.Boxes().back().sText.find(c.sNamed), std::string::npos) << boxes.Boxes().back().sText;
        }
    }
}

TEST(SheetRules, ANumberInABoxAllowsBlanksAroundItAndCannotOverflow)
{
    struct Case {
        const char* pText;
        std::optional<std::uint64_t> uRead;
    };
    const Case a_cases[] = {
        {"42", 42u},           {"  7 ", 7u},        {"0", 0u},      {"", std::nullopt}, {"   ", std::nullopt},
        {"-3", std::nullopt},  {"1 2", std::nullopt}, {"abc", std::nullopt}, {"12x", std::nullopt},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(ReadBoxNumber(c.pText, 99999), c.uRead) << c.pText;
    // Past the maximum the digits stop counting: the value only tells that
    // it is too large.
    const std::optional<std::uint64_t> u_long = ReadBoxNumber(std::string(40, '9'), 99999);
    ASSERT_TRUE(u_long);
    EXPECT_GT(*u_long, 99999u);
    EXPECT_EQ(BoxRangeMessage(1, 999), "Please enter an integer between 1 and 999.");
}
