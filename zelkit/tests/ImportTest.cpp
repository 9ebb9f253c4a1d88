// The text importer without windows: the record reader, the wizard's
// rules (header row, captions, field choices, the fixed-width guess), the
// records delivered and the errors collected, the encoding of the source,
// and what a cancelled dialog or wizard leaves behind.
#include "zelkit/import/ZelImport.h"

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int ID_FINISH = 12325;

// What the callback received for one record.
struct Delivered {
    int iRecord = 0;
    int iLine = 0;
    // caption=text for each value
    std::vector<std::string> vValues;
};

int Collect(int i_record, int i_line, void* p_user, const ZelArray<ZelImport::ColValue>& a_values)
{
    Delivered d{i_record, i_line, {}};
    for (int i = 0; i < a_values.GetSize(); ++i) {
        EXPECT_EQ(a_values[i].Values.GetSize(), 1);
        d.vValues.push_back(a_values[i].sName + "=" + a_values[i].Values[0].sText + "#"
                            + std::to_string(a_values[i].uData));
    }
    static_cast<std::vector<Delivered>*>(p_user)->push_back(d);
    return 0;
}

// The wizard as a test runs it: the column page is prepared, then the
// script maps columns and says how the wizard ends.
class ScriptedWizard : public IZelImportWizardPort {
public:
    using Script = std::function<int(ZelImportWizardCore&)>;
    explicit ScriptedWizard(Script f_script) : fScript(std::move(f_script)) { pPrevious = ZelSetImportWizardPort(this); }
    ~ScriptedWizard() override { ZelSetImportWizardPort(pPrevious); }
    int Run(ZelImportWizardCore& wizard, const std::string& s_caption, const std::string& s_heading) override
    {
        ++nRuns;
        sCaption = s_caption;
        sHeading = s_heading;
        vRows = wizard.PrepareColumns();
        return fScript(wizard);
    }
    int nRuns = 0;
    std::string sCaption, sHeading;
    std::vector<ZelImportWizardCore::ColumnRow> vRows;

private:
    Script fScript;
    IZelImportWizardPort* pPrevious;
};

// Maps the columns to the fields named (empty: not imported), then Finish.
ScriptedWizard::Script Map(std::vector<std::string> v_fields)
{
    return [v_fields](ZelImportWizardCore& wizard) {
        for (std::size_t i = 0; i < v_fields.size() && static_cast<int>(i) < wizard.GetColumnCount(); ++i)
            wizard.ChooseField(static_cast<int>(i), v_fields[i]);
        return wizard.CanFinish() ? ID_FINISH : 2;
    };
}

