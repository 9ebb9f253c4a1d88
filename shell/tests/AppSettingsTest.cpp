// The application's settings and start-up rules without a window: the
// check of the required libraries, the per-user options, the record of the
// settings' conversion, the installation's paths and the start-up-dialog
// flag.
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "shell/frame/AppSettings.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A user file and a machine file of their own for each test.
class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = fs::temp_directory_path() / ("rvx-settings-" + std::to_string(getpid()) + "-"
                                                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(fsFolder);
        fs::create_directories(fsFolder);
        AppSettings::SetStartupDialogFlag(TRUE);
    }
    void TearDown() override
    {
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    std::string UserFile() const { return (fsFolder / "user" / "settings").string(); }
    // The machine file's text after the key's line.
    void Machine(const std::string& s_text)
    {
        const std::string s_file = (fsFolder / "install.ini").string();
        WriteFileAtomically(s_file, s_text);
        CSettingsStore::Get().Configure(UserFile(), s_file);
    }

    fs::path fsFolder;
};

std::string Value(SettingsHive e_hive, const std::string& s_key, const std::string& s_name)
{
    CSettingsStore::Value value;
    if (CSettingsStore::Get().QueryValue(e_hive, s_key, s_name, value) != ERROR_SUCCESS)
        return "<missing>";
    if (value.uType == REG_DWORD)
        return std::to_string(value.vData[0] | value.vData[1] << 8 | value.vData[2] << 16 | value.vData[3] << 24);
    std::string s(value.vData.begin(), value.vData.end());
    while (!s.empty() && s.back() == '\0')
        s.pop_back();
    return s;
}

const char* const kUserKey = "Software\\Vantor Software\\Rotavex";

TEST(AppSettings, NamesOfTheSettingsKey)
{
    EXPECT_EQ(AppSettings::GetCompanyName(), "Vantor Software");
    EXPECT_EQ(AppSettings::GetProductName(), "Rotavex");
    EXPECT_EQ(AppSettings::GetRegistryKeyName(), "Vantor Software\\Rotavex");
    EXPECT_EQ(AppSettings::GetRegistryPath(), kUserKey);
    EXPECT_EQ(AppSettings::GetDocString(AppSettings::e_window_title), "Rotavex");
    EXPECT_EQ(AppSettings::GetDocString(AppSettings::e_doc_name), "Event");
    EXPECT_EQ(AppSettings::GetDocString(AppSettings::e_filter_name), "Rotavex Event Files (*.eve)");
    EXPECT_EQ(AppSettings::GetDocString(AppSettings::e_filter_ext), ".EVE");
    EXPECT_EQ(AppSettings::GetDocString(AppSettings::e_file_type_name), "Rotavex Event");
}

