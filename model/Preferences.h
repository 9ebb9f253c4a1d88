// The event-wide settings the document saves with the event: the
// preferences (options of the build and of reports, and the defaults new
// groups and participants receive) and the remembered choices of the export
// dialogs.
#pragma once

#include "framework/Types.h"
#include "model/SchedLim.h"
#include "model/Venue.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/values/ZelName.h"

#include <string>

class CArchive;

class Preferences {
public:
    enum { kDefaultTravelMinutes = 5, kDefaultMaxGroupSize = 99999, kDefaultReportFontSize = 6 };
    // Group rotation: none, the venue changes each day, or each time the
    // group is scheduled within a day.
    enum { e_no_rotation = 0, e_event_rotation = 1, e_day_rotation = 2 };

    Preferences() = default;
    Preferences(const Preferences& src) = default;
    Preferences& operator=(const Preferences& src) = default;
    virtual ~Preferences() = default;

    // Options of the build.
    BOOL GetAllowTravel() const { return bAllowTravel; }
    void SetAllowTravel(BOOL b_allow) { bAllowTravel = b_allow; }
    UINT GetTravelMinutes() const { return uTravelMinutes; }
    void SetTravelMinutes(UINT u_minutes) { uTravelMinutes = u_minutes; }
    BOOL GetFillEmptySlots() const { return bFillEmptySlots; }
    void SetFillEmptySlots(BOOL b_fill) { bFillEmptySlots = b_fill; }
    BOOL GetSkipBuildOptions() const { return bSkipBuildOptions; }
    void SetSkipBuildOptions(BOOL b_skip) { bSkipBuildOptions = b_skip; }

    // The record of messages the user asked not to see again.
    DWORD GetSuppressedMessages() const { return uSuppressedMessages; }
    void SetSuppressedMessages(DWORD u_messages) { uSuppressedMessages = u_messages; }
    void ResetOptionFlag() { uSuppressedMessages = 0; }

    // The smallest font size (points) of the listing reports.
    UINT GetReportFontSize() const { return uReportFontSize; }
    void SetReportFontSize(UINT u_points) { uReportFontSize = u_points; }

    // Defaults of a new group.
    SchedLim& GetGroupEventLimits() { return GroupEventLimits; }
    const SchedLim& GetGroupEventLimits() const { return GroupEventLimits; }
    SchedLim& GetGroupDayLimits() { return GroupDayLimits; }
    const SchedLim& GetGroupDayLimits() const { return GroupDayLimits; }
    UINT GetGroupRotation() const { return eGroupRotation; }
    void SetGroupRotation(UINT e_rotation) { eGroupRotation = e_rotation; }
    LONG GetMaxGroupSize() const { return lMaxGroupSize; }
    void SetMaxGroupSize(LONG l_size) { lMaxGroupSize = l_size; }
    VenueAllocArray& GetGroupVenueAllocs() { return GroupVenueAllocs; }
    const VenueAllocArray& GetGroupVenueAllocs() const { return GroupVenueAllocs; }
    VenueLimitArray& GetGroupVenueLimits() { return GroupVenueLimits; }
    const VenueLimitArray& GetGroupVenueLimits() const { return GroupVenueLimits; }
    BOOL GetGroupUsesVenueLimits() const { return bGroupUsesVenueLimits; }
    void SetGroupUsesVenueLimits(BOOL b_use) { bGroupUsesVenueLimits = b_use; }

    // Defaults of a new participant.
    SchedLim& GetPartEventLimits() { return PartEventLimits; }
    const SchedLim& GetPartEventLimits() const { return PartEventLimits; }
    SchedLim& GetPartDayLimits() { return PartDayLimits; }
    const SchedLim& GetPartDayLimits() const { return PartDayLimits; }
    RosterLim& GetPartRosterLim() { return PartRosterLim; }
    const RosterLim& GetPartRosterLim() const { return PartRosterLim; }
    VenueLimitArray& GetPartVenueLimits() { return PartVenueLimits; }
    const VenueLimitArray& GetPartVenueLimits() const { return PartVenueLimits; }
    BOOL GetPartUsesVenueLimits() const { return bPartUsesVenueLimits; }
    void SetPartUsesVenueLimits(BOOL b_use) { bPartUsesVenueLimits = b_use; }