ZelImportFieldDef Fields()
{
    ZelImportFieldDef defs;
    defs.Add("Town", ZelImportFieldDef::COLTYPE_STRING, 2, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    defs.Add("Name", ZelImportFieldDef::COLTYPE_STRING, 1, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    defs.Add("Note", ZelImportFieldDef::COLTYPE_STRING, 3, ZelImportFieldDef::COLTYPE_MULTILINE,
             ZelImportFieldDef::COLTYPE_REPEATABLE);
    return defs;
}

// Every record of a reader with the line count after it.
std::vector<std::pair<std::string, int>> Records(ZelImportData& reader)
{
    std::vector<std::pair<std::string, int>> v;
    while (!reader.AtEnd()) {
        std::string s = reader.ReadRecord();
        v.emplace_back(s, reader.GetLineCount());
    }
    return v;
}

class TempFile {
public:
    explicit TempFile(const std::string& s_bytes)
    {
        sPath = (std::filesystem::temp_directory_path()
                 / ("rvx-import-" + std::to_string(::getpid()) + "-" + std::to_string(++nMade) + ".csv"))
                    .string();
        std::ofstream(sPath, std::ios::binary) << s_bytes;
    }
    ~TempFile() { std::filesystem::remove(sPath); }
    const std::string& Path() const { return sPath; }

private:
    static inline int nMade = 0;
    std::string sPath;
};

using Recs = std::vector<std::pair<std::string, int>>;

std::vector<std::string> ToVector(const ZelStringArray& a)
{
    std::vector<std::string> v;
    for (int i = 0; i < a.GetSize(); ++i)
        v.push_back(a[i]);
    return v;
}

TEST(ImportReader, RecordsAndLineCounts)
{
    struct Case {
        const char* p_name;
        std::string s_bytes;
        Recs v_text;  // read from memory
        Recs v_file;  // read from a file
        int n_count;
    };
    const Case a_cases[] = {
        {"final line feed gives no extra record", "a,b\nc,d\n", {{"a,b", 1}, {"c,d", 2}}, {{"a,b", 1}, {"c,d", 2}}, 2},
        {"last line without line feed keeps the count", "a\n\nb", {{"a", 1}, {"", 2}, {"b", 2}},
         {{"a", 1}, {"", 2}, {"b", 2}}, 3},
        {"a quoted line break is one record and counts", "\"x\ny\",z\nc\n", {{"\"x\ny\",z", 2}, {"c", 3}},
         {{"\"x\ny\",z", 2}, {"c", 3}}, 2},
        {"CR LF: dropped outside quotes, a file reads it as LF inside", "\"p\r\nq\"\r\nr\r\n",
         {{"\"p\r\nq\"", 2}, {"r", 3}}, {{"\"p\nq\"", 2}, {"r", 3}}, 2},
        {"a lone CR inside quotes stays", "\"p\rq\"\n", {{"\"p\rq\"", 1}}, {{"\"p\rq\"", 1}}, 1},
        {"NUL bytes are data", std::string("a\0b,c\n", 6), {{std::string("a\0b,c", 5), 1}},
         {{std::string("a\0b,c", 5), 1}}, 1},
        {"an unclosed quote runs to the end", "a,\"b\nc\nd", {{"a,\"b\nc\nd", 2}}, {{"a,\"b\nc\nd", 2}}, 1},
        {"nothing", "", {}, {}, 0},
    };
    for (const Case& c : a_cases) {
        ZelImportData text(&c.s_bytes);
        EXPECT_EQ(Records(text), c.v_text) << c.p_name;
        EXPECT_EQ(text.CountRecords(), c.n_count) << c.p_name;
        TempFile file(c.s_bytes);
        ZelImportData stream(file.Path());
        ASSERT_TRUE(stream.IsOpen());
        EXPECT_EQ(Records(stream), c.v_file) << c.p_name;
        EXPECT_EQ(stream.CountRecords(), c.n_count) << c.p_name;
    }
}

TEST(ImportReader, PositionedReadingRewinds)
{
    const std::string s_text = "h1,h2\n1,2\n3,\"4,5\"\n";
    ZelImportData reader(&s_text);
    ZelStringArray a_cols;
    EXPECT_EQ(reader.GetColumns(3, a_cols), 2);
    EXPECT_EQ(a_cols[1], "4,5");
    EXPECT_EQ(reader.GetRecord(2), "1,2") << "back to an earlier record";
    EXPECT_EQ(reader.GetLineCount(), 2);
    EXPECT_EQ(reader.GetRecord(9), "");
    EXPECT_EQ(reader.GetRecord(1), "h1,h2");
    EXPECT_EQ(reader.ReadColumns(a_cols), 2);
    EXPECT_EQ(a_cols[0], "1");
}

TEST(ImportReader, ALongLineAndABinaryFileReadWhole)
{
    std::string s_long(300000, 'x');
    s_long += ",y\n";
    std::string s_binary;
    for (int i = 0; i < 4096; ++i)
        s_binary += static_cast<char>((i * 37) & 0xFF);
    for (const std::string& s : {s_long, s_binary}) {
        TempFile file(s);
        ZelImportData reader(file.Path());
        std::size_t n_bytes = 0;
        int n_records = 0;
        while (!reader.AtEnd()) {
            n_bytes += reader.ReadRecord().size();
            ++n_records;
        }
        EXPECT_EQ(n_records, reader.CountRecords());
        EXPECT_LE(n_bytes, s.size());
        EXPECT_GE(n_bytes + static_cast<std::size_t>(n_records), s.size() - std::count(s.begin(), s.end(), '\r'));
    }
}

TEST(ImportWizardRules, HeaderRowsAndCaptions)
{
    struct Case {
        const char* p_name;
        std::string s_text;
        int i_mode;
        std::vector<std::string> v_captions;
        std::vector<std::string> v_samples;
        std::string s_firstImported;
    };
    const Case a_cases[] = {
        {"a keyword makes a header", "Name,Town\nAnn,Oslo\n", 0, {"Name", "Town"}, {"Ann", "Oslo"}, "Ann,Oslo"},
        {"in any case, as part of a word", "id,E-MAIL ADDRESS\n1,a@b\n", 0, {"id", "E-MAIL ADDRESS"}, {"1", "a@b"},
         "1,a@b"},
        {"no keyword: numbered captions", "Ann,Oslo\nBob,Rome\n", 0, {"Column 1", "Column 2"}, {"Ann", "Oslo"},
         "Ann,Oslo"},
        {"mode 1 takes the first record", "Ann,Oslo\nBob,Rome\n", 1, {"Ann", "Oslo"}, {"Bob", "Rome"}, "Bob,Rome"},
        {"other modes never do", "Name,Town\nBob\n", 2, {"Column 1", "Column 2"}, {"Name", "Town"}, "Name,Town"},
        {"a short sample leaves cells empty", "Name,Town,Fax\nBob\n", 0, {"Name", "Town", "Fax"}, {"Bob", "", ""},
         "Bob"},
    };
    const ZelImportFieldDef defs = Fields();
    for (const Case& c : a_cases) {
        ZelImportData reader(&c.s_text);
        ZelImportWizardCore wizard(defs, reader, nullptr);
        wizard.iHeaderMode = c.i_mode;
        const auto v_rows = wizard.PrepareColumns();
        std::vector<std::string> v_captions, v_samples;
        for (const auto& row : v_rows) {
            v_captions.push_back(row.sCaption);
            v_samples.push_back(row.sSample);
        }
        EXPECT_EQ(v_captions, c.v_captions) << c.p_name;
        EXPECT_EQ(v_samples, c.v_samples) << c.p_name;
        EXPECT_EQ(wizard.GetColumnCount(), static_cast<int>(c.v_captions.size())) << c.p_name;
        EXPECT_EQ(reader.ReadRecord(), c.s_firstImported) << c.p_name << ": the reader waits at the first data record";
    }
}

TEST(ImportWizardRules, FieldsOfferedAndChosen)
{
    const ZelImportFieldDef defs = Fields();
    const std::string s_text = "a,b,c\n";
    ZelImportData reader(&s_text);
    const ZelStringArray a_start = [] {
        ZelStringArray a;
        for (const char* p : {"Name", "", "Note", "Town", "Gone"})
            a.Add(p);
        return a;
    }();
    ZelImportWizardCore wizard(defs, reader, &a_start);
    wizard.PrepareColumns();
    ASSERT_EQ(wizard.GetColumnCount(), 3) << "the start map is cut to the columns";
    EXPECT_EQ(wizard.GetColumnMap()[2], "Note");
    EXPECT_TRUE(wizard.IsFieldMapped("Name"));
    EXPECT_FALSE(wizard.IsFieldMapped("Town"));

    auto choices = [&](int i_col, int& i_select) {
        return ToVector(wizard.FieldChoices(i_col, i_select));
    };
    int i_select = -1;
    EXPECT_EQ(choices(1, i_select), (std::vector<std::string>{"(do not import)", "Note", "Town"}))
        << "Name is taken; Note repeats";
    EXPECT_EQ(i_select, 0);
    EXPECT_EQ(choices(0, i_select), (std::vector<std::string>{"(do not import)", "Name", "Note", "Town"}))
        << "a column keeps its own field";
    EXPECT_EQ(i_select, 1);
    EXPECT_EQ(choices(2, i_select), (std::vector<std::string>{"(do not import)", "Note", "Town"}));
    EXPECT_EQ(i_select, 1);

    EXPECT_EQ(wizard.GetColumnField(0), defs.FindField("Name"));
    wizard.ChooseField(1, "Note");
    EXPECT_EQ(wizard.GetColumnMap()[1], "Note");
    wizard.ChooseField(0, "(do not import)");
    wizard.ChooseField(1, "nothing of that name");
    wizard.ChooseField(2, "");
    EXPECT_EQ(wizard.GetColumnField(0), -1);
    EXPECT_FALSE(wizard.CanFinish()) << "Finish waits for a mapped column";
    wizard.ChooseField(2, "Town");
    EXPECT_TRUE(wizard.CanFinish());
}

TEST(ImportWizardRules, FixedWidthGuess)
{
    struct Case {
        const char* p_name;
        std::vector<std::string> v_records;
        bool b_fixed;
        std::vector<UINT> v_starts;
    };
    const Case a_cases[] = {
        {"aligned columns", {"Ann   Oslo  12", "Bob   Rome  7 ", "Cyril Nice  30"}, true, {0, 6, 12}},
        {"one record", {"ab  cd"}, true, {0, 4}},
        {"lengths differ: a last column's blanks left off", {"Ann   Oslo", "Bob   Rome "}, true, {0, 6}},
        {"blank records say nothing", {"", "Ann  Oslo", "   ", "Bob  Rome"}, true, {0, 5}},
        {"only blank records", {"", "  "}, false, {}},
        {"prose, its words one blank apart", {"The quick brown fox", "jumps over the", "lazy dog at noon"}, false,
         {}},
        {"a comma in one record of fixed-width columns", {"Ann   Oslo  tea, no sugar", "Bob   Rome  coffee"}, true,
         {0, 6, 12}},
        {"blanks do not line up", {"Ann Oslo  ", "Bobby Rome"}, false, {}},
        {"no blank run at all", {"Ann,Oslo", "Bob,Rome"}, false, {}},
        {"no records", {}, false, {}},
        {"empty records", {"", ""}, false, {}},
        {"comma-separated lines of one length", {"Ann Lee,Oslo", "Bob Fox,Rome"}, false, {}},
        {"words one blank apart are one column", {"Ann Lee   Oslo", "Bob Fox   Rome"}, true, {0, 10}},
    };
    for (const Case& c : a_cases) {
        std::vector<UINT> v_starts{99};
        EXPECT_EQ(ZelImportWizardCore::IsFixedWidth(c.v_records, v_starts, ','), c.b_fixed) << c.p_name;
        EXPECT_EQ(v_starts, c.v_starts) << c.p_name;
    }
    const ZelImportFieldDef defs = Fields();
    const std::string s_fixed = "Ann  Oslo\nBob  Rome\n";
    ZelImportData reader(&s_fixed);
    ZelImportWizardCore wizard(defs, reader, nullptr);
    EXPECT_TRUE(wizard.DetectLayout());
    EXPECT_TRUE(reader.bFixedWidth);
    ASSERT_EQ(reader.ColumnPositions.GetSize(), 2);
    EXPECT_EQ(reader.ColumnPositions[1], 5u);
    EXPECT_EQ(reader.ReadRecord(), "Ann  Oslo") << "the reader is rewound";
}

// The first step's guess over small files: whether they are fixed width
// and where their columns start, as the reader then cuts the first record.
// Tabs count as the blanks up to the next eighth position, a character of
// code page 1252 (read as such or from UTF-8) as one position; lines may
// differ in length (the starts line up where they reach); lines that all
// hold a comma, and lines whose blanks line up nowhere, are delimited, and
// the user's choice of fixed width then takes what starts there are.
TEST(ImportWizardRules, TheLayoutGuessOverSmallFiles)
{
    std::string s_long;
    for (int i = 0; i < 2000; ++i)
        s_long += "P" + std::to_string(10000 + i) + (i % 3 == 0 ? "    Oslo      " : "    Rome") + "\r\n";
    struct Case {
        const char* p_name;
        std::string s_bytes;
        bool b_guessFixed;
        // The starts once fixed width is guessed or chosen.
        std::vector<UINT> v_starts;
        std::vector<std::string> v_firstColumns;
    };
    const Case a_cases[] = {
        {"aligned columns under a header", "Name  Town  Age\r\nAnn   Oslo  12 \r\nBob   Rome  7  \r\n", true,
         {0, 6, 12}, {"Name", "Town", "Age"}},
        {"trailing blanks left off", "Ann   Oslo  12\nBob   Rome\nCyril Nice  7\n", true, {0, 6, 12},
         {"Ann", "Oslo", "12"}},
        {"participants in UTF-8, a tab in one line",
         "Name        Town    Age\nZo\xC3\xAB Lee     Nice    7\nBob Fox\t    Rome    12\n", true, {0, 12, 20},
         {"Name", "Town", "Age"}},
        {"groups in code page 1252, ragged",
         "Chor M\xFCnster  Ulm\nBl\xE4ser        Bonn   Jazz\nTrio          Kiel   Folk, Jazz\n", true, {0, 14, 21},
         {"Chor M\xFCnster", "Ulm", ""}},
        {"comma-separated, blanks in its values", "Name,  Town\nAnn Lee,  Oslo\nBob,  Rome\n", false, {0},
         {"Name,  Town"}},
        {"ragged prose", "Dear members,\nthe meeting is on\nFriday at noon.\n", false, {0}, {"Dear members,"}},
        {"tabs", "Ann\tOslo\t12\nBob\tRome\t70\n", true, {0, 8, 16}, {"Ann", "Oslo", "12"}},
        {"code page 1252", "Zo\xEB  Nice\nBob  Rome\n", true, {0, 5}, {"Zo\xEB", "Nice"}},
        {"the same in UTF-8", "Zo\xC3\xAB  Nice\nBob  Rome\n", true, {0, 5}, {"Zo\xEB", "Nice"}},
        {"a quotation mark joins no lines", "5'10\"  Ann\n6'2\"   Bob\n", true, {0, 7}, {"5'10\"", "Ann"}},
        {"comma-separated", "Name,Town\nAnn,Oslo\n", false, {0}, {"Name,Town"}},
        {"one column", "Ann\nBob\n", false, {0}, {"Ann"}},
        {"2,000 lines without tabs", s_long, true, {0, 10}, {"P10000", "Oslo"}},
        {"a blank line first", "\nAnn  Oslo\n", true, {0, 5}, {}},
    };
    const ZelImportFieldDef defs = Fields();
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.p_name);
        TempFile file(c.s_bytes);
        ZelImportData reader(file.Path());
        ZelImportWizardCore wizard(defs, reader, nullptr);
        EXPECT_EQ(wizard.DetectLayout() != FALSE, c.b_guessFixed);
        if (c.b_guessFixed) {
            EXPECT_EQ(wizard.GetColumnStarts(), c.v_starts);
        } else {
            EXPECT_EQ(reader.ColumnPositions.GetSize(), 0) << "no starts for delimited data";
            wizard.SetLayout(TRUE);
            EXPECT_EQ(wizard.GetColumnStarts(), c.v_starts) << "the user chose fixed width";
        }
        ZelStringArray a_cols;
        reader.GetColumns(1, a_cols);
        EXPECT_EQ(ToVector(a_cols), c.v_firstColumns);
    }
}

