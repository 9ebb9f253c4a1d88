// Label stocks: the layout of a sheet (or roll, or fan-fold strip) of
// printable labels, stocks gathered in named groups, and the groups in a
// label stock file (".ldf"). Every length is a whole number of hundredths
// of a millimetre.
//
// Lengths are shown and read in millimetres or in inches, as the user's
// measurement system says. Their texts always use "." as the decimal mark,
// whatever the locale, so that a text reads the same everywhere.
//
// File form (the framework's archive, little-endian): the file version
// (32 bits, 1), the group count (count form), and per group its version
// (32 bits, 1), its name (string form), its stock count (count form) and
// its stocks. A stock is its version (32 bits, written as 2; 1 is read
// too), its name (version 2: the name object's form; version 1: a plain
// string) and its dimensions: version (32 bits, 1) and twelve 32-bit
// values from the top margin to the orientation. Any other version is a
// bad schema.
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/values/ZelName.h"

#include <cstdint>
#include <string>

class CArchive;

// Results of the collections' operations.
enum ZelListResult : int { lrSuccess = 0, lrDuplicateName = -2, lrNotFound = -4 };

class ZelLabelDim {
public:
    enum StockType : std::int32_t { stPage = 0, stFanFold = 1, stRoll = 2 };

    static constexpr const char* sMilliM = "mm";
    static constexpr const char* sInches = "in";

    // The default stock: an A4 page of two labels across and seven down;
    // the unit from the user's measurement system.
    ZelLabelDim();
    ZelLabelDim(const ZelLabelDim& other);
    // Copies the dimensions; the unit stays this object's own.
    ZelLabelDim& operator=(const ZelLabelDim& other);
    virtual ~ZelLabelDim() = default;

    // Negative values become 0.
    void SetTopMargin(LONG l_value) { lTopMargin = OnlyPos(l_value); }
    void SetLeftMargin(LONG l_value) { lLeftMargin = OnlyPos(l_value); }
    void SetHeight(LONG l_value) { lHeight = OnlyPos(l_value); }
    void SetWidth(LONG l_value) { lWidth = OnlyPos(l_value); }
    void SetLabelDim(const CSize& size);
    void SetPaperDim(const CSize& size);
    void SetBetween(LONG l_betweenRows, LONG l_betweenColumns);
    // Negatives become 0, then 0 becomes 1.
    void SetNLabels(int i_down, int i_across);
    void SetType(StockType e_type) { eType = e_type; }
    // 1 portrait, 0 landscape.
    void SetOrientation(int i_orientation) { iOrientation = i_orientation; }

    LONG GetTopMargin() const { return lTopMargin; }
    LONG GetLeftMargin() const { return lLeftMargin; }
    LONG GetHeight() const { return lHeight; }
    LONG GetWidth() const { return lWidth; }
    CSize GetLabelDim() const { return CSize(lWidth, lHeight); }
    CSize GetPaperDim() const { return CSize(lPaperWidth, lPaperHeight); }
    void GetBetween(LONG& l_betweenRows, LONG& l_betweenColumns) const;
    void GetNLabels(int& i_down, int& i_across) const;
    StockType GetType() const { return eType; }
    int GetOrientation() const { return iOrientation; }
    // 1 when lengths are shown and read in inches by default.
    int GetInches() const { return bInches; }

    static LONG OnlyPos(LONG l_value) { return l_value < 0 ? 0 : l_value; }
    static double ToMilliM(LONG l_value);
    static double ToInches(LONG l_value);
    // Truncated toward zero; what a 32-bit length cannot hold ends at its
    // largest (or smallest) value, and a value that is not a number is 0.
    static LONG FromMilliM(double d_mm);
    static LONG FromInches(double d_inches);

    // A length typed with an optional unit ("2.5 cm", "1 inch", "12");
    // -1 for a negative number, 0 for zero or no number.
    LONG Parse(const std::string& s_text) const;
    // "15.0 mm" or "0.59 in".
    std::string FormatDimension(LONG l_value) const;
    // "Height=38.1 mm, Width=98.0 mm" (cy the height, cx the width).
    std::string FormatDimension(const CSize& size) const;
    std::string FormatTypeName() const;
    std::string FormatOrientName() const;
    // The unit from the user's measurement system (millimetres when it
    // cannot be read).
    void SetLocaleUnits();

    // The version word, then the twelve values.
    void Serialize(CArchive& ar);

    bool operator==(const ZelLabelDim& other) const;

    // The fewest bytes of the archive form.
    static constexpr std::size_t nArchiveBytes = 4 + 12 * 4;

private:
    LONG lTopMargin = 1500;
    LONG lLeftMargin = 500;
    std::int32_t nAcross = 2;
    std::int32_t nDown = 7;
    LONG lHeight = 3810;
    LONG lWidth = 9800;
    LONG lBetweenColumns = 400;
    LONG lBetweenRows = 0;
    StockType eType = stPage;
    LONG lPaperHeight = 29700;
    LONG lPaperWidth = 21000;
    std::int32_t iOrientation = 1;
    int bInches = 0;
};

