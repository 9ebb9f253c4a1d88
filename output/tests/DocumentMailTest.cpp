// Mail of the event file and the recipients' addresses through a recording
// stand-in of the desktop's composer.
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "output/RecipientMail.h"
#include "testsupport/MailStandIn.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// The lines of a recorded call.
std::vector<std::string> Lines(const std::string& s_args)
{
    std::vector<std::string> v_lines;
    std::size_t i_start = 0;
    for (std::size_t i = s_args.find('\n'); i != std::string::npos; i = s_args.find('\n', i_start)) {
        v_lines.push_back(s_args.substr(i_start, i - i_start));
        i_start = i + 1;
    }
    return v_lines;
}

class MailPortScope {
public:
    MailPortScope() : pPrevious(SetMailPort(&Port)) {}
    ~MailPortScope() { SetMailPort(pPrevious); }

private:
    DesktopDocumentMail Port;
    IMailPort* pPrevious;
};

class MailSettingsScope {
public:
    explicit MailSettingsScope(BOOL b_prepend, std::string s_title = "Event")
    {
        MailSettings settings;
        settings.fPrependSMTP = [b_prepend] { return b_prepend; };
        settings.fTitle = [s_title](const EventDoc&) { return s_title; };
        settings.sExtension = ".EVE";
        SetMailSettings(settings);
    }
    ~MailSettingsScope()
    {
        SetMailSettings(MailSettings());
        RemoveMailCopies();
    }
};

TEST(MailRecipientsTest, PrependSMTPAndNames)
{
    const std::vector<std::string> v_addresses = {"ann@x.org", "SMTP:bob@x.org", "smtp:cy@x.org", "Smtp:dee@x.org"};
    const struct {
        BOOL bPrepend;
        std::vector<std::string> vExpected;
    } a_cases[] = {
        {TRUE, {"SMTP:ann@x.org", "SMTP:bob@x.org", "SMTP:smtp:cy@x.org", "SMTP:Smtp:dee@x.org"}},
        {FALSE, v_addresses},
    };
    for (const auto& c : a_cases) {
        const std::vector<MailRecipient> v = BuildMapiRecipients(v_addresses, {"Ann", "Bob"}, c.bPrepend);
        ASSERT_EQ(v.size(), 4u);
        for (std::size_t i = 0; i < v.size(); ++i)
            EXPECT_EQ(v[i].sAddress, c.vExpected[i]) << c.bPrepend << " " << i;
        // Fewer names than addresses: the rest go without a name.
        EXPECT_EQ(v[0].sName, "Ann");
        EXPECT_EQ(v[1].sName, "Bob");
        EXPECT_EQ(v[2].sName, "");
        EXPECT_EQ(v[3].sName, "");
    }
    // The composer gets the addresses without the address type.
    EXPECT_EQ(ComposerAddress("SMTP:ann@x.org"), "ann@x.org");
    EXPECT_EQ(ComposerAddress("SMTP:smtp:cy@x.org"), "smtp:cy@x.org");
    EXPECT_EQ(ComposerAddress("smtp:cy@x.org"), "smtp:cy@x.org");
    EXPECT_EQ(ComposerAddress("ann@x.org"), "ann@x.org");
}

TEST(MailRecipientsTest, AttachmentNames)
{
    EXPECT_EQ(MailAttachmentName("", "Event", ".EVE"), "Event.EVE");
    EXPECT_EQ(MailAttachmentName("", "Summer.fest", ".EVE"), "Summer.fest");
    EXPECT_EQ(MailAttachmentName("/home/u/Camp 2026.eve", "ignored", ".EVE"), "Camp 2026.eve");
    EXPECT_EQ(MailAttachmentName("", "a/b", ".EVE"), "a_b.EVE");
}

