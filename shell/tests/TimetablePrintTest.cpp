// Printing the timetable in the program, in-process under a virtual
// display, over a sample event whose timetable the build made: the options
// dialog driven by its buttons with the sample following, pages by day,
// group, venue and participant drawn on bitmaps of A4 and Letter pages at
// 300 pixels per inch, the preview opened from the pane's command, and a
// print into a PDF file through the toolkit's printer; every page keeps its
// margins blank.
//
// With ROTAVEX_SHOT_DIR set, the pages are saved there as PNG images (and
// the PDF as timetable.pdf); with ROTAVEX_SHOW_SECONDS set, the dialog and
// the preview stay on screen that long, for screenshots.
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "model/GroupList.h"
#include "model/Participant.h"
#include "model/Venue.h"
#include "output/ui/PrintTTOptionsDlg.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/timetable/TimetablePrintout.h"
#include "shell/timetable/TimetableView.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/GtkPrintToFile.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "testsupport/ProgramFolder.h"

#include <set>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <cstdio>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/print.h>
#include <wx/gtk/print.h>
#include <wx/radiobut.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

namespace fs = std::filesystem;

namespace {

// One application for the whole run, as the program has.
const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment());

// Every item of the event, in list order; the first of each selected.
class AllRows : public ITTPrintRows {
public:
    explicit AllRows(EventDoc& doc) : Doc(doc) {}
    std::vector<int> GetRowItems(int e_what, BOOL b_all) override
    {
        const int n = e_what == TTPrint::eGroups   ? Doc.GetGroups().GetNumGroups()
                      : e_what == TTPrint::eVenues ? Doc.GetVenues().GetNumVenues()
                                                   : Doc.GetParticipants().GetNumParticipants();
        std::vector<int> v;
        for (int i = 0; i < (b_all ? n : std::min(n, 1)); ++i)
            v.push_back(i);
        return v;
    }
    int GetSelectedCount(int) override { return 1; }

private:
    EventDoc& Doc;
};

class TimetablePrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-ttprint");
        fs::copy_file(fs::path(ROTAVEX_SAMPLE_TIMETABLES) / "Festival weekend.eve", fsFolder / "festival.eve");
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterTimetableView());
        ASSERT_TRUE(TheApp()->StartUp((fsFolder / "festival.eve").string()));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
    }
    void TearDown() override
    {
        SetTTOptionsRunner({});
        TheApp()->ShutDown();
        WindowClasses::Unregister(kTimetableView);
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }

    fs::path fsFolder;
};

void Click(wxDialog& dlg, UINT u_id)
{
    wxWindow* p_window = dlg.FindWindow(WxId(u_id));
    ASSERT_NE(p_window, nullptr) << u_id;
    if (auto* p_radio = dynamic_cast<wxRadioButton*>(p_window)) {
        p_radio->SetValue(true);
        wxCommandEvent event(wxEVT_RADIOBUTTON, p_radio->GetId());
        event.SetEventObject(p_radio);
        event.SetInt(1);
        p_radio->GetEventHandler()->ProcessEvent(event);
    } else if (auto* p_check = dynamic_cast<wxCheckBox*>(p_window)) {
        p_check->SetValue(!p_check->GetValue());
        wxCommandEvent event(wxEVT_CHECKBOX, p_check->GetId());
        event.SetEventObject(p_check);
        event.SetInt(p_check->GetValue() ? 1 : 0);
        p_check->GetEventHandler()->ProcessEvent(event);
    }
    Pump();
}

bool Checked(wxDialog& dlg, UINT u_id)
{
    wxWindow* p_window = dlg.FindWindow(WxId(u_id));
    if (auto* p_radio = dynamic_cast<wxRadioButton*>(p_window))
        return p_radio->GetValue();
    return dynamic_cast<wxCheckBox*>(p_window)->GetValue();
}

bool Enabled(wxDialog& dlg, UINT u_id) { return dlg.FindWindow(WxId(u_id))->IsEnabled(); }

