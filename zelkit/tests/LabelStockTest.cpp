// Label stocks: lengths typed with units under either default unit, their
// texts, the label counts, the collections' results, and the ".ldf" file:
// its exact bytes, the older stock form, and damaged files that fail with
// the archive exception and change nothing.
#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/FileIO.h"
#include "zelkit/controls/ZelLabelPrint.h"
#include "zelkit/controls/ZelLocale.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The archive forms of the file, in file order.
class Builder {
public:
    Builder& Dword(std::int64_t i)
    {
        for (int k = 0; k < 4; ++k)
            v.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(i) >> (8 * k)));
        return *this;
    }
    Builder& Dwords(std::initializer_list<std::int64_t> a)
    {
        for (std::int64_t i : a)
            Dword(i);
        return *this;
    }
    Builder& Byte(std::uint8_t u)
    {
        v.push_back(u);
        return *this;
    }
    Builder& Word(std::uint16_t u)
    {
        v.push_back(static_cast<std::uint8_t>(u));
        v.push_back(static_cast<std::uint8_t>(u >> 8));
        return *this;
    }
    Builder& String(const std::string& s)
    {
        CArchive ar(CArchive::store);
        ar << s;
        v.insert(v.end(), ar.GetBuffer().begin(), ar.GetBuffer().end());
        return *this;
    }
    // Dimensions: version 1 and the twelve values.
    Builder& Dims(std::initializer_list<std::int64_t> a)
    {
        Dword(1);
        return Dwords(a);
    }
    Bytes v;
};

const std::initializer_list<std::int64_t> aDefaultDims = {1500, 500, 2, 7, 3810, 9800, 400, 0, 0, 29700, 21000, 1};

ZelLabelStockFile LoadBytes(const Bytes& v)
{
    ZelLabelStockFile file;
    CArchive ar{Bytes(v)};
    file.Serialize(ar);
    EXPECT_TRUE(ar.AtEnd());
    return file;
}

TEST(LabelStock, LengthsAreReadWithTheirUnitOrTheDefaultOne)
{
    struct Case {
        const char* pText;
        LONG lMilliM; // millimetres by default
        LONG lInches; // inches by default
    };
    const Case a_cases[] = {
        {"2.5 cm", 2500, 2500},
        {"1 inch", 2540, 2540},
        {"1 INCHES", 2540, 2540},
        {"0.5in", 1270, 1270},
        {"12", 1200, 30480},
        {"12 ft", 1200, 30480}, // a unit not known is the default one
        {"15.0 mm", 1500, 1500},
        {"  7.25 mm", 725, 725},
        {"0 mm", 0, 0},
        {"0.001", 0, 2},
        {"-3", -1, -1},
        {"-0.5 cm", -1, -1},
        {"abc", 0, 0},
        {"", 0, 0},
        {"2,5 cm", 200, 5080}, // "." is the decimal mark, whatever the locale
        {"1e12 mm", 2147483647, 2147483647},
        {"nan", 0, 0},
        {"inf cm", 2147483647, 2147483647},
    };
    ZelFixedLocale metric(IZelLocalePort::measureMetric, "");
    ZelLabelDim mm;
    {
        ZelFixedLocale us(IZelLocalePort::measureUS, "");
        ZelLabelDim inches;
        EXPECT_EQ(inches.GetInches(), 1);
        for (const Case& c : a_cases) {
            EXPECT_EQ(mm.Parse(c.pText), c.lMilliM) << '"' << c.pText << "\" in millimetres";
            EXPECT_EQ(inches.Parse(c.pText), c.lInches) << '"' << c.pText << "\" in inches";
        }
    }
    EXPECT_EQ(mm.GetInches(), 0);
    ZelFixedLocale unknown(IZelLocalePort::measureUnknown, "");
    EXPECT_EQ(ZelLabelDim().GetInches(), 0) << "millimetres when the locale says nothing";
}

