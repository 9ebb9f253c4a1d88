// The same groups and participants, every importable field filled, as a
// file in fixed-width columns and as a comma-separated file: each is
// imported through the group and participant panes' imports into an event
// of its own, the wizard taking the layout its first step guesses and
// mapping every column to the field its heading names, and the two events
// save to the same bytes.
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/lists/GroupViewCore.h"
#include "shell/lists/ItemListImport.h"
#include "shell/lists/ParticipantViewCore.h"
#include "shell/tests/ImportRows.h"
#include "zelkit/import/ZelImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Table = std::vector<std::vector<std::string>>;

// Headings name the fields, but for the notes, whose headings become the
// captions in front of each note line.
const Table kGroups = {
    {"Group Name", "Contact Name", "Contact Address1", "Contact Address2", "Contact Address2", "Contact Address3",
     "Contact Postal/Zip Code", "Contact Phone 1", "Contact Phone 2", "Contact Fax", "Contact Email", "Styles",
     "Facilities", "Group Members", "Group Members", "Diet", "Remarks"},
    {"Brass Band", "Cal Fox", "1 High Street", "Flat 2", "Block B", "Upper Town", "AB1 2CD", "555 0100",
     "555 0101", "555 0102", "brass@example.org", "Jazz,Folk", "Piano,Stage", "Ann Lee (Leader)", "Bob Fox",
     "Vegetarian", "Needs four stands"},
    {"Choir", "Dora Kay", "2 Mill Lane", "Rear door", "Yard", "Millbrook", "MB1 1AA", "555 0200", "555 0201",
     "555 0202", "choir@example.org", "Folk", "Risers", "Eve Gold - Alto", "Ann Lee", "None",
     "Sings unaccompanied"},
    {"Folk Trio", "Gil Ray", "3 Low Road", "Unit 5", "Dock", "Lower Town", "LT9 9ZZ", "555 0300", "555 0301",
     "555 0302", "trio@example.org", "Folk,Jazz", "Stage", "Hal Ode: fiddle", "Ivy Pyke", "Vegan",
     "Brings own amplifier"},
};

const Table kParticipants = {
    {"Name", "Address1", "Address2", "Address3", "Postal/Zip Code", "Phone 1", "Phone 2", "Fax", "Role", "Email",
     "Rostering", "Diet", "Remarks"},
    {"Jo Wren", "4 Hill Top", "Westfield", "Shire", "WF1 2AB", "555 0400", "555 0401", "555 0402", "Steward",
     "jo@example.org", "Ordered:#1: Jazz", "Vegetarian", "Drives a van"},
    {"Kit Ash", "5 Brook Row", "Eastfield", "Shire", "EF3 4CD", "555 0500", "555 0501", "555 0502", "Usher",
     "kit@example.org", "Ordered:#1: Folk", "None", "Free on Sunday"},
    {"Lou Elm", "6 Oak Lane", "Northfield", "Wold", "NF5 6EF", "555 0600", "555 0601", "555 0602", "Steward",
     "lou@example.org", "Ordered:#1: Jazz, #2: Folk", "Halal", "First aid trained"},
};

// Each column as wide as its longest text and two blanks, every line as
// long as the others; a column start is where the first step finds it.
std::string FixedWidth(const Table& table, std::vector<UINT>& v_starts)
{
    std::vector<std::size_t> v_widths(table.front().size(), 0);
    for (const auto& row : table)
        for (std::size_t i = 0; i < row.size(); ++i)
            v_widths[i] = std::max(v_widths[i], row[i].size() + 2);
    v_starts.clear();
    UINT u_start = 0;
    for (std::size_t n_width : v_widths) {
        v_starts.push_back(u_start);
        u_start += static_cast<UINT>(n_width);
    }
    std::string s_text;
    for (const auto& row : table) {
        for (std::size_t i = 0; i < row.size(); ++i)
            s_text += row[i] + std::string(v_widths[i] - row[i].size(), ' ');
        s_text += "\r\n";
    }
    return s_text;
}

// Every value in quotes; the two member columns as one value of two lines.
std::string CommaSeparated(const Table& table)
{
    std::string s_text;
    for (std::size_t r = 0; r < table.size(); ++r) {
        const auto& row = table[r];
        for (std::size_t i = 0; i < row.size(); ++i) {
            const bool b_secondMember = i > 0 && table.front()[i] == "Group Members"
                                        && table.front()[i - 1] == "Group Members";
            if (b_secondMember)
                continue;
            std::string s_value = row[i];
            if (i + 1 < row.size() && table.front()[i] == "Group Members" && table.front()[i + 1] == "Group Members")
                s_value = r == 0 ? row[i] : row[i] + "\n" + row[i + 1];
            s_text += (i > 0 ? "," : "") + ("\"" + s_value + "\"");
        }
        s_text += "\n";
    }
    return s_text;
}

std::string WriteFile(const std::string& s_name, const std::string& s_bytes)
{
    const std::string s_path = (std::filesystem::temp_directory_path()
                                / ("rvx-" + std::to_string(::getpid()) + "-" + s_name))
                                   .string();
    std::ofstream(s_path, std::ios::binary) << s_bytes;
    return s_path;
}

// The wizard as the user works it: the first step's guess of the layout
// taken (and checked), then every column mapped to the field its heading
// names, then Finish.
class HeadingWizard : public IZelImportWizardPort {
public:
    HeadingWizard() { pPrevious = ZelSetImportWizardPort(this); }
    ~HeadingWizard() override { ZelSetImportWizardPort(pPrevious); }

