// The exports, the mail and the menus as a user meets them in the program,
// in-process under a virtual display: the HTML page's group listing through
// the save dialog's options and the "Select group information" dialog, the
// names and folders the export dialogs offer for an event made on another
// system and for a new event, the selection's mail on a desktop where the
// desktop's own mail tool finds no mail program, and the access keys of
// every menu.
//
// With ROTAVEX_SHOW_SECONDS set, the group information dialog stays up that
// long, for a screenshot; with ROTAVEX_SHOT_DIR set, the exported page is
// copied there, to be looked at.
#include "framework/FileDialog.h"
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "model/HtmlText.h"
#include "output/RecipientMail.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/frame/WxCommands.h"
#include "shell/lists/ExportCommands.h"
#include "shell/lists/ExportDialogs.h"
#include "shell/lists/GroupFieldTexts.h"
#include "shell/lists/GroupView.h"
#include "shell/lists/ParticipantView.h"
#include "testsupport/EnvScope.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/AccessKeys.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "zelkit/lists/ui/ZelListCtrl.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <thread>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

namespace fs = std::filesystem;
using testevent::EventBuilder;

namespace {

// One application for the whole run, as the program has.
const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

constexpr const char* kFullGroup = "Choir & <Co>";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream os;
    os << in.rdbuf();
    return os.str();
}

// The cells after a group's heading in the page's group listing, each
// without its "<td><h4>" and "</h4></td>".
std::vector<std::string> HeadingCells(const std::string& s_page, const Group& group)
{
    const std::string s_heading = "<u>Group: " + HtmlText(group.GetName()) + "</u></a></h4></td>";
    const std::size_t u_start = s_page.find(s_heading);
    EXPECT_NE(u_start, std::string::npos) << s_heading;
    if (u_start == std::string::npos)
        return {};
    const std::size_t u_end = s_page.find("</tr></table>", u_start);
    std::vector<std::string> v_cells;
    const std::string s_open = "<td><h4>";
    const std::string s_close = "</h4></td>";
    for (std::size_t u = s_page.find(s_open, u_start); u < u_end; u = s_page.find(s_open, u)) {
        const std::size_t u_text = u + s_open.size();
        const std::size_t u_stop = s_page.find(s_close, u_text);
        v_cells.push_back(s_page.substr(u_text, u_stop - u_text));
        u = u_stop;
    }
    return v_cells;
}

class ExportFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-exportframe");
        fs::create_directories(fsFolder / "events");
        fs::create_directories(fsFolder / "documents");
        {
            // One group that carries every stored field, one that carries
            // none; the first placed (and locked) in the built timetable.
            EventBuilder event;
            event.Name("Spring fair")
                .Days({"Sat"})
                .Slots(-1, {"09:00-10:00", "10:00-11:00"})
                .TwentyFourHour()
                .Style("Folk")
                .Facility("Piano")
                .Venue("Hall", {"Folk"}, {"Piano"})
                .Participant("Ann Lee", [](Participant& p) { p.SetEmail("ann@example.org"); })
                .Participant("Bob Ray", [](Participant& p) { p.SetEmail("SMTP:bob@example.org"); })
                .Participant("Cy Dunn")
                .Group(kFullGroup,
                       [](Group& g) {
                           g.GetContact().SetName("Sue <Day>");
                           g.SetPhone("01632 960001");
                           g.SetPhone2("07700 900002");
                           g.SetFax("01632 960003");
                           g.SetEmail("choir@example.org");
                           g.GetAddress().SetAddrLine1("1 Mill Lane");
                           g.GetAddress().SetAddrLine2("Millbrook & Vale");
                           g.GetAddress().SetAddrLine3("Shire");
                           g.GetAddress().SetPostCode("AB1 2CD");
                           g.SetNotes("Bring music stands");
                           g.SetMaxGroupSize(12);
                       })
                .GroupStyles(kFullGroup, {"Folk"})
                .GroupFacilities(kFullGroup, {"Piano"})
                .Member(kFullGroup, "Ann Lee", "Alto")
                .Member(kFullGroup, "Bob Ray")
                .Alloc(kFullGroup, "Hall", 1, 1)
                .GroupUnavailable(kFullGroup, 0, "10:00-11:00")
                .Group("Quiet")
                .Timetable()
                .Place(0, "Hall", "09:00", kFullGroup, true);
            // As an event file made on another system keeps its last export.
            event.Doc().GetMiscOptions().SetExportFileName("C:\\events\\spring.htm");
            ASSERT_TRUE(event.Doc().OnSaveDocument(EventPath()));
        }
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterGroupView());
        ASSERT_TRUE(RegisterParticipantView());
        ASSERT_TRUE(TheApp()->StartUp(EventPath()));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
    }
    void TearDown() override
    {
        // Nothing to save on the way out.
        if (CEventDocument* p_doc = TheApp()->GetDocument()) {
            p_doc->GetEvent().SetModifiedFlag(false);
            p_doc->Modify(false);
        }
        TheApp()->ShutDown();
        WindowClasses::Unregister(kGroupView);
        WindowClasses::Unregister(kParticipantView);
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    std::string EventPath() const { return (fsFolder / "events" / "fair.eve").string(); }
    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    bool Run(UINT u_command)
    {
        const bool b_ran = Frame().RunCommand(u_command);
        Pump();
        return b_ran;
    }

    fs::path fsFolder;
    ScriptedMessageBox Boxes;
    ScriptedFileDialogs Files;
};

