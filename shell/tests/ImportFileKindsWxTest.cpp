// Files of every kind through File > Import as the user meets it (run under
// a virtual display): the import's file dialog answered through its port,
// the participant pane's import, and the real wizard window. A file that is
// not text (random bytes, a NUL in a line) is refused before the wizard with
// a message naming the line, from a file and from the web alike, and the
// event, whose items carry every stored field, saves to the same bytes; text
// in UTF-8, with its byte-order mark, or in code page 1252 opens the wizard
// and imports. A fixed-width file, one of its lines with a tab and its last
// column ragged, opens on "Fixed width" with the breaks where its columns
// start.
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxMessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/frame/FrameImports.h"
#include "shell/frame/FramePorts.h"
#include "shell/lists/ParticipantViewCore.h"
#include "shell/tests/ImportRows.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/EveryField.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "testsupport/ui/WindowStacking.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/import/ui/ZelImportWizard.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/timer.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

// The participant pane as the program's list view is one for the frame's
// import commands: its import runs the importer over the pane's list.
class ParticipantPane : public IFramePane {
public:
    explicit ParticipantPane(EventDoc& doc) : Rows(doc, "Participant") { Rows.InitialUpdate(); }
    BOOL AcceptsImports() override { return TRUE; }
    void ImportFromText(const std::string& s_key, const std::string& s_text) override
    {
        ItemListImport(Rows).ImportFromString(s_key, s_text);
    }
    void ImportFromFile(const std::string& s_key, const std::string& s_name, const std::string& s_path) override
    {
        ItemListImport(Rows).ImportFile(s_key, s_name, s_path);
    }

    ImportRows<ParticipantViewCore> Rows;
};

class Panes : public IPaneFinder {
public:
    explicit Panes(ParticipantPane& pane) : Pane(pane) {}
    IFramePane* FindPane(const std::string& s_className, BOOL) override
    {
        return s_className == kParticipantView ? &Pane : nullptr;
    }

private:
    ParticipantPane& Pane;
};

// The error list, recorded: its rows and the number added.
class ErrorRows : public IILVImportErrorsPort {
public:
    ErrorRows() { pPrevious = SetILVImportErrorsPort(this); }
    ~ErrorRows() override { SetILVImportErrorsPort(pPrevious); }
    void Show(const ILVImportErrors& errors, const std::string&) override
    {
        nAdded += errors.nAdded;
        for (int i = 0; i < errors.GetRowCount(); ++i)
            vRows.push_back(errors.GetRows()[i][0] + "|" + errors.GetRows()[i][1]);
    }
    int nAdded = 0;
    std::vector<std::string> vRows;

private:
    IILVImportErrorsPort* pPrevious;
};

// An event whose group and participant carry every stored field.
struct EveryFieldEvent {
    EveryFieldEvent()
    {
        event.Style("Jazz").Style("Folk").Facility("Piano").Facility("Stage");
        event.Participant("Ann Maria Lee").Participant("Bob Fox").Group("Choir");
        event.Member("Choir", "Ann Maria Lee").Member("Choir", "Bob Fox");
        EventDoc& doc = event.Doc();
        const LONG l_role = doc.AddParticipantRole("Leader");
        testevent::GiveEveryField(doc.GetGroups().GetAt(0), testevent::KeysInReverseNameOrder(doc.GetStyles()),
                                  testevent::KeysInReverseNameOrder(doc.GetFacilities()));
        testevent::GiveEveryField(doc.GetParticipants().GetAt(0), l_role);
        doc.SetModifiedFlag(false);
    }
    testevent::EventBuilder event;
};

std::string WriteFile(const std::string& s_name, const std::string& s_bytes)
{
    const std::string s_path =
        (std::filesystem::temp_directory_path() / ("rvx-" + std::to_string(::getpid()) + "-" + s_name)).string();
    std::ofstream(s_path, std::ios::binary) << s_bytes;
    return s_path;
}

