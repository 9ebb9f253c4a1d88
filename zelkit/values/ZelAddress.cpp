#include "zelkit/values/ZelAddress.h"

#include "framework/Archive.h"
#include "zelkit/values/ZelName.h"

#include <algorithm>
#include <utility>

namespace {
constexpr std::uint32_t uAddressSchema = 1;

std::string Cut(const std::string& s_text, int i_max)
{
    return ZelName::Cut(s_text, i_max);
}

// ZelName::Cut made in the string given: a text read moves into its field
// without a copy.
std::string CutOwn(std::string s_text, int i_max)
{
    if (i_max <= 0)
        s_text.clear();
    else if (s_text.size() > static_cast<std::size_t>(i_max))
        s_text.resize(static_cast<std::size_t>(i_max));
    return s_text;
}
} // namespace

// ------------------------------------------------------------- ZelAddress

ZelAddress::ZelAddress(int i_lineLength, int i_partLength) : nLineLength(i_lineLength), nPartLength(i_partLength) {}

void ZelAddress::ReadSchema(CArchive& ar)
{
    std::uint32_t u_schema = 0;
    ar >> u_schema;
    if (u_schema != uAddressSchema)
        CArchive::ThrowBadSchema("unknown address schema " + std::to_string(u_schema));
}

// ------------------------------------------------------- ZelSimpleAddress

ZelSimpleAddress::ZelSimpleAddress(int i_lineLength, int i_partLength) : ZelAddress(i_lineLength, i_partLength) {}

// The address lines of a simple address are its printed lines, so they
// keep the line limit; the part limit is the post code's. (Cutting every
// line to the part limit would cut "12 Station Road" to the length of a
// post code.)
void ZelSimpleAddress::SetAddrLine1(const std::string& s_text)
{
    sLine1 = Cut(s_text, nLineLength);
}

void ZelSimpleAddress::SetAddrLine2(const std::string& s_text)
{
    sLine2 = Cut(s_text, nLineLength);
}

void ZelSimpleAddress::SetAddrLine3(const std::string& s_text)
{
    sLine3 = Cut(s_text, nLineLength);
}

void ZelSimpleAddress::SetPostCode(const std::string& s_text)
{
    sPostCode = Cut(s_text, nPartLength);
}

void ZelSimpleAddress::SetAddr(const std::string& s_line1, const std::string& s_line2, const std::string& s_line3,
                               const std::string& s_postCode)
{
    SetAddrLine1(s_line1);
    SetAddrLine2(s_line2);
    SetAddrLine3(s_line3);
    SetPostCode(s_postCode);
}

bool ZelSimpleAddress::operator==(const ZelSimpleAddress& other) const
{
    return sLine1 == other.sLine1 && sLine2 == other.sLine2 && sLine3 == other.sLine3 &&
           sPostCode == other.sPostCode;
}

void ZelSimpleAddress::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << uAddressSchema << sLine1 << sLine2 << sLine3 << sPostCode;
    } else {
        ReadSchema(ar);
        std::string s_line1, s_line2, s_line3, s_postCode;
        ar >> s_line1 >> s_line2 >> s_line3 >> s_postCode;
        // As SetAddr, in the strings read.
        sLine1 = CutOwn(std::move(s_line1), nLineLength);
        sLine2 = CutOwn(std::move(s_line2), nLineLength);
        sLine3 = CutOwn(std::move(s_line3), nLineLength);
        sPostCode = CutOwn(std::move(s_postCode), nPartLength);
    }
}

// --------------------------------------------------------- ZelFullAddress

ZelFullAddress::ZelFullAddress(int i_lineLength, int i_partLength) : ZelAddress(i_lineLength, i_partLength) {}

void ZelFullAddress::SetAddr(const std::string& s_part1, const std::string& s_part2, const std::string& s_part3,
                             const std::string& s_part4, const std::string& s_part5, const std::string& s_part6,
                             const std::string& s_postCode)
{
    const std::string* a_in[nParts] = {&s_part1, &s_part2, &s_part3, &s_part4, &s_part5, &s_part6, &s_postCode};
    for (int i = 0; i < nParts; ++i)
        asPart[i] = Cut(*a_in[i], nPartLength);
}

const std::string& ZelFullAddress::GetPart(int i_part) const
{
    static const std::string s_none;
    return i_part >= 1 && i_part <= nParts ? asPart[i_part - 1] : s_none;
}

bool ZelFullAddress::operator==(const ZelFullAddress& other) const
{
    return std::equal(std::begin(asPart), std::end(asPart), std::begin(other.asPart));
}

// Two parts on one printed line. A missing part leaves no stray blank at
// either end of the line.
std::string ZelFullAddress::Line(const std::string& s_a, const std::string& s_b) const
{
    std::string s_line = s_a.empty() ? s_b : s_b.empty() ? s_a : s_a + " " + s_b;
    return Cut(s_line, nLineLength);
}

std::string ZelFullAddress::GetLine1() const
{
    return Line(asPart[0], asPart[1]);
}

std::string ZelFullAddress::GetLine2() const
{
    if (asPart[4].empty() && asPart[5].empty())
        return Cut(asPart[2], nLineLength);
    return Line(asPart[2], asPart[3]);
}

std::string ZelFullAddress::GetLine3() const
{
    return Line(asPart[4], asPart[5]);
}

void ZelFullAddress::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << uAddressSchema;
        for (const std::string& s_part : asPart)
            ar << s_part;
    } else {
        ReadSchema(ar);
        std::string a_parts[nParts];
        for (std::string& s_part : a_parts)
            ar >> s_part;
        SetAddr(a_parts[0], a_parts[1], a_parts[2], a_parts[3], a_parts[4], a_parts[5], a_parts[6]);
    }
}

// ----------------------------------------------------------- ZelEmailAddr

ZelEmailAddr::ZelEmailAddr(int i_maxLength) : nMaxLength(i_maxLength) {}

ZelEmailAddr::ZelEmailAddr(const std::string& s_addr, int i_maxLength) : nMaxLength(i_maxLength)
{
    SetAddr(s_addr);
}

void ZelEmailAddr::Normalize(std::string& s_addr)
{
    std::erase_if(s_addr, [](char c) { return ZelName::IsWhite(c); });
}

std::string ZelEmailAddr::Normalize(const std::string& s_addr)
{
    std::string s_copy = s_addr;
    Normalize(s_copy);
    return s_copy;
}

void ZelEmailAddr::SetAddr(const std::string& s_addr)
{
    sAddr = CutOwn(Normalize(s_addr), nMaxLength);
}

void ZelEmailAddr::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << uAddressSchema << nMaxLength << sAddr;
    } else {
        std::uint32_t u_schema = 0;
        ar >> u_schema;
        if (u_schema != uAddressSchema)
            CArchive::ThrowBadSchema("unknown e-mail address schema " + std::to_string(u_schema));
        // The stored maximum is the writer's; the owner's limit stays, so
        // a damaged word cannot lift an address past what its owner
        // allows (the two are the same in every file the program writes).
        std::int32_t i_storedMax = 0;
        std::string s_addr;
        ar >> i_storedMax >> s_addr;
        // As SetAddr, in the string read.
        Normalize(s_addr);
        sAddr = CutOwn(std::move(s_addr), nMaxLength);
    }
}