// Export as HTML with the group listing and every item the dialog offers:
// each group's heading row has a cell per item holding that item's text as
// the group list shows it, in parentheses, and a non-breaking space only
// where the group has no text for it.
TEST_F(ExportFrameTest, TheGroupListingHoldsEveryChosenItemInParentheses)
{
    const fs::path fs_page = fsFolder / "page.htm";
    Files.AnswerWith([&](FileDialogRequest& request) {
        FileDialogOption* p_listing = request.FindOption(ExportCommands::IDC_HTML_GROUP_LISTING);
        EXPECT_NE(p_listing, nullptr);
        if (p_listing != nullptr && !p_listing->bValue)
            request.Click(ExportCommands::IDC_HTML_GROUP_LISTING);
        request.sPath = fs_page.string();
        return TRUE;
    });
    int n_offered = 0;
    WhenShown<HtmlSelColumns>([&n_offered](HtmlSelColumns& dlg) {
        n_offered = dlg.GetAvailable().GetItemCount() + dlg.GetSelected().GetItemCount();
        PressInLoop(dlg, WxId(HtmlSelColumns::IDC_ADD_ALL));
        ShowAWhile("group information");
        PressInLoop(dlg, wxID_OK);
    });
    ASSERT_TRUE(Run(ID_EXPORT_HTML));
    ASSERT_TRUE(fs::exists(fs_page));
    ASSERT_FALSE(Boxes.Boxes().empty());
    EXPECT_EQ(Boxes.Boxes().back().sText.rfind("Your timetable was exported to", 0), 0u) << Boxes.Boxes().back().sText;

    // Every item the group list has, but the name, the members, the limits,
    // the allocation, the not-available times and the notes.
    EXPECT_EQ(n_offered, 19);
    const ZelArray<UINT> a_items = Doc().GetMiscOptions().GetHtmlItems();
    ASSERT_EQ(a_items.GetSize(), n_offered);

    const std::string s_page = ReadFile(fs_page);
    const GroupList& groups = Doc().GetGroups();
    for (const char* p_name : {kFullGroup, "Quiet"}) {
        const int i_group = groups.FindByName(p_name);
        ASSERT_GE(i_group, 0) << p_name;
        const Group& group = groups.GetAt(i_group);
        const std::vector<std::string> v_cells = HeadingCells(s_page, group);
        ASSERT_EQ(static_cast<int>(v_cells.size()), a_items.GetSize()) << p_name;
        for (int k = 0; k < a_items.GetSize(); ++k) {
            const int i_id = static_cast<int>(a_items[k]);
            const std::string s_title = GroupFieldTexts::GetFieldTitle(i_id);
            // As the list shows it, without the blanks about empty parts.
            const std::string s_text = ItemListCore::TrimSpace(GroupFieldTexts::GetFieldText(&Doc(), group, i_id));
            if (group.GetName() == kFullGroup) {
                EXPECT_FALSE(s_text.empty()) << "the group carries every item: " << s_title;
            }
            EXPECT_EQ(v_cells[static_cast<std::size_t>(k)], s_text.empty() ? "&nbsp;" : "(" + HtmlLines(s_text) + ")")
                << p_name << ": " << s_title;
        }
    }
    if (const char* p_shots = std::getenv("ROTAVEX_SHOT_DIR"))
        fs::copy_file(fs_page, fs::path(p_shots) / "export-group-listing.htm", fs::copy_options::overwrite_existing);
    // A group without an address has no address: not "(   )".
    EXPECT_EQ(s_page.find("<td><h4>( "), std::string::npos);
    // The texts as written: escaped, the contact among them.
    EXPECT_NE(s_page.find("<td><h4>(Sue &lt;Day&gt;)</h4></td>"), std::string::npos);
    EXPECT_NE(s_page.find("<td><h4>(01632 960001, 07700 900002)</h4></td>"), std::string::npos);
}

