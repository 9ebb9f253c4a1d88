// Mail to recipients through the desktop's composer: a recording stand-in
// of the tool on PATH shows what the program hands over.
#include "output/RecipientMail.h"

#include "framework/MessageBox.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
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

// What the mail start shows: the busy pointers open, and the message bar's
// texts in the order given.
class StartShown : public IZelCursorPort {
public:
    StartShown() : pPrevious(ZelSetCursorPort(this))
    {
        SetMailStatusShower([this](const std::string& s_text) { vTexts.push_back(s_text); });
    }
    ~StartShown() override
    {
        SetMailStatusShower({});
        ZelSetCursorPort(pPrevious);
    }
    StartShown(const StartShown&) = delete;
    StartShown& operator=(const StartShown&) = delete;
    void BeginWaitCursor() override { ++nBusy; }
    void EndWaitCursor() override { --nBusy; }
    bool SetCursor(UINT, ZelCursorHandle&) override { return false; }
    void RestoreCursor(ZelCursorHandle) override {}

    int nBusy = 0;
    std::vector<std::string> vTexts;

private:
    IZelCursorPort* pPrevious;
};

const std::string kStarting = "Starting the mail program...";

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

    // A tool that fails as the desktop's does where no mail program is set
    // up: after a while (s_delay seconds), lines of what it tried on its
    // error output, the reason last, exit status 3.
    void InstallFailingTool(const char* p_delay = "0")
    {
        const fs::path p_tool = fsDir / "bin" / DesktopMailComposer::kTool;
        std::ofstream(p_tool) << "#!/bin/sh\nsleep " << p_delay
                              << "\necho \"xdg-email: 786: firefox: not found\" >&2\n"
                                 "echo \"xdg-email: no method available for opening '$2'\" >&2\nexit 3\n";
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
    StartShown shown;
    // An address that looks like an option, one with a comma and a
    // character of code page 1252 (e-acute) all stay inside the URI.
    EXPECT_TRUE(SendRecipientMail({"ann@example.org", "", "--attach=/etc/passwd", "b,c\xE9@x.org"}, {"Ann"}));
    EXPECT_EQ(WaitForArgs(), "--utf8\nmailto:ann@example.org,--attach%3D%2Fetc%2Fpasswd,b%2Cc%C3%A9@x.org\n");
    // Waited for to its end, the start was shown and is over.
    EXPECT_EQ(shown.nBusy, 0);
    EXPECT_EQ(shown.vTexts, (std::vector<std::string>{kStarting, ""}));
}

// The tool there but failing: the message says so, with what the tool
// said, and names the addresses so that the user can write to them.
TEST_F(RecipientMailTest, AFailingToolIsToldWithTheAddressesToWriteTo)
{
    InstallFailingTool();
    PathScope path((fsDir / "bin").string() + ":/usr/bin:/bin");
    ScriptedMessageBox boxes;
    EXPECT_FALSE(SendRecipientMail({"ann@example.org", "", "SMTP:bob@example.org"}, {"Ann", "", "Bob"}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText,
              "The mail program could not be started.\n"
              "xdg-email: no method available for opening 'mailto:ann@example.org,bob@example.org'\n\n"
              "Please write to these addresses in your own mail program:\nann@example.org\nbob@example.org");
    EXPECT_EQ(boxes.Boxes()[0].uStyle & MB_ICONEXCLAMATION, static_cast<std::uint32_t>(MB_ICONEXCLAMATION));
}

// Where the program has a main loop, the window is held only a moment: a
// tool that fails later is told then, on the main thread.
TEST_F(RecipientMailTest, ALateFailureIsToldOnTheMainThread)
{
    InstallFailingTool("3");
    PathScope path((fsDir / "bin").string() + ":/usr/bin:/bin");
    std::mutex m_posted;
    std::vector<std::function<void()>> v_posted;
    SetMailMainThreadPoster([&](std::function<void()> f_call) {
        std::lock_guard<std::mutex> lock(m_posted);
        v_posted.push_back(std::move(f_call));
    });
    ScriptedMessageBox boxes;
    StartShown shown;
    const auto t_start = std::chrono::steady_clock::now();
    EXPECT_TRUE(SendRecipientMail({"ann@example.org"}, {}));
    EXPECT_LT(std::chrono::steady_clock::now() - t_start, std::chrono::milliseconds(2500));
    EXPECT_TRUE(boxes.Boxes().empty());
    // Meanwhile the user sees that the mail program is starting.
    EXPECT_EQ(shown.nBusy, 1);
    EXPECT_EQ(shown.vTexts, std::vector<std::string>{kStarting});
    std::function<void()> f_call;
    for (int i = 0; i < 500 && !f_call; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::lock_guard<std::mutex> lock(m_posted);
        if (!v_posted.empty())
            f_call = v_posted.front();
    }
    SetMailMainThreadPoster({});
    ASSERT_TRUE(f_call) << "the failure was not posted";
    f_call();
    // The start is over before the failure is told.
    EXPECT_EQ(shown.nBusy, 0);
    EXPECT_EQ(shown.vTexts, (std::vector<std::string>{kStarting, ""}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].sText.find("no method available"), std::string::npos) << boxes.Boxes()[0].sText;
    EXPECT_NE(boxes.Boxes()[0].sText.find("\nann@example.org"), std::string::npos) << boxes.Boxes()[0].sText;
}

} // namespace
