#include "framework/Resources.h"

#include <gtest/gtest.h>

namespace {

const StringEntry a_lib[] = {{10, "library ten"}, {20, "library twenty"}};
const StringEntry a_pgm[] = {{10, "program ten"}, {30, "program thirty"}};

TEST(Resources, LookupFollowsCurrentModuleThenChain)
{
    CResourceModule lib("lib", a_lib), pgm("pgm", a_pgm);
    ResourceChain::Add(&lib);
    ResourceChain::Add(&pgm, true);
    std::string s;
    ASSERT_TRUE(LoadResourceString(10, s));
    EXPECT_EQ(s, "program ten");
    ASSERT_TRUE(LoadResourceString(20, s));
    EXPECT_EQ(s, "library twenty");
    EXPECT_FALSE(LoadResourceString(99, s));

    ResourceChain::SetCurrent(&lib);
    ASSERT_TRUE(LoadResourceString(10, s));
    EXPECT_EQ(s, "library ten");
    ASSERT_TRUE(LoadResourceString(30, s)); // still found along the chain
    EXPECT_EQ(s, "program thirty");

    ResourceChain::Remove(&lib);
    EXPECT_EQ(ResourceChain::GetCurrent(), nullptr);
    EXPECT_FALSE(LoadResourceString(20, s));
    ResourceChain::Remove(&pgm);
}

TEST(Resources, FormatReplacesNumberedArguments)
{
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case a_cases[] = {
        {"%1 and %2", "a and b"},
        {"%2 before %1", "b before a"},
        {"count %1!d! done", "count a done"},
        {"100%% sure", "100% sure"},
        {"missing %3 stays", "missing %3 stays"},
        {"%1%1", "aa"},
        {"trailing %", "trailing %"},
        {"%x is not a placeholder", "%x is not a placeholder"},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(FormatMessageText(c.format, {"a", "b"}), c.expected) << c.format;
}

TEST(Resources, ArgumentsAreNotFormattedAgain)
{
    EXPECT_EQ(FormatMessageText("<%1>", {"%2"}), "<%2>");
}

} // namespace
