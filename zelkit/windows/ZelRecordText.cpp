#include "zelkit/windows/ZelRecordText.h"

#include "zelkit/base/ZelStringArray.h"
#include "zelkit/windows/ZelTextFields.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <limits>

namespace {

const char* const s_version = "1";

// Line feeds go, then the three characters the splitting treats specially
// are escaped.
std::string EscapeText(const char* p_text, std::size_t n_max)
{
    std::string s;
    for (std::size_t i = 0; i < n_max && p_text[i] != '\0'; ++i) {
        const char c = p_text[i];
        if (c == '\n')
            continue;
        if (c == '\\' || c == '"' || c == ':')
            s += '\\';
        s += c;
    }
    return s;
}

std::string EscapeText(const std::string& s_text) { return EscapeText(s_text.c_str(), s_text.size()); }

// The fields of a form: empty fields are kept, so that an empty name does
// not move the fields after it.
std::vector<std::string> SplitFields(const std::string& s_text, char c_sep)
{
    ZelStringArray a_parts;
    a_parts.SplitEx(s_text, c_sep, '"', '\\', TRUE, FALSE);
    std::vector<std::string> v_parts;
    v_parts.reserve(a_parts.GetSize());
    for (int i = 0; i < a_parts.GetSize(); ++i)
        v_parts.push_back(a_parts[i]);
    return v_parts;
}

bool IsVersionOne(const std::vector<std::string>& v_parts)
{
    std::int32_t i_version = 0;
    return !v_parts.empty() && ZelParseField(v_parts[0], i_version) && i_version == 1;
}

void CopyName(char* p_dest, std::size_t n_size, const std::string& s_name)
{
    std::memset(p_dest, 0, n_size);
    std::memcpy(p_dest, s_name.data(), std::min(n_size, s_name.size()));
}

std::string Format(const char* p_format, unsigned long ul)
{
    char a_buf[32];
    std::snprintf(a_buf, sizeof a_buf, p_format, ul);
    return a_buf;
}

std::string Dec(long l) { return std::to_string(l); }

bool ReadRect(const std::string& s_text, ZelRect& rect)
{
    const std::vector<std::string> v_parts = SplitFields(s_text, ':');
    if (v_parts.size() < 5 || !IsVersionOne(v_parts))
        return false;
    ZelRect r;
    if (!ZelParseField(v_parts[1], r.left) || !ZelParseField(v_parts[2], r.top) || !ZelParseField(v_parts[3], r.right) ||
        !ZelParseField(v_parts[4], r.bottom))
        return false;
    rect = r;
    return true;
}

bool ReadPoint(const std::string& s_text, ZelPoint& point)
{
    const std::vector<std::string> v_parts = SplitFields(s_text, ':');
    if (v_parts.size() < 3 || !IsVersionOne(v_parts))
        return false;
    ZelPoint pt;
    if (!ZelParseField(v_parts[1], pt.x) || !ZelParseField(v_parts[2], pt.y))
        return false;
    point = pt;
    return true;
}

// A line of the page setup text that holds another form: in double quotes,
// with the quotes inside it doubled (the splitting reads a doubled quote in
// a quoted run as one quote), so that a quote in a printer's name cannot end
// the line's quoted run early.
std::string QuoteLine(const std::string& s_text)
{
    std::string s = "\"";
    for (char c : s_text) {
        s += c;
        if (c == '"')
            s += '"';
    }
    s += "\"\n";
    return s;
}

} // namespace

ZelHDevNames ZelMakeDevNames(const std::string& s_driver, const std::string& s_device, const std::string& s_output)
{
    // The names end at their first zero, as they would in the block.
    const std::string a_names[3] = {s_driver.substr(0, s_driver.find('\0')), s_device.substr(0, s_device.find('\0')),
                                    s_output.substr(0, s_output.find('\0'))};
    const std::size_t n_size = 8 + a_names[0].size() + a_names[1].size() + a_names[2].size() + 3;
    // The last offset must fit its 16-bit word.
    if (n_size - a_names[2].size() - 1 > 0xFFFF)
        return nullptr;
    auto p_block = std::make_shared<ZelDevNames>(n_size, BYTE{0});
    std::size_t n_offset = 8;
    for (int i = 0; i < 3; ++i) {
        (*p_block)[2 * i] = static_cast<BYTE>(n_offset & 0xFF);
        (*p_block)[2 * i + 1] = static_cast<BYTE>(n_offset >> 8);
        std::memcpy(p_block->data() + n_offset, a_names[i].data(), a_names[i].size());
        n_offset += a_names[i].size() + 1;
    }
    return p_block;
}

