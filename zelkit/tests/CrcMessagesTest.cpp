#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "zelkit/base/ZelBytes.h"
#include "zelkit/services/ZelCRC16.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/base/ZelStringArray.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

namespace {

TEST(CrcTest, KnownValuesInEveryForm)
{
    const ZelCRC16 crc;
    EXPECT_EQ(crc.Gen("123456789"), 0xBB3D);
    EXPECT_EQ(crc.Gen(std::string("123456789")), 0xBB3D);
    EXPECT_EQ(crc.Gen("123456789xyz", 9), 0xBB3D);
    EXPECT_EQ(crc.Gen(ZelBytes("123456789")), 0xBB3D);
    EXPECT_EQ(crc.Gen("A"), 0x30C0);

    EXPECT_EQ(crc.Gen(""), 0);
    EXPECT_EQ(crc.Gen(std::string()), 0);
    EXPECT_EQ(crc.Gen("abc", 0), 0);
    EXPECT_EQ(crc.Gen(ZelBytes()), 0);
}

TEST(CrcTest, CountedFormsIncludeZeroBytes)
{
    const ZelCRC16 crc;
    const char a_data[] = {'a', 'b', '\0', 'c', 'd'};
    EXPECT_EQ(crc.Gen(a_data, 5), 0x6B8B);
    EXPECT_EQ(crc.Gen(ZelBytes(a_data, 5)), 0x6B8B);
    EXPECT_EQ(crc.Gen(std::string(a_data, 5)), 0x6B8B);
    EXPECT_EQ(crc.Gen(a_data), 0x79A8) << "the terminated form stops at the zero";
}

TEST(CrcTest, CheckComparesWithTheGeneratedValue)
{
    const ZelCRC16 crc;
    EXPECT_TRUE(crc.Check(0xBB3D, "123456789"));
    EXPECT_TRUE(crc.Check(0xBB3D, std::string("123456789")));
    EXPECT_TRUE(crc.Check(0xBB3D, "123456789", 9));
    EXPECT_TRUE(crc.Check(0xBB3D, ZelBytes("123456789")));
    EXPECT_FALSE(crc.Check(0xBB3C, "123456789"));
    EXPECT_FALSE(crc.Check(0xBB3D, "123456788", 9));
    EXPECT_TRUE(crc.Check(0, ""));
}

TEST(TextHelperTest, ItoS)
{
    const struct {
        LONG lValue;
        UINT uRadix;
        const char* pText;
    } a_cases[] = {
        {255, 16, "0xff"},
        {8, 8, "010"},
        {0, 16, "0x0"},
        {0, 10, "0"},
        {1234, 10, "1234"},
        {-5, 10, "-5"},
        {static_cast<LONG>(0xC0000005u), 16, "0xc0000005"},
        {-1, 16, "0xffffffff"},
        {5, 2, "101"},
        {35, 36, "z"},
        {-2147483647 - 1, 10, "-2147483648"},
        {7, 1, ""},
        {7, 37, ""},
    };
    for (const auto& c : a_cases)
        EXPECT_EQ(ZelItoS(c.lValue, c.uRadix), c.pText) << c.lValue << " radix " << c.uRadix;
}

TEST(TextHelperTest, HttpStatusTexts)
{
    EXPECT_EQ(GetHTTPError(404), "Not Found (404)");
    EXPECT_EQ(GetHTTPError(200), "OK (200)");
    EXPECT_EQ(GetHTTPError(302), "Moved Temporarily (302)");
    EXPECT_EQ(GetHTTPError(301), "Moved Permanently (301)");
    EXPECT_EQ(GetHTTPError(503), "Service Unavailable (503)");
    EXPECT_EQ(GetHTTPError(999), "(999)");
    EXPECT_EQ(GetHTTPError(0), "(0)");
}

const StringEntry a_testStrings[] = {
    {990001, "Cannot open '%1'."},
    {990002, "Group '%1' clashes with '%2'."},
    {990003, "%3 of %1 in %2"},
};

// Installs a table of its own, and records boxes instead of showing them.
class MessagesTest : public ::testing::Test {
protected:
    MessagesTest() : module("messages test", a_testStrings) { ResourceChain::Add(&module); }
    ~MessagesTest() override { ResourceChain::Remove(&module); }

    const ScriptedMessageBox::Shown& OnlyBox()
    {
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        return boxes.Boxes().back();
    }

    CResourceModule module;
    ScriptedMessageBox boxes;
};

TEST_F(MessagesTest, FormatErrorFillsTheArguments)
{
    EXPECT_EQ(ZelFormatError(990001, "a.eve"), "Cannot open 'a.eve'.");
    EXPECT_EQ(ZelFormatError(990002, "Brass", "Choir"), "Group 'Brass' clashes with 'Choir'.");
    ZelStringArray a_args;
    a_args.Add("3");
    a_args.Add("Day 2");
    a_args.Add("5");
    EXPECT_EQ(ZelFormatError(990003, a_args), "5 of 3 in Day 2");
    EXPECT_EQ(ZelFormatError(990999, "x"), "");
}

TEST_F(MessagesTest, DisplayErrorShowsAndAnswers)
{
    boxes.Answer(IDNO);
    EXPECT_EQ(ZelDisplayError(990002, "Brass", "Choir", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(OnlyBox().sText, "Group 'Brass' clashes with 'Choir'.");
    EXPECT_EQ(OnlyBox().uStyle, static_cast<std::uint32_t>(MB_YESNO | MB_ICONQUESTION));

    boxes.Clear();
    EXPECT_EQ(ZelMessageBox("Plain", MB_OKCANCEL), IDOK);
    EXPECT_EQ(OnlyBox().sText, "Plain");
}

TEST_F(MessagesTest, LoadResourceStringFallsBackToTheDefault)
{
    EXPECT_EQ(ZelLoadResourceString(990001, "unused"), "Cannot open '%1'.");
    EXPECT_EQ(ZelLoadResourceString(990999, "Stack overflow"), "Stack overflow");
    std::string s_out = "old";
    ZelLoadResourceString(990999, "Unknown exception", s_out);
    EXPECT_EQ(s_out, "Unknown exception");
}

TEST_F(MessagesTest, NotificationsAddTheirCause)
{
    ZelNotify::Error("Cannot read %d of %s", 3, "the groups");
    EXPECT_EQ(OnlyBox().sText, "Cannot read 3 of the groups");
    EXPECT_EQ(OnlyBox().uStyle & MB_ICONMASK, static_cast<std::uint32_t>(MB_ICONEXCLAMATION));

    const struct {
        const char* pName;
        std::function<void()> show;
        std::string sText;
    } a_cases[] = {
        {"system error with text",
         [] {
             errno = ENOENT;
             ZelNotify::SysError("Cannot access file '%s'", "x.txt");
         },
         std::string("Cannot access file 'x.txt': ") + std::strerror(ENOENT)},
        {"system error without text",
         [] {
             errno = EACCES;
             ZelNotify::SysError(std::string());
         },
         std::strerror(EACCES)},
        {"dialog error without text", [] { ZelNotify::CommDlgError(std::string()); }, ZelNotify::szCommDlgText},
        {"dialog error with text", [] { ZelNotify::CommDlgError("Import"); },
         std::string("Import: ") + ZelNotify::szCommDlgText},
        {"percent in a plain text stays", [] { ZelNotify::Error(std::string("100% done")); }, "100% done"},
    };
    for (const auto& c : a_cases) {
        SCOPED_TRACE(c.pName);
        boxes.Clear();
        c.show();
        EXPECT_EQ(OnlyBox().sText, c.sText);
    }
}

} // namespace
