// The group and participant panes in the program with their real sheets,
// in-process under a virtual display, over an event whose timetable holds a
// placement that is not locked: OK, Next and Apply over items the user did
// not edit leave the timetable and the event alone (a real edit still runs
// the change routine, which keeps only the locks), a new group or
// participant whose name is taken keeps its sheet open with what was typed,
// and the pages' descriptions name the menu the preferences are in.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/Timetable.h"
#include "sheets/AllocPPage.h"
#include "sheets/GroupPSheet.h"
#include "sheets/GroupPages.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/LimitsPPageGroup.h"
#include "app/InstallSheets.h"
#include "sheets/ParticipantSheetPort.h"
#include "sheets/VenuePSheet.h"
#include "shell/frame/CommandIds.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/GroupView.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/lists/ParticipantView.h"
#include "shell/lists/VenueView.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/ProgramRunEnd.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/SheetTestDriving.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace fs = std::filesystem;
using testevent::EventBuilder;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment(&InstallSheets));

std::string Text(wxWindow& page, int i_id)
{
    auto* p_text = wxDynamicCast(page.FindWindow(i_id), wxTextCtrl);
    return p_text != nullptr ? p_text->GetValue().ToStdString() : std::string("?");
}

class PaneSheetsWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-panesheets");
        {
            EventBuilder event;
            event.Name("Spring fair")
                .Days({"Sat", "Sun"})
                .Slots(-1, {"09:00-10:00", "10:00-11:00"})
                .TwentyFourHour()
                .Venue("Hall")
                .Venue("Annex")
                .Participant("Ann Lee")
                .Participant("Bob Ray")
                .Group("Choir")
                .Group("Band")
                .Member("Choir", "Ann Lee")
                .Member("Band", "Bob Ray")
                .Timetable()
                .Place(0, "Hall", "09:00", "Choir", false)
                .Place(0, "Annex", "09:00", "Band", true);
            ASSERT_TRUE(event.Doc().OnSaveDocument((fsFolder / "fair.eve").string()));
        }
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterVenueView());
        ASSERT_TRUE(RegisterGroupView());
        ASSERT_TRUE(RegisterParticipantView());
        ASSERT_TRUE(TheApp()->StartUp((fsFolder / "fair.eve").string()));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
        ASSERT_NE(Groups(), nullptr);
        ASSERT_NE(Participants(), nullptr);
        ASSERT_FALSE(Doc().IsModified());
    }
    void TearDown() override { EndProgramRun({kVenueView, kGroupView, kParticipantView}, fsFolder); }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    VenueView* Venues() { return dynamic_cast<VenueView*>(Frame().GetPaneView(0, 0)); }
    GroupView* Groups() { return dynamic_cast<GroupView*>(Frame().GetPaneView(1, 0)); }
    ParticipantView* Participants() { return dynamic_cast<ParticipantView*>(Frame().GetPaneView(0, 1)); }
    int Unfilled() { return Doc().GetTimetable()->CountUnfilled(-1, -1); }
    static void SelectAll(ItemListView& view)
    {
        view.Click(-1, FALSE, FALSE);
        for (int i = 0; i < view.GetList().GetItemCount(); ++i)
            view.Click(i, FALSE, TRUE);
        Pump();
    }

    ScriptedMessageBox Boxes;
    fs::path fsFolder;
};

// Over a walk of two: Apply on the first, which stays open, Next, then OK
// on the second.
template <class Sheet>
void WalkWithoutEditing(int& n_sheets)
{
    WhenShownPainted<Sheet>([&n_sheets](Sheet& first) {
        ++n_sheets;
        PressInLoop(first, IDC_SHEET_APPLY_NOW);
        EXPECT_TRUE(first.IsModal()) << "Apply keeps the sheet open";
        PressInLoop(first, IDC_SHEET_NEXT);
        WhenShownPainted<Sheet>([&n_sheets](Sheet& second) {
            ++n_sheets;
            PressInLoop(second, wxID_OK);
        });
    });
}

