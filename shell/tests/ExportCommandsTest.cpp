// The export commands through their ports: the save dialogs' options, what
// the event keeps, the group information choice, the files and messages.
#include "shell/lists/ExportCommands.h"

#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "output/TextExport.h"
#include "shell/lists/GroupFieldTexts.h"
#include "testsupport/EnvScope.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/EveryField.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace ExportCommands;

// A frame with or without a group view, or with the views named.
class FakePanes : public IPaneFinder {
public:
    explicit FakePanes(bool b_groups) : vViews(b_groups ? std::vector<std::string>{kGroupView} : std::vector<std::string>{}) {}
    explicit FakePanes(std::vector<std::string> v_views) : vViews(std::move(v_views)) {}
    IFramePane* FindPane(const std::string& s_className, BOOL b_activate) override
    {
        vFound.push_back({s_className, b_activate});
        return std::find(vViews.begin(), vViews.end(), s_className) != vViews.end() ? &Pane : nullptr;
    }
    std::vector<std::pair<std::string, BOOL>> vFound;

private:
    std::vector<std::string> vViews;
    IFramePane Pane;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream os;
    os << in.rdbuf();
    return os.str();
}

class ExportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dir = fs::temp_directory_path() / ("rvx_export_" + std::to_string(getpid()));
        fs::create_directories(Dir);
        Event.Name("Fest").Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Group("Choir").Timetable();
        Event.Doc().SetModifiedFlag(false);
    }
    void TearDown() override { fs::remove_all(Dir); }

    fs::path Dir;
    testevent::EventBuilder Event;
    ScriptedFileDialogs Files;
    ScriptedMessageBox Boxes;
    ScriptedHtmlColumns Columns;
};

std::string Title(int i_id) { return GroupFieldTexts::GetFieldTitle(i_id); }

TEST(HtmlColumns, OfferedAndSelectedTitles)
{
    const std::vector<ItemListCore::ColumnDef> v_defs = GroupColumnDefs();
    ZelArray<UINT> a_ids;
    a_ids.Add(gfEmail);
    a_ids.Add(99); // a column that is gone
    a_ids.Add(gfContact);
    std::vector<std::string> v_available;
    std::vector<std::string> v_selected;
    MakeHtmlColumnLists(v_defs, a_ids, v_available, v_selected);
    EXPECT_EQ(v_selected, (std::vector<std::string>{Title(gfEmail), Title(gfContact)}));
    for (const int i_never : {0, 14, 15, 16, 17, 18, 21, int(gfEmail), int(gfContact)})
        EXPECT_EQ(std::count(v_available.begin(), v_available.end(), Title(i_never)), 0) << i_never;
    EXPECT_EQ(v_available.size(), 26u - 7u - 2u);
    EXPECT_TRUE(std::is_sorted(v_available.begin(), v_available.end()));

    const ZelArray<UINT> a_back = IdsFromTitles(v_defs, v_selected);
    ASSERT_EQ(a_back.GetSize(), 2);
    EXPECT_EQ(a_back[0], static_cast<UINT>(gfEmail));
    EXPECT_EQ(a_back[1], static_cast<UINT>(gfContact));
}

