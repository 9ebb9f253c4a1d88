// An import of groups or participants that the user cancels while its
// records come in: the importer's progress window opens once the import
// has run for a moment, its Cancel ends the import, and the event is left
// as it was before it, down to the bytes it saves to, on a generated event
// whose items carry every stored field. Time is a fake clock the importer
// reads; the wizard is a script that maps the columns and presses Finish.
#include "generators/RosterGenerator.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/lists/GroupViewCore.h"
#include "shell/lists/ItemListImport.h"
#include "shell/lists/ParticipantViewCore.h"
#include "shell/tests/ImportRows.h"
#include "testsupport/EveryField.h"
#include "zelkit/import/ZelImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The wizard: maps the columns to the fields named, in order, and
// presses Finish.
class MappingWizard : public IZelImportWizardPort {
public:
    explicit MappingWizard(std::vector<std::string> v_fields) : vFields(std::move(v_fields))
    {
        pPrevious = ZelSetImportWizardPort(this);
    }
    ~MappingWizard() override { ZelSetImportWizardPort(pPrevious); }

    int Run(ZelImportWizardCore& wizard, const std::string&, const std::string&) override
    {
        wizard.PrepareColumns();
        for (int i = 0; i < wizard.GetColumnCount() && i < static_cast<int>(vFields.size()); ++i)
            wizard.ChooseField(i, vFields[static_cast<std::size_t>(i)]);
        return 12325;
    }

private:
    std::vector<std::string> vFields;
    IZelImportWizardPort* pPrevious;
};

// The progress window without a display: a clock that moves 10 ms at each
// reading, and a Cancel the user presses at the pump chosen.
class ScriptedProgress : public IZelImportProgressPort {
public:
    ScriptedProgress() { pPrevious = ZelSetImportProgressPort(this); }
    ~ScriptedProgress() override { ZelSetImportProgressPort(pPrevious); }

    std::int64_t GetMilliseconds() override { return llNow += 10; }
    bool Open(const std::string& s_title) override
    {
        sTitle = s_title;
        bShown = true;
        ++nOpened;
        return true;
    }
    void Show(const std::string& s_status, std::uint64_t u_done, std::uint64_t u_total) override
    {
        sStatus = s_status;
        vPositions.push_back(u_total == 0 ? 0.0 : double(u_done) / double(u_total));
    }
    bool Pump() override
    {
        ++nPumps;
        if (fAtPump)
            fAtPump(nPumps);
        return nPumps >= nCancelAtPump;
    }
    void Close() override
    {
        bShown = false;
        ++nClosed;
    }
    // As at the start, the pump's hook aside.
    void Reset()
    {
        nCancelAtPump = 1 << 30;
        bShown = false;
        nOpened = nClosed = nPumps = 0;
        sTitle.clear();
        sStatus.clear();
        vPositions.clear();
    }

    int nCancelAtPump = 1 << 30;
    std::function<void(int)> fAtPump;
    std::int64_t llNow = 0;
    bool bShown = false;
    int nOpened = 0;
    int nClosed = 0;
    int nPumps = 0;
    std::string sTitle;
    std::string sStatus;
    std::vector<double> vPositions;

private:
    IZelImportProgressPort* pPrevious;
};

using GroupRows = ImportRows<GroupViewCore>;
using ParticipantRows = ImportRows<ParticipantViewCore>;

