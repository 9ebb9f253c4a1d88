#include "zelkit/values/ZelRelease.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

ZelRelease::ZelRelease() = default;

ZelRelease::ZelRelease(UINT u_release) : uRelease(u_release) {}

ZelRelease::ZelRelease(const std::string& s_pgmName) : sPgmName(s_pgmName) {}

ZelRelease::ZelRelease(const std::string& s_pgmName, UINT u_release, const std::string& s_qualifier)
    : sPgmName(s_pgmName), uRelease(u_release), sQualifier(s_qualifier)
{
}

ZelRelease::ZelRelease(const ZelRelease& other)
    : sPgmName(other.sPgmName), uRelease(other.uRelease), sQualifier(other.sQualifier)
{
}

ZelRelease& ZelRelease::operator=(const ZelRelease& other)
{
    // The limits are the same in every release object; only the values move.
    sPgmName = other.sPgmName;
    uRelease = other.uRelease;
    sQualifier = other.sQualifier;
    return *this;
}

void ZelRelease::SetVersionNumber(UINT u_version)
{
    if (u_version >= uLowVersion && u_version <= uHighVersion)
        uRelease = uRelease % uDivisor + uDivisor * u_version;
}

void ZelRelease::SetRevisionNumber(UINT u_revision)
{
    if (u_revision >= uLowRevision && u_revision <= uHighRevision)
        uRelease = (uRelease / uDivisor) * uDivisor + u_revision;
}

namespace {

// Reads a decimal number at s_text[u_pos] after optional blanks. Text
// without a digit is no number (rather than 0), so "1.x" fails instead of
// passing as 1.00. Values too large for any release saturate.
bool ReadNumber(const std::string& s_text, std::size_t& u_pos, std::uint64_t& u_value)
{
    while (u_pos < s_text.size() && (s_text[u_pos] == ' ' || s_text[u_pos] == '\t'))
        ++u_pos;
    if (u_pos >= s_text.size() || !std::isdigit(static_cast<unsigned char>(s_text[u_pos])))
        return false;
    u_value = 0;
    while (u_pos < s_text.size() && std::isdigit(static_cast<unsigned char>(s_text[u_pos]))) {
        if (u_value < 1000000000u)
            u_value = u_value * 10 + static_cast<unsigned>(s_text[u_pos] - '0');
        ++u_pos;
    }
    return true;
}

} // namespace

BOOL ZelRelease::Parse(const std::string& s_text)
{
    std::uint64_t u_version = 0;
    std::uint64_t u_revision = 0;
    std::size_t u_pos = 0;
    const std::size_t u_dot = s_text.find('.');
    if (u_dot != std::string::npos) {
        const std::string s_before = s_text.substr(0, u_dot);
        if (!ReadNumber(s_before, u_pos, u_version))
            return FALSE;
        u_pos = u_dot + 1;
        if (!ReadNumber(s_text, u_pos, u_revision))
            return FALSE;
    } else {
        std::uint64_t u_number = 0;
        if (!ReadNumber(s_text, u_pos, u_number))
            return FALSE;
        if (u_number >= uDivisor) {
            u_version = u_number / uDivisor;
            u_revision = u_number % uDivisor;
        } else {
            if (u_number > uHighVersion)
                return FALSE;
            u_version = u_number;
            u_revision = 0;
        }
    }
    if (u_version < uLowVersion || u_version > uHighVersion || u_revision < uLowRevision || u_revision > uHighRevision)
        return FALSE;
    uRelease = static_cast<UINT>(u_version * uDivisor + u_revision);
    return TRUE;
}

std::string ZelRelease::FormatRel() const
{
    char sz_text[32];
    std::snprintf(sz_text, sizeof sz_text, "%u.%02u", GetMajor(), GetMinor());
    std::string s_text = sz_text;
    if (!sQualifier.empty())
        s_text += sQualifier;
    return s_text;
}
