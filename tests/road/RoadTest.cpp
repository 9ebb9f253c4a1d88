// The whole road a new user walks, in the running program under a virtual
// display, driven through its real dialogs and sheets by their control and
// command ids: the start-up dialog's New and the define-event wizard (week
// days, then custom days, then calendar dates with generated timeslots and
// one drawn by hand); venues and a participant from their panes' sheets,
// participants imported from a file with a bad row, a group with its
// details, limits, availability, allocation and members, the participant
// then rostered by the group's style; a venue rule, a day rule and a
// preference; build, every day tab, a lock kept over a second build, check,
// the whole timetable locked (every change of the items, rostering's too,
// keeps only the locked placements), roster and un-roster; the timetable by
// day and by participant, the participant list and labels printed from
// their previews; the HTML page and the four kinds of text exported; save,
// close, reopen from the recent files, a damaged recent file, save again,
// the sample event, a file of an older revision saved over; exit. Bad input
// on the way (the import's bad row, an export into a folder that cannot be
// made, a damaged file from the recent files) is told and loses nothing.
//
// Afterwards the saved file is read back without windows and compared with
// what was entered, and the outputs are checked by other programs: the PDF
// pages by pdftoppm and pdftotext, the HTML page by a headless Chromium
// (skipped when it is missing), the CSV files by Python's csv reader.
//
// Three things are answered through the program's ports rather than on
// screen, because the desktop's own dialogs are not dependable under a
// virtual display: the file chooser (the file-dialog port, whose requests
// carry the exports' and the import's options, clicked by id as the dialog
// would); the message boxes (the message-box port, which records every
// message so that the road can check them); and the printer: the toolkit's
// print dialog is not run at all, its print factory being replaced by one
// whose printer writes each job into a PDF file, as "Print to File" would.
//
// With ROTAVEX_SHOT_DIR set, a picture of the screen is saved there at each
// step (NN-step.png, by imagemagick's import), and the PDF pages and the
// HTML page's picture too.
#include "engine/BuildReports.h"
#include "framework/Desktop.h"
#include "framework/FileDialog.h"
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "model/Timetable.h"
#include "output/HtmlExport.h"
#include "output/ui/PrintTTOptionsDlg.h"
#include "output/TextExport.h"
#include "roster/RosterCtrlPresenter.h"
#include "roster/RosterEngine.h"
#include "roster/RosterStatus.h"
#include "sheets/AllocPPage.h"
#include "sheets/AllocRules.h"
#include "sheets/AvailPages.h"
#include "sheets/AvailRules.h"
#include "sheets/DayPages.h"
#include "sheets/DefineEventSheet.h"
#include "sheets/GroupMembPPage.h"
#include "sheets/GroupPSheet.h"
#include "sheets/GroupPages.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/GroupStyleFacilityPPage.h"
#include "app/InstallSheets.h"
#include "app/InstallViews.h"
#include "sheets/LimitsPPageGroup.h"
#include "sheets/LimitsRules.h"
#include "sheets/ParticipantPSheet.h"
#include "sheets/ParticipantSheetRules.h"
#include "sheets/PrefPSheet.h"
#include "sheets/RosterPPage.h"
#include "sheets/RosterPageRules.h"
#include "sheets/SchedRulesPPage.h"
#include "sheets/SchedulingRulesPSheet.h"
#include "sheets/TimeslotsPage.h"
#include "sheets/VenuePSheet.h"
#include "shell/frame/CommandIds.h"
#include "shell/timetable/DayGrid.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/ExportCommands.h"
#include "shell/lists/ExportDialogs.h"
#include "shell/frame/FrameRules.h"
#include "shell/lists/GroupView.h"
#include "shell/lists/LabelStockDlg.h"
#include "shell/frame/MainFrm.h"
#include "shell/lists/MesgListDisplay.h"
#include "shell/editing/PageToolBarRules.h"
#include "shell/frame/PaneView.h"
#include "shell/lists/ParticipantView.h"
#include "shell/dialogs/RosterCtrlDlg.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/SelectColumns.h"
#include "shell/lists/SelectColumnsDlg.h"
#include "shell/frame/StartupRules.h"
#include "shell/timetable/TimetableView.h"
#include "shell/lists/VenueView.h"
#include "testsupport/EventFileFixtures.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/import/ui/ZelCheckListCtrl.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/import/ui/ZelImportWizard.h"
#include "zelkit/controls/ui/ZelMonthCalCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"
#include "zelkit/controls/ui/ZelTreeCtrl.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dcgraph.h>
#include <wx/image.h>
#include <wx/graphics.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/print.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/treectrl.h>

namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------- the program

// The program's start as its main does it: the four panes' views, then
// the editing sheets.
void InstallProgramParts()
{
    InstallViews();
    InstallSheets();
}

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment(&InstallProgramParts));

CRotavexApp& App() { return *TheApp(); }
CMainFrame& Frame() { return *App().GetMainFrame(); }
EventDoc& Doc() { return App().GetDocument()->GetEvent(); }