// A generated event (placements, locks, limits, availability, rules,
// members) whose first venue, group and participant also carry every text
// field, styles, facilities, a role and a rotation.
std::unique_ptr<EventDoc> FullEvent()
{
    benchevent::RosterOptions options;
    options.Event.nGroups = 60;
    options.Event.nParticipants = 150;
    options.Event.nDays = 3;
    options.Event.nVenues = 5;
    options.Event.nRotationPercent = 20;
    options.Event.nVenueLimitPercent = 30;
    options.Event.nChunkPercent = 20;
    options.Event.nDayRules = 2;
    options.Event.nVenueRules = 2;
    options.Event.nFillPercent = 40;
    options.Event.nLockPercent = 10;
    std::unique_ptr<EventDoc> p_doc = benchevent::GenerateRosterEvent(options);
    EventDoc& doc = *p_doc;
    doc.SetEventName("Spring fair");
    const std::vector<LONG> v_styles = testevent::KeysInReverseNameOrder(doc.GetStyles());
    const std::vector<LONG> v_facilities = testevent::KeysInReverseNameOrder(doc.GetFacilities());
    EXPECT_GE(v_styles.size(), 2u);
    EXPECT_GE(v_facilities.size(), 2u);
    const LONG l_role = doc.AddParticipantRole("Leader");

    Group& group = doc.GetGroups().GetAt(0);
    testevent::GiveEveryField(group, v_styles, v_facilities);

    Participant& part = doc.GetParticipants().GetAt(0);
    testevent::GiveEveryField(part, l_role);
    doc.SetModifiedFlag(false);
    return p_doc;
}

// n records of a text: group or participant names new to the event, with
// a style, a facility, a member with a role and a note each for groups, a
// role each for participants, so that every list the import adds to grows.
std::string GroupText(int n_records)
{
    std::string s_text = "Name,Styles,Facilities,Members,Notes\n";
    for (int i = 0; i < n_records; ++i) {
        const std::string s_n = std::to_string(i);
        s_text += "Imported band " + s_n + ",Style " + s_n + ",Stage " + s_n + ",\"Pat Member" + s_n + " - Drummer"
                  + s_n + "\",Note " + s_n + "\n";
    }
    return s_text;
}

std::string ParticipantText(int n_records)
{
    std::string s_text = "Name,Role,Notes\n";
    for (int i = 0; i < n_records; ++i) {
        const std::string s_n = std::to_string(i);
        s_text += "Sam Newcomer" + s_n + ",Steward" + s_n + ",Note " + s_n + "\n";
    }
    return s_text;
}

struct Counts {
    int nGroups, nParticipants, nStyles, nFacilities, nRoles;
    bool operator==(const Counts&) const = default;
};

Counts CountsOf(const EventDoc& doc)
{
    return {doc.GetGroups().GetNumGroups(), doc.GetParticipants().GetNumParticipants(), doc.GetStyles().GetCount(),
            doc.GetFacilities().GetCount(), doc.GetParticipantRoles().GetCount()};
}

class ImportCancelTest : public ::testing::Test {
protected:
    ImportCancelTest() : pDoc(FullEvent())
    {
        Views.fOnUpdate = [this](const UpdateViewHint* p_hint) {
            ++nUpdates;
            for (ItemListCore* p_rows : vRows)
                p_rows->OnUpdate(p_hint);
        };
        // While the window is up the records have changed the event.
        Progress.fAtPump = [this](int i_pump) {
            if (i_pump == 1)
                CountsAtFirstPump = CountsOf(*pDoc);
        };
        vBefore = pDoc->WriteEventFile();
        CountsBefore = CountsOf(*pDoc);
    }

    ScriptedMessageBox Boxes;
    ScriptedViews Views;
    ScriptedProgress Progress;
    std::unique_ptr<EventDoc> pDoc;
    std::vector<ItemListCore*> vRows;
    std::vector<std::uint8_t> vBefore;
    Counts CountsBefore{};
    Counts CountsAtFirstPump{};
    int nUpdates = 0;
};

} // namespace

