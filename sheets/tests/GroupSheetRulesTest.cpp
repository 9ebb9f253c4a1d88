#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "sheets/GroupSheetRules.h"
#include "testsupport/EventBuilder.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// A page whose save runs an edit of the group, or fails with a reason.
class FakePage : public GroupPageData {
public:
    std::function<void(Group&)> fEdit;
    bool bCanSave = true;
    bool bChanged = false;
    DWORD uFlags = kGroupPageCheckFlags;

    BOOL SavePage(Group& group, std::string& s_reason) override
    {
        if (fEdit)
            fEdit(group);
        if (!bCanSave) {
            s_reason = "The page cannot keep this.";
            return FALSE;
        }
        return TRUE;
    }
    void LoadPage(const Group&) override {}
    DWORD GetCheckFlags() const override { return uFlags; }
    BOOL IsPageChanged() const override { return bChanged; }
};

void Rename(Group& group) { group.SetName("Renamed"); }
// Day limits whose maximum lies below their minimum fail every check.
void BreakLimits(Group& group) { group.SetDayLimits(SchedLim(SchedLim::e_range, 0, 5, 2)); }

bool StartsWith(const std::string& s, const std::string& s_head) { return s.rfind(s_head, 0) == 0; }

struct GroupSheetRulesTest : ::testing::Test {
    testevent::EventBuilder event;
    Group Working;
    GroupSheetRulesTest()
    {
        event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall");
        Working.SetName("Choir");
    }
};

TEST_F(GroupSheetRulesTest, LeavingAPage)
{
    struct Case {
        const char* pWhat;
        bool bCanSave;
        bool bBreaks;
        bool bChanged;
        int iAnswer;
        BOOL bResult;
        UINT uMessage;  // 0: none
        BOOL bDiscarded;
        bool bRestored;
    };
    const Case a_cases[] = {
        {"passes", true, false, true, 0, TRUE, 0, FALSE, false},
        {"cannot save", false, false, false, 0, FALSE, IDS_GROUP_INVALID, FALSE, true},
        {"changed, Yes discards", true, true, true, IDYES, FALSE, IDS_GROUP_INVALID_DISCARD, TRUE, true},
        {"changed, No keeps the edits", true, true, true, IDNO, FALSE, IDS_GROUP_INVALID_DISCARD, FALSE, false},
        {"unchanged", true, true, false, 0, FALSE, IDS_GROUP_INVALID, FALSE, false},
    };
    for (const Case& c : a_cases) {
        ScriptedMessageBox boxes;
        if (c.iAnswer != 0)
            boxes.Answer(c.iAnswer);
        Group working(Working);
        FakePage page;
        page.bCanSave = c.bCanSave;
        page.bChanged = c.bChanged;
        page.fEdit = [&c](Group& g) {
            Rename(g);
            if (c.bBreaks)
                BreakLimits(g);
        };
        GroupPageProtocol protocol(&event.Doc(), working, TRUE);
        BOOL b_discarded = 7;
        EXPECT_EQ(protocol.CheckSettings(page, &b_discarded), c.bResult) << c.pWhat;
        EXPECT_EQ(b_discarded, c.bDiscarded) << c.pWhat;
        EXPECT_EQ(working.GetName(), c.bRestored ? "Choir" : "Renamed") << c.pWhat;
        if (c.uMessage == 0) {
            EXPECT_TRUE(boxes.Boxes().empty()) << c.pWhat;
            continue;
        }
        ASSERT_EQ(boxes.Boxes().size(), 1u) << c.pWhat;
        const auto& box = boxes.Boxes()[0];
        EXPECT_TRUE(StartsWith(box.sText, "Your settings are not valid.  ")) << box.sText;
        if (c.uMessage == IDS_GROUP_INVALID_DISCARD) {
            EXPECT_NE(box.sText.find("\nDo you want to discard your changes?"), std::string::npos);
            EXPECT_EQ(box.uStyle, MB_YESNO | MB_ICONQUESTION);
        } else {
            EXPECT_EQ(box.sText.find("discard"), std::string::npos);
            EXPECT_EQ(box.uStyle, MB_OK | MB_ICONEXCLAMATION);
        }
        if (!c.bCanSave) {
            EXPECT_EQ(box.sText, "Your settings are not valid.  The page cannot keep this.");
        }
    }
}

