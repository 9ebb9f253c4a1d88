#include "zelkit/controls/ZelLabelPrint.h"

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/controls/ZelLocale.h"

#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// Numbers are read in the "C" locale, so that "." is the decimal mark
// whatever the user's locale says.
locale_t CLocale()
{
    static const locale_t h_c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return h_c;
}

// A length in hundredths of a millimetre from a double: truncated toward
// zero, held at the ends of the 32-bit range, 0 for what is not a number.
LONG TruncateToLong(double d_value)
{
    if (std::isnan(d_value))
        return 0;
    if (d_value >= 2147483647.0)
        return 2147483647;
    if (d_value <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<LONG>(d_value);
}

// "%.Nf" without the locale's decimal mark.
std::string Fixed(double d_value, int n_decimals)
{
    char a_buf[64];
    const std::to_chars_result res =
        std::to_chars(a_buf, a_buf + sizeof a_buf, d_value, std::chars_format::fixed, n_decimals);
    return res.ec == std::errc() ? std::string(a_buf, res.ptr) : std::string();
}

bool EqualNoCase(const std::string& s_a, const char* p_b)
{
    std::size_t i = 0;
    for (; i < s_a.size() && p_b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(s_a[i])) != std::tolower(static_cast<unsigned char>(p_b[i])))
            return false;
    return i == s_a.size() && p_b[i] == '\0';
}

void ReadVersion(CArchive& ar, std::uint32_t u_expected, const char* p_what)
{
    std::uint32_t u_version = 0;
    ar >> u_version;
    if (u_version != u_expected)
        CArchive::ThrowBadSchema(std::string("unknown version of ") + p_what);
}

} // namespace

// --------------------------------------------------------------- ZelLabelDim

ZelLabelDim::ZelLabelDim() { SetLocaleUnits(); }

ZelLabelDim::ZelLabelDim(const ZelLabelDim& other) : ZelLabelDim() { *this = other; }

ZelLabelDim& ZelLabelDim::operator=(const ZelLabelDim& other)
{
    lTopMargin = other.lTopMargin;
    lLeftMargin = other.lLeftMargin;
    nAcross = other.nAcross;
    nDown = other.nDown;
    lHeight = other.lHeight;
    lWidth = other.lWidth;
    lBetweenColumns = other.lBetweenColumns;
    lBetweenRows = other.lBetweenRows;
    eType = other.eType;
    lPaperHeight = other.lPaperHeight;
    lPaperWidth = other.lPaperWidth;
    iOrientation = other.iOrientation;
    return *this;
}

bool ZelLabelDim::operator==(const ZelLabelDim& other) const
{
    return lTopMargin == other.lTopMargin && lLeftMargin == other.lLeftMargin && nAcross == other.nAcross
        && nDown == other.nDown && lHeight == other.lHeight && lWidth == other.lWidth
        && lBetweenColumns == other.lBetweenColumns && lBetweenRows == other.lBetweenRows && eType == other.eType
        && lPaperHeight == other.lPaperHeight && lPaperWidth == other.lPaperWidth
        && iOrientation == other.iOrientation;
}

void ZelLabelDim::SetLabelDim(const CSize& size)
{
    lWidth = OnlyPos(size.cx);
    lHeight = OnlyPos(size.cy);
}

void ZelLabelDim::SetPaperDim(const CSize& size)
{
    lPaperWidth = OnlyPos(size.cx);
    lPaperHeight = OnlyPos(size.cy);
}

void ZelLabelDim::SetBetween(LONG l_betweenRows, LONG l_betweenColumns)
{
    lBetweenRows = OnlyPos(l_betweenRows);
    lBetweenColumns = OnlyPos(l_betweenColumns);
}

void ZelLabelDim::SetNLabels(int i_down, int i_across)
{
    nDown = i_down <= 0 ? 1 : i_down;
    nAcross = i_across <= 0 ? 1 : i_across;
}

void ZelLabelDim::GetBetween(LONG& l_betweenRows, LONG& l_betweenColumns) const
{
    l_betweenRows = lBetweenRows;
    l_betweenColumns = lBetweenColumns;
}

void ZelLabelDim::GetNLabels(int& i_down, int& i_across) const
{
    i_down = nDown;
    i_across = nAcross;
}

double ZelLabelDim::ToMilliM(LONG l_value) { return l_value * 0.01; }

double ZelLabelDim::ToInches(LONG l_value) { return l_value * 0.0003937007874015748; }

