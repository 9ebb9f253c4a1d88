// The dialogs of the exports and of the import from the web, driven on a
// display: the group information dialog's moves, the web-import dialog's
// rules, and real fetches from a small HTTP server on 127.0.0.1. With
// ROTAVEX_SHOW_SECONDS set each dialog stays up that long, to be looked at.
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WxFileDialog.h"
#include "framework/ui/WxIds.h"
#include "res/RotavexStrings.h"
#include "shell/lists/ExportDialogs.h"
#include "shell/frame/FrameImports.h"
#include "shell/dialogs/WebImportDlg.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/lists/ui/ZelListCtrl.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/combobox.h>
#include <wx/filedlg.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

class DialogsEnvironment : public WxTestEnvironment {
public:
    void SetUp() override
    {
        WxTestEnvironment::SetUp();
        JoinRotavexResources();
        // The web import's recent lists stay in memory.
        CSettingsStore::Get().Configure("", "");
    }
};

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new DialogsEnvironment);

void ShowAWhile(const char* p_what)
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        std::fprintf(stderr, "showing: %s\n", p_what);
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end) {
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

void Press(wxWindow& dlg, int i_id)
{
    wxWindow* p_button = dlg.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

bool IsEnabled(wxWindow& dlg, int i_id) { return dlg.FindWindow(i_id)->IsEnabled(); }

std::vector<std::string> Rows(ZelListCtrl& list)
{
    std::vector<std::string> v_rows;
    for (int i = 0; i < list.GetItemCount(); ++i)
        v_rows.push_back(list.GetItemText(i, 0));
    return v_rows;
}

// ---- the group information dialog ----

TEST(HtmlSelColumnsDlg, MovesAppendAndOKGivesTheSelectionInOrder)
{
    using D = HtmlSelColumns;
    const std::vector<std::string> v_available{"Address", "Contact", "Email", "Phone"};
    std::vector<std::string> v_selected{"Fax"};
    HtmlSelColumns dlg(nullptr, v_available, v_selected);
    EXPECT_FALSE(IsEnabled(dlg, WxId(D::IDC_ADD)));
    EXPECT_TRUE(IsEnabled(dlg, WxId(D::IDC_ADD_ALL)));
    EXPECT_FALSE(IsEnabled(dlg, WxId(D::IDC_REMOVE)));
    EXPECT_TRUE(IsEnabled(dlg, WxId(D::IDC_REMOVE_ALL)));

    wxTheApp->CallAfter([&dlg] {
        dlg.GetAvailable().SelectItem(3);
        dlg.GetAvailable().SelectItem(1);
        dlg.UpdateButtons();
        EXPECT_TRUE(IsEnabled(dlg, WxId(D::IDC_ADD)));
        Press(dlg, WxId(D::IDC_ADD));
        // Rows go in ascending order to the end, selected there.
        EXPECT_EQ(Rows(dlg.GetSelected()), (std::vector<std::string>{"Fax", "Contact", "Phone"}));
        EXPECT_EQ(dlg.GetSelected().GetSelectedCount(), 2);
        Press(dlg, WxId(D::IDC_REMOVE)); // Contact and Phone back, at the end
        EXPECT_EQ(Rows(dlg.GetAvailable()), (std::vector<std::string>{"Address", "Email", "Contact", "Phone"}));
        dlg.GetAvailable().SetItemState(2, 0, LVIS_SELECTED);
        Press(dlg, WxId(D::IDC_ADD)); // Phone alone
        EXPECT_EQ(Rows(dlg.GetSelected()), (std::vector<std::string>{"Fax", "Phone"}));
        ShowAWhile("group information");
        Press(dlg, wxID_OK);
    });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_EQ(v_selected, (std::vector<std::string>{"Fax", "Phone"}));
}

TEST(HtmlSelColumnsDlg, EmptySelectionIsAllowedAndCancelKeepsTheChoice)
{
    using D = HtmlSelColumns;
    std::vector<std::string> v_selected{"Fax", "Email"};
    {
        HtmlSelColumns dlg(nullptr, {"Phone"}, v_selected);
        wxTheApp->CallAfter([&dlg] {
            Press(dlg, WxId(D::IDC_REMOVE_ALL));
            EXPECT_EQ(Rows(dlg.GetAvailable()), (std::vector<std::string>{"Phone", "Fax", "Email"}));
            EXPECT_FALSE(IsEnabled(dlg, WxId(D::IDC_REMOVE_ALL)));
            EXPECT_TRUE(IsEnabled(dlg, wxID_OK));
            Press(dlg, wxID_CANCEL);
        });
        EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
        EXPECT_EQ(v_selected.size(), 2u);
    }
    HtmlSelColumns dlg(nullptr, {"Phone"}, v_selected);
    wxTheApp->CallAfter([&dlg] {
        Press(dlg, WxId(D::IDC_REMOVE_ALL));
        Press(dlg, wxID_OK);
    });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_TRUE(v_selected.empty());
}

// ---- the save dialogs with the export's options ----

// The desktop's save dialog with the HTML export's options, left open to
// be looked at (run by hand with --gtest_also_run_disabled_tests under a
// screenshot tool: the desktop's dialog runs a loop of its own that a test
// cannot close).
TEST(ExportSaveDialog, DISABLED_ShowsTheOptions)
{
    HtmlExportOptions options;
    options.bMemberNames = TRUE;
    FileDialogRequest request = ExportCommands::MakeHtmlRequest(options, "/tmp/fest");
    WxFileDialogPort port;
    port.Ask(request);
}

// The options' panel follows the rules as the user clicks.
TEST(ExportSaveDialog, MemberNamesShowAndHideTheirOptions)
{
    HtmlExportOptions options;
    FileDialogRequest request = ExportCommands::MakeHtmlRequest(options, "");
    wxFrame frame(nullptr, wxID_ANY, "options");
    wxWindow* p_panel = WxFileDialogPort::CreateOptionsPanel(&frame, request);
    auto find = [p_panel](const char* p_label) -> wxWindow* {
        for (wxWindow* p_child : p_panel->GetChildren()) {
            if (p_child->GetLabel() == p_label)
                return p_child;
        }
        return nullptr;
    };
    auto* p_members = wxDynamicCast(find("Include &member names"), wxCheckBox);
    wxWindow* p_role = find("Include &role");
    auto* p_participant = wxDynamicCast(find("By &participant"), wxRadioButton);
    ASSERT_TRUE(p_members && p_role && p_participant);
    EXPECT_TRUE(wxDynamicCast(find("By &day"), wxRadioButton)->GetValue());
    EXPECT_FALSE(p_role->IsShown());

    p_members->SetValue(true);
    wxCommandEvent check(wxEVT_CHECKBOX, p_members->GetId());
    check.SetEventObject(p_members);
    p_members->GetEventHandler()->ProcessEvent(check);
    EXPECT_TRUE(p_role->IsShown());
    EXPECT_TRUE(find("&One per line")->IsShown());
    p_participant->SetValue(true);
    wxCommandEvent radio(wxEVT_RADIOBUTTON, p_participant->GetId());
    radio.SetEventObject(p_participant);
    p_participant->GetEventHandler()->ProcessEvent(radio);

    const HtmlExportOptions read = ExportCommands::ReadHtmlRequest(request);
    EXPECT_TRUE(read.bMemberNames);
    EXPECT_EQ(read.iKindId, HtmlExportOptions::IDC_BY_PARTICIPANT);
}

TEST(ExportSaveDialog, DISABLED_ShowsTheTextOptions)
{
    auto p_choice = std::make_shared<ExportCommands::TextChoice>();
    p_choice->iKindId = 1110;
    p_choice->bTimes = TRUE;
    FileDialogRequest request = ExportCommands::MakeTextRequest(p_choice, "/tmp/fest");
    WxFileDialogPort port;
    port.Ask(request);
}

// ---- the web-import dialog ----

TEST(ImportWebDlg, NoKindAllowedDisablesEverything)
{
    using namespace WebImportRules;
    WebImportRequest request;
    request.vSites = {"example.org", "other.example"};
    request.vFiles = {"people.txt"};
    ImportWebDlg dlg(nullptr, request);
    EXPECT_FALSE(IsEnabled(dlg, WxId(IDC_WEB_GROUPS)));
    EXPECT_FALSE(IsEnabled(dlg, WxId(IDC_WEB_PARTICIPANTS)));
    EXPECT_FALSE(IsEnabled(dlg, wxID_OK));
    EXPECT_EQ(wxDynamicCast(dlg.FindWindow(WxId(IDC_WEB_SITE)), wxComboBox)->GetValue(), "example.org");
    EXPECT_EQ(wxDynamicCast(dlg.FindWindow(WxId(IDC_WEB_SITE)), wxComboBox)->GetCount(), 2u);
}

TEST(ImportWebDlg, BlankSiteAndEmptyFileAreRefusedThenOKTakesTheChoice)
{
    using namespace WebImportRules;
    ScriptedMessageBox boxes;
    WebImportRequest request;
    request.iKind = 0; // not allowed: the first allowed kind is shown
    request.vAllowedKinds = {1};
    ImportWebDlg dlg(nullptr, request);
    auto* p_site = wxDynamicCast(dlg.FindWindow(WxId(IDC_WEB_SITE)), wxComboBox);
    auto* p_file = wxDynamicCast(dlg.FindWindow(WxId(IDC_WEB_FILE)), wxComboBox);
    EXPECT_TRUE(wxDynamicCast(dlg.FindWindow(WxId(IDC_WEB_PARTICIPANTS)), wxRadioButton)->GetValue());
    EXPECT_FALSE(IsEnabled(dlg, WxId(IDC_WEB_GROUPS)));
    EXPECT_TRUE(IsEnabled(dlg, wxID_OK));

    wxTheApp->CallAfter([&] {
        p_site->SetValue("   ");
        p_file->SetValue("people.txt");
        Press(dlg, wxID_OK);
        p_site->SetValue("example.org/");
        p_file->SetValue("");
        Press(dlg, wxID_OK);
        p_file->SetValue("/people.txt");
        ShowAWhile("web import");
        Press(dlg, wxID_OK);
    });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Please enter or select a web site.");
    EXPECT_EQ(boxes.Boxes()[1].sText, "Please enter or select a file name.");
    EXPECT_EQ(request.sSite, "example.org/");
    EXPECT_EQ(request.sFile, "/people.txt");
    EXPECT_EQ(request.iKind, 1);
}

// ---- fetches from a local server ----

// An HTTP server on 127.0.0.1 serving a few paths, one connection at a
// time, on its own thread.
class LocalServer {
public:
    LocalServer()
    {
        iListen = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(iListen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t n_len = sizeof addr;
        getsockname(iListen, reinterpret_cast<sockaddr*>(&addr), &n_len);
        uPort = ntohs(addr.sin_port);
        listen(iListen, 4);
        tServer = std::thread([this] { Run(); });
    }
    ~LocalServer()
    {
        bStop = true;
        shutdown(iListen, SHUT_RDWR);
        close(iListen);
        tServer.join();
    }
    std::string Site() const { return "127.0.0.1:" + std::to_string(uPort); }

private:
    void Run()
    {
        while (!bStop) {
            const int i_client = accept(iListen, nullptr, nullptr);
            if (i_client < 0)
                return;
            char a_buffer[4096];
            std::string s_request;
            while (s_request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = recv(i_client, a_buffer, sizeof a_buffer, 0);
                if (n <= 0)
                    break;
                s_request.append(a_buffer, static_cast<std::size_t>(n));
            }
            Answer(i_client, s_request.substr(0, s_request.find("\r\n")));
            close(i_client);
        }
    }

    void Send(int i_client, const std::string& s_text) { send(i_client, s_text.data(), s_text.size(), MSG_NOSIGNAL); }

    void Answer(int i_client, const std::string& s_line)
    {
        if (s_line.find(" /people.txt ") != std::string::npos) {
            const std::string s_body = "Name\r\nAnn Lee\r\nZo\xEB Smith\r\n";
            Send(i_client, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(s_body.size()) +
                               "\r\nConnection: close\r\n\r\n" + s_body);
        } else if (s_line.find(" /slow.txt ") != std::string::npos) {
            // A long body trickling in until the client goes.
            Send(i_client, "HTTP/1.1 200 OK\r\nContent-Length: 100000000\r\nConnection: close\r\n\r\n");
            for (int i = 0; i < 600 && !bStop; ++i) {
                if (send(i_client, "0123456789", 10, MSG_NOSIGNAL) < 0)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        } else {
            Send(i_client, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        }
    }

    int iListen = -1;
    unsigned short uPort = 0;
    std::atomic<bool> bStop{false};
    std::thread tServer;
};

struct FetchResult {
    int iResult;
    std::string sText;
    std::string sError;
};

FetchResult Fetch(const std::string& s_site, const std::string& s_file, std::function<void(FetchWebFileDlg&)> f_during = {})
{
    FetchWebFileDlg dlg("Fetching file", nullptr);
    dlg.SetSource(s_site, s_file);
    if (f_during)
        wxTheApp->CallAfter([&dlg, f_during] { f_during(dlg); });
    const int i_result = dlg.ShowModal();
    return {i_result, dlg.GetText(), dlg.GetError()};
}

TEST(FetchWebFileDlg, RealFetches)
{
    LocalServer server;
    const FetchResult ok = Fetch(server.Site(), "people.txt");
    EXPECT_EQ(ok.iResult, IDOK);
    EXPECT_EQ(ok.sText, "Name\r\nAnn Lee\r\nZo\xEB Smith\r\n");

    const FetchResult with_scheme = Fetch("http://" + server.Site(), "people.txt");
    EXPECT_EQ(with_scheme.iResult, IDOK);

    const FetchResult missing = Fetch(server.Site(), "gone.txt");
    EXPECT_EQ(missing.iResult, IDS_WEB_FETCH_FAILED);
    EXPECT_NE(missing.sError.find("404"), std::string::npos) << missing.sError;

    // A port nobody listens on.
    const int i_socket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(i_socket, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t n_len = sizeof addr;
    getsockname(i_socket, reinterpret_cast<sockaddr*>(&addr), &n_len);
    close(i_socket);
    const FetchResult refused = Fetch("127.0.0.1:" + std::to_string(ntohs(addr.sin_port)), "people.txt");
    EXPECT_EQ(refused.iResult, IDS_WEB_FETCH_FAILED);
    EXPECT_FALSE(refused.sError.empty());

    const FetchResult ftp = Fetch("ftp://" + server.Site(), "people.txt");
    EXPECT_EQ(ftp.iResult, IDS_WEB_FETCH_FAILED);
    EXPECT_NE(ftp.sError.find("http://"), std::string::npos);
}

TEST(FetchWebFileDlg, SlowBodyIsCancelledPromptly)
{
    LocalServer server;
    const auto t_start = std::chrono::steady_clock::now();
    const FetchResult cancelled = Fetch(server.Site(), "slow.txt", [](FetchWebFileDlg& dlg) {
        // Wait until bytes arrive, then press Cancel.
        auto* p_timer = new wxTimer;
        p_timer->Bind(wxEVT_TIMER, [&dlg, p_timer](wxTimerEvent&) {
            if (dlg.GetStatusText().rfind("Reading", 0) != 0)
                return;
            p_timer->Stop();
            ShowAWhile("fetch progress");
            Press(dlg, wxID_CANCEL);
            wxTheApp->CallAfter([p_timer] { delete p_timer; });
        });
        p_timer->Start(50);
    });
    EXPECT_EQ(cancelled.iResult, wxID_CANCEL);
    EXPECT_TRUE(cancelled.sText.empty());
    if (!std::getenv("ROTAVEX_SHOW_SECONDS")) {
        EXPECT_LT(std::chrono::steady_clock::now() - t_start, std::chrono::seconds(10));
    }
}

// The frame's hand-over: a fetched participants file goes to the
// participant view's import from text (a stand-in view here; the list
// panes come later).
TEST(FetchWebFileDlg, FetchedTextGoesToTheChosenView)
{
    class ParticipantPane : public IFramePane {
    public:
        BOOL AcceptsImports() override { return TRUE; }
        void ImportFromText(const std::string& s_key, const std::string& s_text) override
        {
            sKey = s_key;
            sText = s_text;
        }
        std::string sKey;
        std::string sText;
    };
    class Panes : public IPaneFinder {
    public:
        IFramePane* FindPane(const std::string& s_className, BOOL) override
        {
            return s_className == kParticipantView ? &Pane : nullptr;
        }
        ParticipantPane Pane;
    };
    LocalServer server;
    ScriptedMessageBox boxes;
    WxWebImportPort port;
    IWebImportPort* p_old = SetWebImportPort(&port);
    Panes panes;
    wxTheApp->CallAfter([&server] {
        for (wxWindow* p_window : wxTopLevelWindows) {
            if (auto* p_dialog = dynamic_cast<ImportWebDlg*>(p_window)) {
                wxDynamicCast(p_dialog->FindWindow(WxId(WebImportRules::IDC_WEB_SITE)), wxComboBox)
                    ->SetValue(server.Site() + "/");
                wxDynamicCast(p_dialog->FindWindow(WxId(WebImportRules::IDC_WEB_FILE)), wxComboBox)->SetValue("people.txt");
                Press(*p_dialog, wxID_OK);
            }
        }
    });
    FrameImports::ImportFromWeb(panes, nullptr);
    SetWebImportPort(p_old);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(panes.Pane.sKey, "P" + server.Site() + "/people.txt");
    EXPECT_EQ(panes.Pane.sText, "Name\r\nAnn Lee\r\nZo\xEB Smith\r\n");
}

} // namespace
