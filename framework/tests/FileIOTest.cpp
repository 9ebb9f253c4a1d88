#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/FileIO.h"
#include "framework/tests/TornWrite.h"
#include "testsupport/EnvScope.h"
#include "testsupport/OrdinaryUser.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using ordinaryuser::RunAsOrdinaryUser;
using ordinaryuser::RunningAsRoot;

namespace {

std::string Text(const std::string& s_path)
{
    const auto v = ReadWholeFile(s_path);
    return std::string(v.begin(), v.end());
}

// The names in a folder, hidden ones too.
std::set<std::string> Names(const fs::path& fs_dir)
{
    std::set<std::string> v;
    for (const auto& entry : fs::directory_iterator(fs_dir))
        v.insert(entry.path().filename().string());
    return v;
}

// The cause of the failure of a save, or -1 when it succeeded.
int SaveCause(const std::string& s_path, const std::string& s_bytes)
{
    try {
        WriteFileAtomically(s_path, s_bytes);
        return -1;
    } catch (const CFileException& e) {
        return e.GetCause();
    }
}

class FileIOTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pDir = fs::temp_directory_path() / ("rvx-fileio-" + std::to_string(getpid()));
        fs::create_directories(pDir);
    }
    void TearDown() override
    {
        chmod(pDir.c_str(), 0700);
        fs::remove_all(pDir);
    }
    fs::path pDir;
};

TEST_F(FileIOTest, ArchiveSavesAndLoadsAFile)
{
    const std::string s_path = (pDir / "a.eve").string();
    CArchive ar;
    ar << std::uint32_t{40} << std::string("event");
    ar.SaveToFile(s_path);

    CArchive in = CArchive::OpenForLoading(s_path);
    std::uint32_t u;
    std::string s;
    in >> u >> s;
    EXPECT_EQ(u, 40u);
    EXPECT_EQ(s, "event");
    EXPECT_EQ(fs::directory_iterator(pDir)->path().filename(), "a.eve"); // no temporary left
}

// A file the user may write in a folder the user may not: it is written
// in place, as the desktop's editors do, with its safety copy in the
// user's cache folder, which is empty again after the save. A new file
// cannot be made there. (As an ordinary user: root may write into any
// folder.)
TEST_F(FileIOTest, AWritableFileInALockedFolderIsWrittenInPlace)
{
    const fs::path fs_locked = pDir / "locked";
    const fs::path fs_cache = pDir / "cache";
    fs::create_directories(fs_locked);
    fs::create_directories(fs_cache);
    const std::string s_path = (fs_locked / "keep.eve").string();
    WriteFileAtomically(s_path, std::string("old contents"));
    struct stat st_before {};
    ASSERT_EQ(stat(s_path.c_str(), &st_before), 0);
    chmod(s_path.c_str(), 0666);
    chmod(pDir.c_str(), 0755);
    chmod(fs_cache.c_str(), 0777);
    chmod(fs_locked.c_str(), RunningAsRoot() ? 0755 : 0555);
    const EnvScope cache("XDG_CACHE_HOME", fs_cache.string());
    EXPECT_EQ(RunAsOrdinaryUser([&]() -> std::string {
                  try {
                      WriteFileAtomically(s_path, std::string("new contents, longer than the old"));
                  } catch (const CFileException& e) {
                      return "not saved: " + e.GetReason();
                  }
                  try {
                      WriteFileAtomically((fs_locked / "new.eve").string(), std::string("new"));
                      return "a new file was made";
                  } catch (const CFileException& e) {
                      return e.GetReason();
                  }
              }),
              "cannot create a file in this folder: Permission denied");
    chmod(fs_locked.c_str(), 0700);
    EXPECT_EQ(Text(s_path), "new contents, longer than the old");
    struct stat st_after {};
    ASSERT_EQ(stat(s_path.c_str(), &st_after), 0);
    EXPECT_EQ(st_after.st_ino, st_before.st_ino) << "written in place";
    EXPECT_EQ(Names(fs_locked), std::set<std::string>{"keep.eve"});
    EXPECT_EQ(Names(fs_cache / "rotavex"), std::set<std::string>{}) << "the copy is removed";
}

