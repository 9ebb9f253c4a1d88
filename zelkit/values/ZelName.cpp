#include "zelkit/values/ZelName.h"

#include "framework/Archive.h"
#include "zelkit/base/ZelStringArray.h"

#include <cctype>
#include <utility>

namespace {
constexpr std::uint32_t uNameSchema = 1;

void WriteSchema(CArchive& ar)
{
    ar << uNameSchema;
}

// s_a + " " + s_b with the blank only between two texts that are there.
std::string Join(const std::string& s_a, const std::string& s_b, const char* p_between = " ")
{
    if (s_a.empty())
        return s_b;
    if (s_b.empty())
        return s_a;
    return s_a + p_between + s_b;
}

// The parts joined by blanks in the normal form. The same text as
// normalising the parts joined by one blank each, but parts already in the
// form (a name's parts mostly are) are joined without a further copy.
std::string JoinNormal(std::initializer_list<const std::string*> a_parts)
{
    std::string s_joined;
    for (const std::string* p_part : a_parts) {
        if (p_part->empty())
            continue;
        if (!s_joined.empty())
            s_joined += ' ';
        s_joined += *p_part;
    }
    ZelName::Normalize(s_joined);
    return s_joined;
}

// Whether the joined, normalised and cut parts would be empty: the cut
// leaves nothing of any text for a limit below 1, and the normal form drops
// only white space.
bool JoinsEmpty(std::initializer_list<const std::string*> a_parts, int i_maxLength)
{
    if (i_maxLength <= 0)
        return true;
    for (const std::string* p_part : a_parts) {
        for (char c : *p_part) {
            if (!ZelName::IsWhite(c))
                return false;
        }
    }
    return true;
}
} // namespace

// ---------------------------------------------------------------- ZelName

ZelName::ZelName(int i_maxLength) : nMaxLength(i_maxLength) {}

bool ZelName::operator==(const ZelName& other) const
{
    return GetName() == other.GetName();
}

bool ZelName::operator!=(const ZelName& other) const
{
    return !(*this == other);
}

BOOL ZelName::IsEmpty() const
{
    return GetName().empty() ? TRUE : FALSE;
}

bool ZelName::IsWhite(char c)
{
    return ZelStringArray::isspace(c) != 0;
}

void ZelName::Normalize(std::string& s_text)
{
    // Most texts, every name read back from a file among them, are in the
    // form already: they are left alone without making a copy.
    bool b_blankAllowed = false;
    std::size_t u_at = 0;
    for (; u_at < s_text.size(); ++u_at) {
        const char c = s_text[u_at];
        if (c == ' ' && b_blankAllowed)
            b_blankAllowed = false;
        else if (ZelStringArray::isspace(c))
            break;
        else
            b_blankAllowed = true;
    }
    if (u_at == s_text.size() && (s_text.empty() || s_text.back() != ' '))
        return;

    std::string s_out;
    s_out.reserve(s_text.size());
    bool b_gap = false;
    for (char c : s_text) {
        if (IsWhite(c)) {
            b_gap = !s_out.empty();
            continue;
        }
        if (b_gap)
            s_out += ' ';
        b_gap = false;
        s_out += c;
    }
    s_text = std::move(s_out);
}

std::string ZelName::Normalize(const std::string& s_text)
{
    std::string s_copy = s_text;
    Normalize(s_copy);
    return s_copy;
}

int ZelName::GetWords(const std::string& s_text, ZelStringArray& a_words)
{
    return a_words.Split(s_text, &ZelStringArray::isspace, 0, 1);
}

std::vector<std::string> ZelName::GetWords(const std::string& s_text)
{
    ZelStringArray a_words;
    GetWords(s_text, a_words);
    std::vector<std::string> v_words;
    v_words.reserve(static_cast<std::size_t>(a_words.GetSize()));
    for (int i = 0; i < a_words.GetSize(); ++i)
        v_words.push_back(a_words[i]);
    return v_words;
}

std::string ZelName::NormalCut(std::string s_text, int i_max)
{
    NormalCutInPlace(s_text, i_max);
    return s_text;
}

