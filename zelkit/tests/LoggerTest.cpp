// The log stream and its redirection to another file.
#include "zelkit/windows/ZelLogger.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char a_dir[] = "/tmp/zellogXXXXXX";
        ASSERT_NE(mkdtemp(a_dir), nullptr);
        dir = a_dir;
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string Contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir;
};

TEST_F(LoggerTest, RedirectSendsLaterOutputToTheNewFileAppending)
{
    const fs::path first = dir / "first.log";
    const fs::path second = dir / "second.log";
    {
        std::ofstream(second) << "earlier\n";
    }
    ZelLogger log(first.c_str());
    ASSERT_TRUE(log.is_open());
    const int i_fd = log.fd();
    log << "one " << 1 << "\n";
    EXPECT_EQ(log.Redirect(second.c_str()), std::ios_base::goodbit);
    EXPECT_EQ(log.fd(), i_fd); // the same descriptor, now another file
    log << "two " << 2 << "\n";
    log.close();
    EXPECT_EQ(Contents(first), "one 1\n"); // pending output went to the old file
    EXPECT_EQ(Contents(second), "earlier\ntwo 2\n");
}

TEST_F(LoggerTest, RedirectCreatesAMissingFileWithGroupWritePermission)
{
    const fs::path first = dir / "first.log";
    const fs::path created = dir / "created.log";
    const mode_t u_old = umask(0);
    ZelLogger log(first.c_str());
    const auto e_state = log.Redirect(created.c_str());
    umask(u_old);
    EXPECT_EQ(e_state, std::ios_base::goodbit);
    struct stat st {};
    ASSERT_EQ(stat(created.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0664u);
}

TEST_F(LoggerTest, RedirectKeepsTheDescriptorsCloseOnExecSetting)
{
    const fs::path first = dir / "first.log";
    const fs::path second = dir / "second.log";
    const int i_plain = ::open(first.c_str(), O_WRONLY | O_CREAT, 0664);
    ASSERT_GE(i_plain, 0);
    {
        ZelLogger own(first.c_str());
        ZelLogger attached(i_plain);
        const struct {
            ZelLogger* p_log;
            int i_cloexec;
        } a_cases[] = {{&own, FD_CLOEXEC}, {&attached, 0}};
        for (const auto& c : a_cases) {
            ASSERT_EQ(c.p_log->Redirect(second.c_str()), std::ios_base::goodbit);
            EXPECT_EQ(::fcntl(c.p_log->fd(), F_GETFD) & FD_CLOEXEC, c.i_cloexec) << c.p_log->fd();
        }
    }
    ::close(i_plain);
}

TEST_F(LoggerTest, RedirectMendsADescriptorItsOwnerClosed)
{
    // The closed descriptor's number is the lowest free one, so the new
    // file gets it.
    const int i_fd = ::open((dir / "gone.log").c_str(), O_WRONLY | O_CREAT, 0664);
    ASSERT_GE(i_fd, 0);
    ZelLogger log(i_fd);
    ::close(i_fd);
    const fs::path path = dir / "new.log";
    EXPECT_EQ(log.Redirect(path.c_str()), std::ios_base::goodbit);
    log << "after\n";
    log.flush();
    EXPECT_TRUE(log.good());
    EXPECT_EQ(Contents(path), "after\n");
    ::close(i_fd); // the caller's number, now the new file's
}

TEST_F(LoggerTest, RedirectToAMissingFolderSetsTheFailBit)
{
    ZelLogger log((dir / "a.log").c_str());
    const auto e_state = log.Redirect((dir / "missing" / "b.log").c_str());
    EXPECT_TRUE(e_state & std::ios_base::failbit);
    EXPECT_FALSE(e_state & std::ios_base::badbit);
    EXPECT_TRUE(log.fail());
    // The stream still refers to its file.
    log.clear();
    log << "kept\n";
    log.close();
    EXPECT_EQ(Contents(dir / "a.log"), "kept\n");
}

TEST_F(LoggerTest, RedirectWithoutAnOpenFileSetsFailAndBad)
{
    ZelLogger log;
    const auto e_state = log.Redirect((dir / "b.log").c_str());
    EXPECT_TRUE(e_state & std::ios_base::failbit);
    EXPECT_TRUE(e_state & std::ios_base::badbit);
}

TEST_F(LoggerTest, OpenFailureAndModes)
{
    ZelLogger missing((dir / "no" / "x.log").c_str());
    EXPECT_FALSE(missing.is_open());
    EXPECT_TRUE(missing.fail());

    const fs::path path = dir / "m.log";
    { ZelLogger(path.c_str()) << "first\n"; }
    { ZelLogger(path.c_str(), std::ios_base::app) << "second\n"; }
    EXPECT_EQ(Contents(path), "first\nsecond\n");
    { ZelLogger(path.c_str()) << "third\n"; } // plain output truncates
    EXPECT_EQ(Contents(path), "third\n");
}

TEST_F(LoggerTest, AttachedDescriptorsWriteThroughTheCallersBufferAndStayOpen)
{
    const fs::path path = dir / "fd.log";
    { std::ofstream(path) << ""; }
    const int i_fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(i_fd, 0);
    {
        char a_buf[4];
        ZelLogger log(i_fd, a_buf, sizeof a_buf);
        log << "ab" << "cdefgh" << 'i';
        log.flush();
        ZelLogger unbuffered(i_fd);
        unbuffered << "!";
    }
    EXPECT_EQ(::write(i_fd, "?", 1), 1); // not closed by the streams
    ::close(i_fd);
    EXPECT_EQ(Contents(path), "abcdefghi!?");
}

} // namespace