// A write in place torn by a kill: the whole copy stays under its rescue
// name, beside the file or, for a file in a locked folder, in the user's
// cache folder; FindRescueCopies names it. Saves of the file that leave it
// holding other bytes keep the copy, however old; the save that puts the
// copy's bytes in place removes it.
TEST_F(FileIOTest, ATornWriteInPlaceKeepsItsRescueCopy)
{
    const std::string s_old(32 << 20, 'o');
    const std::string s_new(32 << 20, 'n');
    const fs::path fs_cache = pDir / "cache";
    fs::create_directories(fs_cache);
    chmod(pDir.c_str(), 0755);
    chmod(fs_cache.c_str(), 0777);
    const EnvScope cache("XDG_CACHE_HOME", fs_cache.string());
    uid_t u_uid = getuid();
    gid_t u_gid = getgid();
    if (RunningAsRoot()) {
        ASSERT_TRUE(ordinaryuser::NobodyIds(u_uid, u_gid));
    }

    struct Case {
        const char* pWhat;
        fs::path fsFolder;
        bool bLocked;
    };
    for (const Case& c : {Case{"hard-linked", pDir / "linked", false}, Case{"in a locked folder", pDir / "locked", true}}) {
        SCOPED_TRACE(c.pWhat);
        fs::create_directories(c.fsFolder);
        const std::string s_path = (c.fsFolder / "a.eve").string();
        WriteFileAtomically(s_path, s_old);
        if (c.bLocked) {
            ASSERT_EQ(chown(s_path.c_str(), u_uid, u_gid), 0);
            chmod(c.fsFolder.c_str(), 0555);
        } else {
            fs::create_hard_link(s_path, c.fsFolder / "b.eve");
        }
        // As the folder's user would: an ordinary one for the locked folder.
        const auto f_save = [&] {
            if (c.bLocked && RunningAsRoot() && (setgroups(0, nullptr) != 0 || setgid(u_gid) != 0 || setuid(u_uid) != 0))
                _exit(3);
            WriteFileAtomically(s_path, s_new);
        };
        std::string s_torn;
        for (int i_try = 0; i_try < 10 && s_torn.empty(); ++i_try) {
            if (tornwrite::KillPartWay(s_path, s_new, f_save) && Text(s_path) != s_new) {
                s_torn = Text(s_path);
            } else {
                // Caught too late: the file is whole, and a copy of another
                // user is not root's save to sweep.
                for (const std::string& s_copy : FindRescueCopies(s_path))
                    fs::remove(s_copy);
                WriteFileAtomically(s_path, s_old);
            }
        }
        ASSERT_FALSE(s_torn.empty()) << "no kill caught the write part way";
        EXPECT_NE(s_torn, s_old);

        const std::vector<std::string> v_copies = FindRescueCopies(s_path);
        ASSERT_EQ(v_copies.size(), 1u);
        const fs::path fs_copy = v_copies[0];
        if (c.bLocked) {
            EXPECT_EQ(fs_copy.parent_path(), fs_cache / "rotavex");
            EXPECT_EQ(fs_copy.filename().string().rfind("a.eve.rotavex-rescue-", 0), 0u) << fs_copy;
        } else {
            EXPECT_EQ(fs_copy.parent_path(), c.fsFolder);
            EXPECT_EQ(fs_copy.filename().string().rfind(".a.eve.rotavex-rescue-", 0), 0u) << fs_copy;
        }
        EXPECT_TRUE(Text(fs_copy.string()) == s_new) << "the copy is whole";

        // An old copy outlives the sweep of a save of other bytes (by the
        // user who made it, as it would be).
        const auto f_saveAgain = [&](const std::string& s_bytes) {
            if (!c.bLocked) {
                WriteFileAtomically(s_path, s_bytes);
                return;
            }
            EXPECT_EQ(RunAsOrdinaryUser([&]() -> std::string {
                          try {
                              WriteFileAtomically(s_path, s_bytes);
                              return "";
                          } catch (const CFileException& e) {
                              return e.GetReason();
                          }
                      }),
                      "");
        };
        fs::last_write_time(fs_copy, fs::file_time_type::clock::now() - std::chrono::minutes(10));
        f_saveAgain("other bytes");
        EXPECT_EQ(Text(s_path), "other bytes");
        EXPECT_TRUE(fs::exists(fs_copy));
        EXPECT_EQ(FindRescueCopies(s_path), v_copies);
        // The copy's bytes saved in place of the file: it is spent.
        f_saveAgain(s_new);
        EXPECT_TRUE(Text(s_path) == s_new);
        EXPECT_FALSE(fs::exists(fs_copy));
        EXPECT_TRUE(FindRescueCopies(s_path).empty());
        chmod(c.fsFolder.c_str(), 0755);
        fs::remove_all(c.fsFolder);
    }
}