TEST_F(PaneSheetsWxTest, SheetsEndedWithoutAnEditLeaveTheTimetableAlone)
{
    const int n_unfilled = Unfilled();
    int n_sheets = 0;
    SelectAll(*Groups());
    WalkWithoutEditing<GroupPSheet>(n_sheets);
    Groups()->ChangeSelected();
    Pump();
    EXPECT_FALSE(Doc().IsModified()) << "after the groups";
    SelectAll(*Participants());
    WalkWithoutEditing<ParticipantChangePSheet>(n_sheets);
    Participants()->ChangeSelected();
    Pump();
    EXPECT_EQ(n_sheets, 4);
    EXPECT_EQ(Unfilled(), n_unfilled) << "the placement that is not locked is kept";
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(Boxes.Boxes().empty());

    // An edit is stored through the change routine, which keeps the locks
    // only.
    Groups()->Click(-1, FALSE, FALSE);
    Groups()->Click(0, FALSE, TRUE);
    WhenShownPainted<GroupPSheet>([](GroupPSheet& sheet) {
        TypeInLoop(*sheet.GetContactPage(), IDC_GROUP_CONTACT, "Cal Fox");
        PressInLoop(sheet, wxID_OK);
    });
    Groups()->ChangeSelected();
    Pump();
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Unfilled(), n_unfilled + 1);
}

TEST_F(PaneSheetsWxTest, ANewGroupWithATakenNameKeepsItsSheetOpen)
{
    const int n_groups = Doc().GetGroups().GetNumGroups();
    bool b_stayed = false;
    bool b_nameSelected = false;
    std::string s_contact;
    WhenShownPainted<GroupPSheet>([&](GroupPSheet& sheet) {
        GroupContactPPage& details = *sheet.GetContactPage();
        TypeInLoop(details, IDC_GROUP_NAME, "Choir");
        TypeInLoop(details, IDC_GROUP_CONTACT, "Cal Fox");
        // From another page, as a user who typed the name first would.
        ShowPage(sheet, 6);
        PressInLoop(sheet, wxID_OK);
        b_stayed = sheet.IsModal();
        auto* p_name = static_cast<wxTextCtrl*>(details.FindWindow(IDC_GROUP_NAME));
        long l_from = 0;
        long l_to = 0;
        p_name->GetSelection(&l_from, &l_to);
        b_nameSelected = sheet.GetBookCtrl()->GetCurrentPage() == &details && wxWindow::FindFocus() == p_name
                         && l_from == 0 && l_to == 5;
        s_contact = Text(details, IDC_GROUP_CONTACT);
        TypeInLoop(details, IDC_GROUP_NAME, "Chamber Choir");
        PressInLoop(sheet, wxID_OK);
    });
    EXPECT_TRUE(Frame().RunCommand(ID_ADD_GROUP));
    Pump();
    EXPECT_TRUE(b_stayed);
    EXPECT_TRUE(b_nameSelected) << "the sheet shows the name, selected";
    EXPECT_EQ(s_contact, "Cal Fox");
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot add group.  Group 'Choir' already exists.");
    ASSERT_EQ(Doc().GetGroups().GetNumGroups(), n_groups + 1);
    const Group& added = Doc().GetGroups().GetAt(n_groups);
    EXPECT_EQ(added.GetName(), "Chamber Choir");
    EXPECT_EQ(added.GetContact().GetFullName(), "Cal Fox");
}

TEST_F(PaneSheetsWxTest, ANewParticipantWithATakenNameKeepsItsSheetOpen)
{
    const int n_parts = Doc().GetParticipants().GetNumParticipants();
    bool b_stayed = false;
    bool b_nameFocused = false;
    std::string s_email;
    WhenShownPainted<ParticipantChangePSheet>([&](ParticipantChangePSheet& sheet) {
        wxWindow& details = sheet.GetDetailsPage();
        TypeInLoop(details, IDC_PART_FIRST_NAME, "Ann");
        TypeInLoop(details, IDC_PART_LAST_NAME, "Lee");
        TypeInLoop(details, IDC_PART_EMAIL, "ann@example.org");
        PressInLoop(sheet, wxID_OK);
        b_stayed = sheet.IsModal();
        b_nameFocused = wxWindow::FindFocus() == details.FindWindow(IDC_PART_FIRST_NAME);
        s_email = Text(details, IDC_PART_EMAIL);
        TypeInLoop(details, IDC_PART_FIRST_NAME, "Anne");
        PressInLoop(sheet, wxID_OK);
    });
    EXPECT_TRUE(Frame().RunCommand(ID_ADD_PARTICIPANT));
    Pump();
    EXPECT_TRUE(b_stayed);
    EXPECT_TRUE(b_nameFocused);
    EXPECT_EQ(s_email, "ann@example.org");
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot add participant.  Participant 'Ann Lee' already exists.");
    ASSERT_EQ(Doc().GetParticipants().GetNumParticipants(), n_parts + 1);
    const int i_added = Doc().GetParticipants().FindByName("Anne Lee");
    ASSERT_GE(i_added, 0);
    EXPECT_EQ(Doc().GetParticipants().GetAt(i_added).GetEmail(), "ann@example.org");
}

