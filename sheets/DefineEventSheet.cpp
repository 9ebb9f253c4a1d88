#include "sheets/DefineEventSheet.h"

#include "framework/ui/WxText.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "sheets/DayPages.h"
#include "sheets/SheetRules.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/frame/EventDocument.h"

#include <wx/app.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// ---- DefineEventPPageBase ----

DefineEventPPageBase::DefineEventPPageBase(wxWindow* p_book, EventDoc* p_doc, const wxString& s_caption,
                                           UINT u_descriptionId)
    : ExPropertyPage(p_book, s_caption), pDoc(p_doc)
{
    ZEL_ASSERT(p_doc != nullptr);
    if (u_descriptionId != 0)
        sDescription = LoadResString(u_descriptionId, "");
    SetMinSize(ConvertDialogToPixels(wxSize(nWizardPageWidth, nWizardPageHeight)));
    // Pages wait hidden until the wizard shows them.
    Hide();
}

DefineEventPSheet* DefineEventPPageBase::GetSheet() const
{
    wxWindow* p_book = GetParent();
    auto* p_sheet = p_book == nullptr ? nullptr : dynamic_cast<DefineEventPSheet*>(p_book->GetParent());
    ZEL_ASSERT(p_sheet != nullptr);
    return p_sheet;
}

bool DefineEventPPageBase::OnSetActive()
{
    ExPropertyPage::OnSetActive();
    // Each page shows the caption of its own step.
    GetSheet()->SetTitle(GetCaption());
    return true;
}

void DefineEventPPageBase::CreateDescription(int i_cy)
{
    pDescription = new wxStaticText(this, IDC_PAGE_DESCRIPTION, ToWx(sDescription));
    PlaceDlgUnits(*pDescription, 7, 7, nWizardPageWidth - 14, i_cy);
    pDescription->Wrap(pDescription->GetSize().x);
}

void DefineEventPPageBase::SetButtons(UINT u_flags) { GetSheet()->SetWizardButtons(u_flags); }

void DefineEventPPageBase::RemoveLaterPages()
{
    DefineEventPSheet* p_sheet = GetSheet();
    const int i_index = p_sheet->FindPageIndex(this);
    if (i_index < 0)
        return;
    while (p_sheet->GetPageCount() > i_index + 1)
        p_sheet->RemoveWizardPage(dynamic_cast<DefineEventPPageBase*>(p_sheet->GetPage(p_sheet->GetPageCount() - 1)));
}

void DefineEventPPageBase::AddNextPage(DefineEventPPageBase* p_page) { GetSheet()->AddWizardPage(p_page); }

// ---- DefineEventPPage ----

DefineEventPPage::DefineEventPPage(wxWindow* p_book, EventDoc* p_doc)
    : DefineEventPPageBase(p_book, p_doc, "Define event wizard", 0)
{
    pCalendar = new CalendarDaysPPage(p_book, p_doc);
    pCustom = new CustomDaysPPage(p_book, p_doc);
    pWeekDays = new WeekDaysPPage(p_book, p_doc);

    auto* p_label = new wxStaticText(this, wxID_ANY, "&Event name:");
    PlaceDlgUnits(*p_label, 10, 12, 60, 9);
    pName = new wxTextCtrl(this, IDC_EVENT_NAME);
    pName->SetMaxLength(nMaxEventName);
    PlaceDlgUnits(*pName, 70, 10, 190, 13);
    auto* p_question = new wxStaticText(this, wxID_ANY, "How would you like to define the days in the Event?");
    PlaceDlgUnits(*p_question, 10, 38, 300, 9);
    struct KindText {
        int iId;
        const char* pLabel;
        const char* pExample;
    } a_kinds[] = {
        {IDC_KIND_CALENDAR, "Calendar &dates", "(e.g. \"Mon 3-Jan-2000 to Thu 6-Jan-2000, Sat 8-Jan-2000\")"},
        {IDC_KIND_WEEK_DAYS, "Days of the &week", "(e.g. \"Monday to Friday, Sunday\")"},
        {IDC_KIND_CUSTOM, "C&ustom days", "(e.g. \"1st Sunday each Month, Last Saturday in July\")"},
    };
    for (int i = 0; i < 3; ++i) {
        const int i_y = 56 + 30 * i;
        aKinds[i] = new wxRadioButton(this, a_kinds[i].iId, a_kinds[i].pLabel, wxDefaultPosition, wxDefaultSize,
                                      i == 0 ? wxRB_GROUP : 0);
        PlaceDlgUnits(*aKinds[i], 20, i_y, 200, 10);
        auto* p_example = new wxStaticText(this, wxID_ANY, a_kinds[i].pExample);
        PlaceDlgUnits(*p_example, 32, i_y + 12, 290, 9);
        aKinds[i]->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateButtons(); });
    }
    pName->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { UpdateButtons(); });
}

bool DefineEventPPage::OnInitDialog()
{
    DefineEventPPageBase::OnInitDialog();
    const int i_kind = GetSheet()->GetWorkingDef().GetDaySel();
    if (i_kind >= 0 && i_kind < 3)
        aKinds[i_kind]->SetValue(true);
    AddSzXControl(*pName, modeStretch);
    return true;
}

