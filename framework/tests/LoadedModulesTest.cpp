#include "framework/LoadedModules.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadedModules, VersionTexts)
{
    struct Case {
        const char* pText;
        std::uint64_t uVersion;
    };
    const Case a_cases[] = {
        {"2.36", MakeModuleVersion(2, 36, 0, 0)},
        {"6.0.30", MakeModuleVersion(6, 0, 30, 0)},
        {"3.24.38-1", MakeModuleVersion(3, 24, 38, 0)},
        {"1.2.3.4.5", MakeModuleVersion(1, 2, 3, 4)},
        {"7.1.", MakeModuleVersion(7, 1, 0, 0)},
        {"65535.0", MakeModuleVersion(65535, 0, 0, 0)},
        {"65536.0", 0},
        {"v2", 0},
        {"", 0},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(ParseModuleVersion(c.pText), c.uVersion) << c.pText;
    EXPECT_EQ(MakeModuleVersion(3, 24, 38, 1), 0x0003'0018'0026'0001u);
}

TEST(LoadedModules, ObjectsOfThisProcess)
{
    // The C++ run-time is loaded under its versioned file name.
    const std::string s_path = FindLoadedObject("stdc++");
    EXPECT_NE(s_path.find("libstdc++.so.6"), std::string::npos) << s_path;
    EXPECT_EQ(GetLoadedObjectVersion("stdc++") >> 48, 6u);
    // A name is matched whole: "stdc" is not the C++ run-time.
    EXPECT_EQ(FindLoadedObject("stdc"), "");
    EXPECT_EQ(GetLoadedObjectVersion("no-such-library"), 0u);
    EXPECT_EQ(FindLoadedObject(""), "");
    // This library is loaded, but from a file without a version.
    EXPECT_NE(FindLoadedObject("framework"), "");
    EXPECT_EQ(GetLoadedObjectVersion("framework"), 0u);

    EXPECT_EQ(GetCLibraryVersion() >> 48, 2u);
}

} // namespace