    int Run(ZelImportWizardCore& wizard, const std::string&, const std::string&) override
    {
        bGuessedFixed = wizard.DetectLayout() != FALSE;
        vStarts = wizard.GetColumnStarts();
        const std::vector<ZelImportWizardCore::ColumnRow> v_rows = wizard.PrepareColumns();
        for (std::size_t i = 0; i < v_rows.size(); ++i) {
            const std::string& s_caption = v_rows[i].sCaption;
            wizard.ChooseField(static_cast<int>(i), s_caption == "Diet" || s_caption == "Remarks" ? "Notes"
                                                                                                 : s_caption);
            EXPECT_EQ(wizard.GetColumnMap()[static_cast<int>(i)].empty(), false) << s_caption;
        }
        return 12325;
    }

    bool bGuessedFixed = false;
    std::vector<UINT> vStarts;

private:
    IZelImportWizardPort* pPrevious;
};

struct KeyCounters {
    LONG lGroup = Group::GetKeyCounter();
    LONG lParticipant = Participant::GetKeyCounter();
    LONG lProperty = Property::GetKeyCounter();
    LONG lRole = ParticipantRole::GetKeyCounter();
    void Restore() const
    {
        Group::SetKeyCounter(lGroup);
        Participant::SetKeyCounter(lParticipant);
        Property::SetKeyCounter(lProperty);
        ParticipantRole::SetKeyCounter(lRole);
    }
};

struct Imported {
    std::unique_ptr<EventDoc> pDoc = std::make_unique<EventDoc>();
    bool bGroupsFixed = false;
    bool bParticipantsFixed = false;
    std::vector<UINT> vGroupStarts;
    int nErrorRows = 0;
};

class ErrorCount : public IILVImportErrorsPort {
public:
    ErrorCount() { pPrevious = SetILVImportErrorsPort(this); }
    ~ErrorCount() override { SetILVImportErrorsPort(pPrevious); }
    void Show(const ILVImportErrors& errors, const std::string&) override
    {
        for (int i = 0; i < errors.GetRowCount(); ++i)
            vRows.push_back(errors.GetRows()[i][0] + "|" + errors.GetRows()[i][1]);
    }
    std::vector<std::string> vRows;

private:
    IILVImportErrorsPort* pPrevious;
};

Imported ImportBoth(const std::string& s_groupFile, const std::string& s_participantFile)
{
    Imported result;
    ErrorCount errors;
    HeadingWizard wizard;
    ImportRows<GroupViewCore> groups(*result.pDoc, "Group");
    ImportRows<ParticipantViewCore> participants(*result.pDoc, "Participant");
    groups.InitialUpdate();
    participants.InitialUpdate();
    ItemListImport(groups).ImportFile("file", "file", s_groupFile);
    result.bGroupsFixed = wizard.bGuessedFixed;
    result.vGroupStarts = wizard.vStarts;
    ItemListImport(participants).ImportFile("file", "file", s_participantFile);
    result.bParticipantsFixed = wizard.bGuessedFixed;
    EXPECT_EQ(errors.vRows, std::vector<std::string>());
    return result;
}

} // namespace

TEST(FixedWidthImport, GivesTheEventACommaSeparatedFileGives)
{
    ScriptedMessageBox boxes;
    ScriptedViews views;
    std::vector<UINT> v_groupStarts, v_participantStarts;
    const std::string s_fixedGroups = WriteFile("groups.txt", FixedWidth(kGroups, v_groupStarts));
    const std::string s_fixedParticipants =
        WriteFile("participants.txt", FixedWidth(kParticipants, v_participantStarts));
    const std::string s_csvGroups = WriteFile("groups.csv", CommaSeparated(kGroups));
    const std::string s_csvParticipants = WriteFile("participants.csv", CommaSeparated(kParticipants));

    const KeyCounters counters;
    const Imported fixed = ImportBoth(s_fixedGroups, s_fixedParticipants);
    counters.Restore();
    const Imported csv = ImportBoth(s_csvGroups, s_csvParticipants);
    for (const std::string& s_path : {s_fixedGroups, s_fixedParticipants, s_csvGroups, s_csvParticipants})
        std::filesystem::remove(s_path);

    EXPECT_TRUE(fixed.bGroupsFixed);
    EXPECT_TRUE(fixed.bParticipantsFixed);
    EXPECT_EQ(fixed.vGroupStarts, v_groupStarts) << "the guess finds every column start";
    EXPECT_FALSE(csv.bGroupsFixed);
    EXPECT_FALSE(csv.bParticipantsFixed);
    EXPECT_TRUE(boxes.Boxes().empty());

    // Every field arrived (a few looked at here; the bytes compare them all).
    const EventDoc& doc = *fixed.pDoc;
    ASSERT_EQ(doc.GetGroups().GetNumGroups(), 3);
    ASSERT_EQ(doc.GetParticipants().GetNumParticipants(), 3 + 5) << "three imported, five members (one in two groups)";
    const int i_brass = doc.GetGroups().FindByName("Brass Band");
    ASSERT_GE(i_brass, 0);
    const Group& brass = doc.GetGroups()[i_brass];
    EXPECT_EQ(brass.GetContact().GetName(), "Cal Fox");
    EXPECT_EQ(brass.GetEmail(), "brass@example.org");
    EXPECT_EQ(brass.GetFax(), "555 0102");
    EXPECT_EQ(brass.GetStyles().GetCount(), 2);
    EXPECT_EQ(brass.GetFacilities().GetCount(), 2);
    EXPECT_EQ(brass.GetMembers().GetSize(), 2);
    EXPECT_NE(brass.GetNotes().find("Remarks: Needs four stands"), std::string::npos);

    EXPECT_EQ(fixed.pDoc->WriteEventFile(), csv.pDoc->WriteEventFile());
}
