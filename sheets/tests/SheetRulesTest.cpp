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
