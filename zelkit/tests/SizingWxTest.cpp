// Resizable dialogs and sheets in real windows (run under a virtual display).
#include "testsupport/ui/AccessKeys.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/dialogs/ZelProfile.h"
#include "zelkit/dialogs/ui/ZelSizing.h"

#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

class MemoryProfile : public IZelProfile {
public:
    std::map<std::string, int> mValues;
    int GetProfileInt(const std::string& s_section, const std::string& s_entry, int i_default) override
    {
        auto it = mValues.find(s_section + "/" + s_entry);
        return it == mValues.end() ? i_default : it->second;
    }
    bool WriteProfileInt(const std::string& s_section, const std::string& s_entry, int i_value) override
    {
        mValues[s_section + "/" + s_entry] = i_value;
        return true;
    }
};

class ProfileScope {
public:
    ProfileScope() : pOld(ZelSetProfile(&Profile)) {}
    ~ProfileScope() { ZelSetProfile(pOld); }
    MemoryProfile Profile;

private:
    IZelProfile* pOld;
};

// A text box that fills the dialog and a button that stays centred under it.
class AnchorDlg : public ZelSizingDialog {
public:
    explicit AnchorDlg(Freedom e_freedom = freedomBoth) : ZelSizingDialog(nullptr, wxID_ANY, "Anchors", e_freedom)
    {
        SetClientSize(ConvertDialogToPixels(wxSize(200, 100)));
        pText = new wxTextCtrl(this, 100, "", wxDefaultPosition, wxDefaultSize, wxTE_MULTILINE);
        PlaceDlgUnits(*pText, 7, 7, 186, 60);
        pOk = new wxButton(this, 1, "OK");
        PlaceDlgUnits(*pOk, 75, 80, 50, 14);
    }
    bool OnInitDialog() override
    {
        ZelSizingDialog::OnInitDialog();
        AddSzControl(*pText, modeStretch, modeStretch);
        AddSzControl(*pOk, modeMoveHalf, modeMove);
        return true;
    }
    using ZelSizingDialog::OnInitDialog;

    wxTextCtrl* pText;
    wxButton* pOk;
};

void Resize(wxWindow& wnd, wxSize sz_client)
{
    wnd.SetClientSize(sz_client);
    wxSizeEvent event(wnd.GetSize(), wnd.GetId());
    event.SetEventObject(&wnd);
    wnd.GetEventHandler()->ProcessEvent(event);
}

TEST(SizingWx, DialogOpensWiderKeepsItsAnchorsAndItsMinimum)
{
    AnchorDlg dlg;
    const wxSize sz_open = dlg.GetSize();
    const wxRect rc_text = dlg.pText->GetRect();
    const wxRect rc_ok = dlg.pOk->GetRect();
    dlg.Show();
    ASSERT_TRUE(dlg.IsInitialized()) << "showing the dialog runs its initialisation";
    EXPECT_EQ(dlg.GetMinSize(), sz_open) << "the opening size is the minimum";
    EXPECT_GT(dlg.GetSize().x, sz_open.x) << "the dialog is widened once when it opens";

    const wxSize sz_client = dlg.GetSizingHeader().GetInitClientWidth() > 0
                                 ? wxSize(dlg.GetSizingHeader().GetInitClientWidth(), dlg.GetSizingHeader().GetInitClientHeight())
                                 : wxSize();
    Resize(dlg, sz_client + wxSize(101, 40));
    EXPECT_EQ(dlg.pText->GetRect(), wxRect(rc_text.x, rc_text.y, rc_text.width + 101, rc_text.height + 40));
    EXPECT_EQ(dlg.pOk->GetRect(), wxRect(rc_ok.x + 50, rc_ok.y + 40, rc_ok.width, rc_ok.height))
        << "half of an odd growth truncates";

    Resize(dlg, sz_client - wxSize(30, 30));
    EXPECT_EQ(dlg.pText->GetRect(), rc_text) << "smaller than the opening size lays out as at that size";
    dlg.Destroy();
}