    // Files of every version hold preferences; what older ones lack takes
    // the values a file of their time meant. A group rotation outside 0 to 2
    // refuses the file.
    virtual void Serialize(CArchive& ar);

private:
    SchedLim GroupEventLimits;
    SchedLim GroupDayLimits;
    SchedLim PartEventLimits;
    SchedLim PartDayLimits;
    RosterLim PartRosterLim;
    BOOL bAllowTravel = 1;
    UINT uTravelMinutes = kDefaultTravelMinutes;
    BOOL bFillEmptySlots = 1;
    UINT eGroupRotation = e_no_rotation;
    BOOL bSkipBuildOptions = 0;
    LONG lMaxGroupSize = kDefaultMaxGroupSize;
    DWORD uSuppressedMessages = 0;
    UINT uReportFontSize = kDefaultReportFontSize;
    VenueAllocArray GroupVenueAllocs;
    VenueLimitArray GroupVenueLimits;
    BOOL bGroupUsesVenueLimits = 0;
    VenueLimitArray PartVenueLimits;
    BOOL bPartUsesVenueLimits = 0;
};

// The export dialogs' last choices. Their meaning belongs to the dialogs;
// this class keeps them and saves them with the event.
class MiscOptions {
public:
    enum { kMaxFileNameLength = 2048, kNumFurtherOptions = 4 };
    // Control ids of the export dialogs' kind choices.
    enum {
        IDC_TEXT_KIND_FIRST = 1107, // to 1110: text export kinds 1 to 4
        IDC_TEXT_KIND_LAST = 1110,
        IDC_HTML_KIND_4 = 1382,
        IDC_HTML_KIND_2 = 1383,
    };

    MiscOptions() = default;
    MiscOptions(const MiscOptions& src) = default;
    MiscOptions& operator=(const MiscOptions& src) = default;
    virtual ~MiscOptions() = default;

    LONG GetTextExportKind() const { return lTextExportKind; }
    // 1107 to 1110 choose kinds 1 to 4; 1 when the kind changed.
    int SetTextExportKind(int i_controlId);
    // The control of the kind; 1107 for a kind outside 1 to 4.
    int GetTextExportKindId() const;

    LONG GetHtmlExportKind() const { return lHtmlExportKind; }
    // 1382 chooses kind 4, 1383 kind 2; 1 when the kind changed.
    int SetHtmlExportKind(int i_controlId);
    // 1382 for kind 4, else 1383.
    int GetHtmlExportKindId() const;

    // Stores the path without its extension; 1 when that differs from the
    // stored name, else 0 and nothing changes.
    int SetExportFileName(const std::string& s_path);
    std::string GetExportFileName() const { return ExportFileName.GetName(); }

    ZelArray<UINT> GetHtmlItems() const { return HtmlItems; }
    void SetHtmlItems(const ZelArray<UINT>& a_items) { HtmlItems = a_items; }

    LONG GetFirstOption() const { return lFirstOption; }
    void SetFirstOption(LONG l_value) { lFirstOption = l_value; }
    LONG GetSecondOption() const { return lSecondOption; }
    void SetSecondOption(LONG l_value) { lSecondOption = l_value; }
    // Further options 0 to 3.
    LONG GetFurtherOption(int i) const;
    void SetFurtherOption(int i, LONG l_value);

    // Present from file version 10; the second option and the HTML items
    // from 39, the HTML kind and the further options from 40.
    virtual void Serialize(CArchive& ar);

private:
    LONG lTextExportKind = 1;
    LONG lHtmlExportKind = 4;
    LONG lFirstOption = 1;
    ZelFileName ExportFileName{kMaxFileNameLength};
    LONG lSecondOption = 1;
    LONG aFurtherOptions[kNumFurtherOptions] = {0, 1, 0, 1};
    ZelArray<UINT> HtmlItems;
};