// An event made on another system keeps its last export as that system
// wrote it: the exports offer its last part beside the event file, and a
// new event is offered its own name in the documents folder, never the
// last event's export.
TEST_F(ExportFrameTest, ExportsOfferTheEventsOwnNameBesideItsFile)
{
    const fs::path fs_documents = fsFolder / "documents";
    const EnvScope documents("XDG_DOCUMENTS_DIR", fs_documents.string());
    // As the desktop's dialog answers OK: the folder and name it was
    // given, the default extension added to a name without one.
    const auto ok = [](FileDialogRequest& request) {
        if (FileDialogOption* p_listing = request.FindOption(ExportCommands::IDC_HTML_GROUP_LISTING);
            p_listing != nullptr && p_listing->bValue)
            request.Click(ExportCommands::IDC_HTML_GROUP_LISTING);
        fs::path fs_path = fs::path(request.sFolder) / request.sFileName;
        if (!fs_path.has_extension())
            fs_path += "." + request.sDefaultExt;
        request.sPath = fs_path.string();
        return TRUE;
    };
    Files.AnswerWith(ok);
    ASSERT_TRUE(Run(ID_EXPORT_HTML));
    ASSERT_EQ(Files.Requests().size(), 1u);
    EXPECT_EQ(Files.Requests()[0].sFolder, (fsFolder / "events").string());
    EXPECT_EQ(Files.Requests()[0].sFileName, "spring");
    EXPECT_TRUE(fs::exists(fsFolder / "events" / "spring.htm"));
    for (const fs::path& fs_where : {fsFolder / "events", fsFolder})
        for (const fs::directory_entry& entry : fs::directory_iterator(fs_where))
            EXPECT_EQ(entry.path().filename().string().find('\\'), std::string::npos) << entry.path();

    // The text export then offers the event's own last export.
    Files.AnswerWith(ok);
    ASSERT_TRUE(Run(ID_EXPORT_TEXT));
    ASSERT_EQ(Files.Requests().size(), 2u);
    EXPECT_EQ(Files.Requests()[1].sFolder, (fsFolder / "events").string());
    EXPECT_EQ(Files.Requests()[1].sFileName, "spring");

    // A new event, never saved: the documents folder and its own name.
    Doc().SetModifiedFlag(false);
    ASSERT_TRUE(Run(ID_FILE_NEW));
    ASSERT_TRUE(Doc().GetPathName().empty());
    for (const UINT u_command : {ID_EXPORT_HTML, ID_EXPORT_TEXT}) {
        Files.AnswerCancel();
        ASSERT_TRUE(Run(u_command));
    }
    ASSERT_EQ(Files.Requests().size(), 4u);
    EXPECT_EQ(Files.Requests()[2].sFolder, fs_documents.string());
    EXPECT_EQ(Files.Requests()[2].sFileName, "Event.htm");
    EXPECT_EQ(Files.Requests()[3].sFolder, fs_documents.string());
    EXPECT_EQ(Files.Requests()[3].sFileName, "Event.txt");
}

