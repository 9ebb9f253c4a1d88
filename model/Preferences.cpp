#include "model/Preferences.h"

#include "framework/Archive.h"
#include "model/General.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>

namespace {

DWORD ReadDword(CArchive& ar)
{
    DWORD u = 0;
    ar >> u;
    return u;
}

// An export kind is taken from a file only when it is one of the kinds.
bool IsExportKind(DWORD u_kind)
{
    return u_kind <= 4;
}

constexpr int kNumReservedWords = 6;

} // namespace

// ---- Preferences ----

void Preferences::Serialize(CArchive& ar)
{
    const UINT u_version = GetArchiveVersionChecked(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(bAllowTravel) << static_cast<DWORD>(uTravelMinutes)
           << static_cast<DWORD>(bFillEmptySlots);
        GroupEventLimits.Serialize(ar);
        GroupDayLimits.Serialize(ar);
        ar << static_cast<DWORD>(eGroupRotation);
        GroupVenueAllocs.Serialize(ar);
        ar << static_cast<DWORD>(bSkipBuildOptions) << uSuppressedMessages;
        for (int i = 0; i < kNumReservedWords; ++i)
            ar << DWORD(0);
        ar << static_cast<DWORD>(uReportFontSize) << static_cast<DWORD>(bGroupUsesVenueLimits);
        GroupVenueLimits.Serialize(ar);
        ar << static_cast<DWORD>(lMaxGroupSize);
        PartEventLimits.Serialize(ar);
        PartDayLimits.Serialize(ar);
        ar << static_cast<DWORD>(bPartUsesVenueLimits);
        PartVenueLimits.Serialize(ar);
        PartRosterLim.Serialize(ar);
        return;
    }

    // The very first files had no travel time at all.
    bAllowTravel = u_version >= 2 ? static_cast<BOOL>(ReadDword(ar)) : 0;
    if (u_version >= 7)
        uTravelMinutes = ReadDword(ar);
    bFillEmptySlots = static_cast<BOOL>(ReadDword(ar));
    GroupEventLimits.Serialize(ar);
    if (u_version >= 6)
        GroupDayLimits.Serialize(ar);
    else
        GroupDayLimits.uType = SchedLim::e_no_limits;
    if (u_version >= 10) {
        const DWORD e_rotation = ReadDword(ar);
        if (e_rotation > e_day_rotation)
            CArchive::ThrowBadSchema("unknown group rotation in the preferences");
        eGroupRotation = e_rotation;
    }
    if (u_version >= 11)
        GroupVenueAllocs.Serialize(ar);
    else
        GroupVenueAllocs.RemoveAll();
    if (u_version >= 13) {
        bSkipBuildOptions = static_cast<BOOL>(ReadDword(ar));
        uSuppressedMessages = ReadDword(ar);
        for (int i = 0; i < kNumReservedWords; ++i)
            ReadDword(ar);
        const DWORD u_font_size = ReadDword(ar);
        if (u_font_size != 0)
            uReportFontSize = u_font_size;
    }
    if (u_version >= 18) {
        bGroupUsesVenueLimits = static_cast<BOOL>(ReadDword(ar));
        GroupVenueLimits.Serialize(ar);
    } else {
        bGroupUsesVenueLimits = 0;
        GroupVenueLimits.RemoveAll();
    }
    lMaxGroupSize = u_version >= 28 ? static_cast<LONG>(ReadDword(ar)) : kDefaultMaxGroupSize;
    if (u_version >= 34) {
        PartEventLimits.Serialize(ar);
        PartDayLimits.Serialize(ar);
        bPartUsesVenueLimits = static_cast<BOOL>(ReadDword(ar));
        PartVenueLimits.Serialize(ar);
    } else {
        bPartUsesVenueLimits = 0;
        PartEventLimits.uType = SchedLim::e_no_limits;
        PartDayLimits.uType = SchedLim::e_no_limits;
        PartVenueLimits.RemoveAll();
    }
    if (u_version >= 38)
        PartRosterLim.Serialize(ar);
    else
        PartRosterLim.uType = SchedLim::e_no_limits;
}