TEST_F(TimetablePrintTest, OptionsDialogFollowsEachButton)
{
    using M = PrintTTOptionsModel;
    PrintOptions o;
    PrintTTOptionsDlg dlg(&Frame(), o, 2, 0, 1);
    dlg.Show();
    Pump();
    EXPECT_EQ(dlg.GetTitle(), "Timetable print options");
    EXPECT_TRUE(Checked(dlg, M::IDC_BY_DAY));
    EXPECT_FALSE(Enabled(dlg, M::IDC_ALL)) << "by day prints every day";
    EXPECT_FALSE(Enabled(dlg, M::IDC_GRID_LINES)) << "proportional height keeps grid lines";
    const wxSize sz_portrait = dlg.GetSample()->GetSize();

    Click(dlg, M::IDC_BY_GROUP);
    EXPECT_TRUE(Enabled(dlg, M::IDC_SELECTED));
    EXPECT_TRUE(Checked(dlg, M::IDC_ALL));
    Click(dlg, M::IDC_SELECTED);
    EXPECT_EQ(dlg.GetOptions().bPrintAll, 0);
    Click(dlg, M::IDC_BY_VENUE);
    EXPECT_FALSE(Enabled(dlg, M::IDC_SELECTED)) << "no venue is selected";
    EXPECT_TRUE(Checked(dlg, M::IDC_ALL));
    Click(dlg, M::IDC_BY_PARTICIPANT);
    EXPECT_TRUE(Enabled(dlg, M::IDC_ALL));
    Click(dlg, M::IDC_ALL);
    EXPECT_EQ(dlg.GetOptions().bPrintAll, 1);

    Click(dlg, M::IDC_CONSTANT);
    EXPECT_TRUE(Enabled(dlg, M::IDC_GRID_LINES));
    EXPECT_FALSE(Enabled(dlg, M::IDC_START_END));
    EXPECT_TRUE(Checked(dlg, M::IDC_START_ONLY)) << "start and end become start only";
    Click(dlg, M::IDC_GRID_LINES);
    EXPECT_EQ(dlg.GetOptions().bGridLines, 0);
    Click(dlg, M::IDC_NO_LABELS);
    EXPECT_EQ(dlg.GetOptions().eTimeLabels, 2);
    Click(dlg, M::IDC_PROPORTIONAL);
    EXPECT_TRUE(Checked(dlg, M::IDC_GRID_LINES)) << "proportional height turns grid lines on";
    EXPECT_TRUE(Enabled(dlg, M::IDC_START_END));
    Click(dlg, M::IDC_START_END);
    EXPECT_EQ(dlg.GetOptions().eTimeLabels, 0);
    Click(dlg, M::IDC_START_ONLY);
    EXPECT_EQ(dlg.GetOptions().eTimeLabels, 1);

    Click(dlg, M::IDC_LANDSCAPE);
    EXPECT_EQ(dlg.GetOptions().bLandscape, 1);
    const wxSize sz_landscape = dlg.GetSample()->GetSize();
    EXPECT_GT(sz_landscape.x, sz_portrait.x);
    EXPECT_LT(sz_landscape.y, sz_portrait.y);
    Click(dlg, M::IDC_ALL_TIMESLOTS);
    Click(dlg, M::IDC_GROUP_MEMBERS);
    Click(dlg, M::IDC_COMBINATIONS);
    EXPECT_EQ(dlg.GetOptions().bAllTimeslots, 0);
    EXPECT_EQ(dlg.GetOptions().bGroupMembers, 1);
    EXPECT_EQ(dlg.GetOptions().bCombinations, 1);
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        // On screen in its own modal loop for a while, for screenshots.
        dlg.Hide();
        wxTimer timer;
        timer.Bind(wxEVT_TIMER, [&dlg](wxTimerEvent&) { dlg.EndModal(wxID_CANCEL); });
        timer.StartOnce(1000 * std::atoi(p_seconds));
        dlg.ShowModal();
        dlg.Show();
    }
    Click(dlg, M::IDC_PORTRAIT);
    EXPECT_EQ(dlg.GetSample()->GetSize(), sz_portrait);
    Click(dlg, M::IDC_BY_DAY);
    EXPECT_EQ(dlg.GetOptions().ePrintBy, PrintOptions::eDays);
    dlg.Hide();
}

// Return takes the options shown, as OK does: OK is the dialog's default
// button, wherever the focus stands among the options.
TEST_F(TimetablePrintTest, ReturnInTheOptionsDialogPressesOk)
{
    using M = PrintTTOptionsModel;
    PrintOptions o;
    PrintTTOptionsDlg dlg(&Frame(), o, 1, 1, 1);
    bool b_default = false;
    WhenShown<PrintTTOptionsDlg>([&b_default](PrintTTOptionsDlg& shown) {
        b_default = shown.GetDefaultItem() == shown.FindWindow(wxID_OK);
        shown.FindWindow(WxId(M::IDC_BY_VENUE))->SetFocus();
        Click(shown, M::IDC_BY_VENUE);
        wxUIActionSimulator keyboard;
        keyboard.Char(WXK_RETURN);
        // The key comes through the display: the dialog takes it a moment
        // later (one that does not is cancelled when the steps end).
        for (int i = 0; i < 200 && shown.IsModal(); ++i) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
        }
    });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_TRUE(b_default);
    EXPECT_EQ(dlg.GetOptions().ePrintBy, PrintOptions::eVenues);
}

// A printed page as dark and light pixels.
class PageImage {
public:
    explicit PageImage(const wxImage& image) : Image(image) {}
    int Width() const { return Image.GetWidth(); }
    int Height() const { return Image.GetHeight(); }
    bool Dark(int x, int y) const { return Image.GetRed(x, y) < 128; }
    // The dark pixels in the rectangle.
    int DarkIn(const wxRect& rc) const
    {
        int n = 0;
        const wxRect rc_in = rc.Intersect(wxRect(0, 0, Width(), Height()));
        for (int y = rc_in.GetTop(); y <= rc_in.GetBottom(); ++y)
            for (int x = rc_in.GetLeft(); x <= rc_in.GetRight(); ++x)
                n += Dark(x, y) ? 1 : 0;
        return n;
    }
    // The dark pixels in the bands of the given widths along the left, top,
    // right and bottom edges.
    int DarkInBands(int i_left, int i_top, int i_right, int i_bottom) const
    {
        return DarkIn(wxRect(0, 0, i_left, Height())) + DarkIn(wxRect(0, 0, Width(), i_top))
               + DarkIn(wxRect(Width() - i_right, 0, i_right, Height()))
               + DarkIn(wxRect(0, Height() - i_bottom, Width(), i_bottom));
    }

private:
    wxImage Image;
};