void ZelName::NormalCutInPlace(std::string& s_text, int i_max)
{
    Normalize(s_text);
    if (i_max <= 0) {
        s_text.clear();
    } else if (s_text.size() > static_cast<std::size_t>(i_max)) {
        s_text.resize(static_cast<std::size_t>(i_max));
        // A cut between two words leaves the blank that parted them at the
        // end: without it the name is what the cut name reads back as, so
        // two names equal up to the limit compare equal at once, and a name
        // saved and opened again keeps its bytes.
        if (s_text.back() == ' ')
            s_text.pop_back();
    }
}

std::string ZelName::Cut(const std::string& s_text, int i_max)
{
    if (i_max <= 0)
        return {};
    return s_text.size() > static_cast<std::size_t>(i_max) ? s_text.substr(0, static_cast<std::size_t>(i_max)) : s_text;
}

void ZelName::ReadSchema(CArchive& ar)
{
    std::uint32_t u_schema = 0;
    ar >> u_schema;
    if (u_schema != uNameSchema)
        CArchive::ThrowBadSchema("unknown name schema " + std::to_string(u_schema));
}

// ---------------------------------------------------------- ZelObjectName

ZelObjectName::ZelObjectName(int i_maxLength) : ZelName(i_maxLength) {}

ZelObjectName::ZelObjectName(const std::string& s_name, int i_maxLength) : ZelName(i_maxLength)
{
    SetName(s_name);
}

void ZelObjectName::SetName(const std::string& s_name)
{
    sName = NormalCut(s_name, nMaxLength);
}

void ZelObjectName::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSchema(ar);
        ar << sName;
    } else {
        ReadSchema(ar);
        std::string s_name;
        ar >> s_name;
        // As SetName, in the string read (no copy of a long name).
        sName = NormalCut(std::move(s_name), nMaxLength);
    }
}

// ------------------------------------------------------------ ZelFileName

ZelFileName::ZelFileName(int i_maxLength) : ZelName(i_maxLength) {}

ZelFileName::ZelFileName(const std::string& s_path, int i_maxLength) : ZelName(i_maxLength)
{
    SetName(s_path);
}

void ZelFileName::SetName(const std::string& s_path)
{
    std::size_t u_first = 0;
    std::size_t u_end = s_path.size();
    while (u_first < u_end && IsWhite(s_path[u_first]))
        ++u_first;
    while (u_end > u_first && IsWhite(s_path[u_end - 1]))
        --u_end;
    // Trimmed after the cut too: a path cut after a blank is read back
    // trimmed, and must be the same path.
    std::string s_cut = Cut(s_path.substr(u_first, u_end - u_first), nMaxLength);
    while (!s_cut.empty() && IsWhite(s_cut.back()))
        s_cut.pop_back();
    sPath = std::move(s_cut);
}

void ZelFileName::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSchema(ar);
        ar << sPath;
    } else {
        ReadSchema(ar);
        std::string s_path;
        ar >> s_path;
        SetName(s_path);
    }
}

std::string ZelFileName::GetDriveName() const
{
    const std::size_t u_colon = sPath.find(':');
    return u_colon == std::string::npos ? std::string() : sPath.substr(0, u_colon + 1);
}

// Where the file name begins: after the last separator, else after the
// drive.
std::size_t ZelFileName::FileNameStart() const
{
    std::size_t u_sep = sPath.find_last_of('/');
    if (u_sep == std::string::npos)
        u_sep = sPath.find_last_of('\\');
    if (u_sep != std::string::npos)
        return u_sep + 1;
    return GetDriveName().size();
}

std::string ZelFileName::GetDirName() const
{
    const std::size_t u_drive = GetDriveName().size();
    const std::size_t u_file = FileNameStart();
    return u_file > u_drive ? sPath.substr(u_drive, u_file - u_drive) : std::string();
}

std::string ZelFileName::GetFileName(bool b_withExtension) const
{
    std::string s_file = sPath.substr(FileNameStart());
    if (!b_withExtension) {
        const std::size_t u_dot = s_file.find_last_of('.');
        if (u_dot != std::string::npos)
            s_file.erase(u_dot);
    }
    return s_file;
}