TEST(RecipientMailHandOffTest, PrefixedAddressesReachTheComposerWithoutTheirType)
{
    MailStandIn stand_in;
    MailSettingsScope settings(TRUE);
    ScriptedMessageBox boxes;
    EXPECT_TRUE(SendRecipientMail({"ann@x.org", "SMTP:bob@x.org", "smtp:cy@x.org"}, {"Ann"}));
    EXPECT_EQ(stand_in.TakeArgs(), "--utf8\nmailto:ann@x.org,bob@x.org,smtp%3Acy@x.org\n");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(RecipientMailHandOffTest, MissingComposerSaysSoAndSendsNothing)
{
    MailStandIn stand_in(false);
    ScriptedMessageBox boxes;
    EXPECT_FALSE(SendRecipientMail({"ann@x.org"}, {}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].sText.find("xdg-email"), std::string::npos);

    EventDoc doc;
    doc.SetEventName("Fest");
    boxes.Clear();
    EXPECT_FALSE(SendEventFileMail(doc, {}, {}));
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(RecipientMailHandOffTest, AComposerThatCannotStartSaysSo)
{
    // Something of the tool's name on PATH that cannot be run.
    MailStandIn stand_in(false);
    const fs::path p_bin = fs::path(std::getenv("PATH"));
    fs::create_directories(p_bin / DesktopMailComposer::kTool);
    ScriptedMessageBox boxes;
    EXPECT_TRUE(CanSendRecipientMail());
    EXPECT_FALSE(SendRecipientMail({"ann@x.org"}, {}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const std::string s_text = boxes.Boxes()[0].sText;
    EXPECT_EQ(s_text.rfind("The mail program could not be started.\n", 0), 0u) << s_text;
    EXPECT_NE(s_text.find("Please write to these addresses in your own mail program:\nann@x.org"), std::string::npos)
        << s_text;
}

class EventFileMailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsDir = fs::temp_directory_path() / ("rvx-eventmail-" + std::to_string(getpid()));
        fs::remove_all(fsDir);
        fs::create_directories(fsDir);
        Doc.SetEventName("Fest");
    }
    void TearDown() override { fs::remove_all(fsDir); }

    // The attached file of the recorded call, checked to be the only
    // attachment.
    std::string Attached(const std::string& s_args, const std::string& s_mailto)
    {
        const std::vector<std::string> v = Lines(s_args);
        EXPECT_EQ(v.size(), s_mailto.empty() ? 3u : 4u) << s_args;
        if (v.size() < 3)
            return {};
        EXPECT_EQ(v[0], "--utf8");
        EXPECT_EQ(v[1], "--attach");
        if (!s_mailto.empty() && v.size() == 4) {
            EXPECT_EQ(v[3], s_mailto);
        }
        return v[2];
    }

    fs::path fsDir;
    EventDoc Doc;
};

TEST_F(EventFileMailTest, AnUnsavedEventGoesAsATemporaryCopyUnderItsTitle)
{
    MailStandIn stand_in;
    MailSettingsScope settings(FALSE);
    for (bool b_modified : {true, false}) {
        Doc.SetModifiedFlag(b_modified);
        ASSERT_TRUE(SendEventFileMail(Doc, {"ann@x.org"}, {"Ann"}));
        const std::string s_file = Attached(stand_in.TakeArgs(), "mailto:ann@x.org");
        EXPECT_EQ(fs::path(s_file).filename(), "Event.EVE");
        EXPECT_TRUE(fs::file_size(s_file) > 0);
        // Only this user reads the copy's folder.
        EXPECT_EQ(fs::status(fs::path(s_file).parent_path()).permissions() & fs::perms::others_all, fs::perms::none);
        EXPECT_TRUE(Doc.GetPathName().empty());
        EXPECT_EQ(Doc.IsModified(), b_modified);
    }
}

TEST_F(EventFileMailTest, ASavedEventGoesAsItsOwnFileUnlessModified)
{
    MailStandIn stand_in;
    MailSettingsScope settings(FALSE);
    const std::string s_own = (fsDir / "Camp.eve").string();
    ASSERT_TRUE(Doc.OnSaveDocument(s_own));
    Doc.SetPathName(s_own);
    Doc.SetModifiedFlag(false);

    ASSERT_TRUE(SendEventFileMail(Doc, {}, {}));
    EXPECT_EQ(Attached(stand_in.TakeArgs(), ""), s_own);

    // Modified: the copy carries the edits, under the file's own name.
    Doc.SetModifiedFlag(true);
    ASSERT_TRUE(SendEventFileMail(Doc, {}, {}));
    const std::string s_copy = Attached(stand_in.TakeArgs(), "");
    EXPECT_NE(s_copy, s_own);
    EXPECT_EQ(fs::path(s_copy).filename(), "Camp.eve");
    EXPECT_EQ(Doc.GetPathName(), s_own);
    EXPECT_TRUE(Doc.IsModified());

    // The copies go when the program ends.
    EXPECT_TRUE(fs::exists(s_copy));
    RemoveMailCopies();
    EXPECT_FALSE(fs::exists(s_copy));
    EXPECT_TRUE(fs::exists(s_own));
}

// A mail tool that fails on the event file: the message names the file to
// attach (the copy, which stays until the program ends) and the addresses.
TEST_F(EventFileMailTest, AFailingToolNamesTheFileAndTheAddresses)
{
    MailStandIn stand_in(false);
    const fs::path p_tool = fs::path(std::getenv("PATH")) / DesktopMailComposer::kTool;
    std::ofstream(p_tool) << "#!/bin/sh\necho \"xdg-email: no method available for opening '$4'\" >&2\nexit 3\n";
    fs::permissions(p_tool, fs::perms::owner_all);
    MailSettingsScope settings(FALSE);
    ScriptedMessageBox boxes;
    Doc.SetModifiedFlag(true);
    EXPECT_FALSE(SendEventFileMail(Doc, {"ann@x.org", "bob@x.org"}, {}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const std::string s_text = boxes.Boxes()[0].sText;
    EXPECT_EQ(s_text.rfind("The mail program could not be started.\nxdg-email: no method available for opening "
                           "'mailto:ann@x.org,bob@x.org'\n\n"
                           "Please write to these addresses in your own mail program:\nann@x.org\nbob@x.org\n\n"
                           "The event file to attach is '",
                           0),
              0u)
        << s_text;
    const std::size_t u_start = s_text.rfind('\'') == std::string::npos ? 0 : s_text.find("attach is '") + 11;
    const std::string s_file = s_text.substr(u_start, s_text.size() - u_start - 2);
    EXPECT_EQ(fs::path(s_file).filename(), "Event.EVE");
    EXPECT_TRUE(fs::exists(s_file)) << s_file;
}

TEST_F(EventFileMailTest, AFailedSaveSendsNothing)
{
    MailStandIn stand_in;
    MailSettingsScope settings(FALSE);
    // Without a name the save asks for the event's definition, which is
    // cancelled: nothing is saved and nothing sent.
    Doc.SetEventName("");
    Doc.SetModifiedFlag(true);
    EXPECT_FALSE(SendEventFileMail(Doc, {"ann@x.org"}, {}));
    EXPECT_FALSE(stand_in.HasArgs());
    EXPECT_TRUE(Doc.IsModified());
}

TEST_F(EventFileMailTest, TheDocumentsMailCommandsGoThroughTheComposer)
{
    MailStandIn stand_in;
    MailSettingsScope settings(TRUE, "Summer");
    MailPortScope port;
    EXPECT_TRUE(UpdateSendMailUI());
    Doc.OnSendMail();
    EXPECT_EQ(fs::path(Attached(stand_in.TakeArgs(), "")).filename(), "Summer.EVE");
    Doc.OnEmailSupport();
    const std::vector<std::string> v = Lines(stand_in.TakeArgs());
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[3].rfind("mailto:", 0), 0u);
    EXPECT_EQ(v[3].find("SMTP"), std::string::npos);
}

TEST(DocumentMailAvailabilityTest, WithoutTheComposerTheMailCommandsAreDisabled)
{
    MailStandIn stand_in(false);
    MailPortScope port;
    EventDoc doc;
    EXPECT_FALSE(UpdateSendMailUI());
    EXPECT_FALSE(doc.IsCommandEnabled(EventDoc::ID_FILE_SEND_MAIL));
    EXPECT_FALSE(doc.IsCommandEnabled(EventDoc::ID_EMAIL_SUPPORT));
}

} // namespace