bool DefineEventPPage::OnSetActive()
{
    DefineEventPPageBase::OnSetActive();
    pName->ChangeValue(ToWx(GetSheet()->GetWorkingName()));
    SetButtons(0);
    UpdateButtons();
    return true;
}

int DefineEventPPage::GetCheckedKind() const
{
    for (int i = 0; i < 3; ++i) {
        if (aKinds[i]->GetValue())
            return i;
    }
    return -1;
}

void DefineEventPPage::UpdateButtons()
{
    // Only emptiness counts here: the text is taken (and checked) on Next.
    SetButtons(FirstPageButtons(pName->GetValue().empty() ? std::string() : std::string("x"), GetCheckedKind()));
}

bool DefineEventPPage::OnWizardNext()
{
    const std::optional<std::string> s_name = AcceptTypedText(std::string(pName->GetValue().utf8_str()));
    if (!s_name) {
        pName->SetFocus();
        return false;
    }
    RemoveLaterPages();
    GetSheet()->GetWorkingName() = *s_name;
    switch (GetCheckedKind()) {
    case 0: AddNextPage(pCalendar); break;
    case 1: AddNextPage(pWeekDays); break;
    case 2: AddNextPage(pCustom); break;
    default: return false;
    }
    return true;
}

// ---- DefineEventPSheet ----

DefineEventPSheet::DefineEventPSheet(EventDoc* p_doc, UINT u_captionId, wxWindow* p_parent, UINT u_selectPage)
    : ZelSizingPropSheet(p_parent, u_captionId, u_selectPage), pDoc(p_doc)
{
    SetWizardMode();
    pFirstPage = new DefineEventPPage(GetBookCtrl(), p_doc);
    AddWizardPage(pFirstPage);
}

int DefineEventPSheet::DoModal()
{
    return RunDefineEvent(*pDoc, [this](DefineEventWork& work) {
        Work = work;
        const int i_result = ShowModal();
        if (i_result == ID_WIZFINISH)
            work = Work;
        return i_result;
    });
}

void DefineEventPSheet::AddWizardPage(DefineEventPPageBase* p_page)
{
    if (p_page != nullptr && FindPageIndex(p_page) < 0)
        AddPage(p_page);
}

void DefineEventPSheet::RemoveWizardPage(DefineEventPPageBase* p_page)
{
    if (p_page == nullptr)
        return;
    RemovePage(p_page);
    p_page->Hide();
}

int DefineEventPSheet::FindPageIndex(const wxWindow* p_page) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i) == p_page)
            return i;
    }
    return -1;
}

DefineEventPPageBase* DefineEventPSheet::ActivePage() const
{
    return dynamic_cast<DefineEventPPageBase*>(GetActivePage());
}

void DefineEventPSheet::OnWizardNext()
{
    DefineEventPPageBase* p_page = ActivePage();
    if (p_page == nullptr || !p_page->OnWizardNext() || !p_page->OnKillActive())
        return;
    const int i_index = FindPageIndex(p_page);
    if (i_index >= 0 && i_index + 1 < GetPageCount())
        GetBookCtrl()->SetSelection(static_cast<size_t>(i_index + 1));
}

void DefineEventPSheet::OnWizardBack()
{
    DefineEventPPageBase* p_page = ActivePage();
    if (p_page == nullptr || !p_page->OnWizardBack() || !p_page->OnKillActive())
        return;
    const int i_index = FindPageIndex(p_page);
    if (i_index > 0)
        GetBookCtrl()->SetSelection(static_cast<size_t>(i_index - 1));
}

void DefineEventPSheet::OnWizardFinish()
{
    DefineEventPPageBase* p_page = ActivePage();
    if (p_page != nullptr && p_page->OnWizardFinish())
        EndModal(ID_WIZFINISH);
}

// ---- the document's port ----

namespace {

class WxDefineEventSheets : public IDocumentSheetsPort {
public:
    IDocumentSheetsPort* pPrevious = nullptr;

    int DefineEvent(EventDoc& doc) override
    {
        DefineEventPSheet sheet(&doc, IDS_DEFINE_EVENT, wxTheApp->GetTopWindow());
        return sheet.DoModal();
    }
    int EditPreferences(EventDoc& doc, Preferences& prefs) override
    {
        return pPrevious != nullptr ? pPrevious->EditPreferences(doc, prefs) : IDCANCEL;
    }
    int EditSchedulingRules(EventDoc& doc, SchedulingRules& rules) override
    {
        return pPrevious != nullptr ? pPrevious->EditSchedulingRules(doc, rules) : IDCANCEL;
    }
};

} // namespace

void InstallDefineEventSheet()
{
    static WxDefineEventSheets sheets;
    if (&GetDocumentSheetsPort() != &sheets)
        sheets.pPrevious = SetDocumentSheetsPort(&sheets);
    CEventDocument::SetSheetAvailable(EventDoc::ID_DEFINE_EVENT, true);
    CEventDocument::SetSheetAvailable(EventDoc::ID_NEW_EVENT_DEFINITION, true);
}
