// The event's exports as the main frame runs them (32835 HTML, 32836 text):
// the save dialog with the export's options, the options written back into
// the event, the group information chosen for the HTML page, the file and
// the messages. Nothing here needs a window: the dialogs are ports.
#pragma once

#include "framework/FileDialog.h"
#include "framework/Types.h"
#include "output/HtmlExport.h"
#include "shell/lists/ItemListCore.h"
#include "shell/frame/PaneView.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class EventDoc;

// ---- the group information dialog ----

// The dialog "Select group information" (257): the titles available and
// those selected, in order; on OK the selected list holds the user's
// choice in its final order.
class IHtmlColumnsPort {
public:
    virtual ~IHtmlColumnsPort() = default;
    virtual BOOL Ask(std::vector<std::string>& v_available, std::vector<std::string>& v_selected) = 0;
};

IHtmlColumnsPort& GetHtmlColumnsPort();
// Null puts the stand-in back, which cancels.
IHtmlColumnsPort* SetHtmlColumnsPort(IHtmlColumnsPort* p_port);

class ScriptedHtmlColumns : public IHtmlColumnsPort {
public:
    using Answer = std::function<BOOL(std::vector<std::string>& v_available, std::vector<std::string>& v_selected)>;
    ScriptedHtmlColumns();
    ~ScriptedHtmlColumns() override;
    ScriptedHtmlColumns(const ScriptedHtmlColumns&) = delete;
    ScriptedHtmlColumns& operator=(const ScriptedHtmlColumns&) = delete;

    // Answers in turn; Cancel once they are used up.
    void AnswerWith(Answer f_answer) { qAnswers.push_back(std::move(f_answer)); }
    struct Asked {
        std::vector<std::string> vAvailable;
        std::vector<std::string> vSelected;
    };
    const std::vector<Asked>& Requests() const { return vAsked; }

    BOOL Ask(std::vector<std::string>& v_available, std::vector<std::string>& v_selected) override;

private:
    std::deque<Answer> qAnswers;
    std::vector<Asked> vAsked;
    IHtmlColumnsPort* pPrevious;
};

namespace ExportCommands {

enum : UINT {
    ID_EXPORT_HTML = 32835,
    ID_EXPORT_TEXT = 32836,
};

// Option controls of the HTML export's save dialog.
enum : int {
    IDC_HTML_TIMES = 1222,
    IDC_HTML_GROUP_LISTING = 1373,
    IDC_HTML_COMBINE = 1377,
    IDC_HTML_MEMBER_NAMES = 1378,
    IDC_HTML_WRAPPING = 1379,
    IDC_HTML_ONE_PER_LINE = 1380,
    IDC_HTML_ROLE = 1381,
};

// The group list's columns as the group view defines them: every group
// field with its title, sorted by title.
std::vector<ItemListCore::ColumnDef> GroupColumnDefs();
// Group fields never offered as group information.
bool IsHiddenHtmlColumn(UINT u_id);

// The dialog's lists: available are the titled columns not hidden and not
// chosen; selected are the chosen ids that still name a column, in order.
void MakeHtmlColumnLists(const std::vector<ItemListCore::ColumnDef>& v_defs, const ZelArray<UINT>& a_ids,
                         std::vector<std::string>& v_available, std::vector<std::string>& v_selected);
// The ids of the titles, in order.
ZelArray<UINT> IdsFromTitles(const std::vector<ItemListCore::ColumnDef>& v_defs,
                             const std::vector<std::string>& v_titles);
// The rows at the (ascending) positions leave the source and are appended
// to the target in that order; returns their positions in the target.
std::vector<int> MoveRows(std::vector<std::string>& v_from, const std::vector<int>& v_rows,
                          std::vector<std::string>& v_to);

// The group information dialog over the ids: 1 when the user chose (the
// ids replaced), 0 when cancelled or when no group view can be found.
BOOL SelectHtmlColumns(IPaneFinder* p_panes, ZelArray<UINT>& a_ids);

// The save dialogs' requests and what they leave in the options. A stored
// name opens in its own folder when that is a folder of this system, else
// its last part (after a slash or backslash, without a drive) opens in the event
// file's folder, or in the documents folder for an event never saved;
// without a stored name the event's name is offered.
FileDialogRequest MakeHtmlRequest(const HtmlExportOptions& options, const std::string& s_storedName,
                                  const std::string& s_eventName = "", const std::string& s_eventPath = "");
HtmlExportOptions ReadHtmlRequest(const FileDialogRequest& request);
// The member-name sub-options are shown only while member names are on.
void FollowHtmlOptions(FileDialogRequest& request, int i_clicked);
// The text export's choice while its dialog is open: the kind's control id
// and the include-times flag. The check box is enabled and shows the flag
// only with the timetable; other kinds clear the box but keep the flag.
struct TextChoice {
    int iKindId = 1107;
    BOOL bTimes = FALSE;
};
FileDialogRequest MakeTextRequest(std::shared_ptr<TextChoice> p_choice, const std::string& s_storedName,
                                  const std::string& s_eventName = "", const std::string& s_eventPath = "");

// The commands.
void ExportHtml(EventDoc& doc, IPaneFinder* p_panes, const CHighTime& dt_now);
void ExportText(EventDoc& doc, IPaneFinder* p_panes);

} // namespace ExportCommands