std::string ZelGetDevName(const ZelDevNames& dev_names, int i_which)
{
    if (i_which < 0 || i_which > 2 || dev_names.size() < 8)
        return {};
    const std::size_t n_offset =
        dev_names[2 * i_which] | static_cast<std::size_t>(dev_names[2 * i_which + 1]) << 8;
    if (n_offset == 0 || n_offset >= dev_names.size())
        return {};
    const char* p_name = reinterpret_cast<const char*>(dev_names.data()) + n_offset;
    return std::string(p_name, strnlen(p_name, dev_names.size() - n_offset));
}

void RectIO::SerializeToString(std::string& s_text) const
{
    s_text = std::string(s_version) + ":" + Dec(left) + ":" + Dec(top) + ":" + Dec(right) + ":" + Dec(bottom);
}

BOOL RectIO::SerializeFromString(const std::string& s_text) { return ReadRect(s_text, *this) ? TRUE : FALSE; }

void PointIO::SerializeToString(std::string& s_text) const
{
    s_text = std::string(s_version) + ":" + Dec(x) + ":" + Dec(y);
}

BOOL PointIO::SerializeFromString(const std::string& s_text) { return ReadPoint(s_text, *this) ? TRUE : FALSE; }

void DevNamesIO::SerializeToString(std::string& s_text) const
{
    s_text = std::string(s_version) + ":";
    if (pDevNames == nullptr) {
        s_text += ":::0:";
        return;
    }
    for (int i = 0; i < 3; ++i)
        s_text += EscapeText(ZelGetDevName(*pDevNames, i)) + ":";
    // The fourth field, which readers skip, shows the default flag.
    WORD w_default = 0;
    if (pDevNames->size() >= 8)
        w_default = static_cast<WORD>((*pDevNames)[6] | (*pDevNames)[7] << 8);
    s_text += Dec(w_default) + ":";
}

ZelHDevNames DevNamesIO::SerializeFromString(const std::string& s_text)
{
    const std::vector<std::string> v_parts = SplitFields(s_text, ':');
    if (v_parts.size() < 5 || !IsVersionOne(v_parts))
        return nullptr;
    return ZelMakeDevNames(v_parts[1], v_parts[2], v_parts[3]);
}

void DevModeIO::SerializeToString(std::string& s_text) const
{
    s_text.clear();
    if (pDevMode == nullptr)
        return;
    const ZelDevMode& dm = *pDevMode;
    std::string s = std::string(s_version) + ":";
    s += EscapeText(dm.dmDeviceName, ZelDevMode::CCHDEVICENAME) + ":";
    for (WORD w : {dm.dmSpecVersion, dm.dmDriverVersion, dm.dmSize, dm.dmDriverExtra})
        s += Dec(w) + ":";
    s += Format("0x%lx:", dm.dmFields);
    for (std::int16_t n : {dm.dmOrientation, dm.dmPaperSize, dm.dmPaperLength, dm.dmPaperWidth, dm.dmScale,
                           dm.dmCopies, dm.dmDefaultSource, dm.dmPrintQuality, dm.dmColor, dm.dmDuplex,
                           dm.dmYResolution, dm.dmTTOption, dm.dmCollate})
        s += Dec(n) + ":";
    s += EscapeText(dm.dmFormName, ZelDevMode::CCHFORMNAME) + ":";
    s += Dec(dm.dmLogPixels) + ":";
    for (DWORD dw : {dm.dmBitsPerPel, dm.dmPelsWidth, dm.dmPelsHeight})
        s += std::to_string(dw) + ":";
    s += Format("0x%lx:", dm.dmDisplayFlags);
    for (DWORD dw : {dm.dmDisplayFrequency, dm.dmICMMethod, dm.dmICMIntent, dm.dmMediaType, dm.dmDitherType})
        s += std::to_string(dw) + ":";
    s += ":";
    const std::size_t n_extra = std::min<std::size_t>(dm.dmDriverExtra, dm.vDriverExtra.size());
    for (std::size_t i = 0; i < n_extra; ++i)
        s += Format("0x%lx,", dm.vDriverExtra[i]);
    s += ":";
    s_text = std::move(s);
}