LONG ZelLabelDim::FromMilliM(double d_mm) { return TruncateToLong(d_mm * 100); }

LONG ZelLabelDim::FromInches(double d_inches) { return TruncateToLong(d_inches * 2540); }

LONG ZelLabelDim::Parse(const std::string& s_text) const
{
    const char* p_start = s_text.c_str();
    char* p_end = nullptr;
    const double d_value = strtod_l(p_start, &p_end, CLocale());
    if (d_value < 0)
        return -1;
    // Zero, no number at all, or not a number.
    if (!(d_value > 0))
        return 0;
    std::size_t u_pos = static_cast<std::size_t>(p_end - p_start);
    while (u_pos < s_text.size() && std::isspace(static_cast<unsigned char>(s_text[u_pos])))
        ++u_pos;
    const std::string s_unit = s_text.substr(u_pos);

    static const struct {
        const char* pUnit;
        double dFactor;
    } a_units[] = {{"in", 2540}, {"inch", 2540}, {"inches", 2540}, {"mm", 100}, {"cm", 1000}};
    double d_factor = bInches ? 2540 : 100;
    for (const auto& unit : a_units) {
        if (EqualNoCase(s_unit, unit.pUnit)) {
            d_factor = unit.dFactor;
            break;
        }
    }
    return TruncateToLong(d_value * d_factor);
}

std::string ZelLabelDim::FormatDimension(LONG l_value) const
{
    if (bInches)
        return Fixed(ToInches(l_value), 2) + " " + sInches;
    return Fixed(ToMilliM(l_value), 1) + " " + sMilliM;
}

std::string ZelLabelDim::FormatDimension(const CSize& size) const
{
    if (bInches)
        return "Height=" + Fixed(ToInches(size.cy), 2) + " " + sInches + ", Width=" + Fixed(ToInches(size.cx), 2)
            + " " + sInches;
    return "Height=" + Fixed(ToMilliM(size.cy), 1) + " " + sMilliM + ", Width=" + Fixed(ToMilliM(size.cx), 1) + " "
        + sMilliM;
}

std::string ZelLabelDim::FormatTypeName() const
{
    switch (eType) {
    case stPage: return "Page";
    case stFanFold: return "Fanfold";
    case stRoll: return "Roll";
    }
    return "<unknown>";
}

std::string ZelLabelDim::FormatOrientName() const { return iOrientation == 0 ? "Landscape" : "Portrait"; }

void ZelLabelDim::SetLocaleUnits() { bInches = ZelGetLocalePort().GetMeasureSystem() == IZelLocalePort::measureUS; }

void ZelLabelDim::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::uint32_t>(1);
        for (const std::int32_t i : {lTopMargin, lLeftMargin, nAcross, nDown, lHeight, lWidth, lBetweenColumns,
                                     lBetweenRows, static_cast<std::int32_t>(eType), lPaperHeight, lPaperWidth,
                                     iOrientation})
            ar << i;
    } else {
        ReadVersion(ar, 1, "label dimensions");
        std::int32_t a_values[12];
        for (std::int32_t& i : a_values)
            ar >> i;
        lTopMargin = a_values[0];
        lLeftMargin = a_values[1];
        nAcross = a_values[2];
        nDown = a_values[3];
        lHeight = a_values[4];
        lWidth = a_values[5];
        lBetweenColumns = a_values[6];
        lBetweenRows = a_values[7];
        eType = static_cast<StockType>(a_values[8]);
        lPaperHeight = a_values[9];
        lPaperWidth = a_values[10];
        iOrientation = a_values[11];
    }
}

// ------------------------------------------------------------- ZelLabelStock

ZelLabelStock::ZelLabelStock() : Name(nMaxName) {}

void ZelLabelStock::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::uint32_t>(iVersion);
        Name.Serialize(ar);
        Dim.Serialize(ar);
        return;
    }
    std::uint32_t u_version = 0;
    ar >> u_version;
    if (u_version == 2) {
        Name.Serialize(ar);
    } else if (u_version == 1) {
        std::string s_name;
        ar >> s_name;
        Name.SetName(s_name);
    } else {
        CArchive::ThrowBadSchema("unknown version of a label stock");
    }
    Dim.Serialize(ar);
}

// -------------------------------------------------------- ZelLabelStockGroup

int ZelLabelStockGroup::Find(const std::string& s_name) const
{
    for (int i = 0; i < List.GetSize(); ++i)
        if (List[i].GetName() == s_name)
            return i;
    return -1;
}