// Any wizard that shows is noted and cancelled: where none may show, a
// failure must not leave the run waiting on it.
class WizardWatch {
public:
    WizardWatch()
    {
        Timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            if (auto* p_wizard = FindModal<ZelImportWizard>()) {
                bShown = true;
                p_wizard->EndModal(wxID_CANCEL);
            }
        });
        Timer.Start(20);
    }
    ~WizardWatch() { Timer.Stop(); }
    bool bShown = false;

private:
    wxTimer Timer;
};

std::string RandomBytes(unsigned u_seed, int n_bytes)
{
    std::string s;
    for (int i = 0; i < n_bytes; ++i) {
        u_seed = u_seed * 1103515245u + 12345u;
        s += static_cast<char>((u_seed >> 16) & 0xFF);
    }
    return s;
}

const char* const kTail =
    "\n\nOnly text can be imported: comma-separated or in fixed-width columns, in UTF-8 or code page 1252.";

TEST(ImportFileKindsWx, FilesThatAreNotTextAreRefusedAndTextIsImported)
{
    CSettingsStore::Get().Configure("", "");
    FrameImports::ForgetImportChoices();
    std::string s_cp1252 = "Name\r\n";
    for (int i = 0x80; i <= 0xFF; i += 16) {
        s_cp1252 += "Zo";
        for (int k = i; k < i + 16; ++k)
            s_cp1252 += static_cast<char>(k);
        s_cp1252 += "\r\n";
    }
    struct Case {
        const char* p_name;
        std::string s_bytes;
        // The line and byte the refusal names (-1: any; 0: text); what the
        // first step's preview shows as record 2; the participants added.
        int i_line;
        const char* p_byte;
        std::string s_previewed;
        int n_added;
    };
    const Case a_cases[] = {
        {"random bytes", RandomBytes(6, 2048), -1, "", "", 0},
        {"UTF-8", "Name,Town\nZo\xC3\xAB Lee,Oslo\nBo Fox,\xE2\x82\xAC-town\n", 0, "", "Zo\xEB Lee,Oslo", 2},
        {"code page 1252, bytes 0x80 to 0xFF", s_cp1252, 0, "", s_cp1252.substr(6, 18), 8},
        {"a NUL in line 3", std::string("Name\nAnn Moss\nBob\0Fox\nCy Dunn\n", 30), 3, "0x00", "", 0},
        {"UTF-8 with its byte-order mark", "\xEF\xBB\xBFName\r\nCy Dunn\r\nDee Frost\r\n", 0, "", "Cy Dunn", 2},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.p_name);
        EveryFieldEvent every;
        EventDoc& doc = every.event.Doc();
        ScriptedViews views;
        ParticipantPane pane(doc);
        Panes panes(pane);
        const std::vector<std::uint8_t> v_before = doc.WriteEventFile();
        const int n_before = doc.GetParticipants().GetNumParticipants();
        const std::string s_path = WriteFile("kinds.txt", c.s_bytes);
        ScriptedMessageBox boxes;
        ScriptedFileDialogs dialogs;
        dialogs.AnswerPath(s_path);
        ErrorRows errors;

        if (c.i_line != 0) {
            WizardWatch watch;
            FrameImports::ImportFromFile(panes, &doc);
            EXPECT_FALSE(watch.bShown) << "the wizard never opens";
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            const std::string s_start = "'" + s_path + "' is not a text file and cannot be imported: line ";
            const std::string& s_told = boxes.Boxes()[0].sText;
            EXPECT_EQ(s_told.substr(0, s_start.size()), s_start);
            if (c.i_line > 0) {
                EXPECT_EQ(s_told, s_start + std::to_string(c.i_line) + " holds the control character " + c.p_byte
                                      + "." + kTail);
            }
            EXPECT_TRUE(errors.vRows.empty()) << "no error list";
            EXPECT_FALSE(doc.IsModified());
            EXPECT_EQ(doc.WriteEventFile(), v_before);
            EXPECT_EQ(pane.Rows.CountRows(), n_before);
            std::filesystem::remove(s_path);
            continue;
        }

        wxString s_guess;
        std::string s_previewed;
        WhenShown<ZelImportWizard>([&](ZelImportWizard& wizard) {
            auto* p_step = dynamic_cast<ZelImportStep1*>(wizard.GetActivePage());
            ASSERT_NE(p_step, nullptr);
            if (wxWindow* p_result = wizard.FindWindow(WxId(ZelImportStep1::IDC_RESULT)))
                s_guess = p_result->GetLabel();
            ASSERT_GE(p_step->GetPreview().GetItemCount(), 2u);
            s_previewed = p_step->GetPreview().GetLineText(1);
            Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
            auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
            ASSERT_NE(p_list, nullptr);
            ChooseField(*p_list, 0, "Name");
            Press(wizard, ZelSizingPropSheet::ID_WIZFINISH);
        });
        FrameImports::ImportFromFile(panes, &doc);
        std::filesystem::remove(s_path);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(s_guess, "Delimited.");
        EXPECT_EQ(s_previewed, c.s_previewed) << "the preview shows the text as the code page reads it";
        EXPECT_EQ(errors.vRows, std::vector<std::string>());
        EXPECT_EQ(doc.GetParticipants().GetNumParticipants(), n_before + c.n_added);
        EXPECT_TRUE(doc.IsModified());
    }

    // The same check holds for a file fetched from the web.
    EveryFieldEvent every;
    EventDoc& doc = every.event.Doc();
    ScriptedViews views;
    ParticipantPane pane(doc);
    Panes panes(pane);
    const std::vector<std::uint8_t> v_before = doc.WriteEventFile();
    ScriptedMessageBox boxes;
    ScriptedWebImport web;
    web.AnswerDialog([](WebImportRequest& r) {
        r.sSite = "http://lists.example";
        r.sFile = "members.txt";
        r.iKind = 1;
        return IDOK;
    });
    web.AnswerFetch({IDOK, std::string("Name\nAnn Moss\nBob\0Fox\n", 22), ""});
    ErrorRows errors;
    {
        WizardWatch watch;
        FrameImports::ImportFromWeb(panes, &doc);
        EXPECT_FALSE(watch.bShown) << "the wizard never opens";
    }
    // The recent sites are kept in the settings, which tell of themselves
    // in a test without the program's resources; the import's box is last.
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes().back().sText,
              std::string("The text is not plain text and cannot be imported: line 3 holds the control character "
                          "0x00.")
                  + kTail);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.WriteEventFile(), v_before);
    CSettingsStore::Get().Configure("", "");
}