// Millimetres in pixels at the pixels per inch, rounded down.
int MmPixels(int i_mm, int i_ppi) { return i_mm * i_ppi * 10 / 254; }

// Prints page i_page of the job on a white bitmap of the page at 300 pixels
// per inch; the page (saved as s_file in ROTAVEX_SHOT_DIR when it is set).
PageImage PrintPageImage(TimetablePrintout& printout, const wxSize& sz_page, const std::string& s_file, int& n_pages,
                         int i_page = 1)
{
    wxBitmap bitmap(sz_page.x, sz_page.y);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    printout.SetDC(&dc);
    printout.SetPPIScreen(96, 96);
    printout.SetPPIPrinter(300, 300);
    printout.SetPageSizePixels(sz_page.x, sz_page.y);
    printout.SetPaperRectPixels(wxRect(wxPoint(0, 0), sz_page));
    printout.OnPreparePrinting();
    n_pages = printout.GetJob().GetPageCount();
    EXPECT_TRUE(printout.OnPrintPage(i_page)) << s_file;
    printout.OnEndPrinting();
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
        image.SaveFile(wxString(p_dir) + "/" + s_file, wxBITMAP_TYPE_PNG);
    return PageImage(image);
}

TEST_F(TimetablePrintTest, PagesOnBitmapsByEveryKind)
{
    const wxSize sz_a4(2480, 3508), sz_letter(2550, 3300);
    struct Case {
        LONG eBy;
        bool bLandscape;
        wxSize szPage;
        const char* pFile;
        bool bConstant = false; // constant height, start times, no grid lines
        bool bMembers = false;  // group members under the groups' names
    } a_cases[] = {
        {0, false, sz_a4, "tt-day-a4.png"},
        {0, true, wxSize(sz_a4.y, sz_a4.x), "tt-day-a4-landscape.png"},
        {1, false, sz_letter, "tt-group-letter.png"},
        {2, true, wxSize(sz_letter.y, sz_letter.x), "tt-venue-letter-landscape.png"},
        {3, false, sz_a4, "tt-participant-a4.png"},
        {1, false, sz_a4, "tt-group-a4-constant.png", true},
        {2, false, sz_a4, "tt-venue-members-a4.png", false, true},
    };
    // A participant in the first group that the timetable places.
    Participant ann;
    ann.SetName("Ann Lee");
    ASSERT_EQ(Doc().GetParticipants().Add(ann), ParticipantList::added);
    Doc().GetGroups()[0].GetMembers().SetMember(Doc().GetParticipants()[0].GetKey(), "", FALSE);
    AllRows rows(Doc());
    for (const Case& c : a_cases) {
        Doc().GetPrintOptions().ePrintBy = c.eBy;
        Doc().GetPrintOptions().bPrintAll = 1;
        Doc().GetPrintOptions().bLandscape = c.bLandscape;
        Doc().GetPrintOptions().eSlotHeight = c.bConstant ? 1 : 0;
        Doc().GetPrintOptions().eTimeLabels = c.bConstant ? 1 : 0;
        Doc().GetPrintOptions().bGridLines = c.bConstant ? 0 : 1;
        Doc().GetPrintOptions().bGroupMembers = c.bMembers ? 1 : 0;
        TimetablePrintout printout(Doc(), &rows);
        int n_pages = 0;
        const PageImage page = PrintPageImage(printout, c.szPage, c.pFile, n_pages);
        EXPECT_GT(page.DarkIn(wxRect(c.szPage)), 2000) << c.pFile;
        EXPECT_GE(n_pages, 1) << c.pFile;
        // Nothing in the default margins; the footer reaches down to them.
        const int i_band = MmPixels(PrintMargins::kDefault, 300);
        EXPECT_EQ(page.DarkInBands(i_band - 1, i_band - 1, i_band - 1, i_band - 1), 0) << c.pFile;
        EXPECT_GT(page.DarkIn(wxRect(0, c.szPage.y - i_band - 60, c.szPage.x, 60)), 0) << c.pFile;
    }
}