// The column breaks the user edits: one added, moved, removed; never at
// the start, never twice; a break moved onto another or to the start goes.
TEST(ImportWizardRules, ColumnBreaksEdited)
{
    const ZelImportFieldDef defs = Fields();
    const std::string s_text = "Ann   Oslo  12\n";
    ZelImportData reader(&s_text);
    ZelImportWizardCore wizard(defs, reader, nullptr);
    ASSERT_TRUE(wizard.DetectLayout());
    struct Step {
        const char* p_name;
        std::function<BOOL()> f_edit;
        BOOL b_changed;
        std::vector<UINT> v_starts;
    };
    const Step a_steps[] = {
        {"add", [&] { return wizard.AddColumnBreak(3); }, TRUE, {0, 3, 6, 12}},
        {"add again", [&] { return wizard.AddColumnBreak(3); }, FALSE, {0, 3, 6, 12}},
        {"add at the start", [&] { return wizard.AddColumnBreak(0); }, FALSE, {0, 3, 6, 12}},
        {"move", [&] { return wizard.MoveColumnBreak(12, 10); }, TRUE, {0, 3, 6, 10}},
        {"move past another", [&] { return wizard.MoveColumnBreak(3, 8); }, TRUE, {0, 6, 8, 10}},
        {"move onto another", [&] { return wizard.MoveColumnBreak(8, 10); }, TRUE, {0, 6, 10}},
        {"move to the start", [&] { return wizard.MoveColumnBreak(10, 0); }, TRUE, {0, 6}},
        {"move none", [&] { return wizard.MoveColumnBreak(7, 9); }, FALSE, {0, 6}},
        {"remove none", [&] { return wizard.RemoveColumnBreak(5); }, FALSE, {0, 6}},
        {"remove the start", [&] { return wizard.RemoveColumnBreak(0); }, FALSE, {0, 6}},
        {"remove", [&] { return wizard.RemoveColumnBreak(6); }, TRUE, {0}},
    };
    for (const Step& step : a_steps) {
        EXPECT_EQ(step.f_edit(), step.b_changed) << step.p_name;
        EXPECT_EQ(wizard.GetColumnStarts(), step.v_starts) << step.p_name;
    }
    wizard.AddColumnBreak(4);
    const std::vector<ZelImportWizardCore::ColumnRow> v_rows = wizard.PrepareColumns();
    ASSERT_EQ(v_rows.size(), 2u) << "the column page cuts where the breaks are";
    EXPECT_EQ(v_rows[0].sSample, "Ann");
    EXPECT_EQ(v_rows[1].sSample, "Oslo  12");
}