TEST(SizingWx, FreedomAcrossKeepsTheHeightFixed)
{
    AnchorDlg dlg(ZelSizingTypes::freedomX);
    const wxSize sz_open = dlg.GetSize();
    dlg.Show();
    EXPECT_EQ(dlg.GetMaxSize().y, sz_open.y);
    EXPECT_EQ(dlg.GetMaxSize().x, -1);
    EXPECT_EQ(dlg.GetSize().y, sz_open.y) << "the height is not stretched";
    dlg.Destroy();
}

TEST(SizingWx, PlacementGoesToTheProfileAndComesBackOnlyWhenComplete)
{
    ProfileScope scope;
    {
        AnchorDlg dlg;
        dlg.Show();
        dlg.SetSize(40, 30, 700, 400);
        ASSERT_TRUE(dlg.StoreWindowPosition("Anchors"));
        dlg.Destroy();
    }
    EXPECT_EQ(scope.Profile.mValues["Anchors/(check)"], 32639);
    EXPECT_EQ(scope.Profile.mValues["Anchors/Right"] - scope.Profile.mValues["Anchors/Left"], 700);
    {
        AnchorDlg dlg;
        dlg.Show();
        ASSERT_TRUE(dlg.RestoreWindowPosition("Anchors"));
        EXPECT_EQ(dlg.GetSize(), wxSize(700, 400));
        scope.Profile.mValues["Anchors/(check)"] = -32640;
        dlg.SetSize(500, 300);
        EXPECT_FALSE(dlg.RestoreWindowPosition("Anchors")) << "an interrupted store is not restored";
        EXPECT_EQ(dlg.GetSize(), wxSize(500, 300));
        dlg.Destroy();
    }
}

class TextPage : public ZelSizingPropPage {
public:
    TextPage(wxWindow* p_book, const wxString& s_caption) : ZelSizingPropPage(p_book, s_caption)
    {
        pText = new wxTextCtrl(this, 100, s_caption);
    }
    bool OnInitDialog() override
    {
        ZelSizingPropPage::OnInitDialog();
        pText->SetSize(7, 7, GetClientSize().x - 14, 30);
        AddSzXControl(*pText, modeStretch);
        return true;
    }
    wxTextCtrl* pText;
};

TEST(SizingWx, SheetStretchesItsBookAndMovesItsButtons)
{
    ZelSizingPropSheet sheet(nullptr, "Sheet");
    auto* p_one = new TextPage(sheet.GetBookCtrl(), "One");
    auto* p_two = new TextPage(sheet.GetBookCtrl(), "Two");
    sheet.AddPage(p_one);
    sheet.AddPage(p_two);
    EXPECT_EQ(p_one->GetSheet(), &sheet);
    sheet.Show();
    ASSERT_TRUE(sheet.IsInitialized());
    EXPECT_TRUE(p_one->HasInitialisedPage());
    EXPECT_FALSE(p_two->HasInitialisedPage()) << "a page initialises when it is first shown";
    wxWindow* p_ok = sheet.FindWindow(wxID_OK);
    wxWindow* p_book = sheet.FindWindow(ZelSizingPropSheet::ID_TABCTRL);
    ASSERT_NE(p_ok, nullptr);
    ASSERT_NE(p_book, nullptr);
    EXPECT_TRUE(sheet.FindControl(p_ok));
    const wxRect rc_ok = p_ok->GetRect();
    const wxRect rc_book = p_book->GetRect();
    Resize(sheet, sheet.GetClientSize() + wxSize(60, 20));
    EXPECT_EQ(p_ok->GetPosition(), rc_ok.GetPosition() + wxPoint(60, 20));
    EXPECT_EQ(p_book->GetSize(), rc_book.GetSize() + wxSize(60, 20));

    // Minimising brings the sheet back to the placement it opened with.
    const wxSize sz_opened = sheet.GetMinSize();
    wxIconizeEvent iconize(sheet.GetId(), true);
    iconize.SetEventObject(&sheet);
    sheet.GetEventHandler()->ProcessEvent(iconize);
    EXPECT_EQ(sheet.GetSize(), sz_opened);

    sheet.RemovePage(p_two);
    EXPECT_EQ(p_two->GetSheet(), nullptr);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    p_two->Destroy();
    sheet.Destroy();
}

