#include "sheets/SchedulingRulesPSheet.h"

#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "shell/frame/EventDocument.h"
#include "framework/ui/WxText.h"

#include <wx/app.h>

SchedulingRulesPSheet::SchedulingRulesPSheet(EventDoc* p_doc, UINT u_captionId, wxWindow* p_parent, UINT u_firstPage)
    : EditingPSheet(p_parent, ToWx(LoadResString(u_captionId, "Scheduling rules")), u_firstPage), pDoc(p_doc)
{
    AddPages();
}

SchedulingRulesPSheet::SchedulingRulesPSheet(EventDoc* p_doc, const wxString& s_caption, wxWindow* p_parent,
                                             UINT u_firstPage)
    : EditingPSheet(p_parent, s_caption, u_firstPage), pDoc(p_doc)
{
    AddPages();
}

void SchedulingRulesPSheet::AddPages()
{
    pVenuePage = new VenueRulesPPage(GetBookCtrl(), pDoc);
    AddPage(pVenuePage);
    pDayPage = new DayRulesPPage(GetBookCtrl(), pDoc);
    AddPage(pDayPage);
}

UINT SchedulingRulesPSheet::StartPage(const SchedulingRules& rules)
{
    return rules.GetNumVenueRules() == 0 && rules.GetNumDayRules() > 0 ? 1 : 0;
}

int SchedulingRulesPSheet::DoModal()
{
    pVenuePage->LoadRules(Working);
    pDayPage->LoadRules(Working);
    SetStartPage(StartPage(Working));
    return ShowModal() == wxID_OK ? wxID_OK : wxID_CANCEL;
}

bool SchedulingRulesPSheet::ApplyPages()
{
    pVenuePage->StoreRules(Working);
    BOOL b_stay = FALSE;
    pVenuePage->CheckSettings(&b_stay);
    if (b_stay)
        return false;
    return EditingPSheet::ApplyPages();
}

// ---- the document's port ----

namespace {

class WxSchedulingRulesSheets : public IDocumentSheetsPort {
public:
    IDocumentSheetsPort* pPrevious = nullptr;

    int DefineEvent(EventDoc& doc) override { return pPrevious != nullptr ? pPrevious->DefineEvent(doc) : IDCANCEL; }
    int EditPreferences(EventDoc& doc, Preferences& prefs) override
    {
        return pPrevious != nullptr ? pPrevious->EditPreferences(doc, prefs) : IDCANCEL;
    }
    int EditSchedulingRules(EventDoc& doc, SchedulingRules& rules) override
    {
        SchedulingRulesPSheet sheet(&doc, IDS_SCHEDULING_RULES, wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr);
        sheet.GetWorkingRules() = rules;
        // Apply stores the rules as OK does; the sheet stays open on them
        // as the event now holds them.
        sheet.SetApplyStore([&sheet, &doc] {
            doc.SetSchedulingRules(sheet.GetWorkingRules());
            sheet.GetWorkingRules() = doc.GetSchedulingRules();
            return true;
        });
        const int i_result = sheet.DoModal();
        if (i_result != wxID_OK)
            return IDCANCEL;
        rules = sheet.GetWorkingRules();
        return IDOK;
    }
};

} // namespace

void InstallSchedulingRulesSheet()
{
    static WxSchedulingRulesSheets sheets;
    if (&GetDocumentSheetsPort() != &sheets)
        sheets.pPrevious = SetDocumentSheetsPort(&sheets);
    CEventDocument::SetSheetAvailable(EventDoc::ID_SCHEDULING_RULES, true);
}