// How a test reaches one kind of item in its add sheet and in the event.
template <class Sheet>
struct AddedKind {
    const char* pWhat;
    UINT uAddCommand;
    // The pane behind the sheet.
    std::function<ItemListView*()> fPane;
    std::function<int()> fCount;
    // Types the name into the sheet, and the other field.
    std::function<void(Sheet&)> fTypeName;
    std::function<void(Sheet&, const char*)> fTypeField;
    // What the sheet's boxes show: the name, the other field.
    std::function<std::string(Sheet&)> fShownName;
    std::function<std::string(Sheet&)> fShownField;
    // The key of the item of the name, -1 when none; its other field.
    std::function<LONG()> fKey;
    std::function<std::string(LONG)> fField;
    // Where the sheet stands for a screenshot, beside the pane.
    wxPoint ptShot;
};

// An add sheet: the name typed, Apply adds the item and the sheet stays on
// it, the new row in the pane behind; the other field changed and Apply
// again changes that item (no second one); then the field changed once
// more and the sheet ended with OK (stored) or Cancel (Apply's stays).
template <class Sheet>
void AddWithApply(const AddedKind<Sheet>& kind, ScriptedMessageBox& boxes)
{
    const char* p_shot = std::getenv("ROTAVEX_SHOW_ONLY");
    for (const int i_end : {int(wxID_OK), int(wxID_CANCEL)}) {
        const std::string s_end = i_end == wxID_OK ? " (OK)" : " (Cancel)";
        const int n_before = kind.fCount();
        bool b_driven = false;
        WhenShownPainted<Sheet>([&](Sheet& sheet) {
            kind.fTypeName(sheet);
            PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
            Pump();
            ASSERT_TRUE(sheet.IsModal()) << kind.pWhat << s_end << ": Apply keeps the sheet open";
            EXPECT_EQ(kind.fCount(), n_before + 1) << kind.pWhat << s_end;
            const LONG l_key = kind.fKey();
            ASSERT_GE(l_key, 0) << kind.pWhat << s_end << ": the item is in the event";
            EXPECT_GE(kind.fPane()->GetList().FindItemData(l_key), 0) << kind.pWhat << ": its row in the pane";
            EXPECT_EQ(kind.fShownName(sheet), "Apply Item") << kind.pWhat << ": the sheet shows it again";
            EXPECT_NE(std::string(sheet.GetTitle().utf8_str()).find(" - Apply"), std::string::npos)
                << sheet.GetTitle();
            if (i_end == wxID_OK && p_shot != nullptr && std::string(p_shot) == kind.pWhat) {
                // For a screenshot: the sheet beside the pane, so that the
                // new row shows behind it.
                TheApp()->GetMainFrame()->SetSize(0, 0, 1100, 650);
                sheet.Move(kind.ptShot);
                sheet.Raise();
                ShowAWhile(kind.pWhat);
            }

            kind.fTypeField(sheet, "First change");
            PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
            Pump();
            ASSERT_TRUE(sheet.IsModal()) << kind.pWhat << s_end;
            EXPECT_EQ(kind.fCount(), n_before + 1) << kind.pWhat << s_end << ": still the one item";
            EXPECT_EQ(kind.fKey(), l_key) << kind.pWhat << s_end;
            EXPECT_EQ(kind.fField(l_key), "First change") << kind.pWhat << s_end;
            EXPECT_EQ(kind.fShownField(sheet), "First change") << kind.pWhat << s_end;

            kind.fTypeField(sheet, "Second change");
            PressInLoop(sheet, i_end);
            b_driven = true;
        });
        EXPECT_TRUE(TheApp()->GetMainFrame()->RunCommand(kind.uAddCommand));
        Pump();
        ASSERT_TRUE(b_driven) << kind.pWhat << s_end;
        EXPECT_EQ(kind.fCount(), n_before + 1) << kind.pWhat << s_end;
        const LONG l_key = kind.fKey();
        ASSERT_GE(l_key, 0) << kind.pWhat << s_end;
        EXPECT_EQ(kind.fField(l_key), i_end == wxID_OK ? "Second change" : "First change") << kind.pWhat << s_end;
        EXPECT_TRUE(boxes.Boxes().empty()) << kind.pWhat << s_end << ": " << boxes.Boxes()[0].sText;
        // The next round adds a new item of the same name.
        kind.fPane()->Click(-1, FALSE, FALSE);
        kind.fPane()->Click(kind.fPane()->GetList().FindItemData(l_key), FALSE, TRUE);
        kind.fPane()->DeleteSelected();
        Pump();
        ASSERT_EQ(kind.fCount(), n_before) << kind.pWhat;
    }
}

