#include "framework/ListBox.h"
#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "zelkit/base/ZelStringArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Texts around the edges of the internal-error range, ahead of the
// program's own texts for the length of a test.
class EdgeTexts {
public:
    EdgeTexts() { ResourceChain::Add(&Module, true); }
    ~EdgeTexts() { ResourceChain::Remove(&Module); }

private:
    static constexpr StringEntry a_texts[] = {
        {9999, "Below %1."},
        {10199, "Last %1."},
        {10200, "Above %1."},
    };
    CResourceModule Module{"edge texts", a_texts};
};

TEST(MessageHelpers, OnlyInternalErrorsGetTheErrorCodeLine)
{
    EdgeTexts texts;
    struct Case {
        UINT uId;
        const char* pExpected;
    };
    const Case a_cases[] = {
        {9999, "Below x."},
        {10000, "Error code 10000.\nError code x."},
        {10199, "Error code 10199.\nLast x."},
        {10200, "Above x."},
        {10005, "Error code 10005.\nCannot find group 'x'.\nContact your Support facility for this Product."},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(FormatMessageId(c.uId, "x"), c.pExpected) << c.uId;
}

TEST(MessageHelpers, ArgumentFormsAndMissingTexts)
{
    EXPECT_EQ(FormatMessageId2(10007, "Fit", "12"),
        "Error code 10007.\nA undefined error has occurred during internal program operation (func=Fit,key=12).\n"
        "Contact your Support facility for this Product.\nThe program will now terminate.");
    ZelStringArray a_args;
    a_args.Add("no slot");
    EXPECT_EQ(FormatMessageIdArray(10008, a_args),
        "Error code 10008.\nAn internal error has occurred while building the timetable.\n\nno slot\n\n"
        "Contact your Support facility for this Product.");
    // A string id nobody has shows an empty text, after the code line when
    // it is an internal error.
    EXPECT_EQ(FormatMessageId(9000, "x"), "");
    EXPECT_EQ(FormatMessageId(10150, "x"), "Error code 10150.\n");

    EXPECT_EQ(LoadResString(10025, "fallback"), "An undefined error has occurred.");
    std::string s_text = "old";
    LoadResString(9000, "fallback", s_text);
    EXPECT_EQ(s_text, "fallback");
}

TEST(MessageHelpers, EveryBoxEndsTheSplashFirst)
{
    ScriptedMessageBox boxes;
    ScriptedEndSplash splash;
    std::vector<std::size_t> v_boxesBeforeEnd;
    splash.SetAction([&] { v_boxesBeforeEnd.push_back(boxes.Boxes().size()); });
    boxes.Answer(IDNO);

    EXPECT_EQ(ShowMessageId(10005, "Red", MB_YESNO | MB_ICONQUESTION), IDNO);
    ShowMessageId2(10007, "f", "k", MB_OK | MB_ICONSTOP);
    ZelStringArray a_args;
    a_args.Add("why");
    ShowMessageIdArray(10008, a_args, MB_OK);
    ShowMessageText("plain", MB_OK);
    ShowMessageBox("plainer", MB_OKCANCEL);

    ASSERT_EQ(boxes.Boxes().size(), 5u);
    EXPECT_EQ(v_boxesBeforeEnd, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(boxes.Boxes()[0].sText, FormatMessageId(10005, "Red"));
    EXPECT_EQ(boxes.Boxes()[0].uStyle, static_cast<std::uint32_t>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes.Boxes()[1].sText, FormatMessageId2(10007, "f", "k"));
    EXPECT_EQ(boxes.Boxes()[2].sText, FormatMessageIdArray(10008, a_args));
    EXPECT_EQ(boxes.Boxes()[4].sText, "plainer");
}

// A list box in memory; entries carry their text's first letter as data.
class MemoryListBox : public IListBoxItems {
public:
    struct Entry {
        std::string sText;
        std::uintptr_t uData;
        bool bSelected;
    };

    MemoryListBox(const std::string& s_letters, const std::vector<int>& v_selected)
    {
        for (char c : s_letters)
            vEntries.push_back({std::string(1, c), static_cast<std::uintptr_t>(c), false});
        for (int i : v_selected)
            vEntries[static_cast<std::size_t>(i)].bSelected = true;
    }

    std::string Letters() const
    {
        std::string s;
        for (const Entry& e : vEntries) {
            s += e.sText;
            EXPECT_EQ(e.uData, static_cast<std::uintptr_t>(e.sText[0])) << "item data left its entry";
        }
        return s;
    }
    std::vector<int> Selected() const
    {
        std::vector<int> v;
        GetSelItems(v);
        return v;
    }

    int GetCount() const override { return static_cast<int>(vEntries.size()); }
    int GetSelItems(std::vector<int>& v_selected) const override
    {
        if (bSingleSelection)
            return LB_ERR;
        v_selected.clear();
        for (int i = 0; i < GetCount(); ++i) {
            if (vEntries[static_cast<std::size_t>(i)].bSelected)
                v_selected.push_back(i);
        }
        return static_cast<int>(v_selected.size());
    }
    int GetText(int i, std::string& s_text) const override
    {
        if (!Valid(i))
            return LB_ERR;
        s_text = vEntries[static_cast<std::size_t>(i)].sText;
        return static_cast<int>(s_text.size());
    }
    std::uintptr_t GetItemData(int i) const override
    {
        return Valid(i) ? vEntries[static_cast<std::size_t>(i)].uData : static_cast<std::uintptr_t>(LB_ERR);
    }
    int InsertString(int i, const std::string& s_text) override
    {
        if (bFull)
            return LB_ERRSPACE;
        if (i < -1 || i > GetCount())
            return LB_ERR;
        const int i_at = i < 0 ? GetCount() : i;
        vEntries.insert(vEntries.begin() + i_at, Entry{s_text, 0, false});
        return i_at;
    }
    int DeleteString(int i) override
    {
        if (!Valid(i))
            return LB_ERR;
        vEntries.erase(vEntries.begin() + i);
        return GetCount();
    }
    int SetItemData(int i, std::uintptr_t u_data) override
    {
        if (!Valid(i))
            return LB_ERR;
        vEntries[static_cast<std::size_t>(i)].uData = u_data;
        return 0;
    }
    int SetSel(int i, BOOL b_select) override
    {
        if (i == -1) {
            for (Entry& e : vEntries)
                e.bSelected = b_select != FALSE;
            return 0;
        }
        if (!Valid(i))
            return LB_ERR;
        vEntries[static_cast<std::size_t>(i)].bSelected = b_select != FALSE;
        return 0;
    }

    bool bSingleSelection = false;
    bool bFull = false;

private:
    bool Valid(int i) const { return i >= 0 && i < GetCount(); }
    std::vector<Entry> vEntries;
};

TEST(MessageHelpers, MoveListBoxSelection)
{
    struct Case {
        std::vector<int> vSelected;
        BOOL bUp;
        const char* pLetters;
        std::vector<int> vSelectedAfter;
    };
    const Case a_cases[] = {
        // The first entry cannot go up; the others still move.
        {{0, 2}, TRUE, "ACBDE", {0, 1}},
        {{1, 2}, TRUE, "BCADE", {0, 1}},
        {{4}, TRUE, "ABCED", {3}},
        // The last entry cannot go down; from the last but one an entry
        // goes to the end.
        {{1, 4}, FALSE, "ACBDE", {2, 4}},
        {{3}, FALSE, "ABCED", {4}},
        {{0, 1}, FALSE, "CABDE", {1, 2}},
        // An entry moves past its neighbour even when that neighbour is
        // selected and could not move: the two change places, and the
        // selection keeps the index the unmoved one had.
        {{0, 1}, TRUE, "BACDE", {0}},
        {{}, TRUE, "ABCDE", {}},
    };
    for (const Case& c : a_cases) {
        MemoryListBox list("ABCDE", c.vSelected);
        EXPECT_EQ(MoveListBoxSelection(list, c.bUp), 1);
        EXPECT_EQ(list.Letters(), c.pLetters) << c.bUp << " " << ::testing::PrintToString(c.vSelected);
        EXPECT_EQ(list.Selected(), c.vSelectedAfter) << c.bUp << " " << ::testing::PrintToString(c.vSelected);
    }
}

TEST(MessageHelpers, MoveListBoxSelectionStopsAtAnError)
{
    MemoryListBox single("ABC", {1});
    single.bSingleSelection = true;
    EXPECT_EQ(MoveListBoxSelection(single, TRUE), 0);
    EXPECT_EQ(single.Letters(), "ABC");

    MemoryListBox full("ABC", {1});
    full.bFull = true;
    EXPECT_EQ(MoveListBoxSelection(full, FALSE), 0);
    EXPECT_EQ(full.Letters(), "ABC") << "nothing removed when the copy could not go in";
}

TEST(MessageHelpers, SplitTextLines)
{
    int n_measured = 0;
    const MeasureText f_measure = [&](const std::string& s_line) {
        ++n_measured;
        EXPECT_EQ(s_line.find_first_of("\r\n"), std::string::npos);
        return TextExtent{static_cast<LONG>(7 * s_line.size()), 10};
    };
    struct Case {
        const char* pText;
        TextExtent extent;
        int nLines;
    };
    const Case a_cases[] = {
        {"", {0, 0}, 0},
        {"abc", {21, 10}, 1},
        {"ab\r\nwide line\r\nc", {63, 30}, 3},
        {"ab\n", {14, 10}, 1},
        {"\n\nab", {14, 30}, 3},
        {"\r", {0, 0}, 0},
    };
    for (const Case& c : a_cases) {
        n_measured = 0;
        EXPECT_EQ(SplitTextLines(f_measure, c.pText), c.extent) << c.pText;
        EXPECT_EQ(n_measured, c.nLines) << c.pText;
    }
}

} // namespace
