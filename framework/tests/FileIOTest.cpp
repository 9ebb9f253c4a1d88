#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/FileIO.h"
#include "testsupport/OrdinaryUser.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <set>
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

// A folder the user may not write: the save says so and the old file stays
// whole (as an ordinary user: root may write into any folder).
TEST_F(FileIOTest, FailedSaveLeavesTheOldFileWhole)
{
    const std::string s_path = (pDir / "keep.eve").string();
    WriteFileAtomically(s_path, std::string("old contents"));
    chmod(s_path.c_str(), 0666);
    chmod(pDir.c_str(), RunningAsRoot() ? 0755 : 0555);
    EXPECT_EQ(RunAsOrdinaryUser([&]() -> std::string {
                  try {
                      WriteFileAtomically(s_path, std::string("new"));
                      return "saved";
                  } catch (const CFileException& e) {
                      return e.GetReason();
                  }
              }),
              "cannot create a file in this folder: Permission denied");
    chmod(pDir.c_str(), 0700);
    EXPECT_EQ(Text(s_path), "old contents");
    EXPECT_EQ(Names(pDir), std::set<std::string>{"keep.eve"});
}

TEST_F(FileIOTest, SaveIntoAMissingFolderFailsCleanly)
{
    EXPECT_THROW(WriteFileAtomically((pDir / "no" / "x.eve").string(), std::string("x")), CFileException);
    EXPECT_THROW(ReadWholeFile((pDir / "missing.eve").string()), CFileException);
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

TEST_F(FileIOTest, APipeIsWrittenIntoNotReplaced)
{
    const fs::path fs_pipe = pDir / "pipe";
    ASSERT_EQ(mkfifo(fs_pipe.c_str(), 0600), 0);
    // The reading end first, so that the write finds a reader.
    const int i_reader = open(fs_pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(i_reader, 0);
    WriteFileAtomically(fs_pipe.string(), std::string("abc"));
    char a_buf[8] = {};
    EXPECT_EQ(read(i_reader, a_buf, sizeof a_buf), 3);
    close(i_reader);
    EXPECT_EQ(std::string(a_buf), "abc");
    EXPECT_TRUE(fs::is_fifo(fs_pipe));
}

// ---- replacing a file as the desktop does ----

// A protected file is refused and left as it is, with nothing beside it.
// Without a write bit it is refused for every user, root included; a file
// the user may not write (another user's) is refused for that user.
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
                  return SaveCause(s_path, "other event") == CFileException::readOnly ? "" : "not refused";
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

    // Refused as not of the kind, without reading (a pipe without a writer
    // and the endless devices would never end).
    for (const std::string& s_path : {s_badHead, s_large, s_pipe, pDir.string(), std::string("/dev/zero"),
                                      std::string("/dev/null")})
        EXPECT_THROW(ReadDocumentFile(s_path, 1000, 4, f_head), CArchiveException) << s_path;
    EXPECT_THROW(ReadDocumentFile((pDir / "missing").string(), 1000, 4, f_head), CFileException);
}
