#include "framework/Resources.h"
#include "framework/ui/WindowClass.h"
#include "zelkit/base/ZelLibrary.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> a_classes = {"ZLC_MONTH_CAL", "ZLC_TIMESLOT", "ZLC_TIMESLOT_DISPLAY"};

TEST(Library, LoadingJoinsTheChainAndRegistersTheControls)
{
    // The library attached itself when this test program loaded it.
    ASSERT_TRUE(ZelLibraryIsAttached());
    EXPECT_TRUE(ResourceChain::Contains(&ZelResourceModule()));
    EXPECT_EQ(WindowClasses::Names(), a_classes);
    std::string s;
    EXPECT_TRUE(LoadResourceString(55020, s));

    ZelLibraryDetach();
    EXPECT_FALSE(ResourceChain::Contains(&ZelResourceModule()));
    for (const auto& s_name : a_classes)
        EXPECT_FALSE(WindowClasses::IsRegistered(s_name)) << s_name;
    EXPECT_FALSE(LoadResourceString(55020, s));

    ZelLibraryAttach();
    ZelLibraryAttach(); // a second attach changes nothing
    EXPECT_EQ(WindowClasses::Names(), a_classes);
}

TEST(Library, LocalResourceSelectsTheLibraryForItsScope)
{
    const StringEntry a_pgm[] = {{55020, "program's own 55020"}};
    CResourceModule pgm("pgm", a_pgm);
    ResourceChain::Add(&pgm, true);
    std::string s;
    LoadResourceString(55020, s);
    EXPECT_EQ(s, "program's own 55020");
    {
        ZelLocalResource local;
        EXPECT_EQ(ResourceChain::GetCurrent(), &ZelResourceModule());
        {
            ZelLocalResource nested; // already current: nothing to switch back
        }
        EXPECT_EQ(ResourceChain::GetCurrent(), &ZelResourceModule());
        LoadResourceString(55020, s);
        EXPECT_EQ(s.rfind("Please copy", 0), 0u);
    }
    EXPECT_EQ(ResourceChain::GetCurrent(), nullptr);
    ResourceChain::Remove(&pgm);
}

} // namespace