// Runs the loop until f_done holds or the time is up; whether it held.
bool PumpUntil(const std::function<bool()>& f_done, int i_ms = 20000)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(i_ms);
    while (!f_done()) {
        if (std::chrono::steady_clock::now() > t_end)
            return false;
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool Do(UINT u_command)
{
    const bool b_ran = Frame().RunCommand(u_command);
    Pump();
    return b_ran;
}

// ---------------------------------------------------------------- pictures

int g_shot = 0;

// The whole screen, dialogs and all, into ROTAVEX_SHOT_DIR, as the display
// shows it (taken by the display's own tool, which sees every window).
void Shot(const std::string& s_step)
{
    const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR");
    if (p_dir == nullptr)
        return;
    for (int i = 0; i < 8; ++i) {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    char a_name[16];
    std::snprintf(a_name, sizeof a_name, "%02d-", ++g_shot);
    const std::string s_file = std::string(p_dir) + "/" + a_name + s_step + ".png";
    const std::string s_command = "import -window root '" + s_file + "' >/dev/null 2>&1";
    if (std::system(s_command.c_str()) != 0)
        std::fprintf(stderr, "no picture of %s (imagemagick's import is needed)\n", s_step.c_str());
}

// ---------------------------------------------------------------- driving

// The modal window of type T that is up and shown.
template <class T>
T* FindShownModal()
{
    for (wxWindow* p_window : wxTopLevelWindows) {
        auto* p = dynamic_cast<T*>(p_window);
        if (p != nullptr && p->IsShown() && p->IsModal())
            return p;
    }
    return nullptr;
}

wxDialog* FindModalId(int i_id)
{
    for (wxWindow* p_window : wxTopLevelWindows) {
        auto* p = wxDynamicCast(p_window, wxDialog);
        if (p != nullptr && p->GetId() == WxId(i_id) && p->IsShown() && p->IsModal())
            return p;
    }
    return nullptr;
}

// Plays f_step in the first modal window f_find finds, looked for from a
// timer while the program runs its dialog's loop. The step runs from the
// loop's pending calls, so that the window paints meanwhile; a window the
// step leaves open is cancelled, so that a failure cannot hold the road.
template <class T>
void WhenUp(std::function<T*()> f_find, std::function<void(T&)> f_step, const char* p_what)
{
    auto* p_timer = new wxTimer;
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    p_timer->Bind(wxEVT_TIMER, [p_timer, f_find, f_step, p_what, t_end](wxTimerEvent&) {
        T* p_window = f_find();
        const bool b_late = std::chrono::steady_clock::now() > t_end;
        if (p_window == nullptr && !b_late)
            return;
        p_timer->Stop();
        wxTheApp->CallAfter([p_timer] { delete p_timer; });
        if (p_window == nullptr) {
            ADD_FAILURE() << p_what << " did not open";
            return;
        }
        wxTheApp->CallAfter([p_window, f_step, p_what] {
            Pump();
            f_step(*p_window);
            if (p_window->IsModal()) {
                ADD_FAILURE() << p_what << " was left open";
                p_window->EndModal(wxID_CANCEL);
            }
        });
    });
    p_timer->Start(20);
}

template <class T>
void WhenModal(std::function<void(T&)> f_step, const char* p_what)
{
    WhenUp<T>([] { return FindShownModal<T>(); }, std::move(f_step), p_what);
}

void WhenDialog(int i_id, std::function<void(wxDialog&)> f_step, const char* p_what)
{
    WhenUp<wxDialog>([i_id] { return FindModalId(i_id); }, std::move(f_step), p_what);
}

// A command of a page's toolbar, as a click on its tool sends it.
void Tool(wxWindow& page, int i_command)
{
    wxCommandEvent event(wxEVT_MENU, WxId(static_cast<unsigned>(i_command)));
    event.SetEventObject(&page);
    page.GetEventHandler()->ProcessEvent(event);
    Pump();
}

int RowOf(ZelListModel& list, int i_col, const std::string& s_text)
{
    for (int i = 0; i < list.GetItemCount(); ++i) {
        if (list.GetItemText(i, i_col) == s_text)
            return i;
    }
    return -1;
}

// A new entry of a style or facility list: New on the list's own toolbar,
// then the name typed in its editor.
void NewListEntry(ExPropertyPage& page, ZelEditListCtrl& list, const char* p_name)
{
    wxToolBar* p_bar = nullptr;
    for (const auto& def : page.GetToolBars()) {
        if (def.iOwnerId == list.GetId())
            p_bar = def.pToolBar;
    }
    ASSERT_NE(p_bar, nullptr) << "no toolbar for " << p_name;
    wxCommandEvent click(wxEVT_MENU, WxId(static_cast<UINT>(ID_PAGE_NEW)));
    click.SetEventObject(p_bar);
    page.GetEventHandler()->ProcessEvent(click);
    Pump();
    ASSERT_TRUE(list.IsEditing()) << p_name;
    auto* p_editor = wxDynamicCast(list.GetEditor(), wxTextCtrl);
    ASSERT_NE(p_editor, nullptr);
    p_editor->SetValue(p_name);
    EXPECT_TRUE(list.EndEdit());
    Pump();
}

// A rules page's cell: the drop list's entry named, or its first entry.
void EditRuleCell(SchedRulesPPage& page, int i_row, int i_col, const std::string& s_entry)
{
    auto& list = page.GetList();
    list.BeginEdit(i_row, i_col);
    auto* p_box = wxDynamicCast(list.GetEditor(), wxListBox);
    ASSERT_NE(p_box, nullptr) << "column " << i_col;
    const int i_entry = s_entry.empty() ? 0 : p_box->FindString(s_entry, true);
    ASSERT_NE(i_entry, wxNOT_FOUND) << s_entry;
    p_box->SetSelection(i_entry);
    EXPECT_TRUE(list.EndEdit());
    Pump();
}

// Selects every timeslot of the venues on the rules page's grid, as clicks
// would, and tells the page.
void PickAllSlots(SchedRulesPPage& page, const ZelArrayWithFind<long>& a_keys)
{
    ZelTimeslotCtrl& grid = page.GetGrid();
    for (UINT u = 0; u < grid.GetNumDays(); ++u) {
        ZelRelTimeslotArray a_slots;
        grid.GetTimeslots(static_cast<int>(u), a_slots, a_keys);
        for (int i = 0; i < a_slots.GetSize(); ++i)
            a_slots[i].SetSelected(TRUE);
        grid.SetTimeslots(static_cast<int>(u), a_slots, TRUE, &a_keys);
    }
    ZelSendNotify(&grid, ZTSN_SELCHANGED);
    Pump();
}

// Presses OK in every modal dialog that opens while it lives, noting the
// ids: the build's options and its reports, as a user who accepts them.
class OkAnswerer : public wxTimer {
public:
    OkAnswerer() { Start(50); }
    ~OkAnswerer() override { Stop(); }
    void Notify() override
    {
        for (wxWindow* p_window : wxTopLevelWindows) {
            auto* p_dialog = wxDynamicCast(p_window, wxDialog);
            if (p_dialog == nullptr || !p_dialog->IsModal() || p_dialog->FindWindow(wxID_OK) == nullptr)
                continue;
            if (p_dialog != pLast) {
                vShown.push_back(p_dialog->GetId());
                Shot("build-dialog-" + std::to_string(p_dialog->GetId()));
            }
            pLast = p_dialog;
            wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
            click.SetEventObject(p_dialog->FindWindow(wxID_OK));
            p_dialog->GetEventHandler()->ProcessEvent(click);
            return;
        }
    }
    std::vector<int> vShown;

private:
    wxDialog* pLast = nullptr;
};

// ---------------------------------------------------------------- printing

// The printer of the road: each job goes into the next PDF file named, page
// by page, as the toolkit's printer would print it with "Print to File"
// chosen, but without the desktop's print dialog, which a virtual display
// does not run dependably. The pages are drawn by the program's own
// printouts on a vector context of the page's size in points.
std::string g_nextPdf;
int g_printedPages = 0;

struct Cairo {
    using SurfaceNew = void* (*)(const char*, double, double);
    using Create = void* (*)(void*);
    using Unary = void (*)(void*);
    using Translate = void (*)(void*, double, double);
    SurfaceNew pPdfSurface = nullptr;
    Translate pTranslate = nullptr;
    Create pCreate = nullptr;
    Create pReference = nullptr;
    Unary pShowPage = nullptr, pDestroy = nullptr, pFinish = nullptr, pSurfaceDestroy = nullptr;

    // The toolkit's own drawing library, already in the process.
    Cairo()
    {
        pPdfSurface = reinterpret_cast<SurfaceNew>(dlsym(RTLD_DEFAULT, "cairo_pdf_surface_create"));
        pCreate = reinterpret_cast<Create>(dlsym(RTLD_DEFAULT, "cairo_create"));
        pReference = reinterpret_cast<Create>(dlsym(RTLD_DEFAULT, "cairo_reference"));
        pTranslate = reinterpret_cast<Translate>(dlsym(RTLD_DEFAULT, "cairo_translate"));
        pShowPage = reinterpret_cast<Unary>(dlsym(RTLD_DEFAULT, "cairo_show_page"));
        pDestroy = reinterpret_cast<Unary>(dlsym(RTLD_DEFAULT, "cairo_destroy"));
        pFinish = reinterpret_cast<Unary>(dlsym(RTLD_DEFAULT, "cairo_surface_finish"));
        pSurfaceDestroy = reinterpret_cast<Unary>(dlsym(RTLD_DEFAULT, "cairo_surface_destroy"));
    }
    bool Ok() const
    {
        return pPdfSurface && pCreate && pReference && pTranslate && pShowPage && pDestroy && pFinish && pSurfaceDestroy;
    }
};

// A context of a known size: one unit a point.
class PageDCImpl : public wxGCDCImpl {
public:
    PageDCImpl(wxDC* p_owner, wxGraphicsContext* p_context, wxSize sz) : wxGCDCImpl(p_owner), szPage(sz)
    {
        SetGraphicsContext(p_context);
    }
    void DoGetSize(int* p_width, int* p_height) const override
    {
        if (p_width)
            *p_width = szPage.x;
        if (p_height)
            *p_height = szPage.y;
    }
    wxSize GetPPI() const override { return wxSize(72, 72); }

private:
    wxSize szPage;
};

class PageDC : public wxDC {
public:
    PageDC(wxGraphicsContext* p_context, wxSize sz) : wxDC(new PageDCImpl(this, p_context, sz)) {}
};

class PdfFilePrinter : public wxPrinterBase {
public:
    explicit PdfFilePrinter(wxPrintDialogData* p_data) : wxPrinterBase(p_data) {}
    bool Setup(wxWindow*) override { return false; }
    wxDC* PrintDialog(wxWindow*) override { return nullptr; }

    bool Print(wxWindow*, wxPrintout* p_printout, bool) override
    {
        static const Cairo cairo;
        if (!cairo.Ok() || g_nextPdf.empty() || p_printout == nullptr)
            return false;
        const wxPrintData& data = GetPrintDialogData().GetPrintData();
        // A4 in points, turned for landscape; as on a printer, the page's
        // printable area lies a quarter of an inch inside the paper.
        wxSize sz_paper(595, 842);
        if (data.GetOrientation() == wxLANDSCAPE)
            sz_paper = wxSize(sz_paper.y, sz_paper.x);
        constexpr int kMargin = 18;
        const wxSize sz_page(sz_paper.x - 2 * kMargin, sz_paper.y - 2 * kMargin);
        void* p_surface = cairo.pPdfSurface(g_nextPdf.c_str(), sz_paper.x, sz_paper.y);
        void* p_cairo = cairo.pCreate(p_surface);
        cairo.pTranslate(p_cairo, kMargin, kMargin);
        // The context may or may not take its own reference: one more here
        // keeps the drawing alive until the file is finished.
        cairo.pReference(p_cairo);
        wxGraphicsContext* p_context = wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(p_cairo);
        bool b_printed = false;
        {
            PageDC dc(p_context, sz_page);
            p_printout->SetPPIScreen(96, 96);
            p_printout->SetPPIPrinter(72, 72);
            p_printout->SetPageSizePixels(sz_page.x, sz_page.y);
            p_printout->SetPaperRectPixels(wxRect(wxPoint(-kMargin, -kMargin), sz_paper));
            p_printout->SetPageSizeMM(sz_paper.x * 254 / 720, sz_paper.y * 254 / 720);
            p_printout->SetDC(&dc);
            p_printout->OnPreparePrinting();
            int i_min = 0, i_max = 0, i_from = 0, i_to = 0;
            p_printout->GetPageInfo(&i_min, &i_max, &i_from, &i_to);
            if (i_max > 0) {
                p_printout->OnBeginPrinting();
                if (p_printout->OnBeginDocument(i_from, i_to)) {
                    for (int i_page = i_from; i_page <= i_to && p_printout->HasPage(i_page); ++i_page) {
                        dc.StartPage();
                        b_printed = p_printout->OnPrintPage(i_page) || b_printed;
                        dc.EndPage();
                        p_context->Flush();
                        cairo.pShowPage(p_cairo);
                        ++g_printedPages;
                    }
                    p_printout->OnEndDocument();
                }
                p_printout->OnEndPrinting();
            }
            p_printout->SetDC(nullptr);
        }
        cairo.pDestroy(p_cairo);
        cairo.pFinish(p_surface);
        cairo.pSurfaceDestroy(p_surface);
        g_nextPdf.clear();
        return b_printed;
    }
};

// The toolkit's print factory but for its printer. (The toolkit's own
// factory for this desktop is not open to be derived from, so the portable
// one is: its preview window is the same.)
class PdfPrintFactory : public wxNativePrintFactory {
public:
    wxPrinterBase* CreatePrinter(wxPrintDialogData* p_data) override { return new PdfFilePrinter(p_data); }
};

wxPreviewFrame* OpenPreview()
{
    for (wxWindow* p_window : wxTopLevelWindows) {
        if (auto* p_frame = dynamic_cast<wxPreviewFrame*>(p_window); p_frame != nullptr && p_frame->IsShown())
            return p_frame;
    }
    return nullptr;
}

// The preview that the command opened: looked at, then Print pressed on
// its toolbar into the PDF file; then closed.
void PrintFromPreview(const fs::path& fs_pdf, const std::string& s_step)
{
    wxPreviewFrame* p_preview = OpenPreview();
    ASSERT_NE(p_preview, nullptr) << s_step << ": no preview";
    p_preview->SetSize(900, 700);
    p_preview->Refresh();
    Pump();
    Shot(s_step + "-preview");
    g_nextPdf = fs_pdf.string();
    Press(*p_preview, wxID_PREVIEW_PRINT);
    EXPECT_TRUE(fs::exists(fs_pdf)) << s_step << ": nothing printed";
    p_preview->Close(true);
    Pump();
}

// ---------------------------------------------------------------- files

// The exit code of a shell command, its output into s_out.
int Shell(const std::string& s_command, std::string* p_out = nullptr)
{
    FILE* p_pipe = popen(s_command.c_str(), "r");
    if (p_pipe == nullptr)
        return -1;
    std::array<char, 4096> a_buffer;
    std::string s_out;
    for (size_t n; (n = std::fread(a_buffer.data(), 1, a_buffer.size(), p_pipe)) > 0;)
        s_out.append(a_buffer.data(), n);
    const int i_status = pclose(p_pipe);
    if (p_out != nullptr)
        *p_out = s_out;
    return WIFEXITED(i_status) ? WEXITSTATUS(i_status) : -1;
}

bool HasProgram(const char* p_name) { return Shell(std::string("command -v ") + p_name + " >/dev/null 2>&1") == 0; }

// The dark pixels of a picture; -1 when it cannot be read.
long DarkPixels(const fs::path& fs_png)
{
    wxImage image;
    if (!image.LoadFile(fs_png.string(), wxBITMAP_TYPE_PNG))
        return -1;
    long n_dark = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            n_dark += image.GetRed(x, y) < 160 || image.GetGreen(x, y) < 160 || image.GetBlue(x, y) < 160 ? 1 : 0;
    return n_dark;
}

// ---------------------------------------------------------------- the road

// What the user enters, checked again at the end.
const char* const kEventName = "Harbour Festival";
const char* const kVenue = "Quay Hall";
const char* const kVenueLocation = "North quay";
const char* const kSecondVenue = "Boat House";
const char* const kStyle = "Jazz";
const char* const kFacility = "Piano";
const char* const kParticipant = "Ada Byrne";
const char* const kRole = "Fiddler";
const char* const kGroup = "Harbour Band";
const char* const kContact = "Fay Hill";
const char* const kImported[] = {"Cal Dunn", "Dee Frost", "Eli Gray"};

class RoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxInitAllImageHandlers();
        fsFolder = fs::temp_directory_path() / ("rvx-road-" + std::to_string(getpid()));
        fs::remove_all(fsFolder);
        fs::create_directories(fsFolder / "out");
        // The build tree's installation: the licence, the sample
        // timetables and the label stocks; the user's settings are the
        // test's own.
        const std::string s_install = ROTAVEX_INSTALL_DIR;
        WriteFileAtomically((fsFolder / "install.ini").string(),
                            "[Software\\Vantor Software\\Rotavex]\n\"Path\"=sz:\"" + s_install + "\"\n\"License\"=sz:\""
                                + s_install + "/licence.txt\"\n");
        CSettingsStore::Get().Configure((fsFolder / "user" / "settings").string(), (fsFolder / "install.ini").string());
        wxPrintFactory::SetPrintFactory(new PdfPrintFactory);
    }
    void TearDown() override
    {
        if (App().GetMainFrame() != nullptr) {
            Doc().SetModifiedFlag(FALSE);
            App().GetDocument()->Modify(false);
        }
        App().ShutDown();
        CSettingsStore::Get().Configure("", "");
        if (!HasFailure())
            fs::remove_all(fsFolder);
        else
            std::fprintf(stderr, "the road's files are kept in %s\n", fsFolder.c_str());
    }

    fs::path Out(const char* p_name) const { return fsFolder / "out" / p_name; }

    // ---- the steps ----
    void NewEventThroughTheStartupDialog();
    void RedefineTheDays();
    void AddVenues();
    void AddParticipant();
    void ImportParticipants();
    void AddGroup();
    void RosterByStyles();
    void RulesAndPreferences();
    void BuildLockCheckRoster();
    void Print();
    void Export();
    void SaveCloseReopen();
    void SampleAndOlderRevision();
    void Exit();
    void CheckSavedEvent();
    void CheckPdfs();
    void CheckHtml();
    void CheckCsv();

    const Participant& Part(const char* p_name)
    {
        const int i = Doc().GetParticipants().FindByName(p_name);
        EXPECT_GE(i, 0) << p_name;
        return Doc().GetParticipants().GetAt(std::max(i, 0));
    }

    fs::path fsFolder;
    fs::path fsSaved;
    ScriptedMessageBox Boxes;
    ScriptedFileDialogs Files;
    RecordingDesktop Desktop;
    std::vector<fs::path> vPdfs;
    std::vector<fs::path> vCsvs;
    struct Lock {
        int iDay = -1, iVenue = -1, iSlot = -1;
        LONG lGroup = -1;
    } Locked;
};

