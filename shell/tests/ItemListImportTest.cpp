// Importing into an item list view without its window: the remembered
// mappings, what each import starts from and stores, and when the error
// list shows.
#include "shell/lists/ItemListImport.h"
#include "shell/tests/FakeImportView.h"

#include "framework/Archive.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int ID_FINISH = 12325;

// The wizard as a test runs it: records the map it starts from, then maps
// columns and ends as told.
class Wizard : public IZelImportWizardPort {
public:
    Wizard() { pPrevious = ZelSetImportWizardPort(this); }
    ~Wizard() override { ZelSetImportWizardPort(pPrevious); }
    int Run(ZelImportWizardCore& wizard, const std::string&, const std::string& s_heading) override
    {
        wizard.PrepareColumns();
        vStarts.push_back(ToVector(wizard.GetColumnMap()));
        sHeading = s_heading;
        for (std::size_t i = 0; i < vChoose.size() && static_cast<int>(i) < wizard.GetColumnCount(); ++i)
            if (!vChoose[i].empty())
                wizard.ChooseField(static_cast<int>(i), vChoose[i]);
        return iEnd;
    }
    std::vector<std::string> vChoose;
    int iEnd = ID_FINISH;
    std::vector<std::vector<std::string>> vStarts;
    std::string sHeading;

private:
    IZelImportWizardPort* pPrevious;
};

class ErrorsShown : public IILVImportErrorsPort {
public:
    ErrorsShown() { pPrevious = SetILVImportErrorsPort(this); }
    ~ErrorsShown() override { SetILVImportErrorsPort(pPrevious); }
    void Show(const ILVImportErrors& errors, const std::string& s_heading) override
    {
        vHeadings.push_back(s_heading);
        sTitle = errors.GetTitle();
        vRows.clear();
        for (int i = 0; i < errors.GetRows().GetSize(); ++i)
            vRows.push_back(errors.GetRows()[i][0] + "|" + errors.GetRows()[i][1]);
    }
    std::vector<std::string> vHeadings;
    std::string sTitle;
    std::vector<std::string> vRows;

private:
    IILVImportErrorsPort* pPrevious;
};

