#include "framework/Archive.h"
#include "framework/FileIO.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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

TEST_F(FileIOTest, FailedSaveLeavesTheOldFileWhole)
{
    const std::string s_path = (pDir / "keep.eve").string();
    WriteFileAtomically(s_path, std::string("old contents"));
    if (getuid() == 0)
        GTEST_SKIP() << "root may write to a read-only folder";
    chmod(pDir.c_str(), 0500);
    EXPECT_THROW(WriteFileAtomically(s_path, std::string("new")), CFileException);
    chmod(pDir.c_str(), 0700);
    const auto v = ReadWholeFile(s_path);
    EXPECT_EQ(std::string(v.begin(), v.end()), "old contents");
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
