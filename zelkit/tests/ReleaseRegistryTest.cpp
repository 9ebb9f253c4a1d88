#include "framework/FileIO.h"
#include "framework/Settings.h"
#include "zelkit/values/ZelRegistry.h"
#include "zelkit/values/ZelRelease.h"
#include "zelkit/base/ZelStringArray.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

TEST(ReleaseTest, ParseAcceptsDottedAndPlainNumbers)
{
    struct Case {
        const char* pText;
        bool bOk;
        UINT uRelease; // when accepted
        const char* pShown;
    };
    const Case a_cases[] = {
        {"1.5", true, 105, "1.05"},
        {"189", true, 189, "1.89"},
        {"1.89", true, 189, "1.89"},
        {"7", true, 700, "7.00"},
        {"99.99", true, 9999, "99.99"},
        {"9999", true, 9999, "99.99"},
        {" 2.10", true, 210, "2.10"},
        {"0.5", false, 0, nullptr},
        {"100.1", false, 0, nullptr},
        {"1.100", false, 0, nullptr},
        {"10000", false, 0, nullptr},
        {"0", false, 0, nullptr},
        {"", false, 0, nullptr},
        {"abc", false, 0, nullptr},
        {"1.x", false, 0, nullptr},
        {".5", false, 0, nullptr},
        {"-1", false, 0, nullptr},
        {"99999999999999999999", false, 0, nullptr},
    };
    for (const Case& c : a_cases) {
        ZelRelease rel("Rotavex", 321, "");
        EXPECT_EQ(rel.Parse(c.pText) != 0, c.bOk) << c.pText;
        if (c.bOk) {
            EXPECT_EQ(rel.GetRelease(), c.uRelease) << c.pText;
            EXPECT_EQ(rel.FormatRel(), c.pShown) << c.pText;
        } else {
            EXPECT_EQ(rel.GetRelease(), 321u) << "a refused text changed the number: " << c.pText;
        }
    }
}

TEST(ReleaseTest, FormatAppendsQualifierAndSplitsTheNumber)
{
    ZelRelease rel("Rotavex", 189, "");
    EXPECT_EQ(rel.FormatRel(), "1.89");
    EXPECT_EQ(rel.GetMajor(), 1u);
    EXPECT_EQ(rel.GetMinor(), 89u);
    rel.SetQualifier(" preview");
    EXPECT_EQ(rel.FormatRel(), "1.89 preview");
    EXPECT_EQ(ZelRelease(1203).FormatRel(), "12.03");
    EXPECT_EQ(ZelRelease().FormatRel(), "0.00");
}

TEST(ReleaseTest, VersionAndRevisionSettersIgnoreValuesOutOfRange)
{
    ZelRelease rel(189);
    rel.SetVersionNumber(0);
    EXPECT_EQ(rel.GetRelease(), 189u);
    rel.SetVersionNumber(100);
    EXPECT_EQ(rel.GetRelease(), 189u);
    rel.SetVersionNumber(3);
    EXPECT_EQ(rel.GetRelease(), 389u);
    rel.SetRevisionNumber(100);
    EXPECT_EQ(rel.GetRelease(), 389u);
    rel.SetRevisionNumber(0);
    EXPECT_EQ(rel.GetRelease(), 300u);
    rel.SetRevisionNumber(7);
    EXPECT_EQ(rel.FormatRel(), "3.07");
}

TEST(ReleaseTest, CopyAndAssignmentCarryNameNumberAndQualifier)
{
    const ZelRelease a("Rotavex", 189, "b");
    ZelRelease b(a);
    ZelRelease c("Other");
    c = a;
    for (const ZelRelease* p : {&b, &c}) {
        EXPECT_EQ(p->GetPgmName(), "Rotavex");
        EXPECT_EQ(p->GetRelease(), 189u);
        EXPECT_EQ(p->GetQualifier(), "b");
    }
}

} // namespace

namespace {

const char* const pKey = "Software\\Vantor Software\\Rotavex\\Test";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sMachine = ::testing::TempDir() + "rvx-values-machine-" + std::to_string(getpid()) + ".ini";
        WriteFileAtomically(sMachine, std::string("[Software\\Vantor Software\\Rotavex]\n"
                                                  "\"Guide\"=expand:\"%RVX_TEST_HOME%/doc/guide.html\"\n"
                                                  "\"Path\"=sz:\"/opt/rotavex\"\n"
                                                  "\"Build\"=dword:189\n"
                                                  "\"Blob\"=hex(3):00,01\n"));
        // The user hive in memory only: nothing of a test reaches a file.
        CSettingsStore::Get().Configure("", sMachine);
        setenv("RVX_TEST_HOME", "/home/ann", 1);
    }
    void TearDown() override
    {
        CSettingsStore::Get().Configure("", "");
        std::remove(sMachine.c_str());
        unsetenv("RVX_TEST_HOME");
    }
    std::string sMachine;
};

