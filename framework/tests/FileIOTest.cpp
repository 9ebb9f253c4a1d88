#include "framework/Archive.h"
#include "framework/FileIO.h"

#include <filesystem>
#include <gtest/gtest.h>
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
