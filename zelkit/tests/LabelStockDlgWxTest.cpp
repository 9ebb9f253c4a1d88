// The label stock dialog under a virtual display, driven by its control
// ids: a length typed with its unit and normalised when the field is left,
// the spin buttons stepping the value (further the longer they are held)
// while they themselves stay put, counts out of range, and OK only with a
// name and values that read.
//
// With ROTAVEX_SHOW_SECONDS set, the dialog stays up that long for a
// screenshot.
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/controls/ZelLabelPrint.h"
#include "zelkit/controls/ZelLocale.h"
#include "zelkit/controls/ui/ZelLabelStockDlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

using Dlg = ZelLabelStockDlg;

DWORD g_now = 0;
DWORD FakeClock() { return g_now; }

void Pump(int i_ms = 50)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(i_ms);
    do {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < t_end);
}

void ShowAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS"))
        Pump(1000 * std::atoi(p_seconds));
}

class LabelStockDlgTest : public ::testing::Test {
protected:
    void Open(const ZelLabelStock& stock)
    {
        pDlg = new Dlg(nullptr);
        pDlg->SetClock(&FakeClock);
        pDlg->SetStock(stock);
        pDlg->Show();
        Pump();
    }
    void TearDown() override
    {
        if (pDlg)
            pDlg->Destroy();
        Pump(20);
    }
    wxTextCtrl& Edit(int i_id)
    {
        auto* p = wxDynamicCast(pDlg->FindWindow(WxId(i_id)), wxTextCtrl);
        EXPECT_NE(p, nullptr) << i_id;
        return *p;
    }
    std::string Text(int i_id) { return std::string(Edit(i_id).GetValue().utf8_str()); }
    // Gives the field the focus and takes it away again, as a user does
    // who moves on.
    void Leave(int i_id, int i_next = Dlg::IDC_NAME)
    {
        Edit(i_id).SetFocus();
        Pump();
        Edit(i_next).SetFocus();
        Pump();
    }
    // One tick of a spin button at the fake clock's time; whether the
    // button was let move.
    bool Spin(int i_spin, bool b_up)
    {
        auto* p_spin = wxDynamicCast(pDlg->FindWindow(WxId(i_spin)), wxSpinButton);
        EXPECT_NE(p_spin, nullptr);
        wxSpinEvent event(b_up ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, WxId(i_spin));
        event.SetEventObject(p_spin);
        event.SetPosition(p_spin->GetValue() + (b_up ? 1 : -1));
        p_spin->GetEventHandler()->ProcessEvent(event);
        return event.IsAllowed();
    }
    bool OkEnabled() { return pDlg->FindWindow(wxID_OK)->IsEnabled(); }

    Dlg* pDlg = nullptr;
};

ZelLabelStock Named(const std::string& s_name)
{
    ZelLabelStock stock;
    stock.SetName(s_name);
    return stock;
}