TEST(SizingWx, WizardShowsBackNextAndFinishUnderTheirIds)
{
    ZelSizingPropSheet sheet(nullptr, "Wizard");
    sheet.SetWizardMode();
    sheet.AddPage(new TextPage(sheet.GetBookCtrl(), "First"));
    sheet.AddPage(new TextPage(sheet.GetBookCtrl(), "Second"));
    sheet.Show();
    wxWindow* p_back = sheet.FindWindow(ZelSizingPropSheet::ID_WIZBACK);
    wxWindow* p_next = sheet.FindWindow(ZelSizingPropSheet::ID_WIZNEXT);
    ASSERT_NE(p_back, nullptr);
    ASSERT_NE(p_next, nullptr);
    ASSERT_NE(sheet.FindWindow(ZelSizingPropSheet::ID_WIZFINISH), nullptr);
    EXPECT_TRUE(sheet.FindControl(p_next)) << "the wizard buttons are anchored like the sheet's";
    EXPECT_FALSE(p_back->IsEnabled());
    wxCommandEvent click(wxEVT_BUTTON, ZelSizingPropSheet::ID_WIZNEXT);
    click.SetEventObject(p_next);
    p_next->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 1);
    EXPECT_TRUE(p_back->IsEnabled());
    EXPECT_FALSE(p_next->IsEnabled());
    sheet.Destroy();
}

// Back, Next, Finish and Cancel (and Help, where a wizard has it) each have
// an access key, no two the same; Finish's own, typed on the keyboard,
// finishes the wizard.
TEST(SizingWx, WizardButtonsHaveAccessKeysOfTheirOwn)
{
    ZelSizingPropSheet sheet(nullptr, "Wizard");
    sheet.SetWizardMode();
    sheet.AddPage(new TextPage(sheet.GetBookCtrl(), "First"));
    sheet.AddPage(new TextPage(sheet.GetBookCtrl(), "Second"));
    char c_finish = 0;
    bool b_finished = false;
    wxTheApp->CallAfter([&] {
        std::map<char, wxString> m_keys;
        int n_buttons = 0;
        for (int i_id : {int(ZelSizingPropSheet::ID_WIZBACK), int(ZelSizingPropSheet::ID_WIZNEXT),
                         int(ZelSizingPropSheet::ID_WIZFINISH), int(wxID_CANCEL), int(wxID_HELP)}) {
            wxWindow* p_button = sheet.FindWindow(i_id);
            if (p_button == nullptr) {
                EXPECT_EQ(i_id, wxID_HELP) << "the wizard has no button " << i_id;
                continue;
            }
            ++n_buttons;
            const char c_key = ShownAccessKey(*p_button);
            EXPECT_NE(c_key, 0) << p_button->GetLabel() << " has no access key";
            const auto [it, b_new] = m_keys.emplace(c_key, p_button->GetLabel());
            EXPECT_TRUE(b_new) << "'" << c_key << "' of " << p_button->GetLabel() << " and " << it->second;
            if (i_id == ZelSizingPropSheet::ID_WIZFINISH)
                c_finish = c_key;
        }
        EXPECT_EQ(n_buttons, 4);
        sheet.SetWizardButtons(ZelSizingPropSheet::WIZB_BACK | ZelSizingPropSheet::WIZB_FINISH);
        sheet.GetPage(0)->SetFocus();
        for (int i = 0; i < 50 && !sheet.IsActive(); ++i) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
        }
        if (c_finish != 0) {
            wxUIActionSimulator keyboard;
            keyboard.Char(std::tolower(static_cast<unsigned char>(c_finish)), wxMOD_ALT);
        }
        for (int i = 0; i < 100 && sheet.IsModal(); ++i) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
        }
        b_finished = !sheet.IsModal();
        if (sheet.IsModal())
            sheet.EndModal(wxID_ABORT);
    });
    const int i_result = sheet.ShowModal();
    EXPECT_TRUE(b_finished) << "Alt+" << c_finish << " left the wizard open";
    EXPECT_EQ(i_result, int(ZelSizingPropSheet::ID_WIZFINISH));
    sheet.Destroy();
}

} // namespace