TEST_F(TimetablePrintTest, PageSetUpMarginsStayForTheRunAndShapeThePages)
{
    const wxPageSetupDialogData saved = TheApp()->GetPageSetupData();
    EXPECT_EQ(TheApp()->GetPrintMargins(), PrintMargins()) << "the default until the user chooses";
    int n_asked = 0;
    TheApp()->SetPageSetupRunner([&n_asked](wxPageSetupDialogData& data) {
        ++n_asked;
        EXPECT_EQ(data.GetMarginTopLeft(), wxPoint(PrintMargins::kDefault, PrintMargins::kDefault));
        data.SetMarginTopLeft(wxPoint(25, 30));
        data.SetMarginBottomRight(wxPoint(20, 2));
        data.GetPrintData().SetPaperId(wxPAPER_A5);
        return wxID_OK;
    });
    TheApp()->OnFilePrintSetup();
    EXPECT_EQ(n_asked, 1);
    EXPECT_EQ(TheApp()->GetPrintMargins(), (PrintMargins{25, 30, 20, PrintMargins::kMinimum}))
        << "the chosen margins, none below the minimum";
    EXPECT_EQ(TheApp()->GetPrintData().GetPaperId(), wxPAPER_A5);
    // Cancel keeps what was chosen before.
    TheApp()->SetPageSetupRunner([](wxPageSetupDialogData& data) {
        data.SetMarginTopLeft(wxPoint(40, 40));
        return wxID_CANCEL;
    });
    TheApp()->OnFilePrintSetup();
    EXPECT_EQ(TheApp()->GetPrintMargins().iLeft, 25);

    // A page printed afterwards keeps them: blank bands of the margins'
    // widths, the heading and the footer just inside them.
    Doc().GetPrintOptions().ePrintBy = PrintOptions::eDays;
    AllRows rows(Doc());
    TimetablePrintout printout(Doc(), &rows);
    const wxSize sz_a4(2480, 3508);
    int n_pages = 0;
    const PageImage page = PrintPageImage(printout, sz_a4, "tt-margins.png", n_pages);
    EXPECT_EQ(page.DarkInBands(MmPixels(25, 300) - 1, MmPixels(30, 300) - 1, MmPixels(20, 300) - 1,
                               MmPixels(PrintMargins::kMinimum, 300) - 1),
              0);
    EXPECT_GT(page.DarkIn(wxRect(0, sz_a4.y - MmPixels(5, 300) - 60, sz_a4.x, 60)), 0) << "the footer";
    EXPECT_GT(page.DarkIn(wxRect(0, MmPixels(30, 300), sz_a4.x, 150)), 0) << "the heading";
    TheApp()->SetPageSetupRunner({});
    TheApp()->GetPageSetupData() = saved;
}

TEST_F(TimetablePrintTest, NothingToPrintIsToldAndOpensNoWindow)
{
    ASSERT_EQ(Doc().GetParticipants().GetNumParticipants(), 0);
    ScriptedMessageBox boxes;
    SetTTOptionsRunner([](PrintTTOptionsDlg& dlg) {
        dlg.GetModel().Click(PrintTTOptionsModel::IDC_BY_PARTICIPANT);
        dlg.ShowModel();
        return wxID_OK;
    });
    for (const UINT u_command : {ID_PREVIEW_TIMETABLE, ID_PRINT_TIMETABLE}) {
        const std::set<wxWindow*> before(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
        boxes.Clear();
        Frame().RunCommand(u_command);
        Pump();
        ASSERT_EQ(boxes.Boxes().size(), 1u) << u_command;
        EXPECT_EQ(boxes.Boxes()[0].sText, "There is nothing to print.");
        for (wxWindow* p_window : wxTopLevelWindows)
            EXPECT_TRUE(before.count(p_window) == 1) << u_command << ": a window opened";
    }
}

// A printout that notes the pages it drew.
class NotedPrintout : public TimetablePrintout {
public:
    using TimetablePrintout::TimetablePrintout;
    bool OnPrintPage(int i_page) override
    {
        const bool b_drawn = TimetablePrintout::OnPrintPage(i_page);
        vNoted.push_back(b_drawn ? i_page : -i_page);
        return b_drawn;
    }
    std::vector<int> vNoted;
};

TEST_F(TimetablePrintTest, ThePreviewDrawsEveryPageItTurnsTo)
{
    Doc().GetPrintOptions().ePrintBy = PrintOptions::eDays;
    AllRows rows(Doc());
    auto* p_shown = new NotedPrintout(Doc(), &rows);
    wxPrintDialogData dialog_data(TheApp()->GetPrintData());
    auto* p_preview = new wxPrintPreview(p_shown, nullptr, &dialog_data);
    ASSERT_TRUE(p_preview->IsOk());
    auto* p_frame = new wxPreviewFrame(p_preview, &Frame(), "Print preview");
    p_frame->Initialize();
    // The preview ends its printing after each page it draws.
    for (int i_page : {1, 2, 3, 1})
        EXPECT_TRUE(p_preview->RenderPage(i_page)) << i_page;
    EXPECT_EQ(p_preview->GetMaxPage(), 3);
    EXPECT_EQ(p_shown->vNoted, (std::vector<int>{1, 2, 3, 1}));
    p_frame->Close(true);
    Pump();
}

TEST_F(TimetablePrintTest, PreviewOpensFromThePaneAndCancelChangesNothing)
{
    Doc().SetModifiedFlag(false);
    SetTTOptionsRunner([](PrintTTOptionsDlg&) { return wxID_CANCEL; });
    EXPECT_TRUE(Frame().RunCommand(ID_PREVIEW_TIMETABLE));
    Pump();
    for (wxWindow* p_window : wxTopLevelWindows)
        EXPECT_EQ(dynamic_cast<wxPreviewFrame*>(p_window), nullptr) << "a cancelled dialog shows nothing";
    EXPECT_FALSE(Doc().IsModified());

    SetTTOptionsRunner([](PrintTTOptionsDlg& dlg) {
        dlg.GetModel().Click(PrintTTOptionsModel::IDC_LANDSCAPE);
        dlg.ShowModel();
        return wxID_OK;
    });
    EXPECT_TRUE(Frame().RunCommand(ID_PREVIEW_TIMETABLE));
    Pump();
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPrintOptions().bLandscape, 1);
    EXPECT_EQ(TheApp()->GetPrintData().GetOrientation(), wxLANDSCAPE);
    wxPreviewFrame* p_preview = nullptr;
    for (wxWindow* p_window : wxTopLevelWindows) {
        if (auto* p_frame = dynamic_cast<wxPreviewFrame*>(p_window))
            p_preview = p_frame;
    }
    ASSERT_NE(p_preview, nullptr);
    EXPECT_TRUE(p_preview->IsShown());
    ShowAWhile();
    p_preview->Close(true);
    Pump();
}