int ZelLabelStockGroup::Add(ZelLabelStock& stock)
{
    if (Find(stock) >= 0)
        return lrDuplicateName;
    List.Add(stock);
    return lrSuccess;
}

int ZelLabelStockGroup::Change(int i_index, ZelLabelStock& stock)
{
    const int i_found = Find(stock);
    if (i_found >= 0 && i_found != i_index)
        return lrDuplicateName;
    List[i_index] = stock;
    return lrSuccess;
}

int ZelLabelStockGroup::Delete(const std::string& s_name)
{
    const int i_found = Find(s_name);
    if (i_found < 0)
        return lrNotFound;
    List.RemoveAt(i_found);
    return lrSuccess;
}

ZelLabelStock& ZelLabelStockGroup::operator[](int i_index)
{
    ZEL_ASSERT(0 <= i_index && i_index < List.GetSize());
    return List[i_index];
}

const ZelLabelStock& ZelLabelStockGroup::operator[](int i_index) const
{
    ZEL_ASSERT(0 <= i_index && i_index < List.GetSize());
    return List[i_index];
}

void ZelLabelStockGroup::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::uint32_t>(1);
        ar << sGroupName;
        List.Serialize(ar);
    } else {
        ReadVersion(ar, 1, "a label stock group");
        std::string s_name;
        ar >> s_name;
        // The stocks are read whole before anything is replaced.
        List.Serialize(ar);
        sGroupName = s_name;
    }
}

// --------------------------------------------------------- ZelLabelStockFile

ZelLabelStockFile::ZelLabelStockFile() : FileName(nMaxFileName) {}

void ZelLabelStockFile::Empty()
{
    FileName.SetName(std::string());
    Groups.RemoveAll();
}

int ZelLabelStockFile::Find(const std::string& s_groupName) const
{
    for (int i = 0; i < Groups.GetSize(); ++i)
        if (Groups[i].GetGroupName() == s_groupName)
            return i;
    return -1;
}

int ZelLabelStockFile::Add(ZelLabelStockGroup& group)
{
    if (Find(group.GetGroupName()) >= 0)
        return lrDuplicateName;
    Groups.Add(group);
    return lrSuccess;
}

int ZelLabelStockFile::Delete(const std::string& s_groupName)
{
    const int i_found = Find(s_groupName);
    if (i_found < 0)
        return lrNotFound;
    Groups.RemoveAt(i_found);
    return lrSuccess;
}

ZelLabelStockGroup& ZelLabelStockFile::operator[](int i_index)
{
    ZEL_ASSERT(0 <= i_index && i_index < Groups.GetSize());
    return Groups[i_index];
}

const ZelLabelStockGroup& ZelLabelStockFile::operator[](int i_index) const
{
    ZEL_ASSERT(0 <= i_index && i_index < Groups.GetSize());
    return Groups[i_index];
}

void ZelLabelStockFile::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::uint32_t>(1);
        Groups.Serialize(ar);
    } else {
        ReadVersion(ar, 1, "the label stock file");
        // Every group is read before the groups held are replaced.
        Groups.Serialize(ar);
    }
}

bool ZelLabelStockFile::PrepareName()
{
    if (!FileName.IsValid())
        return false;
    if (FileName.GetExtension().empty())
        FileName.AddExtension(sDefExtension);
    return true;
}

BOOL ZelLabelStockFile::Load()
{
    if (!PrepareName())
        return FALSE;
    CArchive ar(CArchive::store);
    try {
        ar = CArchive::OpenForLoading(FileName.GetName());
    } catch (const CFileException&) {
        return FALSE;
    }
    Serialize(ar);
    return TRUE;
}

BOOL ZelLabelStockFile::Store()
{
    if (!PrepareName())
        return FALSE;
    CArchive ar(CArchive::store);
    Serialize(ar);
    try {
        ar.SaveToFile(FileName.GetName());
    } catch (const CFileException&) {
        return FALSE;
    }
    return TRUE;
}

// ------------------------------------------------------------ ZelSpinAccel

LONG ZelSpinAccel::Next(DWORD u_now)
{
    // Unsigned differences, so that the clock may wrap.
    if (!bHolding || u_now - uLast > uHoldGap) {
        bHolding = true;
        uStart = u_now;
    }
    uLast = u_now;
    const DWORD u_held = u_now - uStart;
    LONG l_step = aSteps[0].lIncrement;
    for (const Step& step : aSteps)
        if (u_held >= step.uAfterMs)
            l_step = step.lIncrement;
    return l_step;
}