TEST(LabelStock, LengthsAreShownInTheUnitOfTheStock)
{
    ZelFixedLocale metric(IZelLocalePort::measureMetric, "");
    ZelLabelDim mm;
    EXPECT_EQ(mm.FormatDimension(1500), "15.0 mm");
    EXPECT_EQ(mm.FormatDimension(0), "0.0 mm");
    EXPECT_EQ(mm.FormatDimension(CSize(9800, 3810)), "Height=38.1 mm, Width=98.0 mm");
    EXPECT_EQ(mm.FormatDimension(725), "7.2 mm") << "to the tenth, halves to even";
    EXPECT_EQ(mm.Parse(mm.FormatDimension(730)), 730) << "a shown length reads back";

    ZelFixedLocale us(IZelLocalePort::measureUS, "");
    ZelLabelDim inches;
    EXPECT_EQ(inches.FormatDimension(1500), "0.59 in");
    EXPECT_EQ(inches.FormatDimension(2540), "1.00 in");
    EXPECT_EQ(inches.FormatDimension(CSize(9800, 3810)), "Height=1.50 in, Width=3.86 in");

    // The unit belongs to the object: assignment copies only the lengths.
    inches.SetTopMargin(1234);
    mm = inches;
    EXPECT_EQ(mm.GetTopMargin(), 1234);
    EXPECT_EQ(mm.GetInches(), 0);

    EXPECT_EQ(ZelLabelDim::FromMilliM(15.099), 1509);
    EXPECT_EQ(ZelLabelDim::FromInches(1.5), 3810);
    EXPECT_EQ(ZelLabelDim::FromMilliM(-2.009), -200) << "toward zero";
}

TEST(LabelStock, SettersKeepLengthsAndCountsInRange)
{
    ZelFixedLocale metric(IZelLocalePort::measureMetric, "");
    ZelLabelDim dim;
    int i_down = 0, i_across = 0;
    dim.GetNLabels(i_down, i_across);
    EXPECT_EQ(i_down, 7);
    EXPECT_EQ(i_across, 2);
    dim.SetNLabels(0, -5);
    dim.GetNLabels(i_down, i_across);
    EXPECT_EQ(i_down, 1);
    EXPECT_EQ(i_across, 1);

    dim.SetTopMargin(-1);
    dim.SetLeftMargin(-20);
    dim.SetLabelDim(CSize(-1, 300));
    dim.SetPaperDim(CSize(100, -100));
    dim.SetBetween(-3, 40);
    LONG l_rows = 0, l_columns = 0;
    dim.GetBetween(l_rows, l_columns);
    EXPECT_EQ(dim.GetTopMargin(), 0);
    EXPECT_EQ(dim.GetLeftMargin(), 0);
    EXPECT_EQ(dim.GetLabelDim(), CSize(0, 300));
    EXPECT_EQ(dim.GetWidth(), 0);
    EXPECT_EQ(dim.GetHeight(), 300);
    EXPECT_EQ(dim.GetPaperDim(), CSize(100, 0));
    EXPECT_EQ(l_rows, 0);
    EXPECT_EQ(l_columns, 40);

    EXPECT_EQ(dim.FormatTypeName(), "Page");
    dim.SetType(ZelLabelDim::stFanFold);
    EXPECT_EQ(dim.FormatTypeName(), "Fanfold");
    dim.SetType(ZelLabelDim::stRoll);
    EXPECT_EQ(dim.FormatTypeName(), "Roll");
    dim.SetType(static_cast<ZelLabelDim::StockType>(7));
    EXPECT_EQ(dim.FormatTypeName(), "<unknown>");
    EXPECT_EQ(dim.FormatOrientName(), "Portrait");
    dim.SetOrientation(0);
    EXPECT_EQ(dim.FormatOrientName(), "Landscape");
}

ZelLabelStock Stock(const std::string& s_name, LONG l_top = 1500)
{
    ZelLabelStock stock;
    stock.SetName(s_name);
    stock.GetDim().SetTopMargin(l_top);
    return stock;
}

