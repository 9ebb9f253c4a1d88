// A list view on screen under a virtual display: a derived test view over
// 20,000 records in a frame, sorted by a header click, selected with Shift
// and Ctrl clicks, given two dropped names, refilled after a hint, and
// printed to bitmaps (pages 1 and 3); and the column chooser driven by its
// control ids.
//
// With ROTAVEX_SHOW_SECONDS set, the frame stays on screen that long at a few
// points (with and without the focus, empty), and the chooser too; with
// ROTAVEX_SHOT_DIR set, the printed pages are written there as PNG files.
#include "engine/BuildPorts.h"
#include "engine/BuildReports.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "framework/ui/WxIds.h"
#include "res/RotavexStrings.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/ItemListPrintout.h"
#include "shell/lists/ItemListView.h"
#include "shell/lists/SelectColumnsDlg.h"
#include "testsupport/ui/GtkPrintToFile.h"
#include "testsupport/ui/PrintoutPages.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/print.h>
#include <wx/radiobut.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

class ListViewEnvironment : public WxTestEnvironment {
public:
    void SetUp() override
    {
        WxTestEnvironment::SetUp();
        JoinRotavexResources();
        wxInitAllImageHandlers();
    }
};

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new ListViewEnvironment);

constexpr int nRecords = 20000;

struct TestRecord {
    std::string sName;
    std::string sTown;
    std::string sCode;
};

// Venues numbered in a scrambled order, so that a sort by name moves them.
class TestListView : public ItemListView {
public:
    TestListView()
    {
        const char* a_towns[] = {"Avon", "Bath", "Crewe", "Derby", "Ely", "Frome", "Goole"};
        for (int i = 0; i < nRecords; ++i) {
            const int i_number = (i * 7919) % nRecords;
            char a_name[32];
            std::snprintf(a_name, sizeof a_name, "Venue %05d", i_number);
            vRecords.push_back({a_name, a_towns[i % 7], "C" + std::to_string(i)});
        }
        SetColumnDefs({{0, "Name"}, {1, "Town"}, {2, "Code"}});
        BuildColumnTitles();
    }

    std::string GetClassName() const override { return "TestListView"; }
    void FillList() override
    {
        InsertColumn(0, "Name");
        InsertColumn(1, "Town");
        InsertColumn(2, "Code");
        for (std::size_t i = 0; i < vRecords.size(); ++i) {
            const auto l_key = static_cast<LPARAM>(i + 1);
            AddItem(l_key, 0, vRecords[i].sName);
            AddItem(l_key, 1, vRecords[i].sTown);
            AddItem(l_key, 2, vRecords[i].sCode);
        }
    }
    BOOL AddRecordByName(const ZelFullName& name, std::string&, BOOL) override
    {
        vRecords.push_back({name.GetFullName(), "", ""});
        return TRUE;
    }
    void DoAddDialog() override {}
    void DeleteRecord(LPARAM, BOOL) override {}
    int DoChangeDialog(LPARAM, LPARAM&, int, int) override { return 3; }
    int GetRecordCount() override { return static_cast<int>(vRecords.size()); }
    std::string GetPluralTitle() override { return "Venues"; }
    std::string GetSingularTitle() override { return "Venue"; }
    std::string GetSingularNoun() override { return "venue"; }
    std::string GetPluralNoun() override { return "venues"; }
    std::string GetCountNoun() override { return "venue(s)"; }
    BOOL SelectPrintColumns() override
    {
        for (UINT u : {0u, 1u, 2u})
            GetPrintColumnIds().Add(u);
        int b_landscape = 0, b_all = 1;
        ZelArray<UINT> a_chosen;
        return SelectColumnsForPrint(a_chosen, b_landscape, b_all);
    }
    ILVRecord GetRecord(int i_row) override
    {
        const LPARAM l_key = GetList().GetItemData(i_row);
        if (l_key < 1 || l_key > static_cast<LPARAM>(vRecords.size()))
            return nullptr;
        return &vRecords[static_cast<std::size_t>(l_key - 1)];
    }
    std::string GetFieldText(ILVRecord p_record, int i_column) override
    {
        const auto* p = static_cast<const TestRecord*>(p_record);
        return i_column == 0 ? p->sName : i_column == 1 ? p->sTown : p->sCode;
    }

