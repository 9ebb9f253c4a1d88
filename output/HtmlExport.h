// The event as one HTML page: the page frame (title, heading, index, the
// created-at and generated-by lines) around the model's timetable tables
// and group listing, the export's options as the event keeps them, and the
// page's file.
//
// Every text of the event goes through HtmlText (escaped, UTF-8); the page
// says it is UTF-8 in its head. The page is composed with "\n" line ends and
// written with CR LF.
#pragma once

#include "framework/Types.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"

#include <ostream>
#include <string>

class EventDoc;

// The choices of the HTML export, as the event keeps them between exports
// and in its file.
struct HtmlExportOptions {
    // Control ids of the kind radios.
    enum : int { IDC_BY_DAY = 1382, IDC_BY_PARTICIPANT = 1383 };

    int iKindId = IDC_BY_DAY;
    BOOL bTimes = FALSE;
    BOOL bGroupListing = FALSE;
    BOOL bMemberNames = FALSE;
    // 0: the members as one wrapping list; 1: one per line.
    int iMemberLayout = 0;
    BOOL bRole = FALSE;
    BOOL bCombine = FALSE;

    bool operator==(const HtmlExportOptions&) const = default;

    // The event's stored choices: the kind (1382 or 1383) and the six
    // options, which the event keeps in the export options' first, second
    // and four further values (include times is the text export's too).
    static HtmlExportOptions FromDoc(const EventDoc& doc);
    // Stores the kind and every option whose value differs; TRUE when
    // anything changed (the caller marks the event modified).
    BOOL StoreInto(EventDoc& doc) const;
};

namespace HtmlExport {

// The body: index, timetable (or the not-built line), created-at line,
// the group listing with the items when asked, return link and the
// generated-by line.
void WriteHtmlBody(std::ostream& os, EventDoc& doc, const HtmlExportOptions& options, const ZelArray<UINT>& a_items,
                   const CHighTime& dt_now);
// "This page was created at" with the time as "%d-%b-%Y %H:%M:%S".
void WriteHtmlCreated(std::ostream& os, const CHighTime& dt_now);
void WriteHtmlCredit(std::ostream& os);
// The whole page.
void WritePage(std::ostream& os, EventDoc& doc, const HtmlExportOptions& options, const ZelArray<UINT>& a_items,
               const CHighTime& dt_now);

// Every "\n" not already after a "\r" becomes "\r\n".
std::string ToCrLf(const std::string& s_text);

// Writes the bytes to the path through a temporary file renamed over it.
// 0 when written; else the string id of the message to show with the path:
// 1072 when the file cannot be created, 1073 when writing it failed. The
// file that stood there before stays in both cases.
UINT WriteExportFile(const std::string& s_path, const std::string& s_bytes);

} // namespace HtmlExport
