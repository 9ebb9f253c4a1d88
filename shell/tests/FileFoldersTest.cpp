// Where the file dialogs open: the desktop's documents folder as the
// environment and user-dirs.dirs name it (the home folder when neither
// names one that exists), the folder of the last event file while it
// exists, and the event's name made a file name.
#include "framework/FileIO.h"
#include "framework/Settings.h"
#include "shell/frame/FileFolders.h"
#include "testsupport/EnvScope.h"
#include "testsupport/ProgramFolder.h"
#include "zelkit/values/ZelRegistry.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace fs = std::filesystem;

namespace {

class FileFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-folders");
        fs::create_directories(Home() / "Papers");
        fs::create_directories(Home() / ".config");
        CSettingsStore::Get().Configure((fsFolder / "user" / "settings").string(), "");
    }
    void TearDown() override
    {
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }
    fs::path Home() const { return fsFolder / "home"; }
    void UserDirs(const std::string& s_text) const
    {
        WriteFileAtomically((Home() / ".config" / "user-dirs.dirs").string(), s_text);
    }
    void LastFile(const std::string& s_path) const
    {
        ZelRegistry key(HKEY_CURRENT_USER, FileFolders::RecentFilesKey(), KEY_READ | KEY_WRITE, true);
        ASSERT_TRUE(key.IsOpen());
        key.SetValue("File1", s_path);
    }

    fs::path fsFolder;
};

} // namespace

TEST_F(FileFoldersTest, DocumentsFolderFromTheEnvironmentOrUserDirsElseHome)
{
    const std::string s_home = Home().string(), s_papers = (Home() / "Papers").string();
    struct Case {
        const char* pWhat;
        std::optional<std::string> oEnv;
        std::string sUserDirs;
        std::string sExpected;
    } a_cases[] = {
        {"user-dirs under $HOME", std::nullopt, "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n",
         s_papers},
        {"user-dirs absolute", std::nullopt, "XDG_DESKTOP_DIR=\"$HOME\"\n  XDG_DOCUMENTS_DIR=\"" + s_papers + "\"\n",
         s_papers},
        {"the environment first", s_papers, "XDG_DOCUMENTS_DIR=\"$HOME/Missing\"\n", s_papers},
        {"a folder that is not there", std::nullopt, "XDG_DOCUMENTS_DIR=\"$HOME/Missing\"\n", s_home},
        {"no line for it", std::nullopt, "XDG_MUSIC_DIR=\"$HOME/Papers\"\n", s_home},
        {"a relative folder", "Papers", "", s_home},
    };
    const EnvScope home("HOME", s_home);
    const EnvScope config("XDG_CONFIG_HOME", std::nullopt);
    for (const Case& c : a_cases) {
        const EnvScope env("XDG_DOCUMENTS_DIR", c.oEnv);
        UserDirs(c.sUserDirs);
        EXPECT_EQ(FileFolders::DocumentsFolder(), c.sExpected) << c.pWhat;
    }
    // No user-dirs.dirs at all.
    fs::remove(Home() / ".config" / "user-dirs.dirs");
    const EnvScope env("XDG_DOCUMENTS_DIR", std::nullopt);
    EXPECT_EQ(FileFolders::DocumentsFolder(), s_home);
}

TEST_F(FileFoldersTest, StartFolderIsTheLastFilesWhileItExists)
{
    const EnvScope home("HOME", Home().string());
    const EnvScope config("XDG_CONFIG_HOME", (Home() / ".config").string());
    const EnvScope env("XDG_DOCUMENTS_DIR", std::nullopt);
    UserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    // No event opened or saved yet: the documents folder.
    EXPECT_EQ(FileFolders::StartFolder(), (Home() / "Papers").string());
    fs::create_directories(fsFolder / "events");
    LastFile((fsFolder / "events" / "camp.eve").string());
    EXPECT_EQ(FileFolders::StartFolder(), (fsFolder / "events").string());
    // The folder has gone since.
    fs::remove_all(fsFolder / "events");
    EXPECT_EQ(FileFolders::StartFolder(), (Home() / "Papers").string());
}

TEST(FileFolders, EventNameAsAFileName)
{
    struct Case {
        std::string sEvent;
        const char* pExpected;
    } a_cases[] = {
        {"Summer camp", "Summer camp.eve"},
        {"Term 1/2: \"Strings\"", "Term 1-2- -Strings-.eve"},
        {"Caf\xe9 club", "Caf\xc3\xa9 club.eve"}, // code page 1252 to UTF-8
        {"", "Event.eve"},
        {"..", "Event.eve"},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(FileFolders::NameForFile(c.sEvent, "Event", ".eve"), c.pExpected) << c.sEvent;
    EXPECT_EQ(FileFolders::NameForFile("", "", ".htm"), "");
}