    // Imports take a name and a town once switched on.
    const ZelImportFieldDef* GetImportFields() override { return bImports ? &ImportFields : nullptr; }
    int ImportRecord(int i_record, int, const ZelArray<ZelImport::ColValue>& a_values, ILVImportErrors* p_errors) override
    {
        if (i_record < 0)
            return 0;
        TestRecord record;
        for (int i = 0; i < a_values.GetSize(); ++i)
            (a_values[i].uData == 1 ? record.sName : record.sTown) = a_values[i].Values[0].sText;
        if (record.sName.empty()) {
            p_errors->AddRow("", "A venue must have a name.");
            return 0;
        }
        vRecords.push_back(record);
        ++p_errors->nAdded;
        return 0;
    }

    // A view with no column to print (as a list without columns has).
    int GetPrintColumnCount() override { return bNoPrintColumns ? 0 : ItemListView::GetPrintColumnCount(); }

    std::vector<TestRecord> vRecords;
    bool bNoPrintColumns = false;
    bool bImports = false;
    ZelImportFieldDef ImportFields;
};

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

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void ClickRow(ZelListCtrl& list, int i_row, bool b_shift, bool b_ctrl)
{
    list.EnsureVisible(i_row, FALSE);
    list.UpdateLayout();
    const wxRect rc = list.GetRowRect(i_row);
    wxMouseEvent event(wxEVT_LEFT_DOWN);
    event.SetPosition(wxPoint(rc.x + 5, rc.y + rc.height / 2));
    event.SetShiftDown(b_shift);
    event.SetControlDown(b_ctrl);
    event.SetEventObject(&list);
    list.GetEventHandler()->ProcessEvent(event);
}

std::vector<LPARAM> SelectedKeys(ZelListModel& list)
{
    std::vector<LPARAM> v;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
        v.push_back(list.GetItemData(i));
    return v;
}

// Prints one page of the view's report on a bitmap of a Letter page at 96
// pixels per inch; the number of dark pixels.
int PrintPageToBitmap(ItemListPrintout& printout, int i_page, const char* p_file)
{
    wxBitmap bitmap(816, 1056);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    printout.SetDC(&dc);
    EXPECT_TRUE(printout.OnPrintPage(i_page));
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
        image.SaveFile(wxString(p_dir) + "/" + p_file, wxBITMAP_TYPE_PNG);
    // The page keeps the default margins blank (the paper has no
    // unprintable edge), and its footer comes down to them.
    const int i_band = PrintMargins::kDefault * 96 * 10 / 254;
    int n_dark = 0, n_inBand = 0, n_footer = 0;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (image.GetRed(x, y) >= 128)
                continue;
            ++n_dark;
            const int i_edge = std::min({x, y, image.GetWidth() - 1 - x, image.GetHeight() - 1 - y});
            n_inBand += i_edge < i_band - 1 ? 1 : 0;
            n_footer += y >= image.GetHeight() - i_band - 20 ? 1 : 0;
        }
    }
    EXPECT_EQ(n_inBand, 0) << p_file;
    EXPECT_GT(n_footer, 0) << p_file;
    return n_dark;
}

class ItemListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pFrame = new wxFrame(nullptr, wxID_ANY, "List view", wxDefaultPosition, wxSize(700, 500));
        wxTheApp->SetTopWindow(pFrame);
        pView = new TestListView;
        pView->SetDocument(&Document);
        ASSERT_TRUE(pView->Create(pFrame, wxID_HIGHEST + 1));
        pFrame->Show();
        Settle();
    }
    void TearDown() override
    {
        pView->SetDocument(nullptr);
        delete pView;
        pFrame->Destroy();
        Settle();
    }
    ZelListCtrl& List() { return *pView->GetListCtrl(); }

    ScriptedMessageBox Boxes;
    CEventDocument Document;
    wxFrame* pFrame = nullptr;
    TestListView* pView = nullptr;
};

