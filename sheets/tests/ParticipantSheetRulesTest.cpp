// The participant sheet's protocol over scripted pages and message boxes,
// and the Details page's values.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/Participant.h"
#include "sheets/ParticipantSheetRules.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

namespace {

// A page that writes day limits into the participant (a maximum below the
// minimum fails the limits check) and counts what it is asked.
class ScriptedPage : public ParticipantPageData {
public:
    explicit ScriptedPage(DWORD u_flags, SchedLim day = SchedLim()) : uFlags(u_flags), Day(day) {}

    BOOL SavePage(Participant& participant, std::string& s_reason, BOOL* p_changed) override
    {
        ++nSaves;
        if (!bCanSave) {
            s_reason = "cannot save";
            return FALSE;
        }
        participant.SetDayLimits(Day);
        if (p_changed != nullptr)
            *p_changed = TRUE;
        return TRUE;
    }
    void LoadPage(const Participant&) override {}
    DWORD GetCheckFlags() const override { return uFlags; }
    BOOL IsPageChanged() const override { return bChanged; }

    DWORD uFlags;
    SchedLim Day;
    BOOL bChanged = TRUE;
    BOOL bCanSave = TRUE;
    int nSaves = 0;
};

const SchedLim kBadDay(SchedLim::e_range, 0, 3, 1);
const SchedLim kGoodDay(SchedLim::e_range, 0, 0, 2);

std::vector<UINT> ShownIds(const ScriptedMessageBox& boxes)
{
    std::vector<UINT> v_ids;
    for (const auto& box : boxes.Boxes()) {
        if (box.sText.find("Do you want to discard") != std::string::npos)
            v_ids.push_back(IDS_PARTICIPANT_SETTINGS_DISCARD);
        else if (box.sText.rfind("Your settings are not valid.", 0) == 0)
            v_ids.push_back(IDS_PARTICIPANT_SETTINGS_INVALID);
        else
            v_ids.push_back(0);
    }
    return v_ids;
}

TEST(ParticipantSheetRules, LeavingAPageChecksWhatItsMaskAsks)
{
    // The pages' masks: Details 0, Limits 15, Availability 15, Rostering 8,
    // Notes 0. Invalid day limits fail only where the limits are checked.
    struct Case {
        DWORD uFlags;
        BOOL bPasses;
    };
    const Case a_cases[] = {{kParticipantDetailsCheckFlags, TRUE},
                            {kParticipantPageCheckFlags, FALSE},
                            {kParticipantRosterCheckFlags, TRUE},
                            {kParticipantNotesCheckFlags, TRUE}};
    testevent::EventBuilder event;
    for (const Case& c : a_cases) {
        ScriptedMessageBox boxes;
        boxes.Answer(IDNO);
        Participant working;
        ParticipantPageProtocol protocol(&event.Doc(), working, TRUE);
        ScriptedPage page(c.uFlags, kBadDay);
        BOOL b_discarded = TRUE;
        EXPECT_EQ(protocol.CheckSettings(page, &b_discarded), c.bPasses) << c.uFlags;
        EXPECT_FALSE(b_discarded);
        EXPECT_EQ(boxes.Boxes().size(), c.bPasses ? 0u : 1u) << c.uFlags;
        // Nothing typed is lost without the user's word.
        EXPECT_EQ(working.GetDayLimits(), kBadDay);
    }
}

TEST(ParticipantSheetRules, FailedCheckAsksToDiscardOnlyAChangedPage)
{
    testevent::EventBuilder event;
    struct Case {
        BOOL bChanged;
        int iAnswer;
        std::vector<UINT> vShown;
        BOOL bDiscarded;
        SchedLim Kept;
    };
    const Case a_cases[] = {
        {TRUE, IDYES, {IDS_PARTICIPANT_SETTINGS_DISCARD}, TRUE, kGoodDay},
        {TRUE, IDNO, {IDS_PARTICIPANT_SETTINGS_DISCARD}, FALSE, kBadDay},
        {FALSE, IDYES, {IDS_PARTICIPANT_SETTINGS_INVALID}, FALSE, kBadDay},
    };
    for (const Case& c : a_cases) {
        ScriptedMessageBox boxes;
        boxes.Answer(c.iAnswer);
        Participant working;
        working.SetDayLimits(kGoodDay);
        ParticipantPageProtocol protocol(&event.Doc(), working, TRUE);
        ScriptedPage page(kParticipantPageCheckFlags, kBadDay);
        page.bChanged = c.bChanged;
        BOOL b_discarded = FALSE;
        EXPECT_FALSE(protocol.CheckSettings(page, &b_discarded));
        EXPECT_EQ(ShownIds(boxes), c.vShown);
        EXPECT_EQ(b_discarded, c.bDiscarded);
        EXPECT_EQ(working.GetDayLimits(), c.Kept);
        if (c.bChanged) {
            EXPECT_EQ(boxes.Boxes()[0].uStyle, std::uint32_t(MB_YESNO | MB_ICONQUESTION));
        }
    }
}

TEST(ParticipantSheetRules, NoToTheDiscardQuestionThenOkReportsTheSettings)
{
    testevent::EventBuilder event;
    ScriptedMessageBox boxes;
    boxes.Answer(IDNO);
    Participant working;
    working.SetName("Ann Lee");
    ParticipantPageProtocol protocol(&event.Doc(), working, TRUE);
    ScriptedPage details(kParticipantDetailsCheckFlags, kGoodDay);
    ScriptedPage limits(kParticipantPageCheckFlags, kBadDay);

    // The Limits page is left with its invalid edits kept.
    BOOL b_discarded = FALSE;
    EXPECT_FALSE(protocol.CheckSettings(limits, &b_discarded));
    EXPECT_FALSE(b_discarded);
    // Left, the page no longer counts as changed; OK saves and checks every
    // page and reports 3003 without losing the edits.
    limits.bChanged = FALSE;
    details.Day = kBadDay;
    EXPECT_FALSE(protocol.ApplyAll({&details, &limits}));
    EXPECT_EQ(ShownIds(boxes), (std::vector<UINT>{IDS_PARTICIPANT_SETTINGS_DISCARD, IDS_PARTICIPANT_SETTINGS_INVALID}));
    EXPECT_EQ(working.GetDayLimits(), kBadDay);

    // Valid settings close the sheet and keep what the pages saved.
    limits.Day = kGoodDay;
    details.Day = kGoodDay;
    EXPECT_TRUE(protocol.ApplyAll({&details, &limits}));
    EXPECT_EQ(working.GetDayLimits(), kGoodDay);
}

TEST(ParticipantSheetRules, APageThatCannotSaveGetsTheReasonAndChangesNothing)
{
    testevent::EventBuilder event;
    ScriptedMessageBox boxes;
    Participant working;
    working.SetDayLimits(kGoodDay);
    ParticipantPageProtocol protocol(&event.Doc(), working, TRUE);
    ScriptedPage first(kParticipantPageCheckFlags, SchedLim(SchedLim::e_exact, 1, 0, 0));
    ScriptedPage refusing(kParticipantPageCheckFlags);
    refusing.bCanSave = FALSE;
    EXPECT_FALSE(protocol.SaveAllPages({&first, &refusing}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Your settings are not valid.  cannot save");
    EXPECT_EQ(working.GetDayLimits(), kGoodDay);
}

TEST(ParticipantSheetRules, DefaultsAreCheckedWithoutTheParticipantsGroups)
{
    // A participant of the event whose group limits it cannot meet: the
    // sheet over it checks its groups, the defaults' pages do not.
    testevent::EventBuilder event;
    event.Participant("Ann Lee").Group("Choir", [](Group& group) {
        group.SetEventLimits(SchedLim(SchedLim::e_exact, 5, 0, 0));
    });
    event.Member("Choir", "Ann Lee");
    for (const BOOL b_interactive : {TRUE, FALSE}) {
        ScriptedMessageBox boxes;
        boxes.Answer(IDNO);
        Participant working = event.GetParticipant("Ann Lee");
        ParticipantPageProtocol protocol(&event.Doc(), working, b_interactive);
        ScriptedPage page(kParticipantPageCheckFlags, SchedLim());
        working.SetEventLimits(SchedLim(SchedLim::e_range, 0, 0, 1));
        BOOL b_discarded = FALSE;
        EXPECT_EQ(protocol.CheckSettings(page, &b_discarded), !b_interactive) << b_interactive;
        EXPECT_EQ(boxes.Boxes().size(), b_interactive ? 1u : 0u);
    }
}

TEST(ParticipantSheetRules, DetailsKeepTheNameAndCreateATypedRole)
{
    testevent::EventBuilder event;
    EventDoc& doc = event.Doc();
    doc.AddParticipantRole("Usher");
    doc.SetModifiedFlag(FALSE);

    ParticipantDetailsFields fields;
    fields.sFirst = "Ann";
    fields.sOther = "Marie";
    fields.sLast = "Lee";
    fields.sRole = "Soloist";
    fields.sEmail = " ann @example.org ";
    fields.sAddress1 = "1 Long Road";
    fields.sPostCode = "AB1 2CD";
    Participant participant;
    fields.Save(participant, &doc);
    EXPECT_EQ(participant.GetFullName(), "Ann Marie Lee");
    EXPECT_EQ(participant.GetEmail(), "ann@example.org");
    EXPECT_EQ(participant.GetAddress().GetLine1(), "1 Long Road");
    // The typed role is in the event at once.
    const int i_role = doc.GetParticipantRoles().FindByName("Soloist");
    ASSERT_GE(i_role, 0);
    EXPECT_EQ(participant.GetUsualRoleKey(), doc.GetParticipantRoles().GetAt(i_role).GetKey());
    EXPECT_TRUE(doc.IsModified());

    // An existing role's name gives its key; an empty one gives none.
    const int n_roles = doc.GetParticipantRoles().GetCount();
    fields.sRole = "Usher";
    fields.Save(participant, &doc);
    EXPECT_EQ(participant.GetUsualRoleName(&doc), "Usher");
    fields.sRole.clear();
    fields.Save(participant, &doc);
    EXPECT_EQ(participant.GetUsualRoleKey(), -1);
    EXPECT_EQ(doc.GetParticipantRoles().GetCount(), n_roles);

    // Loaded back, and the combo's entry found by the key.
    fields.sRole = "Soloist";
    fields.Save(participant, &doc);
    ParticipantDetailsFields loaded;
    loaded.Load(participant, &doc);
    EXPECT_EQ(loaded.sOther, "Marie");
    EXPECT_EQ(loaded.sRole, "Soloist");
    const std::vector<std::string> v_names = ParticipantDetailsFields::RoleNames(doc);
    EXPECT_EQ(v_names, (std::vector<std::string>{"Soloist", "Usher"}));
    EXPECT_EQ(ParticipantDetailsFields::RoleIndex(v_names, doc, participant.GetUsualRoleKey()), 0);
    EXPECT_EQ(ParticipantDetailsFields::RoleIndex(v_names, doc, -1), -1);
}

TEST(ParticipantSheetRules, AFirstOrLastNameIsNeeded)
{
    struct Case {
        const char* pFirst;
        const char* pOther;
        const char* pLast;
        BOOL bOk;
        const char* pCaption;
    };
    const Case a_cases[] = {
        {"Ann", "", "", TRUE, "Ann"},
        {"", "", "Lee", TRUE, "Lee"},
        {"", "Marie", "", FALSE, "Marie"},
        {"  ", "", "   ", FALSE, ""},
    };
    for (const Case& c : a_cases) {
        ScriptedMessageBox boxes;
        ParticipantDetailsFields fields;
        fields.sFirst = c.pFirst;
        fields.sOther = c.pOther;
        fields.sLast = c.pLast;
        EXPECT_EQ(fields.CheckName(), c.bOk) << c.pOther;
        EXPECT_EQ(fields.FullName(), c.pCaption) << c.pOther;
        if (c.bOk) {
            EXPECT_TRUE(boxes.Boxes().empty());
        } else {
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].sText, "You must provide a first name or a last name for the participant.");
        }
    }
}

} // namespace