TEST(LabelStock, NamesAreUniqueInAGroupAndGroupsInAFile)
{
    ZelLabelStockGroup group;
    ZelLabelStock a = Stock("  Sheet   21 "), b = Stock("Sheet 14"), a2 = Stock("Sheet 21", 99);
    EXPECT_EQ(a.GetName(), "Sheet 21") << "names are normalised";
    EXPECT_EQ(Stock(std::string(60, 'x')).GetName().size(), 50u);
    EXPECT_EQ(group.Add(a), lrSuccess);
    EXPECT_EQ(group.Add(b), lrSuccess);
    EXPECT_EQ(group.Add(a2), lrDuplicateName);
    EXPECT_EQ(group.GetSize(), 2);
    EXPECT_EQ(group.Find("sheet 21"), -1) << "exact, case-sensitive";
    EXPECT_EQ(group.Find(b), 1);

    EXPECT_EQ(group.Change(1, a2), lrDuplicateName) << "another stock has that name";
    EXPECT_EQ(group[1].GetDim().GetTopMargin(), 1500);
    EXPECT_EQ(group.Change(0, a2), lrSuccess) << "its own name";
    EXPECT_EQ(group[0].GetDim().GetTopMargin(), 99);
    EXPECT_EQ(group.Delete("Nothing"), lrNotFound);
    EXPECT_EQ(group.Delete("Sheet 21"), lrSuccess);
    EXPECT_EQ(group.GetSize(), 1);
    EXPECT_EQ(group[0].GetName(), "Sheet 14");

    ZelLabelStockFile file;
    ZelLabelStockGroup g1, g2;
    g1.SetGroupName("Sheets");
    g2.SetGroupName("Sheets");
    EXPECT_EQ(file.Add(g1), lrSuccess);
    EXPECT_EQ(file.Add(g2), lrDuplicateName);
    EXPECT_EQ(file.Find("Sheets"), 0);
    EXPECT_EQ(file.Delete("Rolls"), lrNotFound);
    EXPECT_EQ(file.Delete("Sheets"), lrSuccess);
    EXPECT_EQ(file.GetSize(), 0);
}

class LabelStockFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pDir = fs::temp_directory_path() / ("rvx-ldf-" + std::to_string(getpid()));
        fs::create_directories(pDir);
    }
    void TearDown() override
    {
        fs::permissions(pDir, fs::perms::owner_all);
        fs::remove_all(pDir);
    }

    // Two groups, the second with two stocks.
    static ZelLabelStockFile Sample()
    {
        ZelLabelStockFile file;
        ZelLabelStockGroup empty, sheets;
        empty.SetGroupName("Rolls");
        sheets.SetGroupName("Sheets \xE9");
        ZelLabelStock a = Stock("A4 2x7"), b = Stock("Letter", 1270);
        b.GetDim().SetType(ZelLabelDim::stFanFold);
        b.GetDim().SetNLabels(10, 3);
        b.GetDim().SetPaperDim(CSize(21590, 27940));
        b.GetDim().SetOrientation(0);
        sheets.Add(a);
        sheets.Add(b);
        file.Add(empty);
        file.Add(sheets);
        return file;
    }

    static Bytes SampleBytes()
    {
        Builder b;
        b.Dword(1).Word(2);
        b.Dword(1).String("Rolls").Word(0);
        b.Dword(1).String("Sheets \xE9").Word(2);
        b.Dword(2).Dword(1).String("A4 2x7").Dims(aDefaultDims);
        b.Dword(2).Dword(1).String("Letter").Dims({1270, 500, 3, 10, 3810, 9800, 400, 0, 1, 27940, 21590, 0});
        return b.v;
    }

    fs::path pDir;
};

