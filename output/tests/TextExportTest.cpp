// The comma-separated exports: the cell form, the four kinds over a small
// event, and the files read back by another tool's CSV reader.
#include "output/TextExport.h"

#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace TextExport;

std::vector<std::string> Lines(const std::string& s_text)
{
    std::vector<std::string> v_lines;
    std::size_t u_start = 0;
    for (std::size_t u = s_text.find("\r\n"); u != std::string::npos; u = s_text.find("\r\n", u_start)) {
        v_lines.push_back(s_text.substr(u_start, u - u_start));
        u_start = u + 2;
    }
    EXPECT_EQ(u_start, s_text.size()) << "the text ends with CR LF";
    return v_lines;
}

// Cells of a line as the file form has them: bare or quoted with
// backslash escapes, each followed by a comma.
std::vector<std::string> Cells(const std::string& s_line)
{
    std::vector<std::string> v_cells;
    std::size_t i = 0;
    while (i < s_line.size()) {
        std::string s_cell;
        if (s_line[i] == '"') {
            ++i;
            while (i < s_line.size() && s_line[i] != '"') {
                if (s_line[i] == '\\' && i + 1 < s_line.size())
                    ++i;
                s_cell += s_line[i++];
            }
            ++i; // closing quote
        } else {
            while (i < s_line.size() && s_line[i] != ',')
                s_cell += s_line[i++];
        }
        EXPECT_EQ(s_line[i], ',') << s_line;
        ++i;
        v_cells.push_back(s_cell);
    }
    return v_cells;
}

void BuildFixture(testevent::EventBuilder& event)
{
    event.Name("Fest")
        .Days({"Mon", "Tue"})
        .Slots(-1, {"09:00-10:00", "10:00-11:00"})
        .Style("Jazz")
        .Facility("Piano")
        .Venue("Hall", {"Jazz"}, {"Piano"})
        .Venue("Studio \"B\"")
        .Participant("Ann Lee")
        .Participant("Zo\xEB Smith")
        .Group("Choir")
        .Group("Band")
        .Member("Choir", "Ann Lee", "alto")
        .Member("Band", "Zo\xEB Smith")
        .Member("Band", "Ann Lee")
        .Timetable()
        .Place(0, "Hall", "09:00", "Choir")
        .Place(1, "Studio \"B\"", "10:00", "Band");
}

TEST(TextExport, CellForms)
{
    EXPECT_EQ(EscapeQuotes("a\"b\"\""), "a\\\"b\\\"\\\"");
    EXPECT_EQ(QuoteField(""), "\"\"");
    EXPECT_EQ(QuoteField("say \"hi\""), "\"say \\\"hi\\\"\"");

    struct Case {
        const char* pNote;
        const char* pCell;
    };
    const Case a_cases[] = {
        {"plain", "\"plain\""},
        {"one,two \"three\"", "\"onetwo three\""},
        {"tab\there", "\"tab here\""},
        {"line\r\n\r\n   next", "\"line next\""},
        {"feed\fx", "\"feed x\""},
        {"caf\xE9 \xFC" "ber", "\"caf\xE9 \xFC" "ber\""}, // accented letters stay
        {"end\n", "\"end \""},
    };
    for (const Case& c : a_cases) {
        std::ostringstream os;
        WriteCleanField(c.pNote, os);
        EXPECT_EQ(os.str(), c.pCell) << c.pNote;
    }
}

TEST(TextExport, VenuesWithAndWithoutCells)
{
    testevent::EventBuilder event;
    BuildFixture(event);
    event.Doc().GetVenues().GetVenue(0); // Hall has its style and facility
    std::ostringstream os;
    Schedules schedules;
    EXPECT_EQ(ExportVenuesText(os, event.Doc(), schedules), 2);
    EXPECT_EQ(os.str(), "Venue,Location,Facilities,Styles,Group Schedule,Participant Schedule,\r\n"
                        "\"Hall\",\"\",\"Piano\",\"Jazz\",\"\",\"\",\r\n"
                        "\"Studio \\\"B\\\"\",\"\",\"\",\"\",\"\",\"\",\r\n");

    // The schedules come from the view when there is one.
    schedules.fVenue = [](const Venue& venue, int i_flag) {
        return venue.GetName().substr(0, 1) + std::to_string(i_flag);
    };
    std::ostringstream scheduled;
    ExportVenuesText(scheduled, event.Doc(), schedules);
    EXPECT_EQ(Cells(Lines(scheduled.str())[1]), (std::vector<std::string>{"Hall", "", "Piano", "Jazz", "H0", "H1"}));
}