TEST_F(ItemListViewTest, SortsSelectsTakesDropsRefillsAndPrints)
{
    ASSERT_EQ(List().GetItemCount(), nRecords);

    // A click on the Name header sorts by the names' texts.
    ZelNMListView nm;
    nm.iSubItem = 0;
    ZelSendNotify(&List(), LVN_COLUMNCLICK, &nm);
    EXPECT_EQ(List().GetItemText(0, 0), "Venue 00000");
    EXPECT_EQ(List().GetItemText(nRecords - 1, 0), "Venue 19999");
    EXPECT_TRUE(Document.IsModified());
    Settle();

    // Shift and Ctrl clicks.
    List().SetFocus();
    ClickRow(List(), 2, false, false);
    ClickRow(List(), 5, true, false);
    ClickRow(List(), 3, false, true);
    std::vector<LPARAM> v_keys;
    for (int i : {2, 4, 5})
        v_keys.push_back(List().GetItemData(i));
    EXPECT_EQ(SelectedKeys(List()), v_keys);
    Settle();
    ShowAWhile("selection with the focus");

    // Two dropped names become two records; a drop is always a copy.
    EXPECT_EQ(ItemListView::DropEffect(wxDragMove), wxDragCopy);
    EXPECT_TRUE(pView->OnDropText(wxString::FromUTF8("Ann Lee\r\n\r\nZo\xC3\xAB Roe\n")));
    ASSERT_EQ(pView->GetRecordCount(), nRecords + 2);
    EXPECT_EQ(pView->vRecords.back().sName, "Zo\xEB Roe"); // code page 1252

    // A hint the view does not handle refills; the selection stays by key.
    CViewHint hint(UpdateViewHint{UpdateViewHint::e_venues, -1, 0});
    Document.UpdateAllViews(nullptr, &hint);
    EXPECT_EQ(List().GetItemCount(), nRecords + 2);
    EXPECT_EQ(List().GetItemText(nRecords + 1, 0), "Zo\xEB Roe");
    std::vector<LPARAM> v_after = SelectedKeys(List());
    std::sort(v_after.begin(), v_after.end());
    std::sort(v_keys.begin(), v_keys.end());
    EXPECT_EQ(v_after, v_keys);

    // Without the focus the selection turns grey.
    wxFocusEvent kill(wxEVT_KILL_FOCUS, List().GetId());
    kill.SetEventObject(&List());
    List().GetEventHandler()->ProcessEvent(kill);
    Settle();
    wxColour col_back, col_text;
    pView->GetRowColours(List().GetNextItem(-1, LVNI_SELECTED), col_back, col_text);
    EXPECT_EQ(col_back, wxColour(200, 200, 200));
    ShowAWhile("selection without the focus");

    // The report: page 1 and page 3, page 3 first as a preview may ask.
    Document.GetEvent().SetEventName("Summer Festival");
    Document.GetEvent().SetPathName("/home/ann/events/a folder with a rather long name/and another one/summer.eve");
    ItemListPrintout printout(*pView, true);
    wxBitmap bitmap(816, 1056);
    wxMemoryDC dc(bitmap);
    PrepareLetterPrintout(printout, dc);
    dc.SelectObject(wxNullBitmap);
    ASSERT_GE(printout.GetPageCount(), 3);
    EXPECT_GT(PrintPageToBitmap(printout, 3, "list-page-3.png"), 1000);
    ItemListReport* p_report = printout.GetReport();
    ASSERT_NE(p_report, nullptr);
    const int i_rowAfter3 = p_report->iCurRow;
    EXPECT_GT(PrintPageToBitmap(printout, 1, "list-page-1.png"), 1000);
    EXPECT_GT(i_rowAfter3, p_report->iCurRow);
    EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_F(ItemListViewTest, AnEmptyListDrawsItsFocusFrame)
{
    pView->vRecords.clear();
    pView->Refill();
    List().SetFocus();
    Settle();
    EXPECT_TRUE(List().IsFocusDrawn());
    ShowAWhile("empty list with the focus");
}

TEST_F(ItemListViewTest, ALongSortBringsItsNoticeUnlessTheUserSwitchedItOff)
{
    ScriptedBuildDialogs dialogs;
    pView->OnLongSort(6);
    EXPECT_EQ(dialogs.vSortTooLong.size(), 1u);
    Preferences prefs = Document.GetEvent().GetPreferences();
    prefs.SetSuppressedMessages(prefs.GetSuppressedMessages() | ItemListCore::uSuppressSortNotice);
    Document.GetEvent().SetPreferences(prefs, FALSE);
    pView->OnLongSort(6);
    EXPECT_EQ(dialogs.vSortTooLong.size(), 1u);
}

TEST_F(ItemListViewTest, ThePreviewOpensOnTheColumnsChosen)
{
    ScriptedSelectColumns chooser;
    chooser.fAnswer = [](SelectColumnsData& data) {
        data.Selected.RemoveAll();
        data.Selected.Add("Code");
        data.Selected.Add("Name");
        return IDOK;
    };
    ASSERT_TRUE(pView->PrintList(TRUE));
    ASSERT_EQ(chooser.vShown.size(), 1u);
    EXPECT_EQ(pView->GetPrintColumnCount(), 2);
    EXPECT_EQ(pView->GetPrintColumnTitle(0), "Code");
    wxPreviewFrame* p_preview = nullptr;
    for (wxWindow* p : wxTopLevelWindows)
        if (auto* p_frame = dynamic_cast<wxPreviewFrame*>(p))
            p_preview = p_frame;
    ASSERT_NE(p_preview, nullptr);
    Settle();
    ShowAWhile("preview");
    p_preview->Destroy();
    Settle();

    // Cancelling the chooser prints nothing.
    chooser.fAnswer = nullptr;
    EXPECT_FALSE(pView->PrintList(TRUE));
}

TEST_F(ItemListViewTest, AReportTooWideIsRefusedWithoutAPreview)
{
    const std::string s_wide(150, 'W');
    pView->SetColumnDefs({{0, s_wide + "1"}, {1, s_wide + "2"}, {2, s_wide + "3"}});
    pView->BuildColumnTitles();
    ScriptedSelectColumns chooser;
    chooser.fAnswer = [](SelectColumnsData& data) {
        for (int i = 0; i < data.Available.GetSize(); ++i)
            data.Selected.Add(data.Available[i]);
        return IDOK;
    };
    EXPECT_FALSE(pView->PrintList(TRUE));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_NE(Boxes.Boxes()[0].sText.find("Your print request is too wide."), std::string::npos);
    Settle();
    for (wxWindow* p : wxTopLevelWindows)
        EXPECT_EQ(dynamic_cast<wxPreviewFrame*>(p), nullptr);
}

TEST_F(ItemListViewTest, AReportWithoutRowsIsToldAndOpensNothing)
{
    ScriptedSelectColumns chooser;
    chooser.fAnswer = [](SelectColumnsData& data) {
        data.Selected.RemoveAll();
        data.Selected.Add("Name");
        return IDOK;
    };
    pView->vRecords.clear();
    pView->Refill();
    // The preview and the print alike: neither the preview window nor the
    // printer's dialog, which would wait for the user.
    for (const BOOL b_preview : {TRUE, FALSE}) {
        Boxes.Clear();
        EXPECT_FALSE(pView->PrintList(b_preview));
        ASSERT_EQ(Boxes.Boxes().size(), 1u) << b_preview;
        EXPECT_EQ(Boxes.Boxes()[0].sText, "There is nothing to print.");
        Settle();
        for (wxWindow* p : wxTopLevelWindows)
            EXPECT_EQ(dynamic_cast<wxPreviewFrame*>(p), nullptr);
    }
}

TEST_F(ItemListViewTest, AWrappedReportSeparatesItsRows)
{
    for (std::size_t i = 0; i < 40; ++i)
        pView->vRecords[i].sCode = "A long note about this venue that wraps onto more than one line of the report: "
                                   "the doors open at nine, the keys are with the caretaker, and parking is behind "
                                   "the hall (ask at the desk) " + std::to_string(i);
    pView->Refill();
    ItemListPrintout printout(*pView, false);
    wxBitmap bitmap(816, 1056);
    wxMemoryDC dc(bitmap);
    PrepareLetterPrintout(printout, dc);
    dc.SelectObject(wxNullBitmap);
    ASSERT_GE(printout.GetPageCount(), 1);
    ASSERT_NE(printout.GetReport(), nullptr);
    EXPECT_EQ(printout.GetReport()->iSeparator, 3);
    EXPECT_LE(printout.GetReport()->Columns.GetRight(), 816);
    EXPECT_GT(PrintPageToBitmap(printout, 1, "list-wrapped.png"), 1000);
}

// A real print through the toolkit's dialog into a PDF file, in a process
// of its own (a wx assertion aborts it): a report that fits is printed; one
// that cannot be fitted (too wide, or no columns chosen) gets its message
// and nothing else: no assertion, no further message, no file.
TEST_F(ItemListViewTest, PrintsThroughTheToolkitOrEndsTheJobWithItsMessage)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const std::filesystem::path fs_folder
        = std::filesystem::temp_directory_path() / ("rvx-listprint-" + std::to_string(getpid()));
    std::filesystem::remove_all(fs_folder);
    std::filesystem::create_directories(fs_folder);
    for (const char* p_case : {"fits", "wide", "none"}) {
        const std::filesystem::path fs_pdf = fs_folder / (std::string(p_case) + ".pdf");
        const std::filesystem::path fs_done = fs_folder / (std::string(p_case) + ".done");
        const int i_status = RunTestInChild("ItemListViewTest.PrintChild", {{"ROTAVEX_LIST_PRINT", p_case},
                                                                            {"ROTAVEX_PDF_OUT", fs_pdf.string()},
                                                                            {"ROTAVEX_PRINT_DONE", fs_done.string()}});
        EXPECT_TRUE(ChildPassed(i_status)) << p_case << ": status " << i_status;
        EXPECT_TRUE(std::filesystem::exists(fs_done)) << p_case << ": the print did not run to its end";
        if (std::string(p_case) == "fits")
            EXPECT_TRUE(std::filesystem::exists(fs_pdf) && std::filesystem::file_size(fs_pdf) > 1000) << p_case;
        else
            EXPECT_FALSE(std::filesystem::exists(fs_pdf)) << p_case << ": an ended job left a file";
    }
    std::filesystem::remove_all(fs_folder);
}