// The calendar page: two or three dates chosen in the calendar.
void PickDates(DefineEventPSheet& sheet, std::initializer_list<ZelOleDateTime> a_list)
{
    auto* p_page = dynamic_cast<CalendarDaysPPage*>(sheet.GetActivePage());
    ASSERT_NE(p_page, nullptr) << "the calendar page";
    auto* p_calendar = Find<ZelMonthCalCtrl>(*p_page, IDC_CAL_CALENDAR);
    ASSERT_NE(p_calendar, nullptr);
    ZelArrayWithFind<ZelOleDateTime> a_dates;
    for (const ZelOleDateTime& dt : a_list)
        a_dates.Add(dt);
    p_calendar->SetSelectedDates(a_dates);
    ZelMonthCalSelNotify record;
    record.Dates = a_dates;
    ZelSendNotify(p_calendar, ZMCN_SELCHANGED, &record);
    Pump();
}

// The first page of the wizard: the name and the kind of days; then Next.
void NameAndKind(DefineEventPSheet& sheet, const char* p_name, int i_kind)
{
    const char* p_kind = i_kind == IDC_KIND_CALENDAR ? "calendar" : i_kind == IDC_KIND_WEEK_DAYS ? "week-days" : "custom";
    wxWindow& page = *sheet.GetActivePage();
    ASSERT_EQ(&page, &sheet.GetFirstPage());
    Type(page, IDC_EVENT_NAME, p_name);
    Choose(page, i_kind);
    Shot(std::string("wizard-name-") + p_kind);
    Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
}

void RoadTest::NewEventThroughTheStartupDialog()
{
    // As the program starts without a file: the splash, then the start-up
    // dialog, whose New opens the wizard for the new event.
    App().RequestSplash(true);
    ASSERT_TRUE(App().StartUp(""));
    App().RequestSplash(false);
    Frame().SetSize(0, 0, 1200, 850);
    Pump();
    Shot("splash");
    bool b_startup = false, b_wizard = false;
    WhenDialog(
        IDD_STARTUP,
        [&](wxDialog& dlg) {
            b_startup = true;
            Shot("startup-dialog");
            Press(dlg, WxId(IDC_STARTUP_NEW));
        },
        "the start-up dialog");
    WhenModal<DefineEventPSheet>(
        [&](DefineEventPSheet& sheet) {
            // Week days first: Monday to Friday, generated timeslots.
            NameAndKind(sheet, kEventName, IDC_KIND_WEEK_DAYS);
            ASSERT_NE(dynamic_cast<WeekDaysPPage*>(sheet.GetActivePage()), nullptr);
            for (int i_day = 1; i_day <= 5; ++i_day)
                Tick(*sheet.GetActivePage(), IDC_WEEK_SUNDAY + i_day, true);
            Shot("wizard-week-days");
            Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
            ASSERT_NE(dynamic_cast<TimeslotsPPage*>(sheet.GetActivePage()), nullptr);
            Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
            b_wizard = true;
        },
        "the define-event wizard");
    App().EndSplash();
    ASSERT_TRUE(PumpUntil([&] { return b_wizard && FindShownModal<DefineEventPSheet>() == nullptr; }));
    EXPECT_TRUE(b_startup);
    EXPECT_EQ(Doc().GetEventName(), kEventName);
    EXPECT_EQ(Doc().GetEventDef().GetDaySel(), EventDefinition::eWeekDays);
    EXPECT_EQ(Doc().GetEventDef().GetWeekDays().GetNumDays(), 5);
    Shot("week-days-event");
}

void RoadTest::RedefineTheDays()
{
    // Custom days: two named days.
    bool b_done = false;
    WhenModal<DefineEventPSheet>(
        [&](DefineEventPSheet& sheet) {
            NameAndKind(sheet, kEventName, IDC_KIND_CUSTOM);
            auto* p_page = dynamic_cast<CustomDaysPPage*>(sheet.GetActivePage());
            ASSERT_NE(p_page, nullptr);
            auto* p_list = Find<ZelEditListCtrl>(*p_page, IDC_CUSTOM_LIST);
            ASSERT_NE(p_list, nullptr);
            for (const char* p_name : {"Opening", "Closing"}) {
                Tool(*p_page, ID_PAGE_NEW);
                auto* p_edit = wxDynamicCast(p_list->GetEditor(), wxTextCtrl);
                ASSERT_NE(p_edit, nullptr);
                p_edit->SetValue(p_name);
                wxKeyEvent enter(wxEVT_KEY_DOWN);
                enter.m_keyCode = WXK_RETURN;
                enter.SetEventObject(p_edit);
                p_edit->GetEventHandler()->ProcessEvent(enter);
                Pump();
            }
            Shot("wizard-custom-days");
            Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
            Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
            b_done = true;
        },
        "the wizard for custom days");
    Do(EventDoc::ID_DEFINE_EVENT);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    EXPECT_EQ(Doc().GetEventDef().GetDaySel(), EventDefinition::eCustom);
    EXPECT_EQ(Doc().GetEventDef().GetCustomDays().GetNumDays(), 2);

    // Calendar dates at last: three days, timeslots of an hour from nine
    // to five generated, and one early slot drawn by hand on the first.
    b_done = false;
    WhenModal<DefineEventPSheet>(
        [&](DefineEventPSheet& sheet) {
            NameAndKind(sheet, kEventName, IDC_KIND_CALENDAR);
            PickDates(sheet, {ZelOleDateTime(2030, 6, 7), ZelOleDateTime(2030, 6, 8), ZelOleDateTime(2030, 6, 9)});
            Shot("wizard-calendar");
            Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
            auto* p_slots = dynamic_cast<TimeslotsPPage*>(sheet.GetActivePage());
            ASSERT_NE(p_slots, nullptr);
            Type(*p_slots, IDC_TS_START, "09:00");
            Type(*p_slots, IDC_TS_END, "17:00");
            Type(*p_slots, IDC_TS_LENGTH, "60");
            EXPECT_EQ(p_slots->GetCore().GetLayout(0).GetNumSlots(), 8);
            Tick(*p_slots, IDC_TS_ADVANCED, true);
            ASSERT_EQ(p_slots->GetGrid()->AddSlot(0, 0, 7, 0, 3600, FALSE, FALSE), 0) << "a slot drawn at 7:00";
            ZelSendNotify(p_slots->GetGrid(), ZTSN_CHANGED, nullptr);
            Pump();
            EXPECT_EQ(p_slots->GetCore().GetLayout(0).GetNumSlots(), 9);
            Shot("wizard-timeslots");
            Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
            b_done = true;
        },
        "the wizard for calendar dates");
    Do(EventDoc::ID_DEFINE_EVENT);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    const EventDefinition& def = Doc().GetEventDef();
    ASSERT_EQ(def.GetDaySel(), EventDefinition::eCalendar);
    ASSERT_EQ(def.GetCalendarDays().GetNumDays(), 3);
    EXPECT_EQ(def.GetDayDef().GetDaySlots(0).GetNumSlots(), 9);
    EXPECT_EQ(def.GetDayDef().GetDaySlots(1).GetNumSlots(), 8);
    Shot("calendar-event");
}