// ---- MiscOptions ----

int MiscOptions::SetTextExportKind(int i_controlId)
{
    if (i_controlId < IDC_TEXT_KIND_FIRST || i_controlId > IDC_TEXT_KIND_LAST)
        return 0;
    const LONG l_kind = i_controlId - IDC_TEXT_KIND_FIRST + 1;
    if (l_kind == lTextExportKind)
        return 0;
    lTextExportKind = l_kind;
    return 1;
}

int MiscOptions::GetTextExportKindId() const
{
    if (lTextExportKind < 1 || lTextExportKind > 4)
        return IDC_TEXT_KIND_FIRST;
    return IDC_TEXT_KIND_FIRST + lTextExportKind - 1;
}

int MiscOptions::SetHtmlExportKind(int i_controlId)
{
    LONG l_kind;
    if (i_controlId == IDC_HTML_KIND_4)
        l_kind = 4;
    else if (i_controlId == IDC_HTML_KIND_2)
        l_kind = 2;
    else
        return 0;
    if (l_kind == lHtmlExportKind)
        return 0;
    lHtmlExportKind = l_kind;
    return 1;
}

int MiscOptions::GetHtmlExportKindId() const
{
    return lHtmlExportKind == 4 ? IDC_HTML_KIND_4 : IDC_HTML_KIND_2;
}

int MiscOptions::SetExportFileName(const std::string& s_path)
{
    ZelFileName name(s_path, kMaxFileNameLength);
    name.RemoveExtension();
    if (name.GetName() == ExportFileName.GetName())
        return 0;
    ExportFileName = name;
    return 1;
}

LONG MiscOptions::GetFurtherOption(int i) const
{
    ZEL_ASSERT(0 <= i && i < kNumFurtherOptions);
    return aFurtherOptions[i];
}

void MiscOptions::SetFurtherOption(int i, LONG l_value)
{
    ZEL_ASSERT(0 <= i && i < kNumFurtherOptions);
    aFurtherOptions[i] = l_value;
}

void MiscOptions::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(lTextExportKind) << static_cast<DWORD>(lFirstOption);
        ExportFileName.Serialize(ar);
        ar << static_cast<DWORD>(lSecondOption);
        HtmlItems.Serialize(ar);
        ar << static_cast<DWORD>(lHtmlExportKind);
        for (LONG l_option : aFurtherOptions)
            ar << static_cast<DWORD>(l_option);
        return;
    }

    const UINT u_version = GetArchiveVersion(ar);
    if (u_version <= 9)
        return;
    const DWORD u_text_kind = ReadDword(ar);
    if (IsExportKind(u_text_kind))
        lTextExportKind = static_cast<LONG>(u_text_kind);
    lFirstOption = static_cast<LONG>(ReadDword(ar));
    ExportFileName.Serialize(ar);
    if (u_version >= 39) {
        lSecondOption = static_cast<LONG>(ReadDword(ar));
        HtmlItems.Serialize(ar);
    } else {
        lSecondOption = 1;
        HtmlItems.RemoveAll();
    }
    if (u_version >= 40) {
        const DWORD u_html_kind = ReadDword(ar);
        if (IsExportKind(u_html_kind))
            lHtmlExportKind = static_cast<LONG>(u_html_kind);
        for (LONG& l_option : aFurtherOptions)
            l_option = static_cast<LONG>(ReadDword(ar));
    } else if (u_version == 39) {
        // Version 39 files had the HTML items but not yet these choices.
        lHtmlExportKind = 4;
        const LONG a_defaults[kNumFurtherOptions] = {0, 1, 0, 1};
        std::copy(a_defaults, a_defaults + kNumFurtherOptions, aFurtherOptions);
    }
}