// Cancelled at the first pump (the window just up) and later, groups and
// participants alike: the records delivered had changed the lists, and
// afterwards the event is the one it was, unmodified, saving to the same
// bytes, its timetable untouched, with no final refresh, no mapping kept
// and no error list.
TEST_F(ImportCancelTest, ACancelledImportLeavesTheEventAsItWas)
{
    struct Case {
        const char* pWhat;
        bool bGroups;
        int nCancelAtPump;
    };
    for (const Case& c : {Case{"groups, at once", true, 1}, Case{"groups, later", true, 4},
                          Case{"participants, later", false, 3}}) {
        SCOPED_TRACE(c.pWhat);
        GroupRows groups(*pDoc, "Group");
        ParticipantRows participants(*pDoc, "Participant");
        vRows = {&groups, &participants};
        groups.InitialUpdate();
        participants.InitialUpdate();
        const int n_groupRows = groups.CountRows();
        const Timetable* p_timetable = pDoc->GetTimetable();
        ASSERT_NE(p_timetable, nullptr);
        Progress.Reset();
        Progress.nCancelAtPump = c.nCancelAtPump;
        if (c.bGroups) {
            MappingWizard wizard({"Group Name", "Styles", "Facilities", "Group Members", "Notes"});
            ItemListImport(groups).ImportFromString("web", GroupText(20000));
            EXPECT_TRUE(groups.bStopped);
            EXPECT_FALSE(groups.bEnded);
            EXPECT_TRUE(groups.Mappings.IsEmpty());
        } else {
            MappingWizard wizard({"Name", "Role", "Notes"});
            ItemListImport(participants).ImportFromString("web", ParticipantText(20000));
            EXPECT_TRUE(participants.bStopped);
            EXPECT_FALSE(participants.bEnded);
            EXPECT_TRUE(participants.Mappings.IsEmpty());
        }
        EXPECT_EQ(Progress.nOpened, 1);
        EXPECT_EQ(Progress.nClosed, 1);
        EXPECT_EQ(Progress.nPumps, c.nCancelAtPump);
        EXPECT_EQ(Progress.sTitle, "Importing");
        ASSERT_FALSE(Progress.vPositions.empty());
        EXPECT_GT(Progress.vPositions.back(), 0.0);
        EXPECT_LT(Progress.vPositions.back(), 1.0) << "cancelled part way";
        // The records came in before the cancel.
        EXPECT_GT(CountsAtFirstPump.nParticipants, CountsBefore.nParticipants);
        if (c.bGroups) {
            EXPECT_GT(CountsAtFirstPump.nGroups, CountsBefore.nGroups);
            EXPECT_GT(CountsAtFirstPump.nStyles, CountsBefore.nStyles);
            EXPECT_GT(CountsAtFirstPump.nFacilities, CountsBefore.nFacilities);
        }
        EXPECT_GT(CountsAtFirstPump.nRoles, CountsBefore.nRoles);

        EXPECT_EQ(CountsOf(*pDoc), CountsBefore);
        EXPECT_FALSE(pDoc->IsModified());
        EXPECT_EQ(pDoc->GetTimetable(), p_timetable) << "no rebuild";
        EXPECT_EQ(groups.CountRows(), n_groupRows) << "the pane dropped the rows it had taken";
        EXPECT_TRUE(Boxes.Boxes().empty());
        EXPECT_EQ(pDoc->WriteEventFile(), vBefore);
        vRows.clear();
    }
}

// The same import left to run to its end keeps what it brought, and the
// window it showed goes; a short import shows none.
TEST_F(ImportCancelTest, AnImportNotCancelledKeepsItsRecords)
{
    GroupRows groups(*pDoc, "Group");
    vRows = {&groups};
    groups.InitialUpdate();
    {
        MappingWizard wizard({"Group Name", "Styles", "Facilities", "Group Members", "Notes"});
        ItemListImport(groups).ImportFromString("web", GroupText(3000));
    }
    EXPECT_TRUE(groups.bEnded);
    EXPECT_FALSE(groups.bStopped);
    EXPECT_EQ(Progress.nOpened, 1);
    EXPECT_EQ(Progress.nClosed, 1);
    EXPECT_EQ(pDoc->GetGroups().GetNumGroups(), CountsBefore.nGroups + 3000);
    EXPECT_TRUE(pDoc->IsModified());

    ScriptedProgress quiet;
    {
        MappingWizard wizard({"Group Name"});
        ItemListImport(groups).ImportFromString("web", "Name\nOne more band\n");
    }
    EXPECT_EQ(quiet.nOpened, 0) << "over before a moment passed";
    EXPECT_EQ(pDoc->GetGroups().GetNumGroups(), CountsBefore.nGroups + 3001);
}