// Under a file-size limit, a save that would pass it fails with the
// system's reason, leaves the old file whole and nothing beside it, and
// the process goes on: in a child that sets up its signals as the program
// and evetool do at start-up (from the default disposition, whatever the
// test runner left). Without that set-up the signal ends the child, which
// shows what the test would catch.
TEST_F(FileIOTest, ASaveBeyondTheFileSizeLimitFailsAndTheProcessGoesOn)
{
    const std::string s_path = (pDir / "limited.eve").string();
    const std::string s_old(1000, 'o');
    WriteFileAtomically(s_path, s_old);
    const auto f_saveUnderLimit = [&](bool b_setUp, bool b_linked) {
        int a_pipe[2];
        EXPECT_EQ(pipe(a_pipe), 0);
        std::fflush(nullptr);
        const pid_t i_child = fork();
        if (i_child == 0) {
            close(a_pipe[0]);
            std::signal(SIGXFSZ, SIG_DFL);
            if (b_setUp)
                IgnoreFileSizeSignal();
            rlimit o_limit{};
            getrlimit(RLIMIT_FSIZE, &o_limit);
            o_limit.rlim_cur = 64 * 1024;
            setrlimit(RLIMIT_FSIZE, &o_limit);
            std::string s_result = "saved";
            try {
                WriteFileAtomically(b_linked ? (pDir / "link.eve").string() : s_path, std::string(1 << 20, 'n'));
            } catch (const CFileException& e) {
                s_result = e.GetReason();
            }
            const ssize_t i_put = write(a_pipe[1], s_result.data(), s_result.size());
            _exit(i_put > 0 ? 0 : 1);
        }
        close(a_pipe[1]);
        std::string s_result;
        char a_buf[256];
        ssize_t n;
        while ((n = read(a_pipe[0], a_buf, sizeof a_buf)) > 0)
            s_result.append(a_buf, static_cast<std::size_t>(n));
        close(a_pipe[0]);
        int i_status = 0;
        waitpid(i_child, &i_status, 0);
        if (WIFSIGNALED(i_status))
            return "killed by signal " + std::to_string(WTERMSIG(i_status));
        return s_result;
    };
    EXPECT_EQ(f_saveUnderLimit(true, false), "cannot write the file: File too large");
    EXPECT_EQ(Text(s_path), s_old);
    EXPECT_EQ(Names(pDir), std::set<std::string>{"limited.eve"});
    // Hard-linked, the file would be written in place: the copy fails first.
    fs::create_hard_link(s_path, pDir / "link.eve");
    EXPECT_EQ(f_saveUnderLimit(true, true), "cannot write the file: File too large");
    EXPECT_EQ(Text(s_path), s_old);
    EXPECT_EQ(Names(pDir), (std::set<std::string>{"limited.eve", "link.eve"}));

    EXPECT_EQ(f_saveUnderLimit(false, false), "killed by signal " + std::to_string(SIGXFSZ));
}