// A fixed-width file of participants, one line with a tab and the last
// column ragged: the first step says fixed width, its radio is set and the
// preview shows the breaks where the columns start, the tab drawn to its
// stop; Finish imports the columns cut there.
TEST(ImportFileKindsWx, AFixedWidthFileOpensOnFixedWidthWithItsBreaks)
{
    CSettingsStore::Get().Configure("", "");
    FrameImports::ForgetImportChoices();
    const std::string s_path = WriteFile("members.txt", "Name        Town    Phone\n"
                                                        "Zo\xC3\xAB Lee     Nice    555 0100\n"
                                                        "Bo Finn\t    Rome    555 0200 or 555 0201\n"
                                                        "Cy Dunn     Oslo\n"
                                                        "Dee Frost   Bern    555 0400\n");
    EveryFieldEvent every;
    EventDoc& doc = every.event.Doc();
    ScriptedViews views;
    ParticipantPane pane(doc);
    Panes panes(pane);
    ScriptedMessageBox boxes;
    ScriptedFileDialogs dialogs;
    dialogs.AnswerPath(s_path);
    ErrorRows errors;
    wxString s_guess;
    std::string s_tabLine;
    bool b_fixed = false;
    std::vector<UINT> v_breaks;
    std::vector<std::string> v_rows;
    WhenShownPainted<ZelImportWizard>([&](ZelImportWizard& wizard) {
        auto* p_step = dynamic_cast<ZelImportStep1*>(wizard.GetActivePage());
        ASSERT_NE(p_step, nullptr);
        if (wxWindow* p_result = wizard.FindWindow(WxId(ZelImportStep1::IDC_RESULT)))
            s_guess = p_result->GetLabel();
        b_fixed = wxDynamicCast(wizard.FindWindow(WxId(ZelImportStep1::IDC_FIXED)), wxRadioButton)->GetValue();
        v_breaks = p_step->GetPreview().GetBreaks();
        s_tabLine = p_step->GetPreview().GetLineText(2);
        ShowForALook();
        Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
        ASSERT_NE(p_list, nullptr);
        for (int i = 0; i < p_list->GetItemCount(); ++i)
            v_rows.push_back(p_list->GetItemText(i, 0) + "=" + p_list->GetItemText(i, 2));
        ChooseField(*p_list, 0, "Name");
        ChooseField(*p_list, 2, "Phone 1");
        Press(wizard, ZelSizingPropSheet::ID_WIZFINISH);
    });
    FrameImports::ImportFromFile(panes, &doc);
    std::filesystem::remove(s_path);

    EXPECT_EQ(s_guess, "Fixed Width.");
    EXPECT_TRUE(b_fixed);
    EXPECT_EQ(v_breaks, (std::vector<UINT>{12, 20}));
    EXPECT_EQ(s_tabLine, "Bo Finn     Rome    555 0200 or 555 0201") << "the tab drawn to its stop";
    EXPECT_EQ(v_rows, (std::vector<std::string>{"Name=Zo\xEB Lee", "Town=Nice", "Phone=555 0100"}));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(errors.vRows, std::vector<std::string>());
    const ParticipantList& list = doc.GetParticipants();
    EXPECT_EQ(list.GetNumParticipants(), 2 + 4);
    const int i_bob = list.FindByName("Bo Finn");
    ASSERT_GE(i_bob, 0);
    EXPECT_EQ(list[i_bob].GetPhone(), "555 0200 or 555 0201");
    ASSERT_GE(list.FindByName("Cy Dunn"), 0);
    EXPECT_EQ(list[list.FindByName("Cy Dunn")].GetPhone(), "");
    CSettingsStore::Get().Configure("", "");
}