// Tabs stand for the blanks up to the next multiple of eight, in the
// preview of either layout and in the records the fixed-width layout cuts,
// so that a break stands where the preview draws the column; other control
// characters (a quoted line break) are drawn as one blank each.
TEST(ImportWizardRules, TabsAreDrawnAtTheirStops)
{
    const std::pair<std::string, std::string> a_cases[] = {
        {"a\tb", "a       b"},
        {"\tx", "        x"},
        {"1234567\tx", "1234567 x"},
        {"12345678\tx", "12345678        x"},
        {"a\tb\tc", "a       b       c"},
        {"\t\t", std::string(16, ' ')},
        {"Zo\xEB\tN", "Zo\xEB     N"},
        {"\"p\nq\r\",x", "\"p q \",x"},
        {"no tab", "no tab"},
    };
    for (const auto& [s_record, s_drawn] : a_cases)
        EXPECT_EQ(ZelImportWizardCore::PreviewText(s_record), s_drawn) << s_record;

    const ZelImportFieldDef defs = Fields();
    const std::string s_text = "Ann Lee\tOslo\t12\nBob     Rome    7\n";
    ZelImportData reader(&s_text);
    ZelImportWizardCore wizard(defs, reader, nullptr);
    wizard.SetLayout(FALSE);
    const std::string s_delimited = ZelImportWizardCore::PreviewText(reader.GetRecord(1));
    ASSERT_TRUE(wizard.DetectLayout());
    const std::string s_fixed = ZelImportWizardCore::PreviewText(reader.GetRecord(1));
    EXPECT_EQ(s_delimited, "Ann Lee Oslo    12");
    EXPECT_EQ(s_fixed, s_delimited) << "both layouts draw the line alike";
    EXPECT_EQ(wizard.GetColumnStarts(), (std::vector<UINT>{0, 8, 16}));
    for (UINT u : wizard.GetColumnStarts())
        EXPECT_TRUE(u == 0 || (s_fixed[u - 1] == ' ' && s_fixed[u] != ' '))
            << "a break before a drawn column: " << u;
}

// A fixed-width text through the importer: its columns cut at the breaks
// without their blanks, a short line with its missing columns empty, a
// blank line reported as a record without columns, a record that cannot
// be held in the code page reported, and the header row's texts as the
// captions.
TEST(Import, AFixedWidthTextIsCutAtItsColumns)
{
    const ZelImportFieldDef defs = Fields();
    // The first four lines, the sample the layout is guessed from, have one
    // length (the euro sign is one character of the code page).
    const std::string s_text = "Name    Town    Notes\n"
                               "Ann     Oslo    first\n"
                               "  Cy    \"Nice\"  a, bc\n"
                               "Dee \xE2\x82\xAC   Rome    xxxxx\n"
                               "Bob\n"
                               "\n"
                               "\xE2\x98\x83       Bern    x\n";
    ScriptedWizard wizard([](ZelImportWizardCore& w) {
        EXPECT_TRUE(w.DetectLayout());
        const std::vector<ZelImportWizardCore::ColumnRow> v_rows = w.PrepareColumns();
        EXPECT_EQ(v_rows.size(), 3u);
        EXPECT_EQ(v_rows.back().sCaption, "Notes") << "the header row's texts";
        w.ChooseField(0, "Name");
        w.ChooseField(1, "Town");
        w.ChooseField(2, "Note");
        return ID_FINISH;
    });
    std::vector<Delivered> v_got;
    ZelImport import;
    EXPECT_EQ(import.ImportFromString(defs, &Collect, &v_got, s_text, nullptr, "Field"), ZelImport::resultDone);
    std::vector<std::vector<std::string>> v_values;
    for (const Delivered& d : v_got)
        v_values.push_back(d.vValues);
    EXPECT_EQ(v_values, (std::vector<std::vector<std::string>>{
                            {"Name=Ann#1", "Town=Oslo#2", "Notes=first#3"},
                            {"Name=Cy#1", "Town=\"Nice\"#2", "Notes=a, bc#3"},
                            {"Name=Dee \x80#1", "Town=Rome#2", "Notes=xxxxx#3"},
                            {"Name=Bob#1", "Town=#2", "Notes=#3"},
                            {},
                        }));
    EXPECT_EQ(ToVector(import.GetErrors()),
              (std::vector<std::string>{
                  "Line 6: wrong number of columns. Found 0 expected 3",
                  "Line 7: the character U+2603 cannot be held in the event's character set",
              }));
}