TEST(TextExport, GroupsListMembersThatExist)
{
    testevent::EventBuilder event;
    BuildFixture(event);
    EventDoc& doc = event.Doc();
    doc.GetGroups().GetAt(0).SetNotes("Bring music,\r\nand \"water\"");
    // A member whose participant is gone is left out.
    doc.GetGroups().GetAt(0).GetMembers().SetMember(9999, "ghost", FALSE);
    std::ostringstream os;
    EXPECT_EQ(ExportGroupsText(os, doc, {}), 2);
    const std::vector<std::string> v_lines = Lines(os.str());
    ASSERT_EQ(v_lines.size(), 3u);
    const std::vector<std::string> v_header = Cells(v_lines[0]);
    EXPECT_EQ(v_header.size(), 20u);
    EXPECT_EQ(v_header.front(), "Group");
    EXPECT_EQ(v_header.back(), "Notes");
    const std::vector<std::string> v_choir = Cells(v_lines[1]);
    ASSERT_EQ(v_choir.size(), 20u);
    EXPECT_EQ(v_choir[0], "Choir");
    EXPECT_EQ(v_choir[14], "Ann Lee");
    EXPECT_EQ(v_choir[15], "Ann Lee (alto)");
    EXPECT_EQ(v_choir[19], "Bring music and water");
    const std::vector<std::string> v_band = Cells(v_lines[2]);
    EXPECT_EQ(v_band[14], "Zo\xEB Smith,Ann Lee");
}

TEST(TextExport, ParticipantRecordsLineUpWithTheHeader)
{
    testevent::EventBuilder event;
    BuildFixture(event);
    std::ostringstream os;
    EXPECT_EQ(ExportParticipantsText(os, event.Doc(), {}), 2);
    const std::vector<std::string> v_lines = Lines(os.str());
    ASSERT_EQ(v_lines.size(), 3u);
    const std::vector<std::string> v_header = Cells(v_lines[0]);
    // 17 named cells, "Groups", "Venues", then two days of two slots twice.
    ASSERT_EQ(v_header.size(), 27u);
    EXPECT_EQ(v_header[17], "Groups");
    EXPECT_EQ(v_header[19], "Mon Slot 1");
    EXPECT_EQ(v_header[22], "Tue Slot 2");
    EXPECT_EQ(v_header[23], "Mon Slot 1");
    EXPECT_NE(v_lines[0].find("\"Mon Slot 1\","), std::string::npos);

    for (std::size_t i = 1; i < v_lines.size(); ++i)
        EXPECT_EQ(Cells(v_lines[i]).size(), v_header.size()) << v_lines[i];
    // Ann is in the choir (Mon 09:00, Hall) and the band (Tue 10:00, Studio).
    const std::vector<std::string> v_ann = Cells(v_lines[1]);
    EXPECT_EQ(v_ann[0], "Ann Lee");
    EXPECT_EQ(v_ann[19], "Choir");
    EXPECT_EQ(v_ann[20], "");
    EXPECT_EQ(v_ann[22], "Band");
    EXPECT_EQ(v_ann[23], "Hall");
    EXPECT_EQ(v_ann[26], "Studio \"B\"");
    const std::vector<std::string> v_zoe = Cells(v_lines[2]);
    EXPECT_EQ(v_zoe[19], "");
    EXPECT_EQ(v_zoe[22], "Band");

    // Without a timetable: no slot cells at all.
    EventDoc doc;
    doc.GetParticipants();
    testevent::EventBuilder bare;
    bare.Participant("Al Bo");
    std::ostringstream plain;
    ExportParticipantsText(plain, bare.Doc(), {});
    const std::vector<std::string> v_plain = Lines(plain.str());
    EXPECT_EQ(Cells(v_plain[0]).size(), 19u);
    EXPECT_EQ(Cells(v_plain[1]).size(), 19u);
}