// One print of the test above, in its own process.
TEST_F(ItemListViewTest, PrintChild)
{
    const char* p_case = std::getenv("ROTAVEX_LIST_PRINT");
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    const char* p_done = std::getenv("ROTAVEX_PRINT_DONE");
    if (p_case == nullptr || p_out == nullptr || p_done == nullptr)
        GTEST_SKIP() << "run by PrintsThroughTheToolkitOrEndsTheJobWithItsMessage";
    const std::string s_case = p_case;
    pView->vRecords.resize(30);
    if (s_case == "wide") {
        const std::string s_wide(150, 'W');
        pView->SetColumnDefs({{0, s_wide + "1"}, {1, s_wide + "2"}, {2, s_wide + "3"}});
        pView->BuildColumnTitles();
    }
    pView->bNoPrintColumns = s_case == "none";
    pView->Refill();
    ScriptedSelectColumns chooser;
    chooser.fAnswer = [](SelectColumnsData& data) {
        for (int i = 0; i < data.Available.GetSize(); ++i)
            data.Selected.Add(data.Available[i]);
        return IDOK;
    };
    PrintDialogAnswer answer(p_out);
    answer.Start(500);
    const BOOL b_printed = pView->PrintList(FALSE);
    Settle();
    EXPECT_TRUE(answer.bAnswered);
    if (s_case == "fits") {
        EXPECT_TRUE(b_printed) << "error " << wxPrinter::GetLastError();
        EXPECT_TRUE(Boxes.Boxes().empty());
    } else {
        EXPECT_FALSE(b_printed);
        EXPECT_EQ(wxPrinter::GetLastError(), wxPRINTER_CANCELLED);
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        const char* p_message = s_case == "wide" ? "Your print request is too wide." : "Your print request is not yet";
        EXPECT_NE(Boxes.Boxes()[0].sText.find(p_message), std::string::npos) << Boxes.Boxes()[0].sText;
    }
    std::FILE* p_file = std::fopen(p_done, "w");
    ASSERT_NE(p_file, nullptr);
    std::fclose(p_file);
}