TEST_F(PaneSheetsWxTest, ApplyInAnAddSheetAddsTheItemAndTheSheetStaysOnIt)
{
    AddedKind<VenuePSheet> venue{
        "add-venue",
        ID_ADD_VENUE,
        [this] { return static_cast<ItemListView*>(Venues()); },
        [this] { return Doc().GetNumVenues(); },
        [](VenuePSheet& sheet) { TypeInLoop(sheet.GetDetailsPage(), IDC_VENUE_NAME, "Apply Item"); },
        [](VenuePSheet& sheet, const char* p_text) { TypeInLoop(sheet.GetDetailsPage(), IDC_VENUE_LOCATION, p_text); },
        [](VenuePSheet& sheet) { return Text(sheet.GetDetailsPage(), IDC_VENUE_NAME); },
        [](VenuePSheet& sheet) { return Text(sheet.GetDetailsPage(), IDC_VENUE_LOCATION); },
        [this]() -> LONG {
            for (int i = 0; i < Doc().GetNumVenues(); ++i)
                if (Doc().GetVenues()[i].GetName() == "Apply Item")
                    return Doc().GetVenues()[i].GetKey();
            return -1;
        },
        [this](LONG l_key) { return Doc().GetVenues()[Doc().GetVenues().FindByKey(l_key)].GetLocation(); },
        wxPoint(480, 300),
    };
    AddWithApply(venue, Boxes);

    AddedKind<GroupPSheet> group{
        "add-group",
        ID_ADD_GROUP,
        [this] { return static_cast<ItemListView*>(Groups()); },
        [this] { return Doc().GetGroups().GetNumGroups(); },
        [](GroupPSheet& sheet) { TypeInLoop(*sheet.GetContactPage(), IDC_GROUP_NAME, "Apply Item"); },
        [](GroupPSheet& sheet, const char* p_text) { TypeInLoop(*sheet.GetContactPage(), IDC_GROUP_CONTACT, p_text); },
        [](GroupPSheet& sheet) { return Text(*sheet.GetContactPage(), IDC_GROUP_NAME); },
        [](GroupPSheet& sheet) { return Text(*sheet.GetContactPage(), IDC_GROUP_CONTACT); },
        [this]() -> LONG {
            const int i_index = Doc().GetGroups().FindByName("Apply Item");
            return i_index >= 0 ? Doc().GetGroups().GetAt(i_index).GetKey() : -1;
        },
        [this](LONG l_key) {
            return Doc().GetGroups().GetAt(Doc().GetGroups().FindByKey(l_key)).GetContact().GetFullName();
        },
        wxPoint(480, 40),
    };
    AddWithApply(group, Boxes);

    AddedKind<ParticipantChangePSheet> participant{
        "add-participant",
        ID_ADD_PARTICIPANT,
        [this] { return static_cast<ItemListView*>(Participants()); },
        [this] { return Doc().GetParticipants().GetNumParticipants(); },
        [](ParticipantChangePSheet& sheet) {
            TypeInLoop(sheet.GetDetailsPage(), IDC_PART_FIRST_NAME, "Apply");
            TypeInLoop(sheet.GetDetailsPage(), IDC_PART_LAST_NAME, "Item");
        },
        [](ParticipantChangePSheet& sheet, const char* p_text) {
            TypeInLoop(sheet.GetDetailsPage(), IDC_PART_FAX, p_text);
        },
        [](ParticipantChangePSheet& sheet) {
            return Text(sheet.GetDetailsPage(), IDC_PART_FIRST_NAME) + " "
                   + Text(sheet.GetDetailsPage(), IDC_PART_LAST_NAME);
        },
        [](ParticipantChangePSheet& sheet) { return Text(sheet.GetDetailsPage(), IDC_PART_FAX); },
        [this]() -> LONG {
            const int i_index = Doc().GetParticipants().FindByName("Apply Item");
            return i_index >= 0 ? Doc().GetParticipants().GetAt(i_index).GetKey() : -1;
        },
        [this](LONG l_key) {
            return Doc().GetParticipants().GetAt(Doc().GetParticipants().FindByKey(l_key)).GetFax();
        },
        wxPoint(0, 300),
    };
    AddWithApply(participant, Boxes);
}