TEST(AppSettings, TheFirstLibraryBelowItsVersionStopsTheStartWithItsMessage)
{
    const std::uint64_t u_7_1 = 0x0007'0001'0000'0000;
    const std::vector<AppSettings::RequiredModule> a_rows = {
        {"GTK", 0x0003'0018'0000'0000, 10018},
        {"zelkit", u_7_1, 10019},
        {"libc", 0x0002'0024'0000'0000, 10018},
    };
    struct Case {
        const char* pName;
        std::map<std::string, std::uint64_t> mInstalled; // missing: not loaded
        BOOL bPasses;
        std::string sMessage;
    };
    const std::map<std::string, std::uint64_t> m_good = {
        {"GTK", 0x0003'0018'0026'0000}, {"zelkit", u_7_1}, {"libc", 0x0002'0024'0000'0000}};
    auto with = [&](const std::string& s_name, std::uint64_t u_version) {
        auto m = m_good;
        m[s_name] = u_version;
        return m;
    };
    auto without = [&](const std::string& s_name) {
        auto m = m_good;
        m.erase(s_name);
        return m;
    };
    const Case a_cases[] = {
        {"equal or higher everywhere", m_good, TRUE, ""},
        {"a higher own library", with("zelkit", 0x0008'0000'0000'0000), TRUE, ""},
        {"a lower least significant word", with("zelkit", 0x0007'0000'FFFF'FFFF), FALSE,
         "Error code 10019.\nYou require a later version of the library called 'zelkit'.  You currently have version "
         "7.0.65535.65535."},
        {"a lower system library", with("libc", 0x0002'0023'0000'0000), FALSE,
         "Error code 10018.\nYour Linux system requires an update.  You require a later version of the library "
         "called 'libc'.  You currently have version 2.35.0.0."},
        {"a library that is not loaded", without("GTK"), FALSE,
         "Error code 10018.\nYour Linux system requires an update.  You require a later version of the library "
         "called 'GTK'.  You currently have version 0.0.0.0."},
        // Only the first failure is told.
        {"two too old", {{"zelkit", u_7_1}, {"libc", 0x0002'0001'0000'0000}}, FALSE, "Error code 10018.\nYour Linux system requires an update.  You require "
                                                "a later version of the library called 'GTK'.  You currently have "
                                                "version 0.0.0.0."},
    };
    for (const Case& c : a_cases) {
        ScriptedMessageBox boxes;
        AppSettings::SetStartupDialogFlag(TRUE);
        const auto& m_installed = c.mInstalled;
        const BOOL b_passes = AppSettings::CheckRequiredModules(a_rows, [&](const std::string& s_name) {
            const auto it = m_installed.find(s_name);
            return it == m_installed.end() ? 0 : it->second;
        });
        EXPECT_EQ(b_passes, c.bPasses) << c.pName;
        if (c.bPasses) {
            EXPECT_TRUE(boxes.Boxes().empty()) << c.pName;
            EXPECT_TRUE(AppSettings::GetStartupDialogFlag()) << c.pName;
            continue;
        }
        ASSERT_EQ(boxes.Boxes().size(), 1u) << c.pName;
        EXPECT_EQ(boxes.Boxes()[0].sText.substr(0, c.sMessage.size()), c.sMessage) << c.pName;
        EXPECT_NE(boxes.Boxes()[0].sText.find("https://rotavex.example/"), std::string::npos) << c.pName;
        EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION) << c.pName;
        EXPECT_FALSE(AppSettings::GetStartupDialogFlag()) << c.pName;
    }
}

TEST_F(SettingsFixture, OpenLastAndPrependSmtpReadZeroUntilWrittenAndAreKeptInTheUserFile)
{
    Machine("");
    struct Flag {
        const char* pName;
        BOOL (*fGet)();
        void (*fSet)(BOOL);
    };
    const Flag a_flags[] = {{"OpenLast", AppSettings::GetOpenLast, AppSettings::SetOpenLast},
                            {"PrependSMTP", AppSettings::GetPrependSMTP, AppSettings::SetPrependSMTP}};
    for (const Flag& flag : a_flags) {
        EXPECT_FALSE(flag.fGet()) << flag.pName;
        // Reading made the key, and nothing else.
        EXPECT_EQ(CSettingsStore::Get().OpenKey(SettingsHive::CurrentUser, kUserKey), ERROR_SUCCESS);
        EXPECT_EQ(Value(SettingsHive::CurrentUser, kUserKey, flag.pName), "<missing>") << flag.pName;
        flag.fSet(TRUE);
        EXPECT_EQ(Value(SettingsHive::CurrentUser, kUserKey, flag.pName), "1") << flag.pName;
        EXPECT_TRUE(flag.fGet()) << flag.pName;
    }
    // Both outlive the program: a new start reads them from the file.
    CSettingsStore::Get().Configure(UserFile(), "");
    EXPECT_TRUE(AppSettings::GetOpenLast());
    EXPECT_TRUE(AppSettings::GetPrependSMTP());
    AppSettings::SetOpenLast(FALSE);
    EXPECT_FALSE(AppSettings::GetOpenLast());
    EXPECT_TRUE(AppSettings::GetPrependSMTP());
}

TEST_F(SettingsFixture, TheFirstStartRecordsTheConversionOnce)
{
    Machine("");
    ScriptedMessageBox boxes;
    EXPECT_FALSE(AppSettings::IsConverted());
    EXPECT_TRUE(AppSettings::RecordConversion());
    EXPECT_TRUE(AppSettings::IsConverted());
    EXPECT_EQ(Value(SettingsHive::CurrentUser, kUserKey, "Converted"), "Y");
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(AppSettings::GetStartupDialogFlag());
    CSettingsStore::Get().Configure(UserFile(), "");
    EXPECT_TRUE(AppSettings::IsConverted());
}

TEST_F(SettingsFixture, AStoreThatCannotBeWrittenIsToldAndTheStartGoesOn)
{
    // A file where the configuration folder should be: nothing below it
    // can be made.
    WriteFileAtomically((fsFolder / "blocked").string(), std::string("x"));
    CSettingsStore::Get().Configure((fsFolder / "blocked" / "settings").string(), "");
    ScriptedMessageBox boxes;
    EXPECT_FALSE(AppSettings::RecordConversion());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText,
              "Error code 10017.\nError writing to the settings file.  Rotavex could not record the conversion of "
              "your settings to the settings file.  Your recently used file list will not be updated.");
    EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_FALSE(AppSettings::GetStartupDialogFlag());
    // The options read 0 and their writes are dropped without a word.
    AppSettings::SetOpenLast(TRUE);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(SettingsFixture, InstallationPathsAndTheirMessages)
{
    setenv("RVX_TEST_DOCS", "/srv/docs", 1);
    const std::string s_product = "[Software\\Vantor Software\\Rotavex]\n";
    const std::string s_guideKey = "[Software\\Vantor Software\\Rotavex User Guide]\n";
    const std::string s_base = "\"Path\"=sz:\"/opt/rotavex\"\n\"License\"=expand:\"%RVX_TEST_DOCS%/licence.txt\"\n";
    struct Case {
        const char* pName;
        std::string sMachine;
        BOOL bResult;
        std::string sMessage; // empty: none
        AppSettings::InstallPaths expected;
    };
    const Case a_cases[] = {
        {"no key", "[Software\\Vantor Software\\Other]\n\"Path\"=sz:\"/x\"\n", FALSE,
         "Cannot find the product's installation settings - reinstall the product.", {}},
        {"no licence", s_product + "\"Path\"=sz:\"/opt/rotavex\"\n", FALSE,
         "Cannot find License Agreement file - reinstall the product.", {}},
        {"no path", s_product + "\"License\"=sz:\"/l.txt\"\n", FALSE,
         "Cannot find installation path - reinstall the product.", {}},
        {"the least", s_product + s_base, TRUE, "", {"/opt/rotavex", "/srv/docs/licence.txt", "", ""}},
        {"guide and notes under the product",
         s_product + s_base + "\"UserGuide\"=sz:\"/g.pdf\"\n\"RelNotes\"=expand:\"%RVX_TEST_DOCS%/notes.txt\"\n", TRUE,
         "", {"/opt/rotavex", "/srv/docs/licence.txt", "/g.pdf", "/srv/docs/notes.txt"}},
        {"the guide's own key first",
         s_product + s_base + "\"UserGuide\"=sz:\"/old.pdf\"\n" + s_guideKey + "\"UserGuide\"=sz:\"/new.pdf\"\n", TRUE,
         "", {"/opt/rotavex", "/srv/docs/licence.txt", "/new.pdf", ""}},
        {"the guide's key without a guide",
         s_product + s_base + "\"UserGuide\"=sz:\"/old.pdf\"\n" + s_guideKey + "\"Other\"=sz:\"x\"\n", TRUE, "",
         {"/opt/rotavex", "/srv/docs/licence.txt", "", ""}},
    };
    for (const Case& c : a_cases) {
        Machine(c.sMachine);
        ScriptedMessageBox boxes;
        AppSettings::SetStartupDialogFlag(TRUE);
        AppSettings::InstallPaths paths{"?", "?", "?", "?"};
        EXPECT_EQ(AppSettings::ReadInstallPaths(paths), c.bResult) << c.pName;
        if (c.sMessage.empty()) {
            EXPECT_TRUE(boxes.Boxes().empty()) << c.pName;
        } else {
            ASSERT_EQ(boxes.Boxes().size(), 1u) << c.pName;
            EXPECT_EQ(boxes.Boxes()[0].sText, c.sMessage) << c.pName;
            EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION) << c.pName;
            EXPECT_FALSE(AppSettings::GetStartupDialogFlag()) << c.pName;
        }
        if (c.bResult) {
            EXPECT_EQ(paths.Path, c.expected.Path) << c.pName;
            EXPECT_EQ(paths.License, c.expected.License) << c.pName;
            EXPECT_EQ(paths.UserGuide, c.expected.UserGuide) << c.pName;
            EXPECT_EQ(paths.RelNotes, c.expected.RelNotes) << c.pName;
        }
    }
}

TEST(AppSettings, TheStartupDialogFlagFallsWithAFileOnTheCommandLineOrAnyStartupMessage)
{
    ScriptedMessageBox boxes;
    AppSettings::SetStartupDialogFlag(TRUE);
    AppSettings::CommandLineNamesFile(FALSE);
    EXPECT_TRUE(AppSettings::GetStartupDialogFlag());
    AppSettings::CommandLineNamesFile(TRUE);
    EXPECT_FALSE(AppSettings::GetStartupDialogFlag());

    AppSettings::SetStartupDialogFlag(TRUE);
    AppSettings::StartupMessage("Something to say.");
    EXPECT_FALSE(AppSettings::GetStartupDialogFlag());
    AppSettings::SetStartupDialogFlag(TRUE);
    AppSettings::StartupMessageId(10017, "", "");
    EXPECT_FALSE(AppSettings::GetStartupDialogFlag());
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

} // namespace