// Rows that count how often they are read.
class CountingRows : public ITTPrintRows {
public:
    std::vector<int> GetRowItems(int, BOOL) override
    {
        ++nReads;
        return {0, 1};
    }
    int GetSelectedCount(int) override
    {
        ++nReads;
        return 0;
    }
    int nReads = 0;
};

TEST_F(TimetablePrintTest, APreviewRendersWithoutTheRowsItWasOpenedWith)
{
    SetTTOptionsRunner([](PrintTTOptionsDlg& dlg) {
        dlg.GetModel().Click(PrintTTOptionsModel::IDC_BY_GROUP);
        dlg.ShowModel();
        return wxID_OK;
    });
    auto p_rows = std::make_unique<CountingRows>();
    ASSERT_TRUE(RunTimetablePrint(Doc(), p_rows.get(), TRUE));
    // The command that opened the preview has returned: its rows may be
    // gone, yet the preview draws its pages later and again.
    const int n_readsWhileOpening = p_rows->nReads;
    wxPreviewFrame* p_preview = nullptr;
    for (wxWindow* p_window : wxTopLevelWindows) {
        if (auto* p_frame = dynamic_cast<wxPreviewFrame*>(p_window))
            p_preview = p_frame;
    }
    ASSERT_NE(p_preview, nullptr);
    // The preview draws its page when idle.
    p_preview->Refresh();
    Pump();
    p_preview->Update();
    Pump();
    EXPECT_EQ(p_rows->nReads, n_readsWhileOpening) << "the rows are read only while the print is opened";
    p_preview->Close(true);
    Pump();
}

// The toolkit's printer into a PDF file through its dialog, as a user
// without a printer prints: the test runs this executable again for the
// print alone, under a time limit, so that a dialog that never ends cannot
// hold the tests. It answers the toolkit's own dialog through the toolkit's
// internals, which the toolkit's versions and its print back-ends may
// change: where they have, ROTAVEX_PRINT_PDF=0 leaves it out, and the
// pages on bitmaps above still cover the drawing and its margins.
TEST_F(TimetablePrintTest, PrintsIntoAPdfFile)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const fs::path fs_pdf = fsFolder / "timetable.pdf";
    EXPECT_TRUE(ChildPassed(RunTestInChild("TimetablePrintTest.PdfChild", {{"ROTAVEX_PDF_OUT", fs_pdf.string()}})));
    ASSERT_TRUE(fs::exists(fs_pdf)) << "the toolkit printed no file";
    EXPECT_GT(fs::file_size(fs_pdf), 1000u);
    // One page a day, turned into images of 72 pixels per inch.
    const std::string s_command = "pdftoppm -r 72 -png '" + fs_pdf.string() + "' '" + (fsFolder / "pdf").string() + "'";
    ASSERT_EQ(std::system(s_command.c_str()), 0) << "pdftoppm (poppler-utils) is needed";
    for (int d = 1; d <= Doc().GetTimetable()->GetNumDays(); ++d) {
        const fs::path fs_page = fsFolder / ("pdf-" + std::to_string(d) + ".png");
        ASSERT_TRUE(fs::exists(fs_page)) << fs_page;
        if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
            fs::copy_file(fs_page, fs::path(p_dir) / ("tt-pdf-" + std::to_string(d) + ".png"),
                          fs::copy_options::overwrite_existing);
        // A file prints to the paper's edge: the page keeps the default
        // margins blank all the same, and its footer comes down to them.
        const PageImage page(wxImage(fs_page.string(), wxBITMAP_TYPE_PNG));
        ASSERT_GT(page.Width(), 0) << fs_page;
        const int i_band = MmPixels(PrintMargins::kDefault, 72);
        EXPECT_EQ(page.DarkInBands(i_band - 1, i_band - 1, i_band - 1, i_band - 1), 0) << fs_page;
        EXPECT_GT(page.DarkIn(wxRect(0, page.Height() - i_band - 20, page.Width(), 20)), 0) << fs_page;
    }
}