TEST(TextExport, TimetableWithAndWithoutTimes)
{
    testevent::EventBuilder event;
    BuildFixture(event);
    std::ostringstream os;
    EXPECT_EQ(ExportTimetableText(os, event.Doc(), FALSE), 2);
    EXPECT_EQ(os.str(), "\"Mon\",\r\n\"Hall\",\r\n\"Choir\",\r\n\"\",\r\n\"Studio \\\"B\\\"\",\r\n\"\",\r\n\"\",\r\n"
                        "\"Tue\",\r\n\"Hall\",\r\n\"\",\r\n\"\",\r\n\"Studio \\\"B\\\"\",\r\n\"\",\r\n\"Band\",\r\n");
    std::ostringstream timed;
    ExportTimetableText(timed, event.Doc(), TRUE);
    const std::vector<std::string> v_lines = Lines(timed.str());
    EXPECT_EQ(v_lines[1], "\"Start\",\"End\",\"Hall\",");
    EXPECT_EQ(v_lines[2], "\"09:00\",\"10:00\",\"Choir\",");
    EXPECT_EQ(v_lines[3], "\"10:00\",\"11:00\",\"\",");

    // Never built: nothing, and no days counted.
    EventDoc empty;
    std::ostringstream none;
    EXPECT_EQ(ExportKind(none, empty, IDC_TIMETABLE, TRUE, {}), 0);
    EXPECT_EQ(none.str(), "");
}

TEST(TextExport, FileIsUtf8WithAMark)
{
    EXPECT_EQ(FileBytes("Zo\xEB"), "\xEF\xBB\xBFZo\xC3\xAB");
}

// Another tool's CSV reader (Python's, backslash as the escape) reads every
// record with its header's number of cells and the names as entered.
TEST(TextExport, ReadBackByAnotherCsvReader)
{
    if (std::system("python3 -c 'import csv' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    testevent::EventBuilder event;
    BuildFixture(event);
    event.Doc().GetGroups().GetAt(0).SetNotes("multi\r\nline, \"quoted\"");
    const fs::path dir = fs::temp_directory_path() / ("rvx_csv_" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (const int i_kind : {IDC_VENUES, IDC_PARTICIPANTS, IDC_GROUPS}) {
        std::ostringstream os;
        ExportKind(os, event.Doc(), i_kind, FALSE, {});
        const fs::path file = dir / ("kind" + std::to_string(i_kind) + ".csv");
        std::ofstream(file, std::ios::binary) << FileBytes(os.str());
        const std::string s_script =
            "import csv,sys\n"
            "rows=list(csv.reader(open(sys.argv[1],encoding='utf-8-sig',newline=''),escapechar='\\\\',"
            "doublequote=False))\n"
            "n={len(r) for r in rows}\n"
            "names=sorted(r[0] for r in rows[1:])\n"
            "print(len(n), len(rows), '|'.join(names))\n";
        const std::string s_command = "python3 -c \"$(cat <<'PY'\n" + s_script + "PY\n)\" " + file.string();
        FILE* p_pipe = popen(s_command.c_str(), "r");
        ASSERT_NE(p_pipe, nullptr);
        char sz_out[512] = {};
        const std::size_t n_read = fread(sz_out, 1, sizeof sz_out - 1, p_pipe);
        pclose(p_pipe);
        const std::string s_out(sz_out, n_read);
        const std::string s_names = i_kind == IDC_VENUES       ? "Hall|Studio \"B\""
                                    : i_kind == IDC_GROUPS     ? "Band|Choir"
                                                               : "Ann Lee|Zo\xC3\xAB Smith";
        EXPECT_EQ(s_out, "1 3 " + s_names + "\n") << i_kind;
    }
    fs::remove_all(dir);
}

} // namespace