// The desktop's own mail tool where no mail program is set up: it tries
// what it knows, says "no method available" and fails. While it runs on
// past the moment the window goes on, the pointer is busy and the message
// bar says the mail program is starting (the tool is held at its start
// until the window has been looked at, so that it is seen running at any
// pace); then the selection's mail says it failed and names the addresses,
// so that the user can write to them, and the bar shows again what it
// showed before.
TEST_F(ExportFrameTest, MailWithoutAMailProgramNamesTheAddresses)
{
    const char* a_tools[] = {DesktopMailComposer::kTool, "xdg-open", "xdg-mime", "sed", "cat", "grep", "egrep",
                             "tr", "cut", "head", "tail", "basename", "dirname", "readlink", "which", "mktemp",
                             "rm", "awk", "od", "expr", "env", "uname", "ls", "wc", "id", "sleep"};
    const fs::path fs_bin = fsFolder / "bin";
    fs::create_directories(fs_bin);
    for (const char* p_tool : a_tools) {
        for (const char* p_dir : {"/usr/bin", "/bin"}) {
            if (fs::exists(fs::path(p_dir) / p_tool)) {
                fs::create_symlink(fs::path(p_dir) / p_tool, fs_bin / p_tool);
                break;
            }
        }
    }
    if (!fs::exists(fs_bin / DesktopMailComposer::kTool) || !fs::exists(fs_bin / "xdg-open"))
        GTEST_SKIP() << "the desktop's mail tool is not installed";
    // The tool waits at its start until the test lets it go on.
    const fs::path fs_gate = fsFolder / "go";
    {
        const fs::path fs_tool = fs_bin / DesktopMailComposer::kTool;
        const fs::path fs_real = fs::read_symlink(fs_tool);
        fs::remove(fs_tool);
        std::ofstream(fs_tool) << "#!/bin/sh\nwhile [ ! -e '" << fs_gate.string() << "' ]; do sleep 0.02; done\nexec '"
                               << fs_real.string() << "' \"$@\"\n";
        fs::permissions(fs_tool, fs::perms::owner_all, fs::perm_options::add);
    }
    // Its tools, and no mail program, browser or desktop to hand over to.
    fs::create_directories(fsFolder / "home");
    const EnvScope path("PATH", fs_bin.string());
    const EnvScope home("HOME", (fsFolder / "home").string());
    const EnvScope config("XDG_CONFIG_HOME", std::nullopt);
    const EnvScope data("XDG_DATA_HOME", std::nullopt);
    const EnvScope browser("BROWSER", std::nullopt);
    const EnvScope desktop("XDG_CURRENT_DESKTOP", std::nullopt);
    const EnvScope session("DESKTOP_SESSION", std::nullopt);
    const EnvScope kde("KDE_FULL_SESSION", std::nullopt);
    const EnvScope gnome("GNOME_DESKTOP_SESSION_ID", std::nullopt);
    DesktopMailComposer::ForgetAvailability();

    auto* p_view = dynamic_cast<ParticipantView*>(Frame().GetPaneView(0, 1));
    ASSERT_NE(p_view, nullptr);
    Frame().SetActiveView(p_view);
    const int n_rows = p_view->GetList().GetItemCount();
    ASSERT_EQ(n_rows, 3);
    p_view->Click(-1, FALSE, FALSE);
    for (int i = 0; i < n_rows; ++i)
        p_view->Click(i, FALSE, TRUE);
    Pump();
    ASSERT_TRUE(Frame().IsCommandEnabled(ID_SEND_SELECTION_MAIL));
    Boxes.Clear();
    wxStatusBar* p_bar = Frame().GetStatusBar();
    ASSERT_NE(p_bar, nullptr);
    const wxString s_before = p_bar->GetStatusText(0);
    ASSERT_NE(s_before, "Starting the mail program...");
    ASSERT_FALSE(wxIsBusy());
    const auto t_start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Run(ID_SEND_SELECTION_MAIL));
    // The window goes on while the tool is held, busy and saying so; once
    // the tool goes on to try everything, it stays so until the failure is
    // told.
    EXPECT_TRUE(Boxes.Boxes().empty()) << "the held tool cannot have failed yet";
    const auto t_end = t_start + std::chrono::seconds(90);
    int n_looks = 0, n_idle = 0;
    while (Boxes.Boxes().empty() && std::chrono::steady_clock::now() < t_end) {
        if (n_looks == 1)
            std::ofstream{fs_gate};
        ++n_looks;
        if (!wxIsBusy() || p_bar->GetStatusText(0) != "Starting the mail program...")
            ++n_idle;
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    DesktopMailComposer::ForgetAvailability();
    ASSERT_EQ(Boxes.Boxes().size(), 1u) << "the failure was not told";
    EXPECT_GT(n_looks, 1) << "the window was looked at while the tool was held";
    const auto t_took = std::chrono::steady_clock::now() - t_start;
    EXPECT_EQ(n_idle, 0) << "of " << n_looks << " looks during "
                         << std::chrono::duration_cast<std::chrono::milliseconds>(t_took).count() << " ms";
    EXPECT_FALSE(wxIsBusy());
    EXPECT_EQ(p_bar->GetStatusText(0), s_before);
    const std::string s_text = Boxes.Boxes()[0].sText;
    EXPECT_EQ(s_text.rfind("The mail program could not be started.\n", 0), 0u) << s_text;
    EXPECT_NE(s_text.find("no method available"), std::string::npos) << s_text;
    // Both addresses, without the address type; Cy has none.
    EXPECT_NE(s_text.find("Please write to these addresses in your own mail program:\n"), std::string::npos) << s_text;
    EXPECT_NE(s_text.find("\nann@example.org"), std::string::npos) << s_text;
    EXPECT_NE(s_text.find("\nbob@example.org"), std::string::npos) << s_text;
    EXPECT_EQ(s_text.find("SMTP:"), std::string::npos) << s_text;
}