void RoadTest::AddVenues()
{
    bool b_done = false;
    WhenModal<VenuePSheet>(
        [&](VenuePSheet& sheet) {
            VenueDetailsPPage& page = sheet.GetDetailsPage();
            Type(page, IDC_VENUE_NAME, kVenue);
            Type(page, IDC_VENUE_LOCATION, kVenueLocation);
            NewListEntry(page, page.GetList(StyleFacilityRules::e_styles), kStyle);
            NewListEntry(page, page.GetList(StyleFacilityRules::e_facilities), kFacility);
            ZelEditListCtrl& styles = page.GetList(StyleFacilityRules::e_styles);
            ZelEditListCtrl& facilities = page.GetList(StyleFacilityRules::e_facilities);
            const int i_style = RowOf(styles, 1, kStyle);
            const int i_facility = RowOf(facilities, 1, kFacility);
            ASSERT_GE(i_style, 0);
            ASSERT_GE(i_facility, 0);
            // A new entry comes ticked for the item; tick it if not.
            if (styles.GetCheckState(i_style, 0) != ZelCheckListLayer::stateChecked)
                styles.Toggle(i_style, 0);
            if (facilities.GetCheckState(i_facility, 0) != ZelCheckListLayer::stateChecked)
                facilities.Toggle(i_facility, 0);
            Shot("venue-sheet");
            Press(sheet, wxID_OK);
            b_done = true;
        },
        "the venue sheet");
    Do(ID_ADD_VENUE);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    b_done = false;
    WhenModal<VenuePSheet>(
        [&](VenuePSheet& sheet) {
            Type(sheet.GetDetailsPage(), IDC_VENUE_NAME, kSecondVenue);
            Press(sheet, wxID_OK);
            b_done = true;
        },
        "the second venue's sheet");
    Do(ID_ADD_VENUE);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    ASSERT_EQ(Doc().GetNumVenues(), 2);
    const Venue& venue = Doc().GetVenues()[0];
    EXPECT_EQ(venue.GetName(), kVenue);
    EXPECT_EQ(venue.GetLocation(), kVenueLocation);
    Shot("venues");
}

void RoadTest::AddParticipant()
{
    bool b_done = false;
    WhenModal<ParticipantPSheet>(
        [&](ParticipantPSheet& sheet) {
            ParticipantDetailsPPage& details = sheet.GetDetailsPage();
            Type(details, IDC_PART_FIRST_NAME, "Ada");
            Type(details, IDC_PART_LAST_NAME, "Byrne");
            Type(details, IDC_PART_ROLE, kRole);
            Type(details, IDC_PART_EMAIL, "ada@example.org");
            Shot("participant-details");

            ShowPage(sheet, &sheet.GetLimitsPage());
            auto* p_tree = Find<ZelTreeCtrl>(sheet.GetLimitsPage(), IDC_LIMITS_TREE);
            ASSERT_NE(p_tree, nullptr);
            SelectItems(*p_tree, {"Event"});
            Choose(sheet.GetLimitsPage(), IDC_LIMITS_RANGE);
            Type(sheet.GetLimitsPage(), IDC_LIMITS_MAX_VALUE, "4");
            Shot("participant-limits");

            Press(sheet, wxID_OK);
            b_done = true;
        },
        "the participant sheet");
    Do(ID_ADD_PARTICIPANT);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    const Participant& ada = Part(kParticipant);
    EXPECT_EQ(ada.GetUsualRoleName(&Doc()), kRole);
    EXPECT_EQ(ada.GetEventLimits(), SchedLim(SchedLim::e_range, 0, 0, 4));
    Shot("participant-added");
}

void RoadTest::RosterByStyles()
{
    // Rostering offers the styles the groups use: now that the band plays
    // jazz, the participant is changed from the pane to be rostered by it.
    auto* p_view = dynamic_cast<ParticipantView*>(Frame().GetPaneView(0, 1));
    ASSERT_NE(p_view, nullptr);
    const int i_row = p_view->GetList().FindItemData(Part(kParticipant).GetKey());
    ASSERT_GE(i_row, 0);
    p_view->Click(-1, FALSE, FALSE);
    p_view->Click(i_row, FALSE, FALSE);
    Pump();
    bool b_done = false;
    WhenModal<ParticipantPSheet>(
        [&](ParticipantPSheet& sheet) {
            ParticipantRosterPPage& roster = sheet.GetRosterPage();
            ShowPage(sheet, &roster);
            Choose(roster, IDC_ROSTER_BY_STYLE);
            ZelCheckListCtrl& list = *roster.GetList();
            const int i_style = RowOf(list, 2, kStyle);
            ASSERT_GE(i_style, 0) << "the style is offered for rostering";
            ASSERT_TRUE(list.Toggle(i_style, 1));
            Pump();
            Shot("participant-rostering");
            Press(sheet, wxID_OK);
            b_done = true;
        },
        "the participant sheet");
    p_view->ChangeSelected();
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    const Participant& ada = Part(kParticipant);
    EXPECT_FALSE(ada.GetByRole());
    ASSERT_EQ(ada.GetOwnRosterStyles().GetSize(), 1);
    EXPECT_EQ(ada.GetOwnRosterStyles()[0].lStyleKey, Doc().GetStyles()[Doc().GetStyles().FindByName(kStyle)].GetKey());
}

void RoadTest::ImportParticipants()
{
    // A file from disk: three good rows and one with a cell too few.
    const fs::path fs_file = fsFolder / "people.csv";
    WriteFileAtomically(fs_file.string(), "Name,Role,Email\r\n"
                                          "Cal Dunn,Singer,cal@example.org\r\n"
                                          "Dee Frost,Singer,dee@example.org\r\n"
                                          "Nobody Here\r\n"
                                          "Eli Gray,Drummer,eli@example.org\r\n");
    const int n_before = Doc().GetParticipants().GetNumParticipants();
    Files.AnswerWith([&](FileDialogRequest& request) {
        EXPECT_EQ(request.sTitle, "Import");
        request.Click(IDC_IMPORT_PARTICIPANTS);
        request.sPath = fs_file.string();
        return TRUE;
    });
    std::vector<std::string> v_errors;
    bool b_done = false;
    WhenModal<ZelImportWizard>(
        [&](ZelImportWizard& wizard) {
            // The first step finds the text delimited; Next leads to the
            // columns.
            Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
            auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
            ASSERT_NE(p_list, nullptr);
            ChooseField(*p_list, 0, "Name");
            ChooseField(*p_list, 1, "Role");
            ChooseField(*p_list, 2, "Email");
            Shot("import-wizard");
            WhenModal<ILVImportErrorsDlg>(
                [&](ILVImportErrorsDlg& dlg) {
                    for (int i = 0; i < dlg.GetRows().GetSize(); ++i)
                        v_errors.push_back(dlg.GetRows()[i][0] + "|" + dlg.GetRows()[i][1]);
                    Shot("import-errors");
                    Press(dlg, ZelReportDlg::IDC_ZEL_REPORT_OK);
                },
                "the import's error list");
            Press(wizard, ZelSizingPropSheet::ID_WIZFINISH);
            b_done = true;
        },
        "the import wizard");
    Do(ID_IMPORT_FILE);
    ASSERT_TRUE(PumpUntil([&] { return b_done && FindShownModal<wxDialog>() == nullptr; }));
    // The bad row is told, and nothing else is lost.
    ASSERT_EQ(v_errors.size(), 1u);
    EXPECT_NE(v_errors[0].find("Line 4"), std::string::npos) << v_errors[0];
    EXPECT_EQ(Doc().GetParticipants().GetNumParticipants(), n_before + 3);
    for (const char* p_name : kImported)
        EXPECT_GE(Doc().GetParticipants().FindByName(p_name), 0) << p_name;
    EXPECT_GE(Doc().GetParticipants().FindByName(kParticipant), 0);
    Shot("imported");
}

