#include "framework/Desktop.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class AssertTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZelAssertSetEmail("help@example.org");
        ZelAssertSetProductInfo("Rotavex Rev 1.89");
    }
    void TearDown() override
    {
        ZelAssertSetEmail("");
        ZelAssertSetProductInfo("");
    }
    ZelRecordingErrorReports reports;
};

int Checked(int i_index)
{
    ZEL_ASSERT(0 <= i_index && i_index < 4);
    return i_index;
}

TEST_F(AssertTest, FailedCheckReportsAndThrows)
{
    EXPECT_EQ(Checked(2), 2);
    EXPECT_TRUE(reports.Reports().empty());
    try {
        Checked(7);
        FAIL() << "no exception";
    } catch (const ZelAssertException& e) {
        ASSERT_EQ(reports.Reports().size(), 1u);
        const ZelErrorReport& r = reports.Reports()[0];
        EXPECT_EQ(r.sReport.rfind("Source file 'AssertTest.cpp'\nLine ", 0), 0u) << r.sReport;
        EXPECT_NE(r.sReport.find("\nError: 0 <= i_index && i_index < 4"), std::string::npos);
        EXPECT_EQ(r.sEmail, "help@example.org");
        EXPECT_EQ(r.sProduct, "Rotavex Rev 1.89");
        EXPECT_STREQ(e.GetText(), r.sReport.c_str());
    }
}

TEST_F(AssertTest, SwitchedOffChecksDoNothing)
{
    ZelAssertOff off;
    bool b_evaluated = false;
    auto cond = [&] {
        b_evaluated = true;
        return false;
    };
    ZEL_ASSERT(cond());
    EXPECT_FALSE(b_evaluated);
    EXPECT_TRUE(reports.Reports().empty());
}

TEST_F(AssertTest, OtherInformationEndsTheReport)
{
    const std::string s = ZelSendError("n <= max", "Comb.cpp", 42, "Too many combination names for current version");
    EXPECT_EQ(s, "Source file 'Comb.cpp'\nLine 42\nError: n <= max\n"
                 "Other information: Too many combination names for current version");
}

TEST_F(AssertTest, ExceptionKeepsAtMost127Characters)
{
    const std::string s_long(300, 'e');
    try {
        __ZelAssert(s_long.c_str(), "f.cpp", 1, nullptr);
    } catch (const ZelAssertException& e) {
        const std::string s_text = e.GetText();
        EXPECT_EQ(s_text.size(), 127u);
        EXPECT_EQ(s_text, reports.Reports().back().sReport.substr(0, 127));
        EXPECT_GT(reports.Reports().back().sReport.size(), 300u); // the dialog keeps it all
    }
}

// A check failing on another thread shows nothing there: its report comes
// along with the exception and is shown, once, on the report thread.
TEST_F(AssertTest, FailureOnAnotherThreadIsReportedWhereItIsTakenOver)
{
    std::string s_text;
    std::string s_pending;
    std::thread worker([&] {
        try {
            Checked(9);
        } catch (const ZelAssertException& e) {
            s_text = e.GetText();
            s_pending = e.GetPendingReport();
            EXPECT_FALSE(ZelAssertOnReportThread());
            ZelShowPendingReport(e); // not the report thread: still nothing
            EXPECT_TRUE(e.IsReportPending());
        }
    });
    worker.join();
    EXPECT_TRUE(reports.Reports().empty());
    ASSERT_FALSE(s_pending.empty());
    EXPECT_EQ(s_pending.substr(0, 127), s_text);

    const ZelAssertException taken_over(s_pending, true);
    ZelShowPendingReport(taken_over);
    ZelShowPendingReport(taken_over);
    ASSERT_EQ(reports.Reports().size(), 1u);
    EXPECT_EQ(reports.Reports()[0].sReport, s_pending);
    EXPECT_FALSE(taken_over.IsReportPending());
}

TEST_F(AssertTest, ReportsSentFromAnotherThreadWaitInTurn)
{
    std::thread worker([] {
        ZelSendError("a", "x.cpp", 1, nullptr);
        ZelSendError("b", "x.cpp", 2, nullptr);
    });
    worker.join();
    EXPECT_TRUE(reports.Reports().empty());
    ZelShowPendingReports();
    ASSERT_EQ(reports.Reports().size(), 2u);
    EXPECT_NE(reports.Reports()[0].sReport.find("Error: a"), std::string::npos);
    EXPECT_NE(reports.Reports()[1].sReport.find("Error: b"), std::string::npos);
    ZelShowPendingReports();
    EXPECT_EQ(reports.Reports().size(), 2u);
}

TEST(ErrorReport, InstructionAndSendButtonFollowTheAddress)
{
    ZelErrorReport r{"text", "", "", ""};
    EXPECT_FALSE(r.CanSend());
    EXPECT_EQ(r.InstructionId(), 55020u);
    EXPECT_EQ(r.InstructionText(), "Please copy this information and send it to your support facility.");
    EXPECT_FALSE(r.Send());
    r.sEmail = "a@b.example";
    EXPECT_TRUE(r.CanSend());
    EXPECT_EQ(r.InstructionId(), 55018u);
    EXPECT_EQ(r.InstructionText().rfind("Click the \"Send to support\" button", 0), 0u);
}

TEST(ErrorReport, MailBodyEscapesEveryCharacterThatCouldCutIt)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case a_cases[] = {
        {"\t", "%09"}, {"\n", "%0D%0A"}, {" ", "%20"}, {"%", "%25"}, {"&", "%26"}, {"?", "%3F"},
        {"#", "%23"},  {"+", "%2B"},     {"=", "%3D"}, {"\r", "%0D"}, {"'", "%27"}, {"aZ9-._~", "aZ9-._~"},
        {"\xE9", "%C3%A9"}, // code page 1252 e acute, sent as UTF-8
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(ZelEscapeMailBody(c.in), c.out) << c.in;
}

TEST(ErrorReport, MailtoAddressCarriesProductAndReport)
{
    RecordingDesktop desktop;
    ZelErrorReport r{"Line 5\nError: a & b # c", "help@example.org", "Rotavex Rev 1.89", ""};
    ASSERT_TRUE(r.Send());
    ASSERT_EQ(desktop.Opened().size(), 1u);
    EXPECT_EQ(desktop.Opened()[0],
              "mailto:help@example.org?subject=Assertion%20failure&body="
              "Product%3A%20Rotavex%20Rev%201.89%0D%0A%0D%0ALine%205%0D%0AError%3A%20a%20%26%20b%20%23%20c%0D%0A");

    r.sProduct.clear();
    EXPECT_NE(r.MailtoAddress().find("&body=Line%205"), std::string::npos);
}

} // namespace
