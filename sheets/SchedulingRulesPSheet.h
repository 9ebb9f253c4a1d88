// The scheduling rules sheet: the venue rules page, then the day rules
// page, over a working copy of the event's rules that the document fills
// before DoModal and takes back when it returns wxID_OK.
#pragma once

#include "model/SchedRule.h"
#include "shell/editing/EditingPSheet.h"
#include "sheets/SchedRulesPPage.h"

class EventDoc;

class SchedulingRulesPSheet : public EditingPSheet, public ISchedRulesHost {
public:
    SchedulingRulesPSheet(EventDoc* p_doc, UINT u_captionId, wxWindow* p_parent, UINT u_firstPage = 0);
    SchedulingRulesPSheet(EventDoc* p_doc, const wxString& s_caption, wxWindow* p_parent, UINT u_firstPage = 0);

    SchedulingRules& GetWorkingRules() override { return Working; }
    VenueRulesPPage& GetVenuePage() { return *pVenuePage; }
    DayRulesPPage& GetDayPage() { return *pDayPage; }

    // The day rules page when there are day rules but no venue rules, else
    // the venue rules page.
    static UINT StartPage(const SchedulingRules& rules);
    // Loads both pages from the working rules, opens on the start page,
    // runs the sheet: wxID_OK or wxID_CANCEL. Apply hands the working
    // rules to the caller's store (SetApplyStore) and the pages show them
    // again as stored.
    int DoModal();

protected:
    // The venue rules reach the working copy on OK whichever page is
    // active; the active page then stores its own on leaving.
    bool ApplyPages() override;

private:
    void AddPages();

    EventDoc* pDoc;
    VenueRulesPPage* pVenuePage = nullptr;
    DayRulesPPage* pDayPage = nullptr;
    SchedulingRules Working;
};

// Installs the sheet as the document's scheduling rules sheet (the port's
// other sheets stay those installed before).
void InstallSchedulingRulesSheet();