TEST_F(GroupSheetRulesTest, OkSavesEveryPageThenChecksTheWholeGroup)
{
    {
        // Every page passes: the group keeps what they saved.
        ScriptedMessageBox boxes;
        Group working(Working);
        FakePage details, notes;
        details.fEdit = Rename;
        notes.fEdit = [](Group& g) { g.SetNotes("Bring music"); };
        GroupPageProtocol protocol(&event.Doc(), working, TRUE);
        EXPECT_TRUE(protocol.ApplyAll({&details, &notes}));
        EXPECT_EQ(working.GetName(), "Renamed");
        EXPECT_EQ(working.GetNotes(), "Bring music");
        EXPECT_TRUE(boxes.Boxes().empty());
    }
    {
        // A page that fails its check: nothing the pages saved is kept.
        ScriptedMessageBox boxes;
        Group working(Working);
        FakePage details, limits;
        details.fEdit = Rename;
        limits.fEdit = BreakLimits;
        GroupPageProtocol protocol(&event.Doc(), working, TRUE);
        EXPECT_FALSE(protocol.ApplyAll({&details, &limits}));
        EXPECT_EQ(working, Working);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_TRUE(StartsWith(boxes.Boxes()[0].sText, "Your settings are not valid.  "));
    }
    {
        // Pages whose own checks are lighter (as the allocation page's) let
        // the limits through; the whole group's check then keeps the sheet
        // open with the saved values.
        ScriptedMessageBox boxes;
        Group working(Working);
        FakePage details, alloc;
        details.fEdit = Rename;
        details.uFlags = 0;
        alloc.fEdit = BreakLimits;
        alloc.uFlags = 0;
        GroupPageProtocol protocol(&event.Doc(), working, TRUE);
        EXPECT_FALSE(protocol.ApplyAll({&details, &alloc}));
        EXPECT_EQ(working.GetName(), "Renamed");
        EXPECT_EQ(working.GetDayLimits().uMin, 5u);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_TRUE(StartsWith(boxes.Boxes()[0].sText, "Your settings are not valid.  "));
        EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION);
    }
    {
        // A page that cannot save: 3001 with its reason, nothing kept.
        ScriptedMessageBox boxes;
        Group working(Working);
        FakePage details, broken;
        details.fEdit = Rename;
        broken.bCanSave = false;
        GroupPageProtocol protocol(&event.Doc(), working, TRUE);
        EXPECT_FALSE(protocol.ApplyAll({&details, &broken}));
        EXPECT_EQ(working, Working);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].sText, "Your settings are not valid.  The page cannot keep this.");
    }
}

TEST(GroupContactFields, NameRule)
{
    struct Case {
        std::string sTyped;
        BOOL bAccepted;
        std::string sKept;
    };
    const Case a_cases[] = {
        {"  Youth   choir ", TRUE, "Youth choir"},
        {"", FALSE, ""},
        {"   \t  ", FALSE, ""},
        {std::string(60, 'x'), TRUE, std::string(50, 'x')},
    };
    for (const Case& c : a_cases) {
        ScriptedMessageBox boxes;
        GroupContactFields fields;
        fields.sName = c.sTyped;
        EXPECT_EQ(fields.CheckName(), c.bAccepted) << c.sTyped;
        EXPECT_EQ(fields.sName, c.sKept);
        if (c.bAccepted) {
            EXPECT_TRUE(boxes.Boxes().empty());
        } else {
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].sText, "You must provide a name for the group.");
            EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION);
        }
    }
}

TEST(GroupContactFields, SavedAndLoadedWithTheAddressCutTo40And9)
{
    GroupContactFields fields;
    fields.sName = "Choir";
    fields.sContact = "Ann Lee";
    fields.sPhone = "555 0101";
    fields.sPhone2 = "555 0102";
    fields.sFax = "555 0103";
    fields.sEmail = " ann @example.org ";
    fields.sAddress1 = std::string(45, 'a');
    fields.sAddress2 = "2 Main St";
    fields.sAddress3 = "Springfield";
    fields.sPostCode = "1234567890AB";
    Group group;
    fields.Save(group);
    EXPECT_EQ(group.GetName(), "Choir");
    EXPECT_EQ(group.GetContact().GetName(), "Ann Lee");
    EXPECT_EQ(group.GetEmail(), "ann@example.org");
    EXPECT_EQ(group.GetAddress().GetLine1(), std::string(40, 'a'));
    EXPECT_EQ(group.GetAddress().GetPCode(), "123456789");

    GroupContactFields loaded;
    loaded.Load(group);
    EXPECT_EQ(loaded.sName, "Choir");
    EXPECT_EQ(loaded.sContact, "Ann Lee");
    EXPECT_EQ(loaded.sPhone, "555 0101");
    EXPECT_EQ(loaded.sPhone2, "555 0102");
    EXPECT_EQ(loaded.sFax, "555 0103");
    EXPECT_EQ(loaded.sEmail, "ann@example.org");
    EXPECT_EQ(loaded.sAddress1, std::string(40, 'a'));
    EXPECT_EQ(loaded.sAddress2, "2 Main St");
    EXPECT_EQ(loaded.sAddress3, "Springfield");
    EXPECT_EQ(loaded.sPostCode, "123456789");
}

TEST(GroupRosterFields, DefaultCopiesThePreferenceAndTheSizeIsChecked)
{
    Preferences prefs;
    GroupRosterFields fields;
    fields.SetDefault(prefs);
    EXPECT_EQ(fields.uMaxGroupSize, 99999u);
    prefs.SetMaxGroupSize(12);
    fields.SetDefault(prefs);
    EXPECT_EQ(fields.uMaxGroupSize, 12u);

    struct Case {
        const char* pText;
        BOOL bOk;
        UINT uSize;
    };
    const Case a_cases[] = {
        {"0", TRUE, 0}, {" 99999 ", TRUE, 99999}, {"100000", FALSE, 0}, {"-1", FALSE, 0}, {"", FALSE, 0},
        {"12a", FALSE, 0}, {"99999999999999999999", FALSE, 0},
    };
    for (const Case& c : a_cases) {
        UINT u_size = 0;
        std::string s_error;
        EXPECT_EQ(GroupRosterFields::ParseMaxGroupSize(c.pText, u_size, s_error), c.bOk) << c.pText;
        if (c.bOk) {
            EXPECT_EQ(u_size, c.uSize);
        } else {
            EXPECT_EQ(s_error, "Please enter an integer between 0 and 99999.") << c.pText;
        }
    }
}

} // namespace