TEST(ItemListImport, TheSameSourceStartsFromItsLastMapping)
{
    FakeView view;
    ItemListImport import(view);
    Wizard wizard;
    ErrorsShown shown;
    wizard.vChoose = {"Town", "Name"};
    import.ImportFromString("web", "Oslo,Ann\nRome,Bob\n");
    EXPECT_EQ(view.vNames, (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(wizard.sHeading, "Group Field");
    EXPECT_EQ(view.nModified, 1);
    EXPECT_TRUE(shown.vHeadings.empty()) << "no errors, no list";

    wizard.vChoose.clear();
    import.ImportFromString("web", "Nice,Cy\n");
    ASSERT_EQ(wizard.vStarts.size(), 2u);
    EXPECT_EQ(wizard.vStarts[1], (std::vector<std::string>{"Town", "Name"}));
    EXPECT_EQ(view.vNames.back(), "Cy");
    EXPECT_EQ(view.nModified, 1) << "the most recent source with its map unchanged changes nothing";
}

TEST(ItemListImport, AFileStartsFromEitherNameAndIsStoredUnderTheSecond)
{
    FakeView view;
    ItemListImport import(view);
    ZelStringArray a_first;
    a_first.Add("Name");
    import.MapImportFields("first", &a_first);
    EXPECT_EQ(import.MatchImportHeading("nothing", "first"), &view.Mappings[0].ColumnMap);
    EXPECT_EQ(import.MatchImportHeading("nothing", ""), nullptr);

    Wizard wizard;
    const std::string s_path = testing::TempDir() + "rvx-list-import.csv";
    FILE* p_file = std::fopen(s_path.c_str(), "wb");
    ASSERT_NE(p_file, nullptr);
    std::fputs("Ann,Oslo\n", p_file);
    std::fclose(p_file);
    import.ImportFile("nothing", "first", s_path);
    ASSERT_EQ(wizard.vStarts.size(), 1u);
    EXPECT_EQ(wizard.vStarts[0], (std::vector<std::string>{"Name", ""}));
    ASSERT_EQ(view.Mappings.GetSize(), 1);
    EXPECT_EQ(view.Mappings[0].sName, "first");
    EXPECT_EQ(ToVector(view.Mappings[0].ColumnMap), (std::vector<std::string>{"Name", ""}));
    std::remove(s_path.c_str());
}

TEST(ItemListImport, NineMappingsAreKeptMostRecentFirst)
{
    FakeView view;
    ItemListImport import(view);
    Wizard wizard;
    wizard.vChoose = {"Name"};
    for (int i = 1; i <= 11; ++i)
        import.ImportFromString("source " + std::to_string(i), "Ann\n");
    ASSERT_EQ(view.Mappings.GetSize(), 9);
    EXPECT_EQ(view.Mappings[0].sName, "source 11");
    EXPECT_EQ(view.Mappings[8].sName, "source 3");
    const int n_modified = view.nModified;
    EXPECT_TRUE(import.MapImportFields("source 5", &view.Mappings[6].ColumnMap)) << "moved to the front";
    EXPECT_EQ(view.Mappings[0].sName, "source 5");
    EXPECT_TRUE(import.MapImportFields("source 5", nullptr)) << "dropped";
    EXPECT_EQ(view.Mappings.GetSize(), 8);
    EXPECT_FALSE(import.MapImportFields("source 5", nullptr));
    EXPECT_EQ(view.nModified, n_modified + 2);

    // The mappings keep their form through the view's layout.
    CArchive store(CArchive::store);
    view.Mappings.Serialize(store);
    CArchive load{std::vector<std::uint8_t>(store.GetBuffer())};
    ZelArray<ILVFieldMapping> a_loaded;
    a_loaded.Serialize(load);
    ASSERT_EQ(a_loaded.GetSize(), 8);
    EXPECT_EQ(a_loaded[0].sName, "source 11");
    EXPECT_EQ(ToVector(a_loaded[0].ColumnMap), (std::vector<std::string>{"Name"}));
}

TEST(ItemListImport, ErrorsOfTheImporterAndTheViewAreListed)
{
    FakeView view;
    ItemListImport import(view);
    Wizard wizard;
    ErrorsShown shown;
    wizard.vChoose = {"Name", "Town"};
    import.ImportFromString("web", "Ann,Oslo\n,Rome\nBob\n");
    ASSERT_EQ(shown.vHeadings.size(), 1u);
    EXPECT_EQ(shown.vHeadings[0], "1 groups were added, 2 errors occurred.  Any error messages are shown below.");
    EXPECT_EQ(shown.sTitle, "Import errors");
    EXPECT_EQ(shown.vRows, (std::vector<std::string>{"|A group must have a name.",
                                                     "|Line 3: wrong number of columns. Found 1 expected 2"}));
    EXPECT_EQ(import.GetCurrentErrors(), nullptr) << "the list lives for one import";
}

TEST(ItemListImport, ACancelledOrImpossibleImportKeepsTheMappingsAndTheDocument)
{
    FakeView view;
    ItemListImport import(view);
    ZelStringArray a_held;
    a_held.Add("Town");
    import.MapImportFields("web", &a_held);
    import.MapImportFields("other", &a_held);
    view.nModified = 0;
    Wizard wizard;
    ErrorsShown shown;
    ScriptedMessageBox boxes;
    wizard.vChoose = {"Name"};
    wizard.iEnd = 2;
    import.ImportFromString("web", "Ann\n");
    import.ImportFile("web", "other", testing::TempDir() + "rvx-no-such-import.csv");
    EXPECT_EQ(view.nModified, 0);
    ASSERT_EQ(view.Mappings.GetSize(), 2);
    EXPECT_EQ(view.Mappings[0].sName, "other");
    EXPECT_EQ(ToVector(view.Mappings[1].ColumnMap), (std::vector<std::string>{"Town"}));
    EXPECT_TRUE(view.vNames.empty());
    EXPECT_EQ(boxes.Boxes().size(), 1u) << "the file that cannot be opened";

    view.bCanImport = false;
    import.ImportFromString("web", "Ann\n");
    EXPECT_EQ(wizard.vStarts.size(), 1u) << "a view without fields does not import";
}

} // namespace