// An empty file or text is refused before the wizard with a message that
// says so; nothing is delivered and the caller's map stays.
TEST(Import, AnEmptySourceIsToldNotImported)
{
    ScriptedMessageBox boxes;
    ScriptedWizard wizard(Map({"Name"}));
    TempFile empty("");
    TempFile bom("\xEF\xBB\xBF");
    ZelStringArray a_map;
    a_map.Add("Town");
    std::vector<Delivered> v_got;
    ZelImport import;
    EXPECT_EQ(import.Import(Fields(), &Collect, &v_got, empty.Path(), &a_map, "Field"), ZelImport::resultFailed);
    EXPECT_EQ(import.Import(Fields(), &Collect, &v_got, bom.Path(), &a_map, "Field"), ZelImport::resultFailed);
    EXPECT_EQ(import.ImportFromString(Fields(), &Collect, &v_got, "", &a_map, "Field"), ZelImport::resultFailed);
    EXPECT_EQ(wizard.nRuns, 0);
    EXPECT_TRUE(v_got.empty());
    EXPECT_EQ(ToVector(a_map), (std::vector<std::string>{"Town"}));
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "There is nothing to import: '" + empty.Path() + "' is empty.");
    EXPECT_EQ(boxes.Boxes()[2].sText, "There is nothing to import: the text is empty.");
}

// A source that is not text is refused before the wizard, from a file and
// as a text (a file fetched from the web), with the line of the first byte
// no text holds; text in UTF-8 (with or without its byte-order mark) and
// in code page 1252 with every byte above 0x7F goes on to the wizard.
TEST(Import, ASourceThatIsNotTextIsRefused)
{
    std::string s_random;
    unsigned u_seed = 69;
    for (int i = 0; i < 600; ++i) {
        u_seed = u_seed * 1103515245u + 12345u;
        s_random += static_cast<char>((u_seed >> 16) & 0xFF);
    }
    std::string s_cp1252 = "Name\n";
    for (int i = 0x80; i <= 0xFF; i += 16) {
        for (int k = i; k < i + 16; ++k)
            s_cp1252 += static_cast<char>(k);
        s_cp1252 += "\r\n";
    }
    struct Case {
        const char* p_name;
        std::string s_bytes;
        // The line and byte told, 0 for text; the first name delivered.
        int i_line;
        const char* p_byte;
        std::string s_first;
    };
    const Case a_cases[] = {
        {"random bytes", s_random, -1, "", ""},
        {"UTF-8", "Name\nZo\xC3\xAB\tLee\n", 0, "", "Zo\xEB\tLee"},
        {"UTF-8 with its byte-order mark", "\xEF\xBB\xBFName\nAnn\n", 0, "", "Ann"},
        {"code page 1252, bytes 0x80 to 0xFF", s_cp1252, 0, "", s_cp1252.substr(5, 16)},
        {"a NUL in line 3", std::string("Name\nAnn\nB\0b\nCy\n", 16), 3, "0x00", ""},
        {"UTF-16", std::string("N\0a\0m\0e\0\n\0", 10), 1, "0x00", ""},
        {"a form feed", "Name\nAnn\n\fBob\n", 3, "0x0C", ""},
        {"a delete", "Name\nAnn\x7F\n", 2, "0x7F", ""},
        {"an escape", "Name\r\nAnn\r\n\x1B[1mBob\r\n", 3, "0x1B", ""},
        {"an end-of-file mark ends the text", "Name\r\nAnn\r\n\x1A", 0, "", "Ann"},
        {"an end-of-file mark before more", "Name\nAnn\n\x1A\nBob\n", 3, "0x1A", ""},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.p_name);
        TempFile file(c.s_bytes);
        for (const bool b_file : {true, false}) {
            ScriptedMessageBox boxes;
            ScriptedWizard wizard([](ZelImportWizardCore& w) {
                w.ChooseField(0, "Name");
                return ID_FINISH;
            });
            ZelStringArray a_map;
            a_map.Add("Town");
            std::vector<Delivered> v_got;
            ZelImport import;
            const int i_result = b_file ? import.Import(Fields(), &Collect, &v_got, file.Path(), &a_map, "Field")
                                        : import.ImportFromString(Fields(), &Collect, &v_got, c.s_bytes, &a_map,
                                                                  "Field");
            if (c.i_line == 0) {
                EXPECT_EQ(i_result, ZelImport::resultDone);
                EXPECT_TRUE(boxes.Boxes().empty());
                ASSERT_GE(v_got.size(), 2u);
                EXPECT_EQ(v_got.front().vValues, (std::vector<std::string>{"Name=" + c.s_first + "#1"}));
                continue;
            }
            EXPECT_EQ(i_result, ZelImport::resultFailed);
            EXPECT_EQ(wizard.nRuns, 0) << "the wizard never opens";
            EXPECT_TRUE(v_got.empty());
            EXPECT_EQ(ToVector(a_map), (std::vector<std::string>{"Town"}));
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            const std::string s_start = b_file ? "'" + file.Path() + "' is not a text file and cannot be imported: "
                                               : "The text is not plain text and cannot be imported: ";
            const std::string s_end = "\n\nOnly text can be imported: comma-separated or in fixed-width columns, "
                                      "in UTF-8 or code page 1252.";
            const std::string& s_told = boxes.Boxes()[0].sText;
            if (c.i_line < 0) {
                EXPECT_EQ(s_told.substr(0, s_start.size() + 5), s_start + "line ");
                EXPECT_NE(s_told.find(" holds the control character 0x"), std::string::npos) << s_told;
            } else {
                EXPECT_EQ(s_told, s_start + "line " + std::to_string(c.i_line) + " holds the control character "
                                      + c.p_byte + "." + s_end);
            }
        }
    }
}

