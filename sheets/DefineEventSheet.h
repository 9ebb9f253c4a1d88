// The define-event wizard: the user names the event, chooses how its days
// are defined (calendar dates, days of the week or custom days), picks
// them on the matching day page and gives them timeslots on the timeslots
// page. The sheet works on copies of the event's name and definition and
// writes both back only on Finish.
//
// The sheet starts with the first page only; each page adds the next one
// as the user goes on and removes every page after itself as the user goes
// back, so the sheet never holds more pages than the path taken.
#pragma once

#include "sheets/DefineEventRules.h"
#include "shell/editing/EditingPPage.h"
#include "zelkit/dialogs/ui/ZelSizing.h"

#include <string>

class EventDoc;
class DefineEventPSheet;
class CalendarDaysPPage;
class WeekDaysPPage;
class CustomDaysPPage;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

// Controls of the first page.
enum : int {
    IDC_EVENT_NAME = 1000,
    IDC_KIND_CALENDAR = 1152,
    IDC_KIND_WEEK_DAYS = 1154,
    IDC_KIND_CUSTOM = 1155,
};

// The size of every page of the wizard, in dialog units.
enum : int { nWizardPageWidth = 330, nWizardPageHeight = 215 };

// The base of the wizard's pages.
class DefineEventPPageBase : public ExPropertyPage {
public:
    DefineEventPPageBase(wxWindow* p_book, EventDoc* p_doc, const wxString& s_caption, UINT u_descriptionId);

    DefineEventPSheet* GetSheet() const;
    EventDoc* GetDocument() const { return pDoc; }

    // The wizard's steps on this page; false keeps the page.
    virtual bool OnWizardNext() { return true; }
    virtual bool OnWizardBack() { return true; }
    virtual bool OnWizardFinish() { return false; }
    // The page is left by Back or Next; false keeps it.
    virtual bool OnKillActive() { return true; }

    bool OnSetActive() override;

protected:
    // The description text (1230) across the top of the page, i_cy dialog
    // units high.
    void CreateDescription(int i_cy);
    void SetButtons(UINT u_flags);
    // Takes every page after this one out of the sheet.
    void RemoveLaterPages();
    // Adds the page after this one and shows it next.
    void AddNextPage(DefineEventPPageBase* p_page);

    EventDoc* pDoc;
    wxStaticText* pDescription = nullptr;
    std::string sDescription;
};

// The first page: the event's name and the kind of days.
class DefineEventPPage : public DefineEventPPageBase {
public:
    DefineEventPPage(wxWindow* p_book, EventDoc* p_doc);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnWizardNext() override;

    // The kind checked: 0 calendar dates, 1 week days, 2 custom days; -1.
    int GetCheckedKind() const;
    CalendarDaysPPage* GetCalendarPage() const { return pCalendar; }
    WeekDaysPPage* GetWeekDaysPage() const { return pWeekDays; }
    CustomDaysPPage* GetCustomPage() const { return pCustom; }

private:
    // The buttons follow the name as it is typed and the radio clicked.
    void UpdateButtons();

    CalendarDaysPPage* pCalendar = nullptr;
    CustomDaysPPage* pCustom = nullptr;
    WeekDaysPPage* pWeekDays = nullptr;
    wxTextCtrl* pName = nullptr;
    wxRadioButton* aKinds[3] = {};
};

class DefineEventPSheet : public ZelSizingPropSheet {
public:
    // The sheet over the document; the first page is added, wizard style.
    DefineEventPSheet(EventDoc* p_doc, UINT u_captionId, wxWindow* p_parent, UINT u_selectPage = 0);

    // Runs the wizard over copies of the document's name and definition,
    // and writes both back when it ends with Finish (ID_WIZFINISH).
    int DoModal();

    EventDoc* GetDocument() const { return pDoc; }
    std::string& GetWorkingName() { return Work.sName; }
    EventDefinition& GetWorkingDef() { return Work.Def; }
    DefineEventPPage& GetFirstPage() { return *pFirstPage; }

    // Adds a wizard page at the end / takes it out (it stays hidden, owned
    // by the page that made it).
    void AddWizardPage(DefineEventPPageBase* p_page);
    void RemoveWizardPage(DefineEventPPageBase* p_page);
    int FindPageIndex(const wxWindow* p_page) const;

protected:
    void OnWizardBack() override;
    void OnWizardNext() override;
    void OnWizardFinish() override;

private:
    DefineEventPPageBase* ActivePage() const;

    DefineEventWork Work;
    EventDoc* pDoc;
    DefineEventPPage* pFirstPage = nullptr;
};

// Installs the wizard as the document's define-event sheet (the other
// sheets of the port stay those installed before) and enables its commands.
void InstallDefineEventSheet();
