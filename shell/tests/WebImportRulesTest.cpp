// The web import's rules: the dialog's kind and checks, the address, and the
// fetch dialog's answer to each code of the download on a fake clock.
#include "shell/dialogs/WebImportRules.h"

#include "framework/MessageBox.h"
#include "shell/frame/FramePorts.h"

#include <gtest/gtest.h>

namespace {

using namespace WebImportRules;

TEST(WebImportDialog, InitialKindAndChecks)
{
    struct Case {
        int iPreferred;
        std::vector<int> vAllowed;
        int iShown;
    };
    const Case a_cases[] = {
        {1, {0, 1}, 1}, {1, {0}, 0}, {0, {1}, 1}, {1, {}, 0}, {5, {1, 0}, 1},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(InitialKind(c.iPreferred, c.vAllowed), c.iShown) << c.iPreferred;
    EXPECT_FALSE(IsAllowed(0, {}));

    EXPECT_EQ(CheckChoice("", "a.txt"), 5022u);
    EXPECT_EQ(CheckChoice("   \t ", "a.txt"), 5022u);
    EXPECT_EQ(CheckChoice("example.org", ""), 5023u);
    EXPECT_EQ(CheckChoice("  example.org ", "a.txt"), 0u);
}

TEST(WebImportDialog, ServerKeepsItsSchemeOrGetsHttp)
{
    struct Case {
        const char* pSite;
        bool bOk;
        const char* pServer;
    };
    const Case a_cases[] = {
        {"example.org/events", true, "http://example.org/events"},
        {"http://example.org", true, "http://example.org"},
        {"HTTPS://example.org", true, "HTTPS://example.org"},
        {"ftp://example.org", false, ""},
        {"file:///etc", false, ""},
    };
    for (const Case& c : a_cases) {
        std::string s_server;
        std::string s_reason;
        EXPECT_EQ(MakeServer(c.pSite, s_server, s_reason), c.bOk) << c.pSite;
        if (c.bOk)
            EXPECT_EQ(s_server, c.pServer);
        else
            EXPECT_FALSE(s_reason.empty());
    }
}

TEST(FetchProgress, StepsOncePerHigherCodeAndRefreshesOnceASecond)
{
    FetchProgress progress;
    FetchProgress::Download download;
    int n_steps = 0;
    int n_refreshes = 0;
    DWORD u_now = 0;
    auto feed = [&](long l_code) {
        const FetchProgress::Action action = progress.OnProgress(l_code, download, u_now);
        n_steps += action.bStep ? 1 : 0;
        n_refreshes += action.bSetStatus ? 1 : 0;
        return action;
    };
    EXPECT_FALSE(feed(1).bSetStatus); // the code shown at first
    EXPECT_EQ(feed(2).sStatus, "Finding file...");
    feed(3);
    EXPECT_EQ(n_steps, 2);

    // A flood of code 4: 1,000 in 900 ms, then more after a second.
    n_steps = n_refreshes = 0;
    u_now = 5000;
    for (int i = 0; i < 1000; ++i) {
        download.lAmtRead = i * 100;
        feed(4);
        if (i % 100 == 99)
            ++u_now;
    }
    EXPECT_EQ(n_steps, 1);
    EXPECT_EQ(n_refreshes, 1);
    u_now += 1000;
    download.lAmtRead = 123456;
    const FetchProgress::Action later = feed(4);
    EXPECT_TRUE(later.bSetStatus);
    EXPECT_FALSE(later.bStep);
    EXPECT_EQ(later.sStatus, "Reading... (123456)");

    download.sData = "Name\r\nAnn";
    const FetchProgress::Action done = feed(5);
    EXPECT_TRUE(done.bEnd);
    EXPECT_EQ(done.iResult, IDOK);
    EXPECT_EQ(progress.GetText(), "Name\r\nAnn");
}

TEST(FetchProgress, Failures)
{
    struct Case {
        long lCode;
        bool bAccess;
        bool bTooBig;
        int iResult;
        const char* pError;
    };
    const Case a_cases[] = {
        {5, false, false, IDS_WEB_FETCH_FAILED, "Internal error"},
        {6, true, false, IDS_WEB_FETCH_FAILED, "Not Found (404)"},
        {6, true, true, IDS_WEB_FILE_TOO_BIG, "Not Found (404)"},
        {7, true, false, IDS_WEB_FETCH_FAILED, "Not Found (404)"},
        {6, false, false, IDS_WEB_FETCH_FAILED, "Internal error"},
    };
    for (const Case& c : a_cases) {
        FetchProgress progress;
        FetchProgress::Download download;
        download.bAccess = c.bAccess;
        download.bTooBig = c.bTooBig;
        download.sError = "Not Found (404)";
        const FetchProgress::Action action = progress.OnProgress(c.lCode, download, 0);
        EXPECT_TRUE(action.bEnd);
        EXPECT_EQ(action.iResult, c.iResult) << c.lCode;
        EXPECT_EQ(progress.GetError(), c.pError) << c.lCode;
    }
}

} // namespace