// The descriptions of the Limits and Allocation pages send the user to
// the menu command that sets the defaults: the menu they name is one of the
// main window's, and it holds that command.
TEST_F(PaneSheetsWxTest, PageDescriptionsNameTheMenuThatHoldsPreferences)
{
    // Every "Menu|Command" that a page's texts name.
    const auto f_paths = [](wxWindow& page) {
        std::vector<std::pair<std::string, std::string>> v_paths;
        std::function<void(wxWindow&)> f_walk = [&](wxWindow& window) {
            std::string s_text;
            if (auto* p_static = wxDynamicCast(&window, wxStaticText))
                s_text = std::string(p_static->GetLabel().utf8_str());
            else if (auto* p_box = wxDynamicCast(&window, wxTextCtrl))
                s_text = std::string(p_box->GetValue().utf8_str());
            for (std::size_t u_bar = s_text.find('|'); u_bar != std::string::npos;
                 u_bar = s_text.find('|', u_bar + 1)) {
                std::size_t u_begin = u_bar;
                while (u_begin > 0 && std::isalpha(static_cast<unsigned char>(s_text[u_begin - 1])))
                    --u_begin;
                std::size_t u_end = u_bar + 1;
                while (u_end < s_text.size() && std::isalpha(static_cast<unsigned char>(s_text[u_end])))
                    ++u_end;
                v_paths.emplace_back(s_text.substr(u_begin, u_bar - u_begin),
                                     s_text.substr(u_bar + 1, u_end - u_bar - 1));
            }
            for (wxWindow* p_child : window.GetChildren())
                f_walk(*p_child);
        };
        f_walk(page);
        return v_paths;
    };
    std::vector<std::pair<std::string, std::string>> v_named;
    WhenShownPainted<GroupPSheet>([&](GroupPSheet& sheet) {
        for (wxWindow* p_page : {static_cast<wxWindow*>(sheet.GetLimitsPage()),
                                 static_cast<wxWindow*>(sheet.GetAllocPage())}) {
            ShowPage(sheet, p_page);
            Pump();
            for (const auto& path : f_paths(*p_page))
                v_named.push_back(path);
        }
        PressInLoop(sheet, wxID_CANCEL);
    });
    Groups()->Click(-1, FALSE, FALSE);
    Groups()->Click(0, FALSE, TRUE);
    Groups()->ChangeSelected();
    Pump();
    WhenShownPainted<ParticipantChangePSheet>([&](ParticipantChangePSheet& sheet) {
        ShowPage(sheet, &sheet.GetLimitsPage());
        Pump();
        for (const auto& path : f_paths(sheet.GetLimitsPage()))
            v_named.push_back(path);
        PressInLoop(sheet, wxID_CANCEL);
    });
    Participants()->Click(-1, FALSE, FALSE);
    Participants()->Click(0, FALSE, TRUE);
    Participants()->ChangeSelected();
    Pump();
    ASSERT_EQ(v_named.size(), 3u) << "the group's limits and allocation, the participant's limits";
    wxMenuBar& bar = *Frame().GetMenuBar();
    for (const auto& [s_menu, s_command] : v_named) {
        const int i_menu = bar.FindMenu(wxString::FromUTF8(s_menu));
        ASSERT_NE(i_menu, wxNOT_FOUND) << s_menu << "|" << s_command;
        bool b_found = false;
        for (const wxMenuItem* p_item : bar.GetMenu(static_cast<size_t>(i_menu))->GetMenuItems())
            b_found = b_found || p_item->GetItemLabelText().StartsWith(wxString::FromUTF8(s_command));
        EXPECT_TRUE(b_found) << s_menu << "|" << s_command;
    }
}

} // namespace