// The import wizard as the test runs it: the first column is the name, the
// second the town.
class ScriptedWizard : public IZelImportWizardPort {
public:
    ScriptedWizard() { pPrevious = ZelSetImportWizardPort(this); }
    ~ScriptedWizard() override { ZelSetImportWizardPort(pPrevious); }
    int Run(ZelImportWizardCore& wizard, const std::string&, const std::string& s_heading) override
    {
        ++nRuns;
        sHeading = s_heading;
        wizard.PrepareColumns();
        wizard.ChooseField(0, "Name");
        wizard.ChooseField(1, "Town");
        return 12325;
    }
    int nRuns = 0;
    std::string sHeading;

private:
    IZelImportWizardPort* pPrevious;
};

class ShownErrors : public IILVImportErrorsPort {
public:
    ShownErrors() { pPrevious = SetILVImportErrorsPort(this); }
    ~ShownErrors() override { SetILVImportErrorsPort(pPrevious); }
    void Show(const ILVImportErrors& errors, const std::string& s_heading) override
    {
        vHeadings.push_back(s_heading);
        nRows = errors.GetRowCount();
    }
    std::vector<std::string> vHeadings;
    int nRows = 0;

private:
    IILVImportErrorsPort* pPrevious;
};

TEST_F(ItemListViewTest, TheFramesImportsReachTheViewsRecordsAndItsMappingsWhenItHasImportFields)
{
    ScriptedWizard wizard;
    ShownErrors shown;
    IFramePane& pane = *pView;
    const std::size_t n_before = pView->vRecords.size();

    // A view without import fields takes no import.
    EXPECT_FALSE(pane.AcceptsImports());
    pane.ImportFromText("Phttp://example.org/venues.csv", "Hall,Avon\n");
    EXPECT_EQ(wizard.nRuns, 0);
    EXPECT_EQ(pView->vRecords.size(), n_before);

    pView->ImportFields.Add("Name", ZelImportFieldDef::COLTYPE_STRING, 1, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    pView->ImportFields.Add("Town", ZelImportFieldDef::COLTYPE_STRING, 2, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    pView->bImports = true;
    EXPECT_TRUE(pane.AcceptsImports());
    pane.ImportFromText("Phttp://example.org/venues.csv", "Hall,Avon\nBarn,Bath\n,Crewe\n");
    EXPECT_EQ(wizard.nRuns, 1);
    EXPECT_EQ(wizard.sHeading, "Venue Field");
    ASSERT_EQ(pView->vRecords.size(), n_before + 2);
    EXPECT_EQ(pView->vRecords[n_before].sName, "Hall");
    EXPECT_EQ(pView->vRecords[n_before + 1].sTown, "Bath");
    // The nameless record is listed, and the mapping is kept for the source.
    ASSERT_EQ(shown.vHeadings.size(), 1u);
    EXPECT_EQ(shown.nRows, 1);
    ASSERT_EQ(pView->GetMappings().GetSize(), 1);
    EXPECT_EQ(pView->GetMappings()[0].sName, "Phttp://example.org/venues.csv");
    EXPECT_TRUE(Document.GetEvent().IsModified());
}

TEST(SelectColumnsDlg, ColumnsMoveByTheButtonsAndOKGivesThemBack)
{
    ScriptedMessageBox boxes;
    SelectColumnsData data;
    for (const char* p : {"Address", "Email", "Name", "Phone"})
        data.Available.Add(p);
    data.bRowsSelected = 0;
    data.sItems = "venues";
    SelectColumnsDlg dlg(nullptr, data);
    using M = SelectColumnsModel;
    auto* p_ok = wxDynamicCast(dlg.FindWindow(wxID_OK), wxButton);
    ASSERT_NE(p_ok, nullptr);
    EXPECT_FALSE(p_ok->IsEnabled());
    EXPECT_FALSE(wxDynamicCast(dlg.FindWindow(WxId(M::IDC_ROWS_SELECTED)), wxRadioButton)->IsEnabled());
    EXPECT_TRUE(wxDynamicCast(dlg.FindWindow(WxId(M::IDC_ROWS_ALL)), wxRadioButton)->GetValue());

    wxTheApp->CallAfter([&dlg] {
        auto* p_available = dynamic_cast<ZelListCtrl*>(dlg.FindWindow(WxId(M::IDC_AVAILABLE)));
        ASSERT_NE(p_available, nullptr);
        p_available->SelectItem(3);
        p_available->SelectItem(1);
        dlg.UpdateButtons();
        const auto press = [&dlg](int i_id) {
            wxWindow* p_button = dlg.FindWindow(i_id);
            ASSERT_NE(p_button, nullptr);
            wxCommandEvent click(wxEVT_BUTTON, i_id);
            click.SetEventObject(p_button);
            p_button->GetEventHandler()->ProcessEvent(click);
        };
        press(WxId(M::IDC_MOVE_RIGHT));
        wxDynamicCast(dlg.FindWindow(WxId(M::IDC_LANDSCAPE)), wxRadioButton)->SetValue(true);
        ShowAWhile("column chooser");
        press(wxID_OK);
    });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    ASSERT_EQ(data.Selected.GetSize(), 2);
    EXPECT_EQ(data.Selected[0], "Email");
    EXPECT_EQ(data.Selected[1], "Phone");
    EXPECT_EQ(data.bLandscape, 1);
    EXPECT_EQ(data.bPrintAll, 1);
}

} // namespace