// The print of the test above, in its own process.
TEST_F(TimetablePrintTest, PdfChild)
{
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    if (p_out == nullptr)
        GTEST_SKIP() << "run by PrintsIntoAPdfFile";
    Doc().GetPrintOptions().ePrintBy = PrintOptions::eDays;
    wxPrintDialogData dialog_data(TheApp()->GetPrintData());
    wxPrinter printer(&dialog_data);
    AllRows rows(Doc());
    TimetablePrintout printout(Doc(), &rows);
    PrintDialogAnswer answer(p_out);
    answer.Start(500);
    EXPECT_TRUE(printer.Print(&Frame(), &printout, true)) << "error " << wxPrinter::GetLastError();
    Pump();
}

// A day whose first and last timeslots are those of a venue that holds
// nothing, printed through the toolkit into a PDF file with every timeslot
// on: the text read back has every slot start of the day, the empty ones
// before and after the placed groups too.
TEST_F(TimetablePrintTest, EveryTimeslotPrintsIntoAPdfFile)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const fs::path fs_pdf = fsFolder / "alltimes.pdf";
    EXPECT_TRUE(ChildPassed(RunTestInChild("TimetablePrintTest.AllTimesChild", {{"ROTAVEX_PDF_OUT", fs_pdf.string()}})));
    ASSERT_TRUE(fs::exists(fs_pdf)) << "the toolkit printed no file";
    const std::string s_text = PdfText(fs_pdf.string(), false);
    ASSERT_FALSE(s_text.empty()) << "pdftotext (poppler-utils) is needed";
    for (const char* p_label : {"8:00am", "9:00am", "10:00am", "11:00am", "12:00pm", "1:00pm", "2:00pm"})
        EXPECT_NE(s_text.find(p_label), std::string::npos) << p_label;
    for (const char* p_text : {"Choir", "Band", "Hall", "Room"})
        EXPECT_NE(s_text.find(p_text), std::string::npos) << p_text;
    EXPECT_EQ(s_text.find("Yard"), std::string::npos) << "the venue that holds nothing is left out";
    if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
        fs::copy_file(fs_pdf, fs::path(p_dir) / "tt-alltimes.pdf", fs::copy_options::overwrite_existing);
}