TEST(HtmlColumns, MovesAppendInTheOrderMoved)
{
    std::vector<std::string> v_from{"a", "b", "c", "d"};
    std::vector<std::string> v_to{"x"};
    EXPECT_EQ(MoveRows(v_from, {1, 3}, v_to), (std::vector<int>{1, 2}));
    EXPECT_EQ(v_from, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(v_to, (std::vector<std::string>{"x", "b", "d"}));
    MoveRows(v_to, {0}, v_from);
    EXPECT_EQ(v_from, (std::vector<std::string>{"a", "c", "x"}));
}

TEST(HtmlColumns, ChoiceNeedsTheGroupViewAndKeepsIdsOnCancel)
{
    ScriptedHtmlColumns columns;
    ZelArray<UINT> a_ids;
    a_ids.Add(gfEmail);
    FakePanes no_groups(false);
    EXPECT_FALSE(SelectHtmlColumns(&no_groups, a_ids));
    EXPECT_TRUE(columns.Requests().empty());

    FakePanes panes(true);
    EXPECT_FALSE(SelectHtmlColumns(&panes, a_ids)); // cancelled
    EXPECT_EQ(a_ids.GetSize(), 1);
    EXPECT_EQ(panes.vFound.back(), (std::pair<std::string, BOOL>{kGroupView, TRUE}));

    // OK with an empty selection is a choice of nothing.
    columns.AnswerWith([](std::vector<std::string>& v_available, std::vector<std::string>& v_selected) {
        MoveRows(v_selected, {0}, v_available);
        return TRUE;
    });
    EXPECT_TRUE(SelectHtmlColumns(&panes, a_ids));
    EXPECT_EQ(a_ids.GetSize(), 0);
}

TEST(HtmlDialog, MemberNamesShowTheirSubOptionsAtOnce)
{
    HtmlExportOptions options;
    options.iMemberLayout = 1;
    const std::string s_folder = fs::temp_directory_path().string();
    FileDialogRequest request = MakeHtmlRequest(options, s_folder + "/page");
    EXPECT_EQ(request.sFolder, s_folder);
    EXPECT_EQ(request.sFileName, "page");
    for (const int i_id : {IDC_HTML_WRAPPING, IDC_HTML_ONE_PER_LINE, IDC_HTML_ROLE})
        EXPECT_FALSE(request.FindOption(i_id)->bVisible) << i_id;
    request.Click(IDC_HTML_ROLE); // hidden: nothing happens
    EXPECT_FALSE(request.FindOption(IDC_HTML_ROLE)->bValue);

    request.Click(IDC_HTML_MEMBER_NAMES);
    for (const int i_id : {IDC_HTML_WRAPPING, IDC_HTML_ONE_PER_LINE, IDC_HTML_ROLE})
        EXPECT_TRUE(request.FindOption(i_id)->bVisible && request.FindOption(i_id)->bEnabled) << i_id;
    EXPECT_TRUE(request.FindOption(IDC_HTML_ONE_PER_LINE)->bValue);
    request.Click(IDC_HTML_WRAPPING);
    request.Click(IDC_HTML_ROLE);
    request.Click(HtmlExportOptions::IDC_BY_PARTICIPANT);
    const HtmlExportOptions read = ReadHtmlRequest(request);
    EXPECT_EQ(read.iKindId, HtmlExportOptions::IDC_BY_PARTICIPANT);
    EXPECT_TRUE(read.bMemberNames);
    EXPECT_EQ(read.iMemberLayout, 0);
    EXPECT_TRUE(read.bRole);
}

// Both exports open where the event's own last export went when that is a
// folder here; else the last part of the stored name (after a slash or
// backslash, without a drive, as a file made on another system keeps it)
// opens beside the event file, or in the documents folder for an event
// never saved. A first export is offered under the event's name.
TEST(ExportDialogs, OfferTheEventsOwnNameBesideItsFile)
{
    const std::string s_documents = fs::temp_directory_path().string();
    const EnvScope documents("XDG_DOCUMENTS_DIR", s_documents);
    const fs::path fs_web = fs::temp_directory_path() / ("rvx_export_web_" + std::to_string(getpid()));
    fs::create_directories(fs_web);
    const std::string s_web = fs_web.string();
    const std::string s_eventPath = "/srv/events/camp.eve";
    struct Case {
        std::string sStored;
        std::string sEventName;
        std::string sEventPath;
        std::string sFolder;
        std::string sHtmlName;
        std::string sTextName;
    } a_cases[] = {
        {"", "Summer camp", "", s_documents, "Summer camp.htm", "Summer camp.txt"},
        {"page.htm", "Summer camp", "", s_documents, "page.htm", "page.htm"},
        {s_web + "/page", "Summer camp", s_eventPath, s_web, "page", "page"},
        {"C:\\events\\spring.htm", "Summer camp", s_eventPath, "/srv/events", "spring.htm", "spring.htm"},
        {"C:\\events\\spring", "Summer camp", "", s_documents, "spring", "spring"},
        {"D:spring", "Summer camp", s_eventPath, "/srv/events", "spring", "spring"},
        {"\\\\server\\share\\out/web\\page", "Summer camp", s_eventPath, "/srv/events", "page", "page"},
        // A folder of another system, or one gone since.
        {"/no/such/folder/page", "Summer camp", s_eventPath, "/srv/events", "page", "page"},
        {"C:\\events\\", "Summer camp", s_eventPath, "/srv/events", "Summer camp.htm", "Summer camp.txt"},
        // Without an event name: the file's name.
        {"", "", s_eventPath, "/srv/events", "camp.htm", "camp.txt"},
    };
    for (const Case& c : a_cases) {
        const FileDialogRequest html = MakeHtmlRequest(HtmlExportOptions(), c.sStored, c.sEventName, c.sEventPath);
        EXPECT_EQ(html.sFolder, c.sFolder) << c.sStored;
        EXPECT_EQ(html.sFileName, c.sHtmlName) << c.sStored;
        const FileDialogRequest text =
            MakeTextRequest(std::make_shared<TextChoice>(), c.sStored, c.sEventName, c.sEventPath);
        EXPECT_EQ(text.sFolder, c.sFolder) << c.sStored;
        EXPECT_EQ(text.sFileName, c.sTextName) << c.sStored;
    }
    fs::remove_all(fs_web);
}

TEST(TextDialog, OnlyTheTimetableTakesTimesAndTheFlagIsKept)
{
    auto p_choice = std::make_shared<TextChoice>();
    p_choice->iKindId = 1234; // unknown: venues
    p_choice->bTimes = TRUE;
    FileDialogRequest request = MakeTextRequest(p_choice, "");
    EXPECT_TRUE(request.FindOption(TextExport::IDC_VENUES)->bValue);
    FileDialogOption* p_times = request.FindOption(TextExport::IDC_INCLUDE_TIMES);
    EXPECT_FALSE(p_times->bEnabled);
    EXPECT_FALSE(p_times->bValue);

    request.Click(TextExport::IDC_TIMETABLE);
    EXPECT_TRUE(p_times->bEnabled);
    EXPECT_TRUE(p_times->bValue);
    request.Click(TextExport::IDC_INCLUDE_TIMES);
    EXPECT_FALSE(p_choice->bTimes);
    request.Click(TextExport::IDC_INCLUDE_TIMES);
    request.Click(TextExport::IDC_GROUPS);
    EXPECT_FALSE(p_times->bValue);
    EXPECT_TRUE(p_choice->bTimes);
    EXPECT_EQ(p_choice->iKindId, TextExport::IDC_GROUPS);
}

TEST_F(ExportCommandsTest, CancelledDialogStoresAndWritesNothing)
{
    EventDoc& doc = Event.Doc();
    Files.AnswerWith([](FileDialogRequest& request) {
        request.Click(IDC_HTML_MEMBER_NAMES);
        return FALSE;
    });
    ExportHtml(doc, nullptr, CHighTime(2026, 1, 1, 0, 0, 0));
    Files.AnswerCancel();
    ExportText(doc, nullptr);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(HtmlExportOptions::FromDoc(doc).bMemberNames);
    EXPECT_TRUE(Boxes.Boxes().empty());
    EXPECT_TRUE(fs::is_empty(Dir));
}

TEST_F(ExportCommandsTest, HtmlExportStoresOptionsAndWritesThePage)
{
    EventDoc& doc = Event.Doc();
    const std::string s_path = (Dir / "fest.html").string();
    Files.AnswerWith([&](FileDialogRequest& request) {
        EXPECT_EQ(request.sTitle, "Export as HTML");
        request.Click(IDC_HTML_GROUP_LISTING); // on in a new event: now off
        request.sPath = s_path;
        return TRUE;
    });
    ExportHtml(doc, nullptr, CHighTime(2026, 1, 1, 0, 0, 0));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(HtmlExportOptions::FromDoc(doc).bGroupListing);
    EXPECT_EQ(doc.GetMiscOptions().GetExportFileName(), (Dir / "fest").string());
    const std::string s_page = ReadFile(s_path);
    EXPECT_EQ(s_page.rfind("<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n", 0), 0u);
    EXPECT_EQ(s_page.find("\r\r"), std::string::npos);
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Your timetable was exported to '" + s_path + "'.");
}

TEST_F(ExportCommandsTest, CancelledItemDialogKeepsOptionsAndWritesNoFile)
{
    EventDoc& doc = Event.Doc();
    FakePanes panes(true);
    const fs::path path = Dir / "fest.htm";
    std::ofstream(path) << "older";
    Files.AnswerWith([&](FileDialogRequest& request) {
        request.Click(IDC_HTML_COMBINE);
        request.sPath = path.string();
        return TRUE;
    });
    ExportHtml(doc, &panes, CHighTime(2026, 1, 1, 0, 0, 0));
    EXPECT_EQ(Columns.Requests().size(), 1u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(HtmlExportOptions::FromDoc(doc).bCombine);
    EXPECT_EQ(ReadFile(path), "older");
    EXPECT_TRUE(Boxes.Boxes().empty());

    // Confirmed: the choice is stored in its order.
    doc.SetModifiedFlag(false);
    Files.AnswerPath(path.string());
    Columns.AnswerWith([](std::vector<std::string>& v_available, std::vector<std::string>& v_selected) {
        const auto it = std::find(v_available.begin(), v_available.end(), Title(gfEmail));
        MoveRows(v_available, {static_cast<int>(it - v_available.begin())}, v_selected);
        return TRUE;
    });
    ExportHtml(doc, &panes, CHighTime(2026, 1, 1, 0, 0, 0));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.GetMiscOptions().GetHtmlItems().GetSize(), 1);
    EXPECT_EQ(doc.GetMiscOptions().GetHtmlItems()[0], static_cast<UINT>(gfEmail));
    EXPECT_NE(ReadFile(path).find("<h2><a name=\"Groups\">"), std::string::npos);
}

TEST_F(ExportCommandsTest, WriteFailuresAreReportedAndNotCalledSuccess)
{
    EventDoc& doc = Event.Doc();
    doc.GetMiscOptions().SetSecondOption(0); // no group listing to choose
    struct Case {
        std::string sPath;
        std::string sMessage;
    };
    const Case a_cases[] = {
        {(Dir / "missing" / "x.txt").string(), "Cannot create file '" + (Dir / "missing" / "x.txt").string() + "'."},
        {"/dev/full", "Error while writing to file '/dev/full'."},
    };
    for (const Case& c : a_cases) {
        for (const bool b_html : {true, false}) {
            Boxes.Clear();
            Files.AnswerPath(c.sPath);
            if (b_html)
                ExportHtml(doc, nullptr, CHighTime(2026, 1, 1, 0, 0, 0));
            else
                ExportText(doc, nullptr);
            ASSERT_EQ(Boxes.Boxes().size(), 1u) << c.sPath;
            EXPECT_EQ(Boxes.Boxes()[0].sText, c.sMessage);
            EXPECT_NE(Boxes.Boxes()[0].uStyle & MB_ICONEXCLAMATION, 0u);
        }
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(ExportCommandsTest, TextExportCountsWhatItWrote)
{
    EventDoc empty;
    const fs::path path = Dir / "tt.csv";
    Files.AnswerWith([&](FileDialogRequest& request) {
        request.Click(TextExport::IDC_TIMETABLE);
        request.sPath = path.string();
        return TRUE;
    });
    ExportText(empty, nullptr);
    EXPECT_EQ(empty.GetMiscOptions().GetTextExportKindId(), TextExport::IDC_TIMETABLE);
    EXPECT_EQ(ReadFile(path), "\xEF\xBB\xBF");
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "0 items were exported to '" + path.string() + "'.");

    Boxes.Clear();
    Files.AnswerWith([&](FileDialogRequest& request) {
        request.Click(TextExport::IDC_GROUPS);
        request.sPath = path.string();
        return TRUE;
    });
    ExportText(Event.Doc(), nullptr);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "1 items were exported to '" + path.string() + "'.");
    EXPECT_EQ(ReadFile(path).rfind("\xEF\xBB\xBFGroup,Contact,", 0), 0u);
}

// The schedule cells come from the open view of the kind exported: the
// venue's cell lists the group placed in it.
TEST_F(ExportCommandsTest, TextExportFillsTheScheduleCellsOfAnOpenView)
{
    Event.Place(0, "Hall", "09:00", "Choir", false);
    const fs::path path = Dir / "venues.csv";
    for (const bool b_view : {false, true}) {
        Files.AnswerWith([&](FileDialogRequest& request) {
            request.Click(TextExport::IDC_VENUES);
            request.sPath = path.string();
            return TRUE;
        });
        FakePanes panes(b_view ? std::vector<std::string>{kVenueView} : std::vector<std::string>{});
        ExportText(Event.Doc(), &panes);
        const std::string s_file = ReadFile(path);
        EXPECT_EQ(s_file.find("Choir") != std::string::npos, b_view) << s_file;
    }
}

// A group locked into one of its two placements, carrying every stored
// field: the HTML listing's and the text file's locked timeslots name the
// locked placement only, their schedules both.
TEST_F(ExportCommandsTest, LockedTimeslotsNameOnlyTheLockedPlacement)
{
    testevent::EventBuilder event;
    event.Name("Fest")
        .Days({"Mon"})
        .Slots(-1, {"09:00-10:00", "10:00-11:00"})
        .Style("Folk")
        .Style("Jazz")
        .Facility("Piano")
        .Facility("Stage")
        .Venue("Hall")
        .Participant("Ann Lee")
        .Group("Choir")
        .Member("Choir", "Ann Lee", "alto")
        .Timetable()
        .Place(0, "Hall", "09:00", "Choir")
        .Place(0, "Hall", "10:00", "Choir", true);
    EventDoc& doc = event.Doc();
    testevent::GiveEveryField(event.GetGroup("Choir"), testevent::KeysInReverseNameOrder(doc.GetStyles()),
                              testevent::KeysInReverseNameOrder(doc.GetFacilities()));
    ZelArray<UINT> a_items;
    a_items.Add(gfLockedTimeslots);
    a_items.Add(gfScheduleDayVenueSlot);
    doc.GetMiscOptions().SetHtmlItems(a_items);
    FakePanes panes(std::vector<std::string>{kGroupView});

    const fs::path page = Dir / "fest.htm";
    Files.AnswerPath(page.string());
    Columns.AnswerWith([](std::vector<std::string>&, std::vector<std::string>&) { return TRUE; });
    ExportHtml(doc, &panes, CHighTime(2026, 1, 1, 0, 0, 0));
    const std::string s_page = ReadFile(page);
    EXPECT_NE(s_page.find("<td><h4>(Mon 10:00am (Hall))</h4></td>"
                          "<td><h4>(Mon - Hall - 09:00am to 10:00am,<br />Mon - Hall - 10:00am to 11:00am)</h4></td>"),
              std::string::npos)
        << s_page;

    const fs::path text = Dir / "fest.csv";
    Files.AnswerWith([&](FileDialogRequest& request) {
        request.Click(TextExport::IDC_GROUPS);
        request.sPath = text.string();
        return TRUE;
    });
    ExportText(doc, &panes);
    const std::string s_text = ReadFile(text);
    EXPECT_NE(s_text.find(",\"Hall - Mon 09:00am to 10:00am,Hall - Mon 10:00am to 11:00am\","
                          "\"Mon 10:00am...11:00am (Hall)\",\"Bring the music stands. Ask for the key.\",\r\n"),
              std::string::npos)
        << s_text;
}

TEST_F(ExportCommandsTest, ParticipantSchedulesComeFromTheOpenParticipantView)
{
    Event.Participant("Ann Lee").Member("Choir", "Ann Lee").Place(0, "Hall", "09:00", "Choir");
    const fs::path path = Dir / "people.csv";
    for (bool b_open : {false, true}) {
        Files.AnswerWith([&](FileDialogRequest& request) {
            request.Click(TextExport::IDC_PARTICIPANTS);
            request.sPath = path.string();
            return TRUE;
        });
        FakePanes panes(b_open ? std::vector<std::string>{kParticipantView} : std::vector<std::string>{});
        ExportText(Event.Doc(), &panes);
        const std::string s_file = ReadFile(path);
        EXPECT_EQ(s_file.find("\"Hall - Mon 09:00am to 10:00am\"") != std::string::npos, b_open) << s_file;
        EXPECT_EQ(s_file.find("\"Choir - Mon 09:00am to 10:00am\"") != std::string::npos, b_open) << s_file;
    }
}

} // namespace