TEST_F(LabelStockDlgTest, OpensWithTheStockInMillimetresAndNormalisesWhatIsTypedWhenTheFieldIsLeft)
{
    ZelFixedLocale metric(IZelLocalePort::measureMetric, "");
    Open(Named("Office sheet"));
    EXPECT_EQ(pDlg->GetId(), WxId(Dlg::IDD));
    EXPECT_EQ(Text(Dlg::IDC_NAME), "Office sheet");
    EXPECT_EQ(Text(Dlg::IDC_PAGE_HEIGHT), "297.0 mm");
    EXPECT_EQ(Text(Dlg::IDC_PAGE_WIDTH), "210.0 mm");
    EXPECT_EQ(Text(Dlg::IDC_TOP_MARGIN), "15.0 mm");
    EXPECT_EQ(Text(Dlg::IDC_LABEL_HEIGHT), "38.1 mm");
    EXPECT_EQ(Text(Dlg::IDC_BETWEEN_COLUMNS), "4.0 mm");
    EXPECT_EQ(Text(Dlg::IDC_ACROSS), "2");
    EXPECT_EQ(Text(Dlg::IDC_DOWN), "7");
    EXPECT_TRUE(wxDynamicCast(pDlg->FindWindow(WxId(Dlg::IDC_PAGE)), wxRadioButton)->GetValue());
    EXPECT_TRUE(wxDynamicCast(pDlg->FindWindow(WxId(Dlg::IDC_PORTRAIT)), wxRadioButton)->GetValue());
    EXPECT_TRUE(OkEnabled());

    // "1 inch" typed on the keyboard into the top margin.
    Edit(Dlg::IDC_TOP_MARGIN).SetFocus();
    Pump();
    ASSERT_EQ(wxWindow::FindFocus(), &Edit(Dlg::IDC_TOP_MARGIN));
    Edit(Dlg::IDC_TOP_MARGIN).SelectAll();
    wxUIActionSimulator keyboard;
    keyboard.Text("1 inch");
    Pump();
    EXPECT_EQ(Text(Dlg::IDC_TOP_MARGIN), "1 inch");
    Edit(Dlg::IDC_LEFT_MARGIN).SetFocus();
    Pump();
    EXPECT_EQ(Text(Dlg::IDC_TOP_MARGIN), "25.4 mm");
    EXPECT_EQ(pDlg->GetWorkingStock().GetDim().GetTopMargin(), 2540);

    // Other units, a bare number, a negative one and no number at all.
    const struct {
        int iEdit;
        const char* pTyped;
        const char* pShown;
    } a_cases[] = {{Dlg::IDC_LABEL_WIDTH, "2.5 cm", "25.0 mm"},
                   {Dlg::IDC_PAGE_WIDTH, "200", "200.0 mm"},
                   {Dlg::IDC_BETWEEN_ROWS, "-3", "0.0 mm"},
                   {Dlg::IDC_LEFT_MARGIN, "wide", "0.0 mm"}};
    for (const auto& c : a_cases) {
        Edit(c.iEdit).ChangeValue(c.pTyped);
        Leave(c.iEdit);
        EXPECT_EQ(Text(c.iEdit), c.pShown) << c.pTyped;
    }
    ShowAWhile();
}

TEST_F(LabelStockDlgTest, ASpinButtonStepsTheValueFurtherTheLongerItIsHeldAndStaysPut)
{
    ZelFixedLocale metric(IZelLocalePort::measureMetric, "");
    Open(Named("Office sheet"));
    g_now = 10'000;
    EXPECT_FALSE(Spin(Dlg::IDC_TOP_MARGIN_SPIN, true)) << "the button itself does not move";
    EXPECT_EQ(Text(Dlg::IDC_TOP_MARGIN), "15.1 mm");
    // Held: a tick every 50 ms for a second.
    for (int i = 0; i < 20; ++i) {
        g_now += 50;
        Spin(Dlg::IDC_TOP_MARGIN_SPIN, true);
    }
    // 20 ticks of 0.1 mm in the first second, then one of 1 mm.
    EXPECT_EQ(pDlg->GetWorkingStock().GetDim().GetTopMargin(), 1510 + 19 * 10 + 100);
    EXPECT_EQ(Text(Dlg::IDC_TOP_MARGIN), "18.0 mm");

    // A real click on the button's upper (or, laid out across, right-hand)
    // part: one step, and the button stays where it rests.
    auto* p_spin = wxDynamicCast(pDlg->FindWindow(WxId(Dlg::IDC_LEFT_MARGIN_SPIN)), wxSpinButton);
    ASSERT_NE(p_spin, nullptr);
    const int i_rest = p_spin->GetValue();
    const wxRect rc = p_spin->GetScreenRect();
    const bool b_across = rc.width > rc.height;
    const wxPoint pt_up = b_across ? wxPoint(rc.GetRight() - rc.width / 4, rc.y + rc.height / 2)
                                   : wxPoint(rc.x + rc.width / 2, rc.y + rc.height / 4);
    g_now += 5'000;
    wxUIActionSimulator mouse;
    mouse.MouseMove(pt_up);
    Pump();
    mouse.MouseClick();
    for (int i = 0; i < 40 && Text(Dlg::IDC_LEFT_MARGIN) == "5.0 mm"; ++i)
        Pump(10);
    EXPECT_EQ(Text(Dlg::IDC_LEFT_MARGIN), "5.1 mm");
    EXPECT_EQ(p_spin->GetValue(), i_rest);

    // Down past zero stops at zero; each spin steps its own value.
    g_now += 5'000;
    Edit(Dlg::IDC_BETWEEN_ROWS).ChangeValue("0.05 mm");
    Spin(Dlg::IDC_BETWEEN_ROWS_SPIN, false);
    EXPECT_EQ(Text(Dlg::IDC_BETWEEN_ROWS), "0.0 mm");
    g_now += 5'000;
    Spin(Dlg::IDC_PAGE_WIDTH_SPIN, false);
    Spin(Dlg::IDC_LABEL_HEIGHT_SPIN, true);
    const ZelLabelDim& dim = pDlg->GetWorkingStock().GetDim();
    EXPECT_EQ(dim.GetPaperDim(), CSize(20990, 29700));
    EXPECT_EQ(dim.GetLabelDim(), CSize(9800, 3820));
    EXPECT_EQ(Text(Dlg::IDC_TOP_MARGIN), "18.0 mm");
}