TEST_F(LabelStockFileTest, AStoredFileHasTheFormatsBytesAndLoadsBack)
{
    ZelFixedLocale metric(IZelLocalePort::measureMetric, "");
    ZelLabelStockFile file = Sample();
    file.SetFileName((pDir / "stocks").string());
    ASSERT_TRUE(file.Store());
    EXPECT_EQ(file.GetFileName(), (pDir / "stocks.ldf").string()) << "the extension is added";
    EXPECT_EQ(ReadWholeFile((pDir / "stocks.ldf").string()), SampleBytes());

    ZelLabelStockFile again;
    again.SetFileName((pDir / "stocks.ldf").string());
    ASSERT_TRUE(again.Load());
    ASSERT_EQ(again.GetSize(), 2);
    EXPECT_EQ(again[0].GetGroupName(), "Rolls");
    EXPECT_EQ(again[0].GetSize(), 0);
    ASSERT_EQ(again[1].GetSize(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(again[1][i].GetName(), file[1][i].GetName());
        EXPECT_TRUE(again[1][i].GetDim() == file[1][i].GetDim()) << i;
    }
    // Loading replaces what was held.
    ZelLabelStockGroup extra;
    extra.SetGroupName("Extra");
    again.Add(extra);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetSize(), 2);
}

TEST_F(LabelStockFileTest, AnOlderStockWithAPlainNameLoads)
{
    Builder b;
    b.Dword(1).Word(1).Dword(1).String("Old").Word(1);
    b.Dword(1).String("  Old    stock ").Dims({1, 2, 3, 4, 5, 6, 7, 8, 2, 10, 11, 1});
    const ZelLabelStockFile file = LoadBytes(b.v);
    ASSERT_EQ(file.GetSize(), 1);
    ASSERT_EQ(file[0].GetSize(), 1);
    const ZelLabelStock& stock = file[0][0];
    EXPECT_EQ(stock.GetName(), "Old stock") << "through the name's rules";
    EXPECT_EQ(stock.GetDim().GetTopMargin(), 1);
    EXPECT_EQ(stock.GetDim().GetType(), ZelLabelDim::stRoll);
    EXPECT_EQ(stock.GetDim().GetPaperDim(), CSize(11, 10));
}

TEST_F(LabelStockFileTest, DamagedFilesFailWithTheArchiveExceptionAndChangeNothing)
{
    const Bytes v_good = SampleBytes();
    struct Case {
        const char* pWhat;
        Bytes v;
        CArchiveException::Cause eCause;
    };
    std::vector<Case> v_cases = {
        {"file version 2", Builder().Dword(2).Word(0).v, CArchiveException::badSchema},
        {"group version 0", Builder().Dword(1).Word(1).Dword(0).String("g").Word(0).v, CArchiveException::badSchema},
        {"stock version 3",
         Builder().Dword(1).Word(1).Dword(1).String("g").Word(1).Dword(3).Dword(1).String("s").Dims(aDefaultDims).v,
         CArchiveException::badSchema},
        {"name version 2",
         Builder().Dword(1).Word(1).Dword(1).String("g").Word(1).Dword(2).Dword(2).String("s").Dims(aDefaultDims).v,
         CArchiveException::badSchema},
        {"dimensions version 2",
         Builder().Dword(1).Word(1).Dword(1).String("g").Word(1).Dword(2).Dword(1).String("s").Dword(2).Dwords(
             aDefaultDims).v,
         CArchiveException::badSchema},
        {"a huge group count", Builder().Dword(1).Word(0xFFFF).Dword(0x7FFFFFFF).v, CArchiveException::badSchema},
        {"a huge stock count", Builder().Dword(1).Word(1).Dword(1).String("g").Word(0xFFFF).Dword(0xFFFFFFF0).v,
         CArchiveException::badSchema},
        {"more stocks than bytes", Builder().Dword(1).Word(1).Dword(1).String("g").Word(2).Dword(2).Dword(1).String(
             "s").Dims(aDefaultDims).v,
         CArchiveException::badSchema},
        {"an overlong group name", Builder().Dword(1).Word(1).Dword(1).Byte(0xFF).Word(0x7000).v,
         CArchiveException::endOfFile},
    };
    // Every cut of a good file.
    for (std::size_t n = 0; n < v_good.size(); ++n)
        v_cases.push_back({"cut", Bytes(v_good.begin(), v_good.begin() + static_cast<std::ptrdiff_t>(n)),
                           CArchiveException::none});

    ZelLabelStockFile file = Sample();
    for (const Case& c : v_cases) {
        CArchive ar{Bytes(c.v)};
        try {
            file.Serialize(ar);
            ADD_FAILURE() << c.pWhat << " (" << c.v.size() << " bytes) loaded";
        } catch (const CArchiveException& e) {
            if (c.eCause != CArchiveException::none) {
                EXPECT_EQ(e.m_cause, c.eCause) << c.pWhat;
            }
        }
        ASSERT_EQ(file.GetSize(), 2) << c.pWhat << ": the groups held stay";
        EXPECT_EQ(file[1].GetSize(), 2) << c.pWhat;
        EXPECT_EQ(file[1].GetGroupName(), "Sheets \xE9") << c.pWhat;
    }

    // The same through the file: the exception reaches the caller.
    const fs::path p_bad = pDir / "bad.ldf";
    WriteFileAtomically(p_bad.string(), v_cases[0].v);
    file.SetFileName(p_bad.string());
    EXPECT_THROW(file.Load(), CArchiveException);
    EXPECT_EQ(file.GetSize(), 2);
}