void RoadTest::AddGroup()
{
    bool b_done = false;
    WhenModal<GroupPSheet>(
        [&](GroupPSheet& sheet) {
            Type(sheet, IDC_GROUP_NAME, kGroup);
            Type(sheet, IDC_GROUP_CONTACT, kContact);
            Shot("group-details");

            GroupStyleFacilityPPage& styles = *sheet.GetStyleFacilityPage();
            ShowPage(sheet, &styles);
            ZelEditListCtrl& list = styles.GetList(StyleFacilityRules::e_styles);
            const int i_jazz = list.Find(1, kStyle, -1);
            ASSERT_GE(i_jazz, 0);
            ASSERT_TRUE(list.Toggle(i_jazz, 0));
            Pump();

            GroupLimitsPPage& limits = *sheet.GetLimitsPage();
            ShowPage(sheet, &limits);
            auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
            ASSERT_NE(p_tree, nullptr);
            SelectItems(*p_tree, {"Event"});
            Choose(limits, IDC_LIMITS_EXACT);
            Type(limits, IDC_LIMITS_EXACT_VALUE, "2");
            Shot("group-limits");

            GroupAvailPPage& avail = *sheet.GetAvailPage();
            ShowPage(sheet, &avail);
            Choose(avail, IDC_AVAIL_WHOLE_DAYS);
            ZelCheckListCtrl& days = *avail.GetPanel().GetList();
            ASSERT_EQ(days.GetItemCount(), 3);
            ASSERT_TRUE(days.Toggle(2, 1)) << "the last day unavailable";
            Pump();
            Shot("group-availability");

            GroupAllocPPage& alloc = *sheet.GetAllocPage();
            ShowPage(sheet, &alloc);
            SelectItems(*alloc.GetTree(), {kVenue});
            Choose(alloc, IDC_ALLOC_RANGE);
            Type(alloc, IDC_ALLOC_MIN_VALUE, "1");
            Type(alloc, IDC_ALLOC_MAX_VALUE, "2");
            Shot("group-allocation");

            GroupMembPPage& members = *sheet.GetMembersPage();
            ShowPage(sheet, &members);
            ZelListCtrl& people = members.GetParticipantsList();
            people.UnselectAll();
            for (const char* p_name : {kImported[0], kImported[1]}) {
                const int i_row = RowOf(people, 0, p_name);
                ASSERT_GE(i_row, 0) << p_name;
                people.SetItemState(i_row, LVIS_SELECTED, LVIS_SELECTED);
            }
            Press(sheet, IDC_GROUP_MEMBER_ADD);
            EXPECT_EQ(members.GetMembersList().GetItemCount(), 2);
            Shot("group-members");
            Press(sheet, wxID_OK);
            b_done = true;
        },
        "the group sheet");
    Do(ID_ADD_GROUP);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    const int i_group = Doc().GetGroups().FindByName(kGroup);
    ASSERT_GE(i_group, 0);
    const Group& group = Doc().GetGroups().GetAt(i_group);
    EXPECT_EQ(group.GetContact().GetName(), kContact);
    EXPECT_EQ(group.GetMembers().GetSize(), 2);
    EXPECT_EQ(group.GetEventLimits(), SchedLim(SchedLim::e_exact, 2, 0, 0));
    EXPECT_EQ(group.GetVenueAllocs().GetSize(), 1);
    EXPECT_EQ(group.GetStyles().GetCount(), 1);
    Shot("group-added");
}

void RoadTest::RulesAndPreferences()
{
    bool b_done = false;
    WhenModal<SchedulingRulesPSheet>(
        [&](SchedulingRulesPSheet& sheet) {
            // A venue rule: at most nine participants in the hall, counted
            // over all its timeslots.
            VenueRulesPPage& venues = sheet.GetVenuePage();
            ShowPage(*sheet.GetBookCtrl(), &venues);
            Tool(venues, ID_PAGE_NEW);
            venues.GetList().AbortEdit();
            EditRuleCell(venues, 0, 2, kVenue);
            EditRuleCell(venues, 0, 3, "Limit participants");
            venues.GetList().BeginEdit(0, 4);
            auto* p_value = wxDynamicCast(venues.GetList().GetEditor(), wxTextCtrl);
            ASSERT_NE(p_value, nullptr);
            p_value->SetValue("9");
            EXPECT_TRUE(venues.GetList().EndEdit());
            Pump();
            ZelArrayWithFind<long> a_hall;
            a_hall.Add(Doc().GetVenues()[0].GetKey());
            PickAllSlots(venues, a_hall);
            Press(venues, IDC_RULES_APPLY);
            Shot("rules-venue");

            // A day rule on the first day: different groups in the hall.
            DayRulesPPage& days = sheet.GetDayPage();
            ShowPage(*sheet.GetBookCtrl(), &days);
            Tool(days, ID_PAGE_NEW);
            days.GetList().AbortEdit();
            EditRuleCell(days, 0, 2, "");
            EditRuleCell(days, 0, 3, "Different groups");
            PickAllSlots(days, a_hall);
            Press(days, IDC_RULES_APPLY);
            Shot("rules-day");
            Press(sheet, wxID_OK);
            b_done = true;
        },
        "the scheduling rules sheet");
    Do(EventDoc::ID_SCHEDULING_RULES);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    EXPECT_EQ(Doc().GetSchedulingRules().GetNumVenueRules(), 1);
    EXPECT_EQ(Doc().GetSchedulingRules().GetNumDayRules(), 1);

    b_done = false;
    WhenModal<PrefPSheet>(
        [&](PrefPSheet& sheet) {
            ShowPage(*sheet.GetBookCtrl(), &sheet.GetGeneralPage());
            Type(sheet.GetGeneralPage(), IDC_PREF_TRAVEL_MINUTES, "25");
            Shot("preferences");
            Press(sheet, wxID_OK);
            b_done = true;
        },
        "the preferences sheet");
    Do(EventDoc::ID_PREFERENCES);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    EXPECT_EQ(Doc().GetPreferences().GetTravelMinutes(), 25u);
}

CRotavexView* TimetableView() { return dynamic_cast<CRotavexView*>(Frame().GetPaneView(1, 1)); }