// Keys taken twice in the menu and its submenus, each menu on its own.
void CheckAccessKeys(const wxMenu& menu, const std::string& s_where, int& n_menus)
{
    ++n_menus;
    std::map<char, std::string> m_keys;
    for (const wxMenuItem* p_item : menu.GetMenuItems()) {
        if (p_item->IsSeparator())
            continue;
        const wxString s_label = p_item->GetItemLabel();
        if (const char c_key = AccessKeyOf(s_label)) {
            const auto [it, b_new] = m_keys.emplace(c_key, s_label.utf8_string());
            EXPECT_TRUE(b_new) << s_where << ": '" << c_key << "' of \"" << s_label << "\" and \"" << it->second << "\"";
        }
        if (const wxMenu* p_sub = p_item->GetSubMenu())
            CheckAccessKeys(*p_sub, s_where + " > " + p_item->GetItemLabelText().utf8_string(), n_menus);
    }
}

// Within each menu the access keys are distinct: the menu bar's titles,
// every menu and submenu, and the list panes' context menus.
TEST_F(ExportFrameTest, AccessKeysAreDistinctWithinEveryMenu)
{
    wxMenuBar* p_bar = Frame().GetMenuBar();
    ASSERT_NE(p_bar, nullptr);
    std::map<char, wxString> m_titles;
    int n_menus = 0;
    for (std::size_t i = 0; i < p_bar->GetMenuCount(); ++i) {
        const wxString s_title = p_bar->GetMenuLabel(i);
        const char c_key = AccessKeyOf(s_title);
        EXPECT_NE(c_key, 0) << s_title;
        EXPECT_TRUE(m_titles.emplace(c_key, s_title).second) << "menu bar: " << s_title;
        CheckAccessKeys(*p_bar->GetMenu(i), p_bar->GetMenuLabelText(i).utf8_string(), n_menus);
    }
    auto* p_groups = dynamic_cast<GroupView*>(Frame().GetPaneView(1, 0));
    auto* p_participants = dynamic_cast<ParticipantView*>(Frame().GetPaneView(0, 1));
    ASSERT_TRUE(p_groups != nullptr && p_participants != nullptr);
    CheckAccessKeys(*p_groups->MakeContextMenu(), "group list", n_menus);
    CheckAccessKeys(*p_participants->MakeContextMenu(), "participant list", n_menus);
    // File (with Import, Export, Print lists and Recent files), Edit,
    // Event, View, Options, Help and the two context menus.
    EXPECT_EQ(n_menus, 12);
}

} // namespace