TEST_F(LabelStockFileTest, BadNamesAndUnreachableFilesGiveZeroAndAFailedStoreKeepsTheOldFile)
{
    ZelLabelStockFile file = Sample();
    for (const std::string& p_name : {std::string(), std::string("   "), (pDir / "a*b.ldf").string(),
                                      (pDir / "sub/").string()}) {
        file.SetFileName(p_name);
        EXPECT_FALSE(file.Load()) << p_name;
        EXPECT_FALSE(file.Store()) << p_name;
    }
    file.SetFileName((pDir / "missing.ldf").string());
    EXPECT_FALSE(file.Load());
    EXPECT_EQ(file.GetSize(), 2);

    // A target that cannot be replaced by a file.
    fs::create_directory(pDir / "folder.ldf");
    file.SetFileName((pDir / "folder.ldf").string());
    EXPECT_FALSE(file.Store());
    EXPECT_TRUE(fs::is_directory(pDir / "folder.ldf"));

    const fs::path p_kept = pDir / "kept.ldf";
    WriteFileAtomically(p_kept.string(), std::string("old bytes"));
    fs::permissions(pDir, fs::perms::owner_read | fs::perms::owner_exec);
    file.SetFileName(p_kept.string());
    const bool b_root = ::geteuid() == 0; // permissions do not stop root
    if (!b_root) {
        EXPECT_FALSE(file.Store());
        EXPECT_EQ(ReadWholeFile(p_kept.string()), Bytes({'o', 'l', 'd', ' ', 'b', 'y', 't', 'e', 's'}));
    }
    fs::permissions(pDir, fs::perms::owner_all);
}

TEST(LabelStock, AHeldSpinButtonStepsFurtherTheLongerItIsHeld)
{
    ZelSpinAccel accel;
    // One hold from 1000 ms, a tick every 50 ms: the step at each time.
    const std::map<DWORD, LONG> m_expected = {{1000, 10}, {1950, 10}, {2000, 100}, {3950, 100},
                                              {4000, 1000}, {5950, 1000}, {6000, 10000}, {6050, 10000}};
    std::map<DWORD, LONG> m_seen;
    for (DWORD u = 1000; u <= 6050; u += 50) {
        const LONG l_step = accel.Next(u);
        if (m_expected.count(u))
            m_seen[u] = l_step;
    }
    EXPECT_EQ(m_seen, m_expected);
    // A pause longer than a repeat, or the button going up, starts again.
    EXPECT_EQ(accel.Next(6050 + ZelSpinAccel::uHoldGap + 1), 10);
    EXPECT_EQ(accel.Next(6800), 10);
    accel.Release();
    EXPECT_EQ(accel.Next(6900), 10);
    // The clock wrapping in the middle of a hold.
    ZelSpinAccel wrap;
    EXPECT_EQ(wrap.Next(0xFFFFFF00u), 10);
    for (DWORD u = 0xFFFFFF00u + 400; u < 1400 || u > 0xFFFF0000u; u += 400)
        wrap.Next(u);
    EXPECT_EQ(wrap.Next(1500), 100) << "held about 1.8 s across the wrap";
}

} // namespace