void RoadTest::BuildLockCheckRoster()
{
    {
        OkAnswerer answerer;
        ASSERT_TRUE(Do(EventDoc::ID_BUILD_TIMETABLE));
        ASSERT_TRUE(PumpUntil([&] { return Doc().GetTimetable() != nullptr && !Doc().IsBusy(); }));
        Pump();
        ASSERT_FALSE(answerer.vShown.empty());
        EXPECT_EQ(answerer.vShown.front(), WxId(IDD_BUILD_OPTIONS));
    }
    ASSERT_NE(Doc().GetTimetable(), nullptr);
    EXPECT_TRUE(Doc().GetTimetable()->IsValid());

    // Every day tab.
    CRotavexView* p_view = TimetableView();
    ASSERT_NE(p_view, nullptr);
    wxNotebook* p_tabs = p_view->GetTabs();
    ASSERT_NE(p_tabs, nullptr);
    ASSERT_EQ(p_tabs->GetPageCount(), 3u);
    for (size_t i = 0; i < p_tabs->GetPageCount(); ++i) {
        p_tabs->SetSelection(i);
        Pump();
        ASSERT_NE(p_view->GetDayGrid(), nullptr);
        EXPECT_EQ(p_view->GetDayGrid()->GetCore().GetDayName(0), Doc().GetTimetable()->GetDay(static_cast<int>(i)).GetName());
        Shot("timetable-day-" + std::to_string(i + 1));
    }

    // Lock a placed slot of the first day: a click on it, then Lock.
    p_tabs->SetSelection(0);
    Pump();
    DayGrid& grid = *p_view->GetDayGrid();
    for (int i_set = 0; i_set < grid.GetCore().GetNumSets(0) && Locked.iSlot < 0; ++i_set) {
        const ZelTimeslotList& slots = grid.GetCore().GetTimeslotList(0, i_set);
        for (int i_slot = 0; i_slot < slots.GetCount(); ++i_slot) {
            DayGridCore::SlotPos pos;
            if (!grid.GetCore().FindSlot(slots[i_slot].GetItemData(), pos))
                continue;
            const Timeslot& placed = Doc().GetTimetable()->GetDay(pos.iDay).GetVenueSlots(pos.iVenue)[pos.iSlot];
            if (placed.GetGroup() < 0)
                continue;
            CRect rc;
            grid.GetCore().GetSlotRect(0, static_cast<UINT>(i_set), static_cast<UINT>(i_slot), rc);
            for (wxEventType e_type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
                wxMouseEvent mouse(e_type);
                mouse.SetPosition(wxPoint(rc.CenterPoint().x, rc.CenterPoint().y));
                mouse.SetEventObject(&grid);
                grid.GetEventHandler()->ProcessEvent(mouse);
                Pump();
            }
            Locked = {pos.iDay, pos.iVenue, pos.iSlot, placed.GetGroup()};
            break;
        }
    }
    ASSERT_GE(Locked.iSlot, 0) << "the build placed no group on the first day";
    // The grid has the focus now, which makes its view the active one.
    wxChildFocusEvent focus(&grid);
    grid.GetEventHandler()->ProcessEvent(focus);
    Pump();
    ASSERT_TRUE(Frame().IsCommandEnabled(DayGridCore::ID_LOCK));
    ASSERT_TRUE(Do(DayGridCore::ID_LOCK));
    const auto f_locked = [this]() -> const Timeslot& {
        return Doc().GetTimetable()->GetDay(Locked.iDay).GetVenueSlots(Locked.iVenue)[Locked.iSlot];
    };
    ASSERT_TRUE(f_locked().IsLocked());
    Shot("timetable-locked");

    // Build again: the lock stays, with its group.
    {
        OkAnswerer answerer;
        ASSERT_TRUE(Do(EventDoc::ID_BUILD_TIMETABLE));
        ASSERT_TRUE(PumpUntil([&] { return !answerer.vShown.empty() && !Doc().IsBusy() && FindShownModal<wxDialog>() == nullptr; }));
        Pump();
    }
    ASSERT_NE(Doc().GetTimetable(), nullptr);
    EXPECT_TRUE(f_locked().IsLocked());
    EXPECT_EQ(f_locked().GetGroup(), Locked.lGroup);
    Shot("timetable-rebuilt");

    // Check.
    Boxes.Clear();
    ASSERT_TRUE(Do(EventDoc::ID_CHECK_TIMETABLE));
    ASSERT_FALSE(Boxes.Boxes().empty());
    EXPECT_EQ(Boxes.Boxes().back().sText, "The timetable is valid.");

    // Every change of the event's items, rostering's new members included,
    // puts a new timetable in place that keeps only the locked placements:
    // the user locks the whole timetable first so that rostering keeps it.
    {
        // The build and the check updated the view, which made it a new
        // grid: the one clicked before is gone.
        DayGrid* p_grid = p_view->GetDayGrid();
        ASSERT_NE(p_grid, nullptr);
        wxChildFocusEvent grid_focus(p_grid);
        p_grid->GetEventHandler()->ProcessEvent(grid_focus);
        Pump();
        ASSERT_TRUE(Frame().IsCommandEnabled(DayGridCore::ID_LOCK_ALL));
        ASSERT_TRUE(Do(DayGridCore::ID_LOCK_ALL));
    }
    Boxes.Clear();

    // Roster participants through the rostering dialog, then un-roster one.
    // The participant rostered by style is not a member of the band: the
    // run makes her a rostered member of the band, which plays that style.
    const auto f_rostered = [] {
        int n_rostered = 0;
        const GroupList& groups = Doc().GetGroups();
        for (int i = 0; i < groups.GetNumGroups(); ++i) {
            const GroupMembers& members = groups.GetAt(i).GetMembers();
            for (int j = 0; j < members.GetSize(); ++j)
                n_rostered += members[j].bRostered ? 1 : 0;
        }
        return n_rostered;
    };
    const int n_unrostered = f_rostered();
    ASSERT_EQ(n_unrostered, 0);
    bool b_done = false;
    WhenModal<RosterCtrlDlg>(
        [&](RosterCtrlDlg& dlg) {
            Shot("roster-dialog");
            Press(dlg, WxId(RosterCtrlPresenter::IDC_ROSTER));
            wxWindow* p_ok = dlg.FindWindow(WxId(RosterCtrlPresenter::IDC_OK));
            ASSERT_NE(p_ok, nullptr);
            EXPECT_TRUE(PumpUntil([&] { return p_ok->IsShown(); }, 60000)) << "the run never ended";
            Shot("roster-done");
            // Errors, if any, are looked at in their report (and fail the road).
            wxWindow* p_errors = dlg.FindWindow(WxId(RosterCtrlPresenter::IDC_VIEW_ERRORS));
            if (p_errors != nullptr && p_errors->IsShown() && p_errors->IsEnabled()) {
                WhenModal<ZelReportDlg>(
                    [&](ZelReportDlg& report) {
                        Shot("roster-errors");
                        for (int i = 0; i < report.GetList().GetItemCount(); ++i)
                            ADD_FAILURE() << "rostering error: " << report.GetList().GetItemText(i, 0) << " | "
                                          << report.GetList().GetItemText(i, 2);
                        Press(report, ZelReportDlg::IDC_ZEL_REPORT_OK);
                    },
                    "the rostering errors");
                Press(dlg, WxId(RosterCtrlPresenter::IDC_VIEW_ERRORS));
            }
            Press(dlg, WxId(RosterCtrlPresenter::IDC_OK));
            b_done = true;
        },
        "the rostering dialog");
    Do(EventDoc::ID_ROSTER_PARTICIPANTS);
    ASSERT_TRUE(PumpUntil([&] { return b_done; }, 90000));
    ASSERT_GT(f_rostered(), n_unrostered) << "the participant rostered by style";
    EXPECT_TRUE(Doc().GetTimetable()->IsValid()) << "rostering checked the timetable";
    for (const auto& box : Boxes.Boxes())
        EXPECT_EQ(box.sText.find("invalid"), std::string::npos) << box.sText;
    Shot("rostered");

    // A click in the participant pane (which makes its view the active
    // one) on the rostered participant, then Un-roster.
    auto* p_people = dynamic_cast<ParticipantView*>(Frame().GetPaneView(0, 1));
    ASSERT_NE(p_people, nullptr);
    const int i_row = p_people->GetList().FindItemData(Part(kParticipant).GetKey());
    ASSERT_GE(i_row, 0);
    wxChildFocusEvent list_focus(p_people->GetListCtrl());
    p_people->GetListCtrl()->GetEventHandler()->ProcessEvent(list_focus);
    p_people->Click(-1, FALSE, FALSE);
    p_people->Click(i_row, FALSE, FALSE);
    Pump();
    ASSERT_TRUE(Frame().IsCommandEnabled(ID_UNROSTER_PARTICIPANTS)) << "un-roster is offered";
    Boxes.Clear();
    Boxes.Answer(IDYES);
    EXPECT_TRUE(Do(ID_UNROSTER_PARTICIPANTS));
    ASSERT_EQ(Boxes.Boxes().size(), 1u) << "the question before un-rostering";
    EXPECT_EQ(f_rostered(), n_unrostered) << "the participant is no longer rostered";
    // The change put a new timetable in place (locks kept): checked again.
    Boxes.Clear();
    ASSERT_TRUE(Do(EventDoc::ID_CHECK_TIMETABLE));
    ASSERT_FALSE(Boxes.Boxes().empty());
    EXPECT_EQ(Boxes.Boxes().back().sText, "The timetable is valid.");
    Shot("unrostered");
}

void RoadTest::Print()
{
    using M = PrintTTOptionsModel;
    // The timetable by day, then by participant, each chosen in the print
    // options dialog and printed from its preview.
    struct Job {
        UINT uBy;
        const char* pFile;
    };
    for (const Job& job : {Job{M::IDC_BY_DAY, "timetable-by-day.pdf"}, Job{M::IDC_BY_PARTICIPANT, "timetable-by-participant.pdf"}}) {
        bool b_done = false;
        WhenModal<PrintTTOptionsDlg>(
            [&](PrintTTOptionsDlg& dlg) {
                Choose(dlg, WxId(job.uBy));
                if (job.uBy != M::IDC_BY_DAY)
                    Choose(dlg, WxId(M::IDC_ALL));
                Shot(std::string("print-options-") + job.pFile);
                Press(dlg, wxID_OK);
                b_done = true;
            },
            "the timetable print options");
        ASSERT_TRUE(Do(ID_PREVIEW_TIMETABLE));
        ASSERT_TRUE(PumpUntil([&] { return b_done; }));
        vPdfs.push_back(Out(job.pFile));
        ASSERT_NO_FATAL_FAILURE(PrintFromPreview(vPdfs.back(), job.pFile));
    }

    // The participant list, on the columns offered and the groups too, of
    // every participant (not only the one selected in the pane).
    bool b_done = false;
    WhenModal<SelectColumnsDlg>(
        [&](SelectColumnsDlg& dlg) {
            using C = SelectColumnsModel;
            auto* p_available = dynamic_cast<ZelListCtrl*>(dlg.FindWindow(WxId(C::IDC_AVAILABLE)));
            ASSERT_NE(p_available, nullptr);
            const int i_groups = RowOf(*p_available, 0, "Groups");
            ASSERT_GE(i_groups, 0);
            p_available->UnselectAll();
            p_available->SelectItem(i_groups);
            dlg.UpdateButtons();
            Press(dlg, WxId(C::IDC_MOVE_RIGHT));
            Choose(dlg, WxId(C::IDC_ROWS_ALL));
            Shot("participant-list-columns");
            Press(dlg, wxID_OK);
            b_done = true;
        },
        "the column chooser");
    ASSERT_TRUE(Do(ID_PREVIEW_PARTICIPANT_LIST));
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    vPdfs.push_back(Out("participant-list.pdf"));
    ASSERT_NO_FATAL_FAILURE(PrintFromPreview(vPdfs.back(), "participant-list"));

    // The participants' labels, on a stock chosen in the label chooser.
    b_done = false;
    WhenModal<LabelStockDlg>(
        [&](LabelStockDlg& dlg) {
            wxTreeCtrl* p_tree = dlg.GetTree();
            wxTreeItemIdValue cookie;
            const wxTreeItemId group = p_tree->GetFirstChild(p_tree->GetRootItem(), cookie);
            ASSERT_TRUE(group.IsOk());
            p_tree->Expand(group);
            wxTreeItemIdValue cookie2;
            const wxTreeItemId stock = p_tree->GetFirstChild(group, cookie2);
            ASSERT_TRUE(stock.IsOk());
            p_tree->SelectItem(stock);
            Pump();
            Shot("label-stock");
            Press(dlg, wxID_OK);
            b_done = true;
        },
        "the label chooser");
    ASSERT_TRUE(Do(ID_PREVIEW_PARTICIPANT_LABELS));
    ASSERT_TRUE(PumpUntil([&] { return b_done; }));
    vPdfs.push_back(Out("participant-labels.pdf"));
    ASSERT_NO_FATAL_FAILURE(PrintFromPreview(vPdfs.back(), "participant-labels"));
}