// What is not a regular file is refused before it is opened for writing:
// a pipe without a reader (which would wait for ever), a link to one, a
// folder and a device stay as they are, and nothing is left beside them.
TEST_F(FileIOTest, WhatIsNotARegularFileIsNotSavedOver)
{
    const fs::path fs_pipe = pDir / "pipe";
    ASSERT_EQ(mkfifo(fs_pipe.c_str(), 0600), 0);
    fs::create_symlink(fs_pipe, pDir / "to-pipe.eve");
    chmod(pDir.c_str(), 0755);
    fs::create_directories(pDir / "folder.eve");
    for (const std::string& s_path : {fs_pipe.string(), (pDir / "to-pipe.eve").string(), (pDir / "folder.eve").string(),
                                      std::string("/dev/null")}) {
        EXPECT_EQ(RunAsOrdinaryUser([&] {
                      alarm(20); // a save that waits would end here
                      return std::to_string(SaveCause(s_path, "event"));
                  }),
                  std::to_string(CFileException::notRegular))
            << s_path;
    }
    EXPECT_TRUE(fs::is_fifo(fs_pipe));
    EXPECT_TRUE(fs::is_empty(pDir / "folder.eve"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(Names(pDir), (std::set<std::string>{"pipe", "to-pipe.eve", "folder.eve"}));
}

// The folder a file goes in is missing: the save and the open name that
// folder, the one a link leads into too; a missing file in a folder that
// is there names no folder.
TEST_F(FileIOTest, AMissingFolderIsNamed)
{
    const auto f_saveFailure = [](const std::string& s_path) {
        try {
            WriteFileAtomically(s_path, std::string("x"));
            return CFileException(s_path, "saved");
        } catch (const CFileException& e) {
            return e;
        }
    };
    const auto f_openFailure = [](const std::string& s_path) {
        try {
            ReadDocumentFile(s_path, 1000, 0, [](const std::uint8_t*, std::size_t) { return true; });
            return CFileException(s_path, "opened");
        } catch (const CFileException& e) {
            return e;
        }
    };
    fs::create_symlink(pDir / "gone" / "deeper" / "real.eve", pDir / "link.eve");
    const std::string s_deeper = (pDir / "gone" / "deeper").string();
    struct Case {
        std::string sPath;
        std::string sMissing;
    };
    for (const Case& c : {Case{(pDir / "no" / "x.eve").string(), (pDir / "no").string()},
                          Case{(pDir / "link.eve").string(), s_deeper}}) {
        const CFileException e_save = f_saveFailure(c.sPath);
        EXPECT_EQ(e_save.GetCause(), CFileException::folderMissing) << c.sPath;
        EXPECT_EQ(e_save.GetSubject(), c.sMissing);
        EXPECT_EQ(e_save.GetReason().rfind("cannot create", 0), 0u) << "what the exports tell apart";
        const CFileException e_open = f_openFailure(c.sPath);
        EXPECT_EQ(e_open.GetCause(), CFileException::notFound) << c.sPath;
        EXPECT_EQ(e_open.GetSubject(), c.sMissing);
    }
    const CFileException e_open = f_openFailure((pDir / "missing.eve").string());
    EXPECT_EQ(e_open.GetCause(), CFileException::notFound);
    EXPECT_EQ(e_open.GetSubject(), "");
    EXPECT_THROW(ReadWholeFile((pDir / "missing.eve").string()), CFileException);
    EXPECT_EQ(Names(pDir), std::set<std::string>{"link.eve"});
}

TEST_F(FileIOTest, ReplacingKeepsTheFilesPermissions)
{
    const std::string s_path = (pDir / "p.eve").string();
    WriteFileAtomically(s_path, std::string("1"));
    chmod(s_path.c_str(), 0640);
    WriteFileAtomically(s_path, std::string("2"));
    struct stat st {};
    ASSERT_EQ(stat(s_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

} // namespace

TEST_F(FileIOTest, ALinkIsFollowedAndStaysALink)
{
    const fs::path fs_target = pDir / "real.eve";
    const fs::path fs_link = pDir / "link.eve";
    WriteFileAtomically(fs_target.string(), std::string("old"));
    fs::create_symlink(fs_target, fs_link);
    WriteFileAtomically(fs_link.string(), std::string("new"));
    EXPECT_TRUE(fs::is_symlink(fs_link));
    const auto v = ReadWholeFile(fs_target.string());
    EXPECT_EQ(std::string(v.begin(), v.end()), "new");
}

// ---- replacing a file as the desktop does ----

// A protected file is refused and left as it is, with nothing beside it.
// Without a write bit it is refused for every user, root included; a file
// the user may not write (another user's) is refused for that user as not
// writable by this user.
TEST_F(FileIOTest, AReadOnlyFileIsRefusedAndKept)
{
    const std::string s_path = (pDir / "kept.eve").string();
    WriteFileAtomically(s_path, std::string("protected"));
    chmod(s_path.c_str(), 0444);
    EXPECT_EQ(SaveCause(s_path, "other event"), CFileException::readOnly);
    EXPECT_EQ(Text(s_path), "protected");
    EXPECT_EQ(Names(pDir), std::set<std::string>{"kept.eve"});

    if (!RunningAsRoot())
        GTEST_SKIP() << "another user's file needs root to set up";
    // Root's own file, writable by root alone, saved by an ordinary user
    // in a folder that user may write.
    chmod(pDir.c_str(), 0777);
    chmod(s_path.c_str(), 0644);
    EXPECT_EQ(RunAsOrdinaryUser([&] {
                  return SaveCause(s_path, "other event") == CFileException::notWritableByUser ? "" : "not refused";
              }),
              "");
    EXPECT_EQ(Text(s_path), "protected");
    EXPECT_EQ(Names(pDir), std::set<std::string>{"kept.eve"});
}

// The new file keeps what the old one had: its links (written in place),
// its owner and group where they can be given (renamed), or else written
// in place so that they stay.
TEST_F(FileIOTest, TheFilesLinksOwnerAndGroupStay)
{
    const fs::path fs_file = pDir / "a.eve";
    const fs::path fs_other = pDir / "b.eve";
    WriteFileAtomically(fs_file.string(), std::string("old contents, longer than the new"));
    fs::create_hard_link(fs_file, fs_other);
    struct stat st_before {};
    ASSERT_EQ(stat(fs_file.c_str(), &st_before), 0);
    WriteFileAtomically(fs_other.string(), std::string("new"));
    struct stat st_after {};
    ASSERT_EQ(stat(fs_file.c_str(), &st_after), 0);
    EXPECT_EQ(st_after.st_ino, st_before.st_ino);
    EXPECT_EQ(st_after.st_nlink, 2u);
    EXPECT_EQ(Text(fs_file.string()), "new");
    EXPECT_EQ(Names(pDir), (std::set<std::string>{"a.eve", "b.eve"})) << "the copy is removed";
    fs::remove(fs_other);

    if (!RunningAsRoot())
        GTEST_SKIP() << "files of other users need root to set up";
    uid_t u_nobody = 0;
    gid_t u_nogroup = 0;
    ASSERT_TRUE(ordinaryuser::NobodyIds(u_nobody, u_nogroup));

    // Root gives the new file the old one's owner and group.
    ASSERT_EQ(chown(fs_file.c_str(), u_nobody, u_nogroup), 0);
    ASSERT_EQ(chmod(fs_file.c_str(), 0604), 0);
    WriteFileAtomically(fs_file.string(), std::string("by root"));
    ASSERT_EQ(stat(fs_file.c_str(), &st_after), 0);
    EXPECT_EQ(st_after.st_uid, u_nobody);
    EXPECT_EQ(st_after.st_gid, u_nogroup);
    EXPECT_EQ(st_after.st_mode & 07777, 0604u);
    EXPECT_EQ(Text(fs_file.string()), "by root");

    // An ordinary user cannot give root's file to root: it is written in
    // place and stays root's.
    ASSERT_EQ(chown(fs_file.c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(fs_file.c_str(), 0666), 0);
    chmod(pDir.c_str(), 0777);
    EXPECT_EQ(RunAsOrdinaryUser([&] { return SaveCause(fs_file.string(), "by nobody") == -1 ? "" : "refused"; }), "");
    ASSERT_EQ(stat(fs_file.c_str(), &st_after), 0);
    EXPECT_EQ(st_after.st_uid, 0u);
    EXPECT_EQ(st_after.st_gid, 0u);
    EXPECT_EQ(st_after.st_mode & 07777, 0666u);
    EXPECT_EQ(Text(fs_file.string()), "by nobody");
    EXPECT_EQ(Names(pDir), std::set<std::string>{"a.eve"});
}

// A link that names nothing yet: its target is created and the link stays,
// through a chain of links and a target named relative to the link.
TEST_F(FileIOTest, ALinkToNothingCreatesItsTarget)
{
    fs::create_directories(pDir / "sub");
    fs::create_symlink("sub/real.eve", pDir / "link.eve");
    fs::create_symlink(pDir / "link.eve", pDir / "chain.eve");
    WriteFileAtomically((pDir / "chain.eve").string(), std::string("made"));
    EXPECT_TRUE(fs::is_symlink(pDir / "link.eve"));
    EXPECT_TRUE(fs::is_symlink(pDir / "chain.eve"));
    EXPECT_EQ(Text((pDir / "sub" / "real.eve").string()), "made");
    EXPECT_EQ(Names(pDir / "sub"), std::set<std::string>{"real.eve"});

    fs::create_symlink("loop.eve", pDir / "loop.eve");
    EXPECT_EQ(SaveCause((pDir / "loop.eve").string(), "x"), CFileException::generic);
}

// A save killed at any moment leaves the old file or the complete new one,
// and at most a hidden temporary file of ours; the next save removes those
// older than a minute, and no other file.
TEST_F(FileIOTest, AKilledSaveLeavesAWholeFileAndAHiddenLeftover)
{
    const fs::path fs_file = pDir / "a.eve";
    const std::string s_old(3 << 20, 'o');
    const std::string s_new(5 << 20, 'n');
    WriteFileAtomically(fs_file.string(), s_old);
    for (int i_delay : {0, 1, 3, 7, 15, 30}) {
        std::fflush(nullptr);
        const pid_t i_child = fork();
        ASSERT_GE(i_child, 0);
        if (i_child == 0) {
            for (int i = 0;; ++i)
                WriteFileAtomically(fs_file.string(), i % 2 ? s_old : s_new);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(i_delay));
        kill(i_child, SIGKILL);
        waitpid(i_child, nullptr, 0);
        const std::string s_now = Text(fs_file.string());
        EXPECT_TRUE(s_now == s_old || s_now == s_new) << "torn after " << i_delay << " ms";
        for (const std::string& s_name : Names(pDir))
            EXPECT_TRUE(s_name == "a.eve" || s_name.rfind(".a.eve.rotavex-", 0) == 0) << s_name;
    }

    // Leftovers older than a minute go; a fresh one (a save at work) and
    // another file's stay.
    const fs::path fs_fresh = pDir / ".a.eve.rotavex-Fresh1";
    const fs::path fs_others = pDir / ".b.eve.rotavex-Old123";
    WriteFileAtomically(fs_fresh.string(), std::string("x"));
    WriteFileAtomically(fs_others.string(), std::string("x"));
    const auto t_old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const std::string& s_name : Names(pDir))
        if (s_name != ".a.eve.rotavex-Fresh1")
            fs::last_write_time(pDir / s_name, t_old);
    WriteFileAtomically(fs_file.string(), std::string("saved"));
    EXPECT_EQ(Names(pDir), (std::set<std::string>{"a.eve", ".a.eve.rotavex-Fresh1", ".b.eve.rotavex-Old123"}));
    EXPECT_EQ(Text(fs_file.string()), "saved");
}

// Saves racing to one path leave one of them whole, and nothing beside it.
TEST_F(FileIOTest, RacingSavesLeaveOneWholeFile)
{
    const std::string s_path = (pDir / "race.eve").string();
    std::vector<std::string> v_contents;
    for (int i = 0; i < 8; ++i)
        v_contents.push_back(std::string(std::size_t(200000 + i * 1000), static_cast<char>('a' + i)));
    std::atomic<int> n_failed{0};
    std::vector<std::thread> v_threads;
    for (int i = 0; i < 8; ++i)
        v_threads.emplace_back([&, i] {
            for (int k = 0; k < 5; ++k)
                if (SaveCause(s_path, v_contents[std::size_t(i)]) != -1)
                    ++n_failed;
        });
    for (auto& t : v_threads)
        t.join();
    EXPECT_EQ(n_failed, 0);
    const std::string s_now = Text(s_path);
    EXPECT_NE(std::find(v_contents.begin(), v_contents.end(), s_now), v_contents.end());
    EXPECT_EQ(Names(pDir), std::set<std::string>{"race.eve"});
}

// ---- reading a document file ----

TEST_F(FileIOTest, ADocumentFileIsLookedAtBeforeItIsRead)
{
    const std::string s_good = (pDir / "good.doc").string();
    const std::string s_badHead = (pDir / "head.doc").string();
    const std::string s_large = (pDir / "large.doc").string();
    const std::string s_pipe = (pDir / "pipe").string();
    WriteFileAtomically(s_good, std::string("DOC1 and the rest"));
    WriteFileAtomically(s_badHead, std::string("TEXT and the rest"));
    WriteFileAtomically(s_large, std::string("DOC1"));
    ASSERT_EQ(truncate(s_large.c_str(), 1001), 0);
    ASSERT_EQ(mkfifo(s_pipe.c_str(), 0600), 0);

    std::size_t n_headSeen = 0;
    const HeadCheck f_head = [&](const std::uint8_t* p, std::size_t n) {
        n_headSeen = n;
        return n >= 4 && std::string(reinterpret_cast<const char*>(p), 4) == "DOC1";
    };
    const auto v = ReadDocumentFile(s_good, 1000, 4, f_head);
    EXPECT_EQ(std::string(v.begin(), v.end()), "DOC1 and the rest");
    EXPECT_EQ(n_headSeen, 4u);

    // Refused without reading (a pipe without a writer and the endless
    // devices would never end): what is not a regular file, what is larger
    // than the bound, and what begins otherwise (not of the kind).
    for (const std::string& s_path : {s_large, s_pipe, pDir.string(), std::string("/dev/zero"), std::string("/dev/null")}) {
        try {
            ReadDocumentFile(s_path, 1000, 4, f_head);
            ADD_FAILURE() << s_path << " was read";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetCause(), s_path == s_large ? CFileException::tooLarge : CFileException::notRegular) << s_path;
        }
    }
    EXPECT_THROW(ReadDocumentFile(s_badHead, 1000, 4, f_head), CArchiveException);
    EXPECT_THROW(ReadDocumentFile((pDir / "missing").string(), 1000, 4, f_head), CFileException);
}