TEST_F(RegistryTest, TypedValuesRoundTripInTheUserHive)
{
    ZelRegistry reg(HKEY_CURRENT_USER, pKey, KEY_ALL_ACCESS, true);
    ASSERT_TRUE(reg.IsOpen());
    EXPECT_FALSE(reg.IsError());

    EXPECT_TRUE(reg.SetValue("Name", "Spring fair"));
    EXPECT_TRUE(reg.SetValue("OpenLast", DWORD(4000000000u)));
    std::string s;
    EXPECT_TRUE(reg.GetValue("Name", s, false));
    EXPECT_EQ(s, "Spring fair");
    DWORD u = 0;
    EXPECT_TRUE(reg.GetValue("OpenLast", u));
    EXPECT_EQ(u, 4000000000u);
    EXPECT_TRUE(reg.GetValue("OpenLast", s, true)); // a number reads as its decimal text
    EXPECT_EQ(s, "4000000000");
    DWORD u_type = 0;
    EXPECT_TRUE(reg.GetType("Name", u_type));
    EXPECT_EQ(u_type, static_cast<DWORD>(REG_SZ));

    // The stored forms are the registry's: a terminated string, 4 bytes.
    CSettingsStore::Value v;
    ASSERT_EQ(CSettingsStore::Get().QueryValue(SettingsHive::CurrentUser, pKey, "Name", v), ERROR_SUCCESS);
    EXPECT_EQ(v.vData.size(), 12u);
    EXPECT_EQ(v.vData.back(), 0);

    // A text is no number.
    EXPECT_FALSE(reg.GetValue("Name", u));
    long l_error = 0;
    EXPECT_TRUE(reg.IsError(&l_error));
    EXPECT_EQ(l_error, ERROR_INVALID_DATA);

    EXPECT_TRUE(reg.DeleteValue("Name"));
    EXPECT_FALSE(reg.GetValue("Name", s, false));
    EXPECT_TRUE(reg.IsError(&l_error));
    EXPECT_EQ(l_error, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(reg.DeleteValue("Name"));
}

TEST_F(RegistryTest, MultiStringsKeepOneEntryPerString)
{
    ZelRegistry reg(HKEY_CURRENT_USER, pKey, KEY_ALL_ACCESS, true);
    const std::vector<std::string> v_sites = {"https://a.example/x.txt", "ftp://b.example", "c"};
    EXPECT_TRUE(reg.SetMultiValue("WebSites", v_sites));
    std::vector<std::string> v_back = {"old"};
    EXPECT_TRUE(reg.GetMultiValue("WebSites", v_back));
    EXPECT_EQ(v_back, v_sites);
    CSettingsStore::Value v;
    ASSERT_EQ(CSettingsStore::Get().QueryValue(SettingsHive::CurrentUser, pKey, "WebSites", v), ERROR_SUCCESS);
    EXPECT_EQ(v.uType, static_cast<std::uint32_t>(REG_MULTI_SZ));
    EXPECT_EQ(v.vData.size(), 23u + 1 + 15 + 1 + 1 + 1 + 1);
    EXPECT_EQ(v.vData[v.vData.size() - 2], 0);

    // An empty string would end the list early when read back: it is left
    // out, and the strings after it survive.
    EXPECT_TRUE(reg.SetMultiValue("WebSites", {"a", "", "b"}));
    EXPECT_TRUE(reg.GetMultiValue("WebSites", v_back));
    EXPECT_EQ(v_back, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(reg.SetMultiValue("WebSites", {}));
    EXPECT_TRUE(reg.GetMultiValue("WebSites", v_back));
    EXPECT_TRUE(v_back.empty());

    EXPECT_TRUE(reg.SetValue("Single", "x"));
    EXPECT_FALSE(reg.GetMultiValue("Single", v_back));

    // The string-array forms store and read the same value.
    ZelStringArray a_sites;
    a_sites.Add("one");
    a_sites.Add("two");
    EXPECT_TRUE(reg.SetValue("Sites", a_sites));
    ZelStringArray a_back;
    a_back.Add("stale");
    EXPECT_TRUE(reg.GetValue("Sites", a_back));
    ASSERT_EQ(a_back.GetSize(), 2);
    EXPECT_EQ(a_back[0], "one");
    EXPECT_EQ(a_back[1], "two");
    EXPECT_TRUE(reg.GetMultiValue("Sites", v_back));
    EXPECT_EQ(v_back, (std::vector<std::string>{"one", "two"}));
}

TEST_F(RegistryTest, InstallationValuesAreReadOnlyAndExpandTheEnvironment)
{
    ZelRegistry reg(HKEY_LOCAL_MACHINE, "Software\\Vantor Software\\Rotavex", KEY_READ, false);
    ASSERT_TRUE(reg.IsOpen());
    std::string s;
    EXPECT_TRUE(reg.GetValue("Guide", s, false));
    EXPECT_EQ(s, "%RVX_TEST_HOME%/doc/guide.html");
    EXPECT_TRUE(reg.GetValue("Guide", s, true));
    EXPECT_EQ(s, "/home/ann/doc/guide.html");
    EXPECT_TRUE(reg.GetValue("Path", s, true));
    EXPECT_EQ(s, "/opt/rotavex");
    EXPECT_TRUE(reg.GetValue("Build", s, false));
    EXPECT_EQ(s, "189");
    // A type the text read does not know fails and leaves the text alone.
    s = "kept";
    EXPECT_FALSE(reg.GetValue("Blob", s, false));
    EXPECT_EQ(s, "kept");

    // Opened for reading: no write reaches the store.
    long l_error = 0;
    EXPECT_FALSE(reg.SetValue("Path", "/tmp"));
    EXPECT_TRUE(reg.IsError(&l_error));
    EXPECT_EQ(l_error, ERROR_ACCESS_DENIED);
    // Opened for writing, the installation's values still refuse changes.
    ZelRegistry reg_w(HKEY_LOCAL_MACHINE, "Software\\Vantor Software\\Rotavex", KEY_ALL_ACCESS, false);
    EXPECT_FALSE(reg_w.SetValue("Path", "/tmp"));
    EXPECT_FALSE(reg_w.DeleteValue("Path"));
    EXPECT_TRUE(reg.GetValue("Path", s, false));
    EXPECT_EQ(s, "/opt/rotavex");
}

TEST_F(RegistryTest, MissingKeysFailEveryOperationQuietly)
{
    ZelRegistry reg(HKEY_CURRENT_USER, "Software\\Nobody\\Here", KEY_ALL_ACCESS, false);
    EXPECT_FALSE(reg.IsOpen());
    long l_error = 0;
    EXPECT_TRUE(reg.IsError(&l_error));
    EXPECT_EQ(l_error, ERROR_FILE_NOT_FOUND);
    std::string s = "kept";
    DWORD u = 7;
    std::vector<std::string> v;
    EXPECT_FALSE(reg.GetValue("x", s, true));
    EXPECT_FALSE(reg.GetValue("x", u));
    EXPECT_FALSE(reg.GetMultiValue("x", v));
    EXPECT_FALSE(reg.GetType("x", u));
    EXPECT_FALSE(reg.SetValue("x", "y"));
    EXPECT_FALSE(reg.DeleteValue("x"));
    EXPECT_EQ(s, "kept");
    EXPECT_EQ(u, 7u);
    // Nothing was created by the attempts.
    EXPECT_EQ(CSettingsStore::Get().OpenKey(SettingsHive::CurrentUser, "Software\\Nobody\\Here"), ERROR_FILE_NOT_FOUND);

    // The installation hive cannot gain keys.
    ZelRegistry reg_m(HKEY_LOCAL_MACHINE, "Software\\New", KEY_ALL_ACCESS, true);
    EXPECT_FALSE(reg_m.IsOpen());
    EXPECT_TRUE(reg_m.IsError(&l_error));
    EXPECT_EQ(l_error, ERROR_ACCESS_DENIED);
}

TEST(RegistryExpandTest, ReplacesKnownVariablesAndKeepsTheRest)
{
    setenv("RVX_A", "alpha", 1);
    setenv("RVX_EMPTY", "", 1);
    unsetenv("RVX_UNSET");
    const std::pair<const char*, const char*> a_cases[] = {
        {"%RVX_A%", "alpha"},
        {"x%RVX_A%y%RVX_A%z", "xalphayalphaz"},
        {"%RVX_UNSET%/x", "%RVX_UNSET%/x"},
        {"100% %RVX_A%", "100% alpha"},
        {"%RVX_EMPTY%|", "|"},
        {"50%", "50%"},
        {"%%", "%%"},
        {"", ""},
    };
    for (const auto& [p_in, p_out] : a_cases)
        EXPECT_EQ(ZelRegistry::ExpandEnvironment(p_in), p_out) << p_in;
    unsetenv("RVX_A");
    unsetenv("RVX_EMPTY");
}

} // namespace
