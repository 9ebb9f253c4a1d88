// The start-up dialog's rules: the event names of the recent files from
// good, missing and damaged files, the rows and names shown, whether "open
// last" may fire, and the command each answer posts, with "OpenLast"
// written on every path.
#include "framework/FileIO.h"
#include "framework/Settings.h"
#include "model/EventDoc.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/StartupRules.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class StartupRulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = fs::temp_directory_path()
            / ("rvx-startup-" + std::to_string(getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(fsFolder);
        fs::create_directories(fsFolder / "sub");
        fs::copy_file(fs::path(ROTAVEX_EVENTS_DIR) / "week-days.eve", Good());
        // Version 40, then a name said to be 255 bytes long of which 3 are
        // there.
        WriteFileAtomically(Damaged(), std::vector<std::uint8_t>{40, 0, 0, 0, 0xFE, 'a', 'b', 'c'});
        WriteFileAtomically(Foreign(), std::string("#!/bin/sh\necho not an event\n"));
        CSettingsStore::Get().Configure((fsFolder / "user" / "settings").string(), "");
    }
    void TearDown() override
    {
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    std::string Good() const { return (fsFolder / "sub" / "good.eve").string(); }
    std::string Damaged() const { return (fsFolder / "damaged.eve").string(); }
    std::string Foreign() const { return (fsFolder / "foreign.eve").string(); }
    std::string Missing() const { return (fsFolder / "gone.eve").string(); }

    fs::path fsFolder;
};

} // namespace

TEST_F(StartupRulesTest, EventNamesOfGoodMissingAndDamagedFiles)
{
    struct Case {
        std::string sPath;
        const char* pName;
        bool bOk;
    };
    const Case a_cases[] = {
        {Good(), "Weekly classes", true},
        {Missing(), "(Not found)", false},
        {(fsFolder / "no folder" / "x.eve").string(), "(Not found)", false},
        // A path through a file is a bad path too.
        {Good() + "/x.eve", "(Not found)", false},
        {Damaged(), "", false},
        {Foreign(), "", false},
        {(fsFolder / "sub").string(), "", false},
        // A pipe is no event file, and nothing writing to it must not hold
        // the start-up.
        {(fsFolder / "pipe.eve").string(), "", false},
    };
    ASSERT_EQ(mkfifo((fsFolder / "pipe.eve").c_str(), 0600), 0);
    for (const Case& c : a_cases) {
        bool b_ok = !c.bOk;
        EXPECT_EQ(StartupRules::ReadEventName(c.sPath, b_ok), c.pName) << c.sPath;
        EXPECT_EQ(b_ok, c.bOk) << c.sPath;
    }
}

TEST_F(StartupRulesTest, RowsShowNamesBelowTheWorkingFolderRelativeAndTheFirstDecidesOpenLast)
{
    const std::string s_cwd = fsFolder.string();
    EXPECT_EQ(StartupRules::DisplayName(Good(), s_cwd), "sub/good.eve");
    EXPECT_EQ(StartupRules::DisplayName(Good(), s_cwd + "/"), "sub/good.eve");
    EXPECT_EQ(StartupRules::DisplayName("/elsewhere/x.eve", s_cwd), "/elsewhere/x.eve");
    EXPECT_EQ(StartupRules::DisplayName(Good(), ""), Good());

    const StartupRules::RecentRows rows = StartupRules::MakeRecentRows({Good(), "", Missing(), Damaged()}, s_cwd);
    ASSERT_EQ(rows.vRows.size(), 3u);
    EXPECT_TRUE(rows.bFirstReadable);
    EXPECT_EQ(rows.vRows[0].sDisplay, "sub/good.eve");
    EXPECT_EQ(rows.vRows[0].sEventName, "Weekly classes");
    EXPECT_EQ(rows.vRows[0].iIndex, 0);
    // The empty entry is skipped; the rows keep the entries' indexes.
    EXPECT_EQ(rows.vRows[1].sDisplay, "gone.eve");
    EXPECT_EQ(rows.vRows[1].sEventName, "(Not found)");
    EXPECT_EQ(rows.vRows[1].iIndex, 2);
    EXPECT_EQ(rows.vRows[2].sEventName, "");
    EXPECT_EQ(rows.vRows[2].iIndex, 3);

    // A missing or damaged first file: "open last" must not fire.
    EXPECT_FALSE(StartupRules::MakeRecentRows({Missing(), Good()}, s_cwd).bFirstReadable);
    EXPECT_FALSE(StartupRules::MakeRecentRows({Damaged()}, s_cwd).bFirstReadable);
    EXPECT_FALSE(StartupRules::MakeRecentRows({}, s_cwd).bFirstReadable);
}

TEST_F(StartupRulesTest, EachAnswerPostsItsCommandAndOpenLastIsWrittenWhateverTheAnswer)
{
    struct Case {
        int iResult;
        int iChosen;
        UINT uCommand;
    };
    const Case a_cases[] = {
        {IDC_STARTUP_NEW, -1, EventDoc::ID_NEW_EVENT_DEFINITION},
        {IDC_STARTUP_OPEN, 0, ID_FILE_MRU_FILE1},
        {IDC_STARTUP_OPEN, 3, ID_FILE_MRU_FILE1 + 3},
        {IDC_STARTUP_OPEN, 15, ID_FILE_MRU_FILE1 + 15},
        {IDC_STARTUP_OPEN, 16, ID_FILE_OPEN},
        {IDC_STARTUP_OPEN, -1, ID_FILE_OPEN},
        {IDC_STARTUP_SAMPLE, -1, ID_FILE_OPEN_SAMPLE},
        {IDC_STARTUP_EXIT, -1, ID_APP_EXIT},
        // The dialog closed: nothing.
        {2, -1, 0},
        {0, 1, 0},
    };
    EXPECT_EQ(ID_FILE_OPEN_SAMPLE, 32817u);
    EXPECT_EQ(ID_APP_EXIT, 57665u);
    EXPECT_EQ(EventDoc::ID_NEW_EVENT_DEFINITION, 32774u);
    for (const Case& c : a_cases) {
        for (const BOOL b_openLast : {TRUE, FALSE}) {
            AppSettings::SetOpenLast(!b_openLast);
            EXPECT_EQ(StartupRules::FinishStartup(c.iResult, c.iChosen, b_openLast), c.uCommand) << c.iResult;
            EXPECT_EQ(AppSettings::GetOpenLast(), b_openLast) << c.iResult;
        }
    }
}