ZelHDevMode DevModeIO::SerializeFromString(const std::string& s_text)
{
    // The writer always writes every field: a text with fewer is damaged.
    enum { FIELDS = 33 };
    const std::vector<std::string> v = SplitFields(s_text, ':');
    if (v.size() < FIELDS || !IsVersionOne(v))
        return nullptr;
    auto p_dm = std::make_shared<ZelDevMode>();
    ZelDevMode& dm = *p_dm;
    std::size_t i = 1;
    CopyName(dm.dmDeviceName, ZelDevMode::CCHDEVICENAME, v[i++]);
    bool b_ok = true;
    for (WORD* p : {&dm.dmSpecVersion, &dm.dmDriverVersion, &dm.dmSize, &dm.dmDriverExtra})
        b_ok = b_ok && ZelParseField(v[i++], *p);
    b_ok = b_ok && ZelParseField(v[i++], dm.dmFields, 0);
    for (std::int16_t* p : {&dm.dmOrientation, &dm.dmPaperSize, &dm.dmPaperLength, &dm.dmPaperWidth, &dm.dmScale,
                            &dm.dmCopies, &dm.dmDefaultSource, &dm.dmPrintQuality, &dm.dmColor, &dm.dmDuplex,
                            &dm.dmYResolution, &dm.dmTTOption, &dm.dmCollate})
        b_ok = b_ok && ZelParseField(v[i++], *p);
    CopyName(dm.dmFormName, ZelDevMode::CCHFORMNAME, v[i++]);
    b_ok = b_ok && ZelParseField(v[i++], dm.dmLogPixels);
    for (DWORD* p : {&dm.dmBitsPerPel, &dm.dmPelsWidth, &dm.dmPelsHeight})
        b_ok = b_ok && ZelParseField(v[i++], *p);
    b_ok = b_ok && ZelParseField(v[i++], dm.dmDisplayFlags, 0);
    for (DWORD* p : {&dm.dmDisplayFrequency, &dm.dmICMMethod, &dm.dmICMIntent, &dm.dmMediaType, &dm.dmDitherType})
        b_ok = b_ok && ZelParseField(v[i++], *p);
    ++i; // the empty field
    if (!b_ok)
        return nullptr;
    // The driver's bytes, each "0x..," ; the block holds as many as the
    // structure says, whatever the text held.
    ZelStringArray a_bytes;
    a_bytes.SplitEx(v[i], ',', '"', '\\', FALSE, FALSE);
    for (int j = 0; j < a_bytes.GetSize(); ++j) {
        BYTE b = 0;
        if (!ZelParseField(a_bytes[j], b, 0))
            return nullptr;
        dm.vDriverExtra.push_back(b);
    }
    dm.vDriverExtra.resize(dm.dmDriverExtra, BYTE{0});
    return p_dm;
}

void PageSetupDlgIO::SerializeToString(std::string& s_text) const
{
    std::string s = std::string(s_version) + "\n";
    if (hDevMode) {
        std::string s_dev_mode;
        DevModeIO(hDevMode.get()).SerializeToString(s_dev_mode);
        s += QuoteLine(s_dev_mode);
    } else {
        s += "0\n";
    }
    if (hDevNames) {
        std::string s_dev_names;
        DevNamesIO(hDevNames.get()).SerializeToString(s_dev_names);
        s += QuoteLine(s_dev_names);
    } else {
        s += "0\n";
    }
    s += Format("0x%lx\n", Flags);
    std::string s_part;
    PointIO(ptPaperSize).SerializeToString(s_part);
    s += QuoteLine(s_part);
    RectIO(rtMinMargin).SerializeToString(s_part);
    s += QuoteLine(s_part);
    RectIO(rtMargin).SerializeToString(s_part);
    s += QuoteLine(s_part);
    s_text = std::move(s);
}

BOOL PageSetupDlgIO::SerializeFromString(const std::string& s_text)
{
    // Seven lines: version, device mode, device names, flags, paper size and
    // the two margins. A text without the last margin is refused rather
    // than read past its end.
    const std::vector<std::string> v = SplitFields(s_text, '\n');
    if (v.size() < 7 || !IsVersionOne(v))
        return FALSE;
    ZelPageSetupDlg psd = *this;
    psd.hDevMode = nullptr;
    if (v[1] != "0") {
        psd.hDevMode = DevModeIO::SerializeFromString(v[1]);
        if (!psd.hDevMode)
            return FALSE;
        psd.hDevMode->dmFields &= ~(ZelDevMode::DM_PAPERLENGTH | ZelDevMode::DM_PAPERWIDTH);
    }
    psd.hDevNames = nullptr;
    if (v[2] != "0") {
        psd.hDevNames = DevNamesIO::SerializeFromString(v[2]);
        if (!psd.hDevNames)
            return FALSE;
    }
    if (!ZelParseField(v[3], psd.Flags, 0) || !ReadPoint(v[4], psd.ptPaperSize) || !ReadRect(v[5], psd.rtMinMargin) ||
        !ReadRect(v[6], psd.rtMargin))
        return FALSE;
    static_cast<ZelPageSetupDlg&>(*this) = psd;
    return TRUE;
}