TEST(Import, RecordsGoToTheCallbackAndFailuresToTheErrors)
{
    const ZelImportFieldDef defs = Fields();
    const std::string s_text = "Name,Town,Phone\nAnn,Oslo,1\nBob,Rome\n\nCy,\"Nice\nCity\",3";
    ScriptedWizard wizard(Map({"Name", "Town"}));
    std::vector<Delivered> v_got;
    ZelStringArray a_map;
    ZelImport import;
    EXPECT_EQ(import.ImportFromString(defs, &Collect, &v_got, s_text, &a_map, "Group Field"), ZelImport::resultDone);
    EXPECT_EQ(wizard.sCaption, "Import Wizard");
    EXPECT_EQ(wizard.sHeading, "Group Field");
    ASSERT_EQ(v_got.size(), 3u);
    EXPECT_EQ(v_got[0].iRecord, 1);
    EXPECT_EQ(v_got[0].iLine, 2);
    EXPECT_EQ(v_got[0].vValues, (std::vector<std::string>{"Name=Ann#1", "Town=Oslo#2"}));
    EXPECT_EQ(v_got[1].iRecord, 4) << "bad records count too";
    EXPECT_EQ(v_got[1].iLine, 5) << "one less than the physical line of a last line without a line feed";
    EXPECT_EQ(v_got[1].vValues, (std::vector<std::string>{"Name=Cy#1", "Town=Nice\nCity#2"}));
    EXPECT_EQ(v_got[2].iRecord, -1);
    EXPECT_EQ(v_got[2].iLine, -1);
    EXPECT_TRUE(v_got[2].vValues.empty());
    const ZelStringArray& a_errors = import.GetErrors();
    ASSERT_EQ(a_errors.GetSize(), 2);
    EXPECT_EQ(a_errors[0], "Line 3: wrong number of columns. Found 2 expected 3");
    EXPECT_EQ(a_errors[1], "Line 4: wrong number of columns. Found 0 expected 3");
    EXPECT_EQ(ToVector(a_map), (std::vector<std::string>{"Name", "Town", ""}))
        << "the chosen mapping goes back to the caller";
}

// A quoted field may carry a record over several lines; an error names the
// line where the record began, where the user finds the fault, and a quote
// never closed is an error, not a silent loss of the rest of the text.
TEST(Import, ErrorsNameTheLineWhereTheirRecordBegan)
{
    struct Case {
        const char* p_name;
        std::string s_text;
        std::vector<std::string> v_names; // Name of each delivered record, with its line count
        std::vector<std::string> v_errors;
    };
    const std::string s_never = ": a quotation mark in this record is never closed; nothing from here to the end was "
                                "imported";
    const Case a_cases[] = {
        {"a stray quote joins lines 4 to 8 into one record",
         "Ann,Oslo,a\nBob,Rome,b\nCy,Nice,c\n\"Di,Bergen,d\nEd,Paris,e\nFlo,Lyon,f\nGus,Bonn,g\nHal,Kiel,\"h\nIda,Graz,i\n",
         {"Ann@1", "Bob@2", "Cy@3", "Ida@9"},
         {"Line 4: wrong number of columns. Found 1 expected 3"}},
        {"a quote never closed takes the rest of the text", "Ann,Oslo,a\nBob,\"Rome,b\nCy,Nice,c\nDi,Bergen,d\n",
         {"Ann@1"}, {"Line 2" + s_never}},
        {"a quote never closed on a last line without a line feed", "Ann,Oslo,a\nBob,Rome,\"b", {"Ann@1"},
         {"Line 2" + s_never}},
        {"a header row whose quote is never closed", "Name,Town,\"Note\nAnn,Oslo,a\nBob,Rome,b\n", {},
         {"Line 1" + s_never}},
        {"a short last line without a line feed", "Ann,Oslo,a\nBob,Rome", {"Ann@1"},
         {"Line 2: wrong number of columns. Found 2 expected 3"}},
        {"a character the code page lacks in a record over two lines",
         "Ann,Oslo,a\n\"B\nob\",\xE4\xB8\xAD,b\nCy,Nice,c\n", {"Ann@1", "Cy@4"},
         {"Line 2: the character U+4E2D cannot be held in the event's character set"}},
        {"a quoted line break is kept and the next record counts on", "Ann,\"Oslo\nNorth\",a\nBob,Rome,b\n",
         {"Ann@2", "Bob@3"}, {}},
    };
    const ZelImportFieldDef defs = Fields();
    for (const Case& c : a_cases) {
        for (bool b_file : {false, true}) {
            ScriptedWizard wizard(Map({"Name", "Town", "Note"}));
            std::vector<Delivered> v_got;
            ZelImport import;
            if (b_file) {
                TempFile file(c.s_text);
                import.Import(defs, &Collect, &v_got, file.Path(), nullptr, "Field");
            } else {
                import.ImportFromString(defs, &Collect, &v_got, c.s_text, nullptr, "Field");
            }
            ASSERT_FALSE(v_got.empty()) << c.p_name;
            EXPECT_EQ(v_got.back().iRecord, -1) << c.p_name << ": the end is told";
            std::vector<std::string> v_names;
            for (std::size_t i = 0; i + 1 < v_got.size(); ++i) {
                const std::string& s_first = v_got[i].vValues.at(0);
                v_names.push_back(s_first.substr(s_first.find('=') + 1, s_first.find('#') - s_first.find('=') - 1)
                                  + "@" + std::to_string(v_got[i].iLine));
            }
            EXPECT_EQ(v_names, c.v_names) << c.p_name << (b_file ? " (file)" : " (text)");
            EXPECT_EQ(ToVector(import.GetErrors()), c.v_errors) << c.p_name << (b_file ? " (file)" : " (text)");
        }
    }
}

TEST(Import, UnknownFieldsAndRecordsThatAllFail)
{
    const ZelImportFieldDef defs = Fields();
    ZelStringArray a_map;
    for (const char* p : {"Name", "", "Bygone"})
        a_map.Add(p);
    {
        // A remembered map may name a field the caller no longer has.
        ScriptedWizard wizard([](ZelImportWizardCore& w) {
            w.SetColumnField(2, "Bygone");
            return ID_FINISH;
        });
        std::vector<Delivered> v_got;
        ZelImport import;
        EXPECT_EQ(import.ImportFromString(defs, &Collect, &v_got, "Ann,Oslo,x\n", &a_map, "Field"), 1);
        ASSERT_EQ(v_got.size(), 2u);
        EXPECT_EQ(v_got[0].vValues, (std::vector<std::string>{"Column 1=Ann#1"})) << "the other columns still go";
        ASSERT_EQ(import.GetErrors().GetSize(), 1);
        EXPECT_EQ(import.GetErrors()[0], "Line 1: unknown field 'Bygone'");
    }
    {
        ScriptedWizard wizard(Map({"Name"}));
        std::vector<Delivered> v_got;
        ZelImport import;
        import.ImportFromString(defs, &Collect, &v_got, "a,b\nc\nd\ne,f,g\n", nullptr, "Field");
        ASSERT_EQ(v_got.size(), 2u);
        EXPECT_EQ(v_got[0].iRecord, 1);
        EXPECT_EQ(v_got[1].iRecord, -1) << "the end is told when every other record failed";
        EXPECT_EQ(import.GetErrors().GetSize(), 3);
        import.ImportFromString(defs, &Collect, &v_got, "a,b\nc\n", nullptr, "Field");
        EXPECT_EQ(import.GetErrors().GetSize(), 4) << "errors add up over imports";
    }
}