// The print of the test above, in its own process.
TEST_F(TimetablePrintTest, AllTimesChild)
{
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    if (p_out == nullptr)
        GTEST_SKIP() << "run by EveryTimeslotPrintsIntoAPdfFile";
    testevent::EventBuilder event;
    event.Name("Summer School")
        .Days({"Monday"})
        .Venue("Hall")
        .Venue("Room")
        .Venue("Yard")
        .VenueSlots(0, "Hall", {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"})
        .VenueSlots(0, "Room", {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"})
        .VenueSlots(0, "Yard", {"08:00-09:00", "13:00-14:00"})
        .Group("Choir")
        .Group("Band")
        .Timetable()
        .Place(0, "Hall", "10:00", "Choir")
        .Place(0, "Room", "11:00", "Band");
    event.Doc().GetEventDef().GetDayDef().Set24Hour(FALSE);
    event.Doc().GetPrintOptions().ePrintBy = PrintOptions::eDays;
    event.Doc().GetPrintOptions().bAllTimeslots = 1;
    wxPrintDialogData dialog_data(TheApp()->GetPrintData());
    wxPrinter printer(&dialog_data);
    AllRows rows(event.Doc());
    TimetablePrintout printout(event.Doc(), &rows);
    PrintDialogAnswer answer(p_out);
    answer.Start(500);
    EXPECT_TRUE(printer.Print(&Frame(), &printout, true)) << "error " << wxPrinter::GetLastError();
    Pump();
}

// One word of a PDF page as pdftotext places it (points from the top left).
struct PdfWord {
    std::string sText;
    double dTop = 0, dBottom = 0, dLeft = 0;
    double Middle() const { return (dTop + dBottom) / 2; }
};

// The words of the file's pages, in reading order.
std::vector<PdfWord> PdfWords(const fs::path& fs_pdf)
{
    const std::string s_html = CommandOutput("pdftotext -bbox '" + fs_pdf.string() + "' -");
    std::vector<PdfWord> v_words;
    auto number = [&s_html](std::size_t u_from, const std::string& s_name) {
        const std::size_t u = s_html.find(s_name + "=\"", u_from);
        return u == std::string::npos ? 0.0 : std::atof(s_html.c_str() + u + s_name.size() + 2);
    };
    for (std::size_t u = s_html.find("<word "); u != std::string::npos; u = s_html.find("<word ", u + 1)) {
        PdfWord word;
        word.dLeft = number(u, "xMin");
        word.dTop = number(u, "yMin");
        word.dBottom = number(u, "yMax");
        const std::size_t u_text = s_html.find('>', u) + 1;
        word.sText = s_html.substr(u_text, s_html.find("</word>", u_text) - u_text);
        v_words.push_back(word);
    }
    return v_words;
}

const PdfWord* FindWord(const std::vector<PdfWord>& v_words, const std::string& s_text)
{
    for (const PdfWord& word : v_words) {
        if (word.sText == s_text)
            return &word;
    }
    return nullptr;
}

// A rehearsal day of hour slots with one of thirty minutes at 11:00, a
// group in every slot, printed through the toolkit into a PDF file by the
// child below: by day (ROTAVEX_PRINT_BY 0) or the first group (1).
void RunRehearsalPrint(const fs::path& fs_pdf, const char* p_by)
{
    EXPECT_TRUE(ChildPassed(RunTestInChild("TimetablePrintTest.RehearsalChild",
                                           {{"ROTAVEX_PDF_OUT", fs_pdf.string()}, {"ROTAVEX_PRINT_BY", p_by}})));
}

// Printed by day with proportional rows and every timeslot, each row is as
// tall as the time it covers: the half-hour row half an hour's height, the
// hour rows all of one height twice that. Read back from the PDF file: a
// start label stands centred on its row's line.
TEST_F(TimetablePrintTest, ProportionalRowsFollowTheirTimeInThePdfFile)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const fs::path fs_pdf = fsFolder / "rehearsal-day.pdf";
    RunRehearsalPrint(fs_pdf, "0");
    ASSERT_TRUE(fs::exists(fs_pdf)) << "the toolkit printed no file";
    if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
        fs::copy_file(fs_pdf, fs::path(p_dir) / "tt-proportional.pdf", fs::copy_options::overwrite_existing);
    const std::vector<PdfWord> v_words = PdfWords(fs_pdf);
    ASSERT_FALSE(v_words.empty()) << "pdftotext (poppler-utils) is needed";
    const char* a_times[] = {"9:00am", "10:00am", "11:00am", "11:30am", "12:30pm"};
    std::vector<double> v_lines;
    for (const char* p_time : a_times) {
        const PdfWord* p_word = FindWord(v_words, p_time);
        ASSERT_NE(p_word, nullptr) << p_time;
        v_lines.push_back(p_word->Middle());
    }
    const double d_hour = v_lines[1] - v_lines[0];
    const double d_half = v_lines[3] - v_lines[2];
    EXPECT_GT(d_hour, 0);
    EXPECT_NEAR(v_lines[2] - v_lines[1], d_hour, 1.0) << "the hour from 10:00am";
    EXPECT_NEAR(v_lines[4] - v_lines[3], d_hour, 1.0) << "the hour from 11:30am";
    // Half an hour, and the width of a grid line more than half.
    EXPECT_GT(d_half, d_hour * 0.45) << "half an hour " << d_half << " pt, an hour " << d_hour << " pt";
    EXPECT_LT(d_half, d_hour * 0.6) << "half an hour " << d_half << " pt, an hour " << d_hour << " pt";
}

// Printed by group, the heading's group name stands on one line where it
// fits across the page, though it is wider than a fifth of it.
TEST_F(TimetablePrintTest, GroupNameInTheHeadingKeepsToOneLineInThePdfFile)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const fs::path fs_pdf = fsFolder / "rehearsal-group.pdf";
    RunRehearsalPrint(fs_pdf, "1");
    ASSERT_TRUE(fs::exists(fs_pdf)) << "the toolkit printed no file";
    if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
        fs::copy_file(fs_pdf, fs::path(p_dir) / "tt-group-title.pdf", fs::copy_options::overwrite_existing);
    const std::vector<PdfWord> v_words = PdfWords(fs_pdf);
    ASSERT_FALSE(v_words.empty()) << "pdftotext (poppler-utils) is needed";
    // The heading's words come first: the event's name, then the group's.
    const PdfWord* p_strings = FindWord(v_words, "Strings");
    const PdfWord* p_sectional = FindWord(v_words, "Sectional");
    ASSERT_TRUE(p_strings != nullptr && p_sectional != nullptr);
    EXPECT_NEAR(p_strings->dTop, p_sectional->dTop, 0.5) << "the name is broken into two lines";
    EXPECT_GT(p_sectional->dLeft, p_strings->dLeft);
}

// The prints of the two tests above, each in its own process.
TEST_F(TimetablePrintTest, RehearsalChild)
{
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    const char* p_by = std::getenv("ROTAVEX_PRINT_BY");
    if (p_out == nullptr || p_by == nullptr)
        GTEST_SKIP() << "run by the rehearsal prints";
    testevent::EventBuilder event;
    event.Name("Orchestra Weekend")
        .Days({"Saturday"})
        .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-11:30", "11:30-12:30", "12:30-13:30"})
        .Venue("Main Hall")
        .Group("Strings Sectional")
        .Group("Brass")
        .Group("Winds")
        .Group("Percussion")
        .Group("Tutti")
        .Timetable()
        .Place(0, "Main Hall", "09:00", "Strings Sectional")
        .Place(0, "Main Hall", "10:00", "Brass")
        .Place(0, "Main Hall", "11:00", "Winds")
        .Place(0, "Main Hall", "11:30", "Percussion")
        .Place(0, "Main Hall", "12:30", "Tutti");
    event.Doc().GetEventDef().GetDayDef().Set24Hour(FALSE);
    // Other options than the print's, which the user changes in the
    // options dialog: the kind, proportional rows, every timeslot.
    PrintOptions& opts = event.Doc().GetPrintOptions();
    opts.ePrintBy = PrintOptions::eParts;
    opts.eSlotHeight = 1;
    opts.bAllTimeslots = 0;
    opts.eTimeLabels = 0;
    const bool b_byGroup = std::string(p_by) == "1";
    SetTTOptionsRunner([b_byGroup](PrintTTOptionsDlg& dlg) {
        using M = PrintTTOptionsModel;
        dlg.Show();
        Click(dlg, b_byGroup ? M::IDC_BY_GROUP : M::IDC_BY_DAY);
        if (b_byGroup)
            Click(dlg, M::IDC_SELECTED);
        Click(dlg, M::IDC_PROPORTIONAL);
        Click(dlg, M::IDC_ALL_TIMESLOTS);
        EXPECT_TRUE(Checked(dlg, M::IDC_ALL_TIMESLOTS));
        EXPECT_TRUE(Checked(dlg, M::IDC_GRID_LINES)) << "proportional rows have grid lines";
        return wxID_OK;
    });
    AllRows rows(event.Doc());
    PrintDialogAnswer answer(p_out);
    answer.Start(500);
    EXPECT_TRUE(RunTimetablePrint(event.Doc(), &rows, FALSE));
    Pump();
    EXPECT_EQ(event.Doc().GetPrintOptions().eSlotHeight, 0);
}

// A print into a file that cannot be written is told once, in the
// program's words, naming the file and the system's reason; the toolkit's
// own box, without either, is not shown.
TEST_F(TimetablePrintTest, APrintIntoAFileThatCannotBeWrittenSaysWhy)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    // The system's reason for a file in its own folders depends on who
    // asks; it must be there all the same.
    const std::pair<std::string, std::string> a_cases[] = {
        {"/proc/timetable.pdf", ""},
        {(fsFolder / "no such folder" / "timetable.pdf").string(), std::strerror(ENOENT)},
    };
    for (const auto& [s_path, s_reason] : a_cases) {
        EXPECT_TRUE(ChildPassed(RunTestInChild("TimetablePrintTest.UnwritableChild",
                                               {{"ROTAVEX_UNWRITABLE_PDF", s_path}, {"ROTAVEX_UNWRITABLE_WHY", s_reason}})))
            << s_path;
        EXPECT_FALSE(fs::exists(s_path)) << s_path;
    }
}

// The print of the test above, in its own process.
TEST_F(TimetablePrintTest, UnwritableChild)
{
    const char* p_out = std::getenv("ROTAVEX_UNWRITABLE_PDF");
    if (p_out == nullptr)
        GTEST_SKIP() << "run by APrintIntoAFileThatCannotBeWrittenSaysWhy";
    // Whatever the toolkit would have said lands here instead of a box.
    struct ErrorLog : wxLog {
        void DoLogRecord(wxLogLevel e_level, const wxString& s_message, const wxLogRecordInfo&) override
        {
            if (e_level <= wxLOG_Warning)
                vErrors.push_back(s_message.ToStdString());
        }
        std::vector<std::string> vErrors;
    } log;
    wxLog* p_previous = wxLog::SetActiveTarget(&log);
    ScriptedMessageBox boxes;
    SetTTOptionsRunner([](PrintTTOptionsDlg&) { return wxID_OK; });
    Doc().GetPrintOptions().ePrintBy = PrintOptions::eDays;
    AllRows rows(Doc());
    PrintDialogAnswer answer(p_out);
    answer.Start(500);
    EXPECT_FALSE(RunTimetablePrint(Doc(), &rows, FALSE));
    Pump();
    wxLog::SetActiveTarget(p_previous);
    EXPECT_TRUE(answer.bAnswered);
    EXPECT_TRUE(log.vErrors.empty()) << log.vErrors.front();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const std::string s_text = boxes.Boxes()[0].sText;
    const std::string s_first = "Cannot print to the file '" + std::string(p_out) + "'.\n";
    const std::string s_reason = std::getenv("ROTAVEX_UNWRITABLE_WHY") != nullptr ? std::getenv("ROTAVEX_UNWRITABLE_WHY") : "";
    if (!s_reason.empty()) {
        EXPECT_EQ(s_text, s_first + s_reason);
    } else {
        EXPECT_EQ(s_text.rfind(s_first, 0), 0u) << s_text;
        EXPECT_GT(s_text.size(), s_first.size()) << "the system's reason follows";
    }
}

} // namespace

