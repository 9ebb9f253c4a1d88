// Mail to recipients through the desktop's composer: a recording stand-in
// of the tool on PATH shows what the program hands over.
#include "output/RecipientMail.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class PathScope {
public:
    explicit PathScope(const std::string& s_path)
    {
        if (const char* p = std::getenv("PATH"))
            sOld = p;
        setenv("PATH", s_path.c_str(), 1);
        DesktopMailComposer::ForgetAvailability();
    }
    ~PathScope()
    {
        setenv("PATH", sOld.c_str(), 1);
        DesktopMailComposer::ForgetAvailability();
    }

private:
    std::string sOld;
};

class RecipientMailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsDir = fs::temp_directory_path() / ("rvx-mail-" + std::to_string(getpid()));
        fs::remove_all(fsDir);
        fs::create_directories(fsDir / "bin");
    }
    void TearDown() override { fs::remove_all(fsDir); }

    // A stand-in tool that writes its arguments, one a line, to a file.
    void InstallStandIn()
    {
        const fs::path p_tool = fsDir / "bin" / DesktopMailComposer::kTool;
        std::ofstream(p_tool) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \""
                              << (fsDir / "args.tmp").string() << "\"\n/bin/mv \"" << (fsDir / "args.tmp").string()
                              << "\" \"" << (fsDir / "args").string() << "\"\n";
        fs::permissions(p_tool, fs::perms::owner_all);
    }

    std::string WaitForArgs()
    {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(fsDir / "args") && std::chrono::steady_clock::now() < t_end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(fsDir / "args");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path fsDir;
};

TEST_F(RecipientMailTest, WithoutTheToolOnPathMailIsUnavailableAndNothingIsSent)
{
    PathScope path((fsDir / "bin").string());
    EXPECT_FALSE(CanSendRecipientMail());
    EXPECT_FALSE(SendRecipientMail({"a@example.org"}, {"A"}));
}

TEST_F(RecipientMailTest, TheComposerGetsTheAddressesAsOneEscapedMailtoUri)
{
    InstallStandIn();
    PathScope path((fsDir / "bin").string());
    EXPECT_TRUE(CanSendRecipientMail());
    // An address that looks like an option, one with a comma and a
    // character of code page 1252 (e-acute) all stay inside the URI.
    EXPECT_TRUE(SendRecipientMail({"ann@example.org", "", "--attach=/etc/passwd", "b,c\xE9@x.org"}, {"Ann"}));
    EXPECT_EQ(WaitForArgs(), "--utf8\nmailto:ann@example.org,--attach%3D%2Fetc%2Fpasswd,b%2Cc%C3%A9@x.org\n");
}

} // namespace