std::string ZelFileName::GetExtension() const
{
    const std::string s_file = GetFileName(true);
    const std::size_t u_dot = s_file.find_last_of('.');
    return u_dot == std::string::npos ? std::string() : s_file.substr(u_dot + 1);
}

void ZelFileName::RemoveExtension()
{
    const std::size_t u_start = FileNameStart();
    const std::size_t u_dot = sPath.find_last_of('.');
    if (u_dot != std::string::npos && u_dot >= u_start)
        sPath.erase(u_dot);
    // "notes .htm" is "notes" without its extension: a path read back is
    // trimmed, and must be this path.
    while (!sPath.empty() && IsWhite(sPath.back()))
        sPath.pop_back();
}

void ZelFileName::AddExtension(const std::string& s_ext)
{
    if (GetFileName(true).empty() || !GetExtension().empty())
        return;
    std::string s_path = sPath;
    if (!s_path.empty() && s_path.back() == '.')
        s_path.pop_back();
    if (s_ext.empty() || s_ext.front() != '.')
        s_path += '.';
    s_path += s_ext;
    SetName(s_path);
}

BOOL ZelFileName::IsValidChar(char c)
{
    const auto u_c = static_cast<unsigned char>(c);
    if (u_c > 127 || std::isalnum(u_c))
        return TRUE;
    static const std::string s_punct = "$%'-_@~`!()^#&+,;=[] ";
    return s_punct.find(c) != std::string::npos ? TRUE : FALSE;
}

BOOL ZelFileName::IsValid(const std::string& s_text)
{
    for (char c : s_text)
        if (!IsValidChar(c))
            return FALSE;
    return TRUE;
}

BOOL ZelFileName::IsValid() const
{
    const std::string s_base = GetFileName(false);
    if (s_base.empty())
        return FALSE;
    return IsValid(s_base) && IsValid(GetExtension()) ? TRUE : FALSE;
}

// ---------------------------------------------------------- ZelPersonName

ZelPersonName::ZelPersonName(int i_maxFirst, int i_maxMiddle, int i_maxLast)
    : ZelName(i_maxFirst + i_maxMiddle + i_maxLast + 2), nMaxFirst(i_maxFirst), nMaxMiddle(i_maxMiddle),
      nMaxLast(i_maxLast)
{
}

char ZelPersonName::ToUpper(char c)
{
    const auto u_c = static_cast<unsigned char>(c);
    if (u_c < 128)
        return static_cast<char>(std::toupper(u_c));
    // Code page 1252: the accented small letters sit 0x20 above their
    // capitals (but for the division sign); a few letters stand apart.
    if (u_c >= 0xE0 && u_c != 0xF7 && u_c != 0xFF)
        return static_cast<char>(u_c - 0x20);
    switch (u_c) {
    case 0x9A: return static_cast<char>(0x8A); // s caron
    case 0x9C: return static_cast<char>(0x8C); // oe
    case 0x9E: return static_cast<char>(0x8E); // z caron
    case 0xFF: return static_cast<char>(0x9F); // y diaeresis
    default: return c;
    }
}

std::string ZelPersonName::InitialsOf(std::initializer_list<std::string> a_texts)
{
    std::string s_initials;
    for (const std::string& s_text : a_texts)
        for (const std::string& s_word : GetWords(s_text))
            s_initials += ToUpper(s_word.front());
    return s_initials;
}

// Unlike the other initials, these keep the letters as they were typed.
std::string ZelPersonName::FirstLetters(const std::string& s_first, const std::string& s_last)
{
    return s_first.substr(0, s_first.empty() ? 0 : 1) + s_last.substr(0, s_last.empty() ? 0 : 1);
}

// ---------------------------------------------------------- ZelSimpleName

ZelSimpleName::ZelSimpleName(int i_maxFirst, int i_maxLast) : ZelPersonName(i_maxFirst, 0, i_maxLast) {}