void RoadTest::Export()
{
    // HTML with the group listing, whose columns are chosen in their dialog.
    const fs::path fs_html = Out("timetable.html");
    Files.AnswerWith([&](FileDialogRequest& request) {
        FileDialogOption* p_listing = request.FindOption(ExportCommands::IDC_HTML_GROUP_LISTING);
        EXPECT_NE(p_listing, nullptr);
        if (p_listing != nullptr && !p_listing->bValue)
            request.Click(ExportCommands::IDC_HTML_GROUP_LISTING);
        request.sPath = fs_html.string();
        return TRUE;
    });
    bool b_columns = false;
    WhenDialog(
        HtmlSelColumns::IDD_HTML_SEL_COLUMNS,
        [&](wxDialog& dlg) {
            Press(dlg, WxId(HtmlSelColumns::IDC_ADD_ALL));
            Shot("html-group-information");
            Press(dlg, wxID_OK);
            b_columns = true;
        },
        "the group information dialog");
    Boxes.Clear();
    ASSERT_TRUE(Do(ID_EXPORT_HTML));
    ASSERT_TRUE(PumpUntil([&] { return b_columns && fs::exists(fs_html); }));
    ASSERT_FALSE(Boxes.Boxes().empty());
    EXPECT_EQ(Boxes.Boxes().back().sText.rfind("Your timetable was exported to", 0), 0u) << Boxes.Boxes().back().sText;

    // Text, each of the four kinds.
    const std::pair<int, const char*> a_kinds[] = {
        {TextExport::IDC_VENUES, "venues.csv"},
        {TextExport::IDC_PARTICIPANTS, "participants.csv"},
        {TextExport::IDC_GROUPS, "groups.csv"},
        {TextExport::IDC_TIMETABLE, "timetable.csv"},
    };
    for (const auto& [i_kind, p_file] : a_kinds) {
        const fs::path fs_csv = Out(p_file);
        Files.AnswerWith([&, i_kind = i_kind](FileDialogRequest& request) {
            request.Click(i_kind);
            request.sPath = fs_csv.string();
            return TRUE;
        });
        Boxes.Clear();
        ASSERT_TRUE(Do(ID_EXPORT_TEXT));
        EXPECT_TRUE(fs::exists(fs_csv)) << p_file;
        ASSERT_FALSE(Boxes.Boxes().empty()) << p_file;
        EXPECT_NE(Boxes.Boxes().back().sText.find("items were exported to"), std::string::npos)
            << Boxes.Boxes().back().sText;
        vCsvs.push_back(fs_csv);
    }

    // Bad input: an export into a folder that cannot be made (a file has
    // its name). The message is shown, and nothing is lost.
    const fs::path fs_blocker = fsFolder / "not-a-folder";
    WriteFileAtomically(fs_blocker.string(), "a file, not a folder");
    const fs::path fs_bad = fs_blocker / "timetable.csv";
    Files.AnswerWith([&](FileDialogRequest& request) {
        request.Click(TextExport::IDC_TIMETABLE);
        request.sPath = fs_bad.string();
        return TRUE;
    });
    const int n_participants = Doc().GetParticipants().GetNumParticipants();
    Boxes.Clear();
    ASSERT_TRUE(Do(ID_EXPORT_TEXT));
    ASSERT_EQ(Boxes.Boxes().size(), 1u) << "one message for the failed export";
    EXPECT_NE(Boxes.Boxes()[0].sText.find(fs_bad.filename().string()), std::string::npos) << Boxes.Boxes()[0].sText;
    EXPECT_EQ(Boxes.Boxes()[0].sText.find("items were exported"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs_bad));
    EXPECT_EQ(Doc().GetParticipants().GetNumParticipants(), n_participants);
    EXPECT_NE(Doc().GetTimetable(), nullptr);
    Shot("exported");
}

void RoadTest::SaveCloseReopen()
{
    fsSaved = fsFolder / "harbour.eve";
    Files.AnswerPath(fsSaved.string());
    ASSERT_TRUE(Do(ID_FILE_SAVE));
    ASSERT_TRUE(fs::exists(fsSaved));
    EXPECT_FALSE(Doc().IsModified());
    const std::string s_title = std::string(Frame().GetTitle().utf8_str());
    EXPECT_EQ(s_title, "harbour.eve - Rotavex");

    // A copy saved as another file, then damaged on disk: from the recent
    // files it is refused with its message, and the event open stays.
    const fs::path fs_copy = fsFolder / "harbour-copy.eve";
    Files.AnswerPath(fs_copy.string());
    ASSERT_TRUE(Do(ID_FILE_SAVE_AS));
    ASSERT_TRUE(fs::exists(fs_copy));
    Files.AnswerPath(fsSaved.string());
    Boxes.Answer(IDYES);
    ASSERT_TRUE(Do(ID_FILE_OPEN));
    ASSERT_EQ(Doc().GetPathName(), fsSaved.string());
    ASSERT_EQ(App().GetRecentFiles().size(), 2u);
    ASSERT_EQ(App().GetRecentFiles()[1], fs_copy.string());
    WriteFileAtomically(fs_copy.string(), std::string("\x28\x00\x00\x00\x05Brok", 9));
    Boxes.Clear();
    ASSERT_TRUE(Do(ID_FILE_MRU_FILE1 + 1));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText.rfind("Cannot open the event file '" + fs_copy.string() + "'.", 0), 0u)
        << Boxes.Boxes()[0].sText;
    EXPECT_EQ(Doc().GetPathName(), fsSaved.string());
    EXPECT_EQ(Doc().GetEventName(), kEventName);
    EXPECT_GE(Doc().GetGroups().FindByName(kGroup), 0);

    // Close, and reopen from the recent files.
    ASSERT_TRUE(Do(EventDoc::ID_FILE_CLOSE));
    EXPECT_TRUE(Doc().GetEventName().empty());
    Shot("closed");
    ASSERT_FALSE(App().GetRecentFiles().empty());
    ASSERT_EQ(App().GetRecentFiles().front(), fsSaved.string());
    ASSERT_TRUE(Do(ID_FILE_MRU_FILE1));
    ASSERT_EQ(Doc().GetPathName(), fsSaved.string());
    EXPECT_EQ(Doc().GetEventName(), kEventName);
    EXPECT_EQ(Doc().GetNumVenues(), 2);
    EXPECT_GE(Doc().GetGroups().FindByName(kGroup), 0);
    EXPECT_EQ(Doc().GetParticipants().GetNumParticipants(), 4);
    ASSERT_NE(Doc().GetTimetable(), nullptr);
    EXPECT_TRUE(Doc().GetTimetable()->GetDay(Locked.iDay).GetVenueSlots(Locked.iVenue)[Locked.iSlot].IsLocked());
    Shot("reopened");

    // Save again.
    Doc().SetModifiedFlag();
    ASSERT_TRUE(Do(ID_FILE_SAVE));
    EXPECT_FALSE(Doc().IsModified());
}

void RoadTest::SampleAndOlderRevision()
{
    // The sample event, from the installation's sample timetables.
    const fs::path fs_sample = fs::path(ROTAVEX_INSTALL_DIR) / "sample timetables" / "Festival weekend.eve";
    ASSERT_TRUE(fs::exists(fs_sample));
    Files.AnswerWith([&](FileDialogRequest& request) {
        EXPECT_EQ(request.sFolder, (fs::path(ROTAVEX_INSTALL_DIR) / "sample timetables").string());
        request.sPath = fs_sample.string();
        return TRUE;
    });
    ASSERT_TRUE(Do(ID_FILE_OPEN_SAMPLE));
    EXPECT_EQ(Doc().GetEventName(), "Festival weekend");
    EXPECT_NE(Doc().GetTimetable(), nullptr);
    Shot("sample");

    // A file of revision 38, changed and saved over through the question.
    const fs::path fs_old = fsFolder / "older.eve";
    const testbytes::Bytes v_bytes = eventfixtures::MinimalFile(38);
    WriteFileAtomically(fs_old.string(), std::string(v_bytes.begin(), v_bytes.end()));
    Files.AnswerPath(fs_old.string());
    ASSERT_TRUE(Do(ID_FILE_OPEN));
    ASSERT_EQ(Doc().GetPathName(), fs_old.string());
    EXPECT_EQ(Doc().GetFileVersion(), 38u);
    Doc().SetEventName("Older event, kept");
    Doc().SetModifiedFlag();
    bool b_asked = false;
    WhenDialog(
        IDD_REVISION_CHANGED,
        [&](wxDialog& dlg) {
            b_asked = true;
            EXPECT_EQ(dlg.GetTitle(), "Revision has changed");
            Shot("revision-changed");
            Press(dlg, WxId(IDC_REVISION_OVERWRITE));
        },
        "the revision question");
    ASSERT_TRUE(Do(ID_FILE_SAVE));
    ASSERT_TRUE(PumpUntil([&] { return b_asked && !Doc().IsModified(); }));
    EXPECT_EQ(Doc().GetFileVersion(), 40u);
    EventDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(fs_old.string()));
    EXPECT_EQ(reread.GetEventName(), "Older event, kept");
    EXPECT_EQ(reread.GetFileVersion(), 40u);
}

void RoadTest::Exit()
{
    // Everything is saved: the program ends without a question, and the
    // recent files stay for the next start.
    Boxes.Clear();
    ASSERT_TRUE(Do(ID_APP_EXIT));
    EXPECT_EQ(App().GetMainFrame(), nullptr) << "the program is still up";
    EXPECT_TRUE(Boxes.Boxes().empty()) << Boxes.Boxes().front().sText;
    CSettingsStore::Value value;
    ASSERT_EQ(CSettingsStore::Get().QueryValue(SettingsHive::CurrentUser,
                                               "Software\\Vantor Software\\Rotavex\\Recent File List", "File1", value),
              ERROR_SUCCESS);
    EXPECT_FALSE(value.vData.empty());
}

// ---- the checks afterwards, without windows or by other programs ----