class ZelLabelStock {
public:
    static constexpr int nMaxName = 50;
    static constexpr std::int32_t iVersion = 2;

    ZelLabelStock();
    ZelLabelStock(const ZelLabelStock& other) = default;
    ZelLabelStock& operator=(const ZelLabelStock& other) = default;
    virtual ~ZelLabelStock() = default;

    std::string GetName() const { return Name.GetName(); }
    // Normalised and cut to 50 characters.
    void SetName(const std::string& s_name) { Name.SetName(s_name); }
    const ZelLabelDim& GetDim() const { return Dim; }
    ZelLabelDim& GetDim() { return Dim; }
    void SetDim(const ZelLabelDim& dim) { Dim = dim; }

    void Serialize(CArchive& ar);

private:
    ZelObjectName Name;
    ZelLabelDim Dim;
};

template <>
struct ZelElementMinBytes<ZelLabelStock> {
    // Version, the shortest name (an empty plain string) and dimensions.
    static constexpr std::size_t value = 4 + 1 + ZelLabelDim::nArchiveBytes;
};

class ZelLabelStockGroup {
public:
    ZelLabelStockGroup() = default;
    virtual ~ZelLabelStockGroup() = default;

    const std::string& GetGroupName() const { return sGroupName; }
    void SetGroupName(const std::string& s_name) { sGroupName = s_name; }
    int GetSize() const { return List.GetSize(); }

    // lrDuplicateName when a stock of that name exists, else appended.
    int Add(ZelLabelStock& stock);
    // lrDuplicateName when another stock has the new name, else the stock
    // at i_index is overwritten.
    int Change(int i_index, ZelLabelStock& stock);
    // lrNotFound when there is no stock of that name.
    int Delete(const std::string& s_name);
    // The first stock of that name (exact, case-sensitive); -1 when none.
    int Find(const std::string& s_name) const;
    int Find(const ZelLabelStock& stock) const { return Find(stock.GetName()); }

    ZelLabelStock& operator[](int i_index);
    const ZelLabelStock& operator[](int i_index) const;

    void Serialize(CArchive& ar);

private:
    std::string sGroupName;
    ZelArray<ZelLabelStock> List;
};

template <>
struct ZelElementMinBytes<ZelLabelStockGroup> {
    // Version, an empty name and no stocks.
    static constexpr std::size_t value = 4 + 1 + 2;
};

class ZelLabelStockFile {
public:
    static constexpr const char* sDefExtension = ".ldf";
    static constexpr int nMaxFileName = 2048;

    ZelLabelStockFile();
    virtual ~ZelLabelStockFile() = default;

    void SetFileName(const std::string& s_name) { FileName.SetName(s_name); }
    std::string GetFileName() const { return FileName.GetName(); }
    // No file name and no groups.
    void Empty();
    int GetSize() const { return Groups.GetSize(); }

    int Add(ZelLabelStockGroup& group);
    int Find(const std::string& s_groupName) const;
    int Delete(const std::string& s_groupName);
    ZelLabelStockGroup& operator[](int i_index);
    const ZelLabelStockGroup& operator[](int i_index) const;

    // Reads the groups from the file (".ldf" added to a name without an
    // extension). 0 for a name that is not valid or a file that cannot be
    // read; a damaged file raises the archive exception and leaves the
    // groups held as they were.
    BOOL Load();
    // Writes the groups to the file, replacing it only once all is
    // written. 0 for a name that is not valid or a file that cannot be
    // written (the old file then stays as it was).
    BOOL Store();

    void Serialize(CArchive& ar);

private:
    // The name with the extension added; false when it is not valid.
    bool PrepareName();

    ZelFileName FileName;
    ZelArray<ZelLabelStockGroup> Groups;
};

// How far one tick of a held spin button goes: the longer it is held, the
// larger the step (10, then 100 after 1 s, 1,000 after 3 s and 10,000
// after 5 s). A tick that comes later than uHoldGap after the one before
// starts a new hold, as does one after Release.
class ZelSpinAccel {
public:
    struct Step {
        DWORD uAfterMs;
        LONG lIncrement;
    };
    static constexpr Step aSteps[] = {{0, 10}, {1000, 100}, {3000, 1000}, {5000, 10000}};
    // Longer than the first repeat of a held button, shorter than a
    // deliberate second click.
    static constexpr DWORD uHoldGap = 600;

    // The increment of a tick at u_now (milliseconds of any steady clock).
    LONG Next(DWORD u_now);
    // The button went up.
    void Release() { bHolding = false; }

private:
    bool bHolding = false;
    DWORD uStart = 0;
    DWORD uLast = 0;
};