void ZelSimpleName::SetName(const std::string& s_name)
{
    const std::vector<std::string> v_words = GetWords(s_name);
    std::string s_first;
    std::string s_last;
    for (std::size_t i = 0; i < v_words.size(); ++i) {
        if (i == 0)
            s_first = v_words[i];
        else
            s_last = Join(s_last, v_words[i]);
    }
    SetName(s_first, s_last);
}

void ZelSimpleName::SetName(const std::string& s_first, const std::string& s_last)
{
    sFirst = NormalCut(s_first, nMaxFirst);
    sLast = NormalCut(s_last, nMaxLast);
}

std::string ZelSimpleName::GetName() const
{
    return NormalCut(JoinNormal({&sFirst, &sLast}), nMaxLength);
}

BOOL ZelSimpleName::IsEmpty() const
{
    return JoinsEmpty({&sFirst, &sLast}, nMaxLength) ? TRUE : FALSE;
}

std::string ZelSimpleName::GetFullName() const
{
    return JoinNormal({&sFirst, &sLast});
}

std::string ZelSimpleName::GetRevFullName() const
{
    return Join(sLast, sFirst, ", ");
}

std::string ZelSimpleName::GetInitials() const
{
    return InitialsOf({sFirst, sLast});
}

std::string ZelSimpleName::GetFirstLastInitials() const
{
    return FirstLetters(sFirst, sLast);
}

void ZelSimpleName::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSchema(ar);
        ar << sFirst << sLast;
    } else {
        ReadSchema(ar);
        std::string s_first;
        std::string s_last;
        ar >> s_first >> s_last;
        // As SetName, in the strings read.
        sFirst = NormalCut(std::move(s_first), nMaxFirst);
        sLast = NormalCut(std::move(s_last), nMaxLast);
    }
}

// ------------------------------------------------------------ ZelFullName

ZelFullName::ZelFullName(int i_maxFirst, int i_maxMiddle, int i_maxLast)
    : ZelPersonName(i_maxFirst, i_maxMiddle, i_maxLast)
{
}

void ZelFullName::SetName(const std::string& s_name)
{
    const std::vector<std::string> v_words = GetWords(s_name);
    std::string s_first;
    std::string s_middle;
    std::string s_last;
    if (!v_words.empty())
        s_first = v_words.front();
    if (v_words.size() >= 2)
        s_last = v_words.back();
    for (std::size_t i = 1; i + 1 < v_words.size(); ++i)
        s_middle = Join(s_middle, v_words[i]);
    SetName(s_first, s_middle, s_last);
}

void ZelFullName::SetName(const std::string& s_first, const std::string& s_middle, const std::string& s_last)
{
    sFirst = NormalCut(s_first, nMaxFirst);
    sMiddle = NormalCut(s_middle, nMaxMiddle);
    sLast = NormalCut(s_last, nMaxLast);
}

std::string ZelFullName::GetName() const
{
    return NormalCut(JoinNormal({&sFirst, &sLast}), nMaxLength);
}

BOOL ZelFullName::IsEmpty() const
{
    return JoinsEmpty({&sFirst, &sLast}, nMaxLength) ? TRUE : FALSE;
}

std::string ZelFullName::GetFullName() const
{
    return JoinNormal({&sFirst, &sMiddle, &sLast});
}

std::string ZelFullName::GetRevFullName() const
{
    return Join(sLast, Normalize(sFirst + " " + sMiddle), ", ");
}

std::string ZelFullName::GetInitials() const
{
    return InitialsOf({sFirst, sMiddle, sLast});
}

std::string ZelFullName::GetMiddleInitials() const
{
    return InitialsOf({sMiddle});
}

std::string ZelFullName::GetFirstLastInitials() const
{
    return FirstLetters(sFirst, sLast);
}

void ZelFullName::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSchema(ar);
        ar << sFirst << sMiddle << sLast;
    } else {
        ReadSchema(ar);
        std::string s_first;
        std::string s_middle;
        std::string s_last;
        ar >> s_first >> s_middle >> s_last;
        // As SetName, in the strings read.
        sFirst = NormalCut(std::move(s_first), nMaxFirst);
        sMiddle = NormalCut(std::move(s_middle), nMaxMiddle);
        sLast = NormalCut(std::move(s_last), nMaxLast);
    }
}