void RoadTest::CheckSavedEvent()
{
    EventDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(fsSaved.string()));
    EXPECT_EQ(doc.GetEventName(), kEventName);
    const EventDefinition& def = doc.GetEventDef();
    ASSERT_EQ(def.GetDaySel(), EventDefinition::eCalendar);
    ASSERT_EQ(def.GetCalendarDays().GetNumDays(), 3);
    EXPECT_EQ(def.GetDayDef().GetDaySlots(0).GetNumSlots(), 9);
    EXPECT_EQ(def.GetDayDef().GetDaySlots(2).GetNumSlots(), 8);

    ASSERT_EQ(doc.GetNumVenues(), 2);
    const Venue& hall = doc.GetVenues()[0];
    EXPECT_EQ(hall.GetName(), kVenue);
    EXPECT_EQ(hall.GetLocation(), kVenueLocation);
    EXPECT_EQ(doc.GetVenues()[1].GetName(), kSecondVenue);
    const int i_style = doc.GetStyles().FindByName(kStyle);
    ASSERT_GE(i_style, 0);
    const LONG l_style = doc.GetStyles().GetAt(i_style).GetKey();
    EXPECT_GE(hall.GetStyles().Find(l_style), 0);
    EXPECT_GE(doc.GetFacilities().FindByName(kFacility), 0);

    ASSERT_EQ(doc.GetParticipants().GetNumParticipants(), 4);
    const Participant& ada = doc.GetParticipants().GetAt(doc.GetParticipants().FindByName(kParticipant));
    EXPECT_EQ(ada.GetUsualRoleName(&doc), kRole);
    EXPECT_EQ(ada.GetEmail(), "ada@example.org");
    EXPECT_EQ(ada.GetEventLimits(), SchedLim(SchedLim::e_range, 0, 0, 4));
    ASSERT_EQ(ada.GetOwnRosterStyles().GetSize(), 1);
    EXPECT_EQ(ada.GetOwnRosterStyles()[0].lStyleKey, l_style);
    for (const char* p_name : kImported)
        EXPECT_GE(doc.GetParticipants().FindByName(p_name), 0) << p_name;
    const Participant& cal = doc.GetParticipants().GetAt(doc.GetParticipants().FindByName(kImported[0]));
    EXPECT_EQ(cal.GetUsualRoleName(&doc), "Singer");
    EXPECT_EQ(cal.GetEmail(), "cal@example.org");

    const int i_group = doc.GetGroups().FindByName(kGroup);
    ASSERT_GE(i_group, 0);
    const Group& band = doc.GetGroups().GetAt(i_group);
    EXPECT_EQ(band.GetContact().GetName(), kContact);
    EXPECT_EQ(band.GetEventLimits(), SchedLim(SchedLim::e_exact, 2, 0, 0));
    EXPECT_GE(band.GetStyles().Find(l_style), 0);
    ASSERT_EQ(band.GetMembers().GetSize(), 2);
    EXPECT_EQ(band.GetMembers()[0].lParticipantKey, cal.GetKey());
    EXPECT_FALSE(band.GetMembers()[0].bRostered);
    ASSERT_EQ(band.GetVenueAllocs().GetSize(), 1);
    EXPECT_EQ(band.GetVenueAllocs()[0].lVenueKey, hall.GetKey());
    EXPECT_NE(band.GetUnavailable().FindDayTimes(def.GetDayDefConst().GetDayId(2)), nullptr) << "the last day unavailable";

    EXPECT_EQ(doc.GetSchedulingRules().GetNumVenueRules(), 1);
    EXPECT_EQ(doc.GetSchedulingRules().GetNumDayRules(), 1);
    EXPECT_EQ(doc.GetPreferences().GetTravelMinutes(), 25u);

    ASSERT_NE(doc.GetTimetable(), nullptr);
    EXPECT_TRUE(doc.GetTimetable()->IsValid());
    const Timeslot& locked = doc.GetTimetable()->GetDay(Locked.iDay).GetVenueSlots(Locked.iVenue)[Locked.iSlot];
    EXPECT_TRUE(locked.IsLocked());
    EXPECT_EQ(locked.GetGroup(), Locked.lGroup);
}

void RoadTest::CheckPdfs()
{
    ASSERT_TRUE(HasProgram("pdftoppm")) << "pdftoppm (poppler-utils) is needed";
    const char* p_shots = std::getenv("ROTAVEX_SHOT_DIR");
    for (const fs::path& fs_pdf : vPdfs) {
        SCOPED_TRACE(fs_pdf.filename().string());
        ASSERT_TRUE(fs::exists(fs_pdf));
        const fs::path fs_pages = fsFolder / "pages" / fs_pdf.stem();
        fs::create_directories(fs_pages);
        ASSERT_EQ(Shell("pdftoppm -r 40 -png '" + fs_pdf.string() + "' '" + (fs_pages / "page").string() + "'"), 0);
        int n_pages = 0;
        for (const auto& entry : fs::directory_iterator(fs_pages)) {
            ++n_pages;
            // A label with a name is the least a page holds.
            EXPECT_GT(DarkPixels(entry.path()), 50) << entry.path().filename() << " is blank";
            if (p_shots != nullptr)
                fs::copy_file(entry.path(), fs::path(p_shots) / ("pdf-" + fs_pdf.stem().string() + "-" + entry.path().filename().string()),
                              fs::copy_options::overwrite_existing);
        }
        EXPECT_GE(n_pages, 1);
        // The names each print is about, as text of the PDF.
        std::string s_text;
        ASSERT_EQ(Shell("pdftotext -layout '" + fs_pdf.string() + "' -", &s_text), 0);
        std::vector<std::string> v_names = {kEventName, kGroup};
        if (fs_pdf.stem() != "timetable-by-day")
            v_names = {kParticipant, kImported[0], kImported[1], kImported[2]};
        if (fs_pdf.stem() == "participant-list")
            v_names.push_back(kGroup);
        for (const std::string& s_name : v_names)
            EXPECT_NE(s_text.find(s_name), std::string::npos) << s_name;
        if (fs_pdf.stem() == "timetable-by-day") {
            EXPECT_EQ(n_pages, 3) << "a page a day";
        }
    }
}

void RoadTest::CheckHtml()
{
    const fs::path fs_html = Out("timetable.html");
    ASSERT_TRUE(fs::exists(fs_html));
    if (!HasProgram("chromium"))
        GTEST_SKIP() << "chromium is missing: the exported page is not read back";
    const std::string s_flags = "--headless --no-sandbox --disable-gpu --disable-background-networking "
                                "--disable-component-update --disable-sync --no-first-run --user-data-dir='"
        + (fsFolder / "chromium").string() + "'";
    std::string s_dom;
    ASSERT_EQ(Shell("timeout 90 chromium " + s_flags + " --dump-dom 'file://" + fs_html.string() + "' 2>/dev/null", &s_dom),
              0);
    ASSERT_FALSE(s_dom.empty());
    // Every name as text of the page: the event's, the venues', the
    // groups', and the participants' the page lists (as the groups'
    // members). The names here are plain ASCII, alike in code page 1252.
    EventDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(fsSaved.string()));
    std::vector<std::string> v_names = {doc.GetEventName()};
    for (int i = 0; i < doc.GetNumVenues(); ++i)
        v_names.push_back(doc.GetVenues()[i].GetName());
    for (int i = 0; i < doc.GetGroups().GetNumGroups(); ++i) {
        const Group& group = doc.GetGroups().GetAt(i);
        v_names.push_back(group.GetName());
        for (int j = 0; j < group.GetMembers().GetSize(); ++j) {
            const int i_part = doc.GetParticipants().FindByKey(group.GetMembers()[j].lParticipantKey);
            ASSERT_GE(i_part, 0);
            v_names.push_back(doc.GetParticipants().GetAt(i_part).GetFullName());
        }
    }
    EXPECT_GE(v_names.size(), 6u);
    for (const std::string& s_name : v_names)
        EXPECT_NE(s_dom.find(s_name), std::string::npos) << s_name;
    if (const char* p_shots = std::getenv("ROTAVEX_SHOT_DIR"))
        Shell("timeout 90 chromium " + s_flags + " --window-size=1200,1600 --screenshot='" + p_shots
              + "/html-page.png' 'file://" + fs_html.string() + "' >/dev/null 2>&1");
}

void RoadTest::CheckCsv()
{
    ASSERT_TRUE(HasProgram("python3")) << "python3 is needed";
    // Every record with as many cells as the header.
    // The timetable's text is in sections: a day's title, then for each
    // venue a header ("Start", "End", the venue) and its timeslots; there
    // every record has the width of its section's header.
    const char* p_script = "import csv, sys\n"
                           "rows = list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8-sig')))\n"
                           "assert len(rows) >= 2, 'no records'\n"
                           "sections = len(sys.argv) > 2\n"
                           "header = rows[0]\n"
                           "bad = []\n"
                           "for i, r in enumerate(rows):\n"
                           "    if sections and r and r[0] == 'Start':\n"
                           "        header = r\n"
                           "    elif sections and len(r) == 2 and r[1] == '':\n"
                           "        continue\n"
                           "    elif len(r) != len(header):\n"
                           "        bad.append(i + 1)\n"
                           "assert not bad, 'records of another width: %s' % bad\n"
                           "print(len(rows) - 1)\n";
    const fs::path fs_script = fsFolder / "readcsv.py";
    WriteFileAtomically(fs_script.string(), p_script);
    for (const fs::path& fs_csv : vCsvs) {
        std::string s_out;
        const std::string s_sections = fs_csv.stem() == "timetable" ? " sections" : "";
        EXPECT_EQ(Shell("python3 '" + fs_script.string() + "' '" + fs_csv.string() + "'" + s_sections + " 2>&1", &s_out), 0)
            << fs_csv.filename() << ": " << s_out;
    }
}

TEST_F(RoadTest, FromNothingToAPrintedAndExportedTimetableAndBack)
{
    const auto t_start = std::chrono::steady_clock::now();
    ASSERT_NO_FATAL_FAILURE(NewEventThroughTheStartupDialog());
    ASSERT_NO_FATAL_FAILURE(RedefineTheDays());
    ASSERT_NO_FATAL_FAILURE(AddVenues());
    ASSERT_NO_FATAL_FAILURE(AddParticipant());
    ASSERT_NO_FATAL_FAILURE(ImportParticipants());
    ASSERT_NO_FATAL_FAILURE(AddGroup());
    ASSERT_NO_FATAL_FAILURE(RosterByStyles());
    ASSERT_NO_FATAL_FAILURE(RulesAndPreferences());
    ASSERT_NO_FATAL_FAILURE(BuildLockCheckRoster());
    ASSERT_NO_FATAL_FAILURE(Print());
    ASSERT_NO_FATAL_FAILURE(Export());
    ASSERT_NO_FATAL_FAILURE(SaveCloseReopen());
    ASSERT_NO_FATAL_FAILURE(SampleAndOlderRevision());
    ASSERT_NO_FATAL_FAILURE(Exit());
    ASSERT_NO_FATAL_FAILURE(CheckSavedEvent());
    ASSERT_NO_FATAL_FAILURE(CheckPdfs());
    ASSERT_NO_FATAL_FAILURE(CheckCsv());
    CheckHtml();
    std::fprintf(stderr, "the road took %lld s\n",
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(
                                            std::chrono::steady_clock::now() - t_start)
                                            .count()));
}

} // namespace