TEST(Import, TheSourcesEncoding)
{
    struct Case {
        const char* p_name;
        std::string s_bytes;
        std::string s_value; // Name of the first record, empty when none
        std::string s_error;
    };
    const Case a_cases[] = {
        {"code page 1252 bytes stay", "Caf\xE9,\x80\n", "Caf\xE9", ""},
        {"UTF-8 is converted", "Caf\xC3\xA9,\xE2\x82\xAC\n", "Caf\xE9", ""},
        {"a byte-order mark goes", "\xEF\xBB\xBF\xC3\x85sa,x\n", "\xC5sa", ""},
        {"not UTF-8 throughout: bytes as they are", "Caf\xC3\xA9,\xE9\n", "Caf\xC3\xA9", ""},
        {"a character the code page lacks refuses its record", "\xE4\xB8\xAD,x\nBo,\xC3\xA9\n", "Bo",
         "Line 1: the character U+4E2D cannot be held in the event's character set"},
        {"a character beyond the first plane", "x,\xF0\x9F\x98\x80\n", "",
         "Line 1: the character U+1F600 cannot be held in the event's character set"},
    };
    const ZelImportFieldDef defs = Fields();
    for (const Case& c : a_cases) {
        for (bool b_file : {false, true}) {
            ScriptedWizard wizard(Map({"Name"}));
            std::vector<Delivered> v_got;
            ZelImport import;
            if (b_file) {
                TempFile file(c.s_bytes);
                import.Import(defs, &Collect, &v_got, file.Path(), nullptr, "Field");
            } else {
                import.ImportFromString(defs, &Collect, &v_got, c.s_bytes, nullptr, "Field");
            }
            const std::string s_first = v_got.size() > 1 ? v_got[0].vValues.at(0) : std::string();
            EXPECT_EQ(s_first, c.s_value.empty() ? "" : "Column 1=" + c.s_value + "#1") << c.p_name;
            const std::vector<std::string> v_expected =
                c.s_error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.s_error};
            EXPECT_EQ(ToVector(import.GetErrors()), v_expected) << c.p_name;
        }
    }
}

TEST(Import, AFileThatCannotBeOpenedIsReported)
{
    ScriptedMessageBox boxes;
    ScriptedWizard wizard(Map({"Name"}));
    std::vector<Delivered> v_got;
    ZelImport import;
    const std::string s_missing = (std::filesystem::temp_directory_path() / "rvx-no-such-file.csv").string();
    EXPECT_EQ(import.Import(Fields(), &Collect, &v_got, s_missing, nullptr, "Field"), ZelImport::resultFailed);
    EXPECT_EQ(import.Import(Fields(), &Collect, &v_got, std::filesystem::temp_directory_path().string(), nullptr,
                            "Field"),
              ZelImport::resultFailed)
        << "a folder is no file";
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Cannot access file '" + s_missing + "': No such file or directory");
    EXPECT_NE(boxes.Boxes()[1].sText.find("Is a directory"), std::string::npos);
    EXPECT_EQ(wizard.nRuns, 0);
    EXPECT_TRUE(v_got.empty());
}

TEST(Import, CancellingTheFileDialogOrTheWizardChangesNothing)
{
    ScriptedMessageBox boxes;
    ScriptedFileDialogs dialogs;
    ScriptedWizard wizard([](ZelImportWizardCore& w) {
        w.ChooseField(0, "Town");
        return 2;
    });
    TempFile file("Ann,Oslo\n");
    dialogs.AnswerCancel();
    dialogs.AnswerPath(file.Path());
    ZelStringArray a_map;
    a_map.Add("Name");
    std::vector<Delivered> v_got;
    ZelImport import;
    EXPECT_EQ(import.Import(Fields(), &Collect, &v_got, &a_map, "Field"), ZelImport::resultCancelled);
    EXPECT_TRUE(boxes.Boxes().empty()) << "a cancelled file dialog is no error";
    EXPECT_EQ(wizard.nRuns, 0);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    const FileDialogRequest& request = dialogs.Requests()[0];
    EXPECT_EQ(request.sTitle, "Import");
    ASSERT_EQ(request.vFilters.size(), 2u);
    EXPECT_EQ(request.vFilters[0], (std::pair<std::string, std::string>("Text file", "*.txt;*.csv")));
    EXPECT_EQ(request.vFilters[1], (std::pair<std::string, std::string>("All files", "*.*")));
    EXPECT_TRUE(request.bMustExist);

    EXPECT_EQ(import.Import(Fields(), &Collect, &v_got, &a_map, "Field"), ZelImport::resultCancelled);
    EXPECT_EQ(wizard.nRuns, 1);
    EXPECT_TRUE(v_got.empty()) << "a cancelled wizard imports nothing";
    ASSERT_EQ(a_map.GetSize(), 1);
    EXPECT_EQ(a_map[0], "Name") << "and leaves the caller's map as it was";
}

// The progress window as a test sees it: a clock that moves a step at each
// reading, a window that may refuse to open, and a Cancel pressed at the
// pump chosen.
class ScriptedProgress : public IZelImportProgressPort {
public:
    ScriptedProgress(std::int64_t ll_step, bool b_opens, int n_cancelAtPump)
        : llStep(ll_step), bOpens(b_opens), nCancelAtPump(n_cancelAtPump)
    {
        pPrevious = ZelSetImportProgressPort(this);
    }
    ~ScriptedProgress() override { ZelSetImportProgressPort(pPrevious); }