// The refusal as the toolkit's message box shows it over the program's
// window (held for a look when asked), answered with OK.
TEST(ImportFileKindsWx, TheRefusalAsTheToolkitShowsIt)
{
    CSettingsStore::Get().Configure("", "");
    FrameImports::ForgetImportChoices();
    const std::string s_path = WriteFile("photo.txt", RandomBytes(7, 4096));
    EveryFieldEvent every;
    EventDoc& doc = every.event.Doc();
    ScriptedViews views;
    ParticipantPane pane(doc);
    Panes panes(pane);
    const std::vector<std::uint8_t> v_before = doc.WriteEventFile();
    ScriptedFileDialogs dialogs;
    dialogs.AnswerPath(s_path);
    auto* p_main = new wxFrame(nullptr, wxID_ANY, "Rotavex", wxDefaultPosition, wxSize(800, 560));
    p_main->Show();
    wxTheApp->SetTopWindow(p_main);
    Pump();

    WxMessageBoxPort real_boxes;
    IMessageBoxPort* p_before = SetMessageBoxPort(&real_boxes);
    const char* p_show = std::getenv("ROTAVEX_SHOW_SECONDS");
    const auto t_held = std::chrono::seconds(p_show != nullptr ? std::atoi(p_show) : 0);
    bool b_seen = false;
    std::chrono::steady_clock::time_point t_seen;
    wxTimer watch;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        void* p_box = ShownMessageBox();
        if (p_box == nullptr)
            return;
        if (!b_seen) {
            b_seen = true;
            t_seen = std::chrono::steady_clock::now();
        }
        if (std::chrono::steady_clock::now() - t_seen >= t_held)
            AnswerMessageBox(p_box);
    });
    watch.Start(50);
    {
        WizardWatch wizards;
        FrameImports::ImportFromFile(panes, &doc);
        EXPECT_FALSE(wizards.bShown);
    }
    watch.Stop();
    SetMessageBoxPort(p_before);
    std::filesystem::remove(s_path);
    EXPECT_TRUE(b_seen) << "the message box showed";
    EXPECT_EQ(doc.WriteEventFile(), v_before);
    EXPECT_FALSE(doc.IsModified());
    p_main->Destroy();
    Pump();
    CSettingsStore::Get().Configure("", "");
}

} // namespace