TEST_F(LabelStockDlgTest, OkNeedsANameAndCountsFromOneToSixteen)
{
    ZelFixedLocale us(IZelLocalePort::measureUS, "");
    Open(Named(""));
    EXPECT_EQ(Text(Dlg::IDC_PAGE_HEIGHT), "11.69 in");
    EXPECT_FALSE(OkEnabled()) << "no name";
    Edit(Dlg::IDC_NAME).SetValue("Fan fold strip");
    EXPECT_TRUE(OkEnabled());

    Edit(Dlg::IDC_ACROSS).ChangeValue("17");
    Leave(Dlg::IDC_ACROSS);
    EXPECT_EQ(Text(Dlg::IDC_ACROSS), "2") << "a count out of range is not taken";
    Edit(Dlg::IDC_DOWN).ChangeValue("0");
    pDlg->ValidateStock();
    EXPECT_FALSE(OkEnabled());
    Edit(Dlg::IDC_DOWN).ChangeValue(" 16 ");
    pDlg->ValidateStock();
    EXPECT_TRUE(OkEnabled());

    // The count's spin button moves its field.
    auto* p_spin = wxDynamicCast(pDlg->FindWindow(WxId(Dlg::IDC_ACROSS_SPIN)), wxSpinButton);
    ASSERT_NE(p_spin, nullptr);
    EXPECT_EQ(p_spin->GetMin(), 1);
    EXPECT_EQ(p_spin->GetMax(), 16);
    p_spin->SetValue(5);
    wxSpinEvent event(wxEVT_SPIN, WxId(Dlg::IDC_ACROSS_SPIN));
    event.SetEventObject(p_spin);
    event.SetPosition(5);
    p_spin->GetEventHandler()->ProcessEvent(event);
    EXPECT_EQ(Text(Dlg::IDC_ACROSS), "5");

    // A bare number reads in inches; the radios give type and orientation.
    Edit(Dlg::IDC_LABEL_WIDTH).ChangeValue("3");
    Leave(Dlg::IDC_LABEL_WIDTH);
    EXPECT_EQ(Text(Dlg::IDC_LABEL_WIDTH), "3.00 in");
    for (int i_id : {Dlg::IDC_FANFOLD, Dlg::IDC_LANDSCAPE}) {
        auto* p_radio = wxDynamicCast(pDlg->FindWindow(WxId(i_id)), wxRadioButton);
        p_radio->SetValue(true);
        wxCommandEvent click(wxEVT_RADIOBUTTON, WxId(i_id));
        click.SetEventObject(p_radio);
        p_radio->GetEventHandler()->ProcessEvent(click);
    }

    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    ok.SetEventObject(pDlg->FindWindow(wxID_OK));
    pDlg->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
    const ZelLabelStock& stock = pDlg->GetStock();
    EXPECT_EQ(stock.GetName(), "Fan fold strip");
    int i_down = 0, i_across = 0;
    stock.GetDim().GetNLabels(i_down, i_across);
    EXPECT_EQ(i_across, 5);
    EXPECT_EQ(i_down, 16);
    EXPECT_EQ(stock.GetDim().GetWidth(), 7620);
    EXPECT_EQ(stock.GetDim().GetType(), ZelLabelDim::stFanFold);
    EXPECT_EQ(stock.GetDim().GetOrientation(), 0);
}

} // namespace