    std::int64_t GetMilliseconds() override { return llNow += llStep; }
    bool Open(const std::string&) override
    {
        ++nOpenCalls;
        bShown = bOpens;
        return bOpens;
    }
    void Show(const std::string& s_status, std::uint64_t u_done, std::uint64_t u_total) override
    {
        EXPECT_TRUE(bShown);
        sStatus = s_status;
        EXPECT_LE(u_done, u_total);
        EXPECT_GE(u_done, uLastDone) << "the bar never goes back";
        uLastDone = u_done;
        uTotal = u_total;
    }
    bool Pump() override
    {
        EXPECT_TRUE(bShown);
        return ++nPumps >= nCancelAtPump;
    }
    void Close() override
    {
        EXPECT_TRUE(bShown);
        bShown = false;
        ++nClosed;
    }

    std::int64_t llStep;
    bool bOpens;
    int nCancelAtPump;
    std::int64_t llNow = 0;
    bool bShown = false;
    int nOpenCalls = 0;
    int nClosed = 0;
    int nPumps = 0;
    std::string sStatus;
    std::uint64_t uLastDone = 0;
    std::uint64_t uTotal = 0;

private:
    IZelImportProgressPort* pPrevious;
};

// The window opens only once an import has run for a moment, shows how far
// into the source it has read and answers at the pump's pace; its Cancel
// stops the records where they stand, without the final call and with the
// caller's column map as it was. A window that cannot open leaves the
// import to run to its end.
TEST(Import, ProgressAfterAMomentAndACancelThatStopsTheRecords)
{
    std::string s_text;
    for (int i = 1; i <= 3000; ++i)
        s_text += "Person " + std::to_string(i) + ",Town " + std::to_string(i % 7) + "\n";
    const TempFile file(s_text);
    struct Case {
        const char* pWhat;
        bool bFile;
        std::int64_t llStep; // ms a clock reading takes
        bool bOpens;
        int nCancelAtPump;
        int iResult;
        bool bShown;
    };
    const int n_never = 1 << 30;
    for (const Case& c : {
             Case{"a short import", false, 0, true, 1, ZelImport::resultDone, false},
             Case{"a long one to its end", true, 10, true, n_never, ZelImport::resultDone, true},
             Case{"cancelled at once", false, 10, true, 1, ZelImport::resultStopped, true},
             Case{"cancelled later, from a file", true, 10, true, 3, ZelImport::resultStopped, true},
             Case{"no window", true, 10, false, 1, ZelImport::resultDone, false},
         }) {
        SCOPED_TRACE(c.pWhat);
        ScriptedProgress progress(c.llStep, c.bOpens, c.nCancelAtPump);
        ScriptedWizard wizard(Map({"Name", "Town"}));
        ZelStringArray a_map;
        a_map.Add("Town");
        std::vector<Delivered> v_got;
        ZelImport import;
        const int i_result = c.bFile ? import.Import(Fields(), &Collect, &v_got, file.Path(), &a_map, "Field")
                                     : import.ImportFromString(Fields(), &Collect, &v_got, s_text, &a_map, "Field");
        EXPECT_EQ(i_result, c.iResult);
        EXPECT_EQ(progress.nClosed, c.bShown ? 1 : 0);
        EXPECT_FALSE(progress.bShown);
        if (!c.bShown) {
            EXPECT_EQ(progress.nPumps, 0);
        }
        ASSERT_FALSE(v_got.empty());
        if (i_result == ZelImport::resultDone) {
            EXPECT_EQ(v_got.size(), 3001u) << "every record and the final call";
            EXPECT_EQ(v_got.back().iRecord, -1);
            EXPECT_EQ(ToVector(a_map), (std::vector<std::string>{"Name", "Town"}));
        } else {
            EXPECT_EQ(progress.nPumps, c.nCancelAtPump);
            EXPECT_GT(v_got.size(), 100u);
            EXPECT_LT(v_got.size(), 3000u) << "stopped part way";
            EXPECT_NE(v_got.back().iRecord, -1) << "no final call";
            EXPECT_EQ(progress.sStatus, "Record " + std::to_string(v_got.back().iRecord));
            EXPECT_EQ(ToVector(a_map), (std::vector<std::string>{"Town"})) << "the map as it was";
        }
        if (c.bShown) {
            EXPECT_EQ(progress.uTotal, s_text.size());
            EXPECT_GT(progress.uLastDone, 0u);
        }
        if (c.nCancelAtPump == 1 && c.bShown) {
            // The window came up half a second into the import: the clock
            // is read every 16 records, and moves 10 ms at each reading.
            EXPECT_EQ(v_got.size(), 800u);
        }
    }
}

TEST(ImportFieldDefs, SortedByNameAndCompared)
{
    ZelImportFieldDef defs;
    EXPECT_EQ(defs.Add("b", ZelImportFieldDef::COLTYPE_STRING, 1, ZelImportFieldDef::COLTYPE_SINGLE, 0), 0);
    EXPECT_EQ(defs.Add("a", ZelImportFieldDef::COLTYPE_STRING, 2, ZelImportFieldDef::COLTYPE_SEPARATED_DASH, 0), 0);
    EXPECT_EQ(defs.Add("B", ZelImportFieldDef::COLTYPE_STRING, 3, ZelImportFieldDef::COLTYPE_SEPARATED_COMMA, 0), 0)
        << "case-sensitive: capitals first";
    EXPECT_EQ(defs.Add("b", ZelImportFieldDef::COLTYPE_STRING, 4, ZelImportFieldDef::COLTYPE_SINGLE,
                       ZelImportFieldDef::COLTYPE_REPEATABLE),
              2)
        << "in front of an equal name";
    EXPECT_EQ(defs[2].uData, 4u);
    EXPECT_EQ(defs[2].uType, 0x111u);
    EXPECT_EQ(defs[1].sSeparator, "-");
    EXPECT_EQ(defs[0].sSeparator, ",");
    EXPECT_EQ(defs.FindField("a"), 1);
    EXPECT_EQ(defs.FindField("c"), -1);
    ZelImportFieldDef same;
    same.Add("B", ZelImportFieldDef::COLTYPE_STRING, 30, ZelImportFieldDef::COLTYPE_SEPARATED_COMMA, 0);
    same.Add("a", ZelImportFieldDef::COLTYPE_STRING, 20, ZelImportFieldDef::COLTYPE_SEPARATED_DASH, 0);
    same.Add("b", ZelImportFieldDef::COLTYPE_STRING, 40, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    EXPECT_NE(defs, same);
    same.Add("b", ZelImportFieldDef::COLTYPE_STRING, 10, ZelImportFieldDef::COLTYPE_SINGLE,
             ZelImportFieldDef::COLTYPE_REPEATABLE);
    EXPECT_EQ(defs, same) << "the data values are not compared";
}

} // namespace
