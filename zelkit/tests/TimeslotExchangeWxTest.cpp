// Two timeslot grids and a display control in one dialog, built by class
// names, under a virtual display: slots copied in one grid are pasted into
// the other through the real clipboard, a drag within a grid goes through
// the window's drop target (with the leave the window system reports just
// before a drop), a menu command opens the length dialog, and
// the display control shows the texts and icon its parent gives.
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"
#include "zelkit/controls/ui/ZelTimeslotDialogs.h"
#include "zelkit/controls/ui/ZelTimeslotDisplayCtrl.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

constexpr int IDC_FIRST = 1180;
constexpr int IDC_SECOND = 1181;
constexpr int IDC_DISPLAY = 1182;

ZelRelTimeslot Rel(int i_start, int i_length, long l_item)
{
    ZelRelTimeslot slot(ZelOleDateTimeSpan(0, 0, i_start, 0), ZelOleDateTimeSpan(0, 0, i_length, 0), -1);
    slot.SetItemData(static_cast<LONG>(l_item));
    return slot;
}

void Pump()
{
    for (int i = 0; i < 5; ++i)
        wxTheApp->Yield(true);
}

bool Key(wxWindow& window, int i_key, bool b_ctrl)
{
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = i_key;
    event.m_controlDown = b_ctrl;
    event.SetEventObject(&window);
    return window.GetEventHandler()->ProcessEvent(event);
}

class ExchangeDialog : public wxDialog {
public:
    ExchangeDialog() : wxDialog(nullptr, wxID_ANY, "Timeslots", wxDefaultPosition, wxSize(900, 500)), Icon(16, 16)
    {
        pFirst = Make<ZelTimeslotCtrl>(ZLC_TIMESLOT, IDC_FIRST);
        pSecond = Make<ZelTimeslotCtrl>(ZLC_TIMESLOT, IDC_SECOND);
        pDisplay = Make<ZelTimeslotDisplayCtrl>(ZLC_TIMESLOT_DISPLAY, IDC_DISPLAY);
        auto* p_sizer = new wxBoxSizer(wxHORIZONTAL);
        for (wxWindow* p : {static_cast<wxWindow*>(pFirst), static_cast<wxWindow*>(pSecond),
                            static_cast<wxWindow*>(pDisplay)})
            p_sizer->Add(p, 1, wxEXPAND | wxALL, 4);
        SetSizer(p_sizer);
        Bind(wxEVT_ZEL_NOTIFY, &ExchangeDialog::OnNotify, this);

        for (ZelTimeslotCtrl* p : {pFirst, pSecond, static_cast<ZelTimeslotCtrl*>(pDisplay)}) {
            p->Set24Hour(TRUE);
            p->SetNumDays(2);
        }
        ZelRelTimeslotArray a_slots;
        a_slots.Add(Rel(9 * 60, 60, 11));
        a_slots.Add(Rel(10 * 60, 30, 12));
        pFirst->SetTimeslots(0, a_slots, FALSE, nullptr);
        for (ZelTimeslotCtrl* p : {pFirst, pSecond, static_cast<ZelTimeslotCtrl*>(pDisplay)}) {
            p->SetDisplayStart(FALSE, 8, 0);
            p->SetDisplayEnd(TRUE, 12, 0);
        }
        ZelRelTimeslotArray a_shown;
        a_shown.Add(Rel(8 * 60, 90, 21));
        a_shown.Add(Rel(10 * 60, 60, 22));
        pDisplay->SetTimeslots(1, a_shown, FALSE, nullptr);
        Texts[21] = "Choir rehearsal";
        Texts[22] = "Orchestra";
        Show();
        Layout();
        pDisplay->Resize();
        Pump();
    }
    int Count(int i_id, int i_code) const
    {
        return static_cast<int>(std::count(vCodes.begin(), vCodes.end(), std::make_pair(i_id, i_code)));
    }
    static ZelRelTimeslotArray Slots(ZelTimeslotCtrl& ctrl, int i_day)
    {
        ZelArrayWithFind<long> a_keys;
        ZelRelTimeslotArray a;
        ctrl.GetTimeslots(i_day, a, a_keys);
        return a;
    }

    ZelTimeslotCtrl* pFirst;
    ZelTimeslotCtrl* pSecond;
    ZelTimeslotDisplayCtrl* pDisplay;
    std::vector<std::pair<int, int>> vCodes;
    std::map<DWORD, std::string> Texts;
    wxBitmap Icon;

private:
    template <class T>
    T* Make(const char* p_class, int i_id)
    {
        T* p = dynamic_cast<T*>(ZelCustomCtrl::CreateByClassName(p_class, this, WxId(static_cast<unsigned>(i_id))));
        EXPECT_NE(p, nullptr) << p_class;
        return p;
    }
    void OnNotify(ZelNotifyEvent& event)
    {
        vCodes.emplace_back(event.GetId(), event.GetCode());
        if (event.GetCode() == ZTSN_SLOTTEXT) {
            auto* p_text = event.GetRecordAs<ZelTimeslotTextNotify>();
            const auto it = Texts.find(p_text->dwItemData);
            if (it != Texts.end()) {
                p_text->sText = it->second;
                event.Answer();
            }
        } else if (event.GetCode() == ZTSN_SLOTICON) {
            auto* p_icon = event.GetRecordAs<ZelTimeslotIconNotify>();
            if (p_icon->dwItemData == 22) {
                p_icon->hBitmap = &Icon;
                p_icon->uIconSize = 16;
                event.Answer();
            }
        }
    }
};

TEST(TimeslotExchangeWx, CopyPasteDragMenuAndDisplay)
{
    auto* p_dlg = new ExchangeDialog;
    ZelTimeslotCtrl& first = *p_dlg->pFirst;
    ZelTimeslotCtrl& second = *p_dlg->pSecond;

    // Ctrl+A and Ctrl+C in the first grid put its slots on the clipboard.
    EXPECT_TRUE(Key(first, 'A', true));
    EXPECT_TRUE(Key(first, 'C', true));
    {
        wxClipboardLocker lock;
        ASSERT_FALSE(!lock);
        wxTextDataObject data;
        ASSERT_TRUE(wxTheClipboard->GetData(data));
        const wxString s_text = data.GetText();
        EXPECT_EQ(s_text.Freq('\n'), 2);
        EXPECT_TRUE(s_text.EndsWith("\r\n"));
    }
    // Ctrl+V in the second grid takes them, item data and all.
    EXPECT_TRUE(Key(second, 'V', true));
    const ZelRelTimeslotArray a_pasted = ExchangeDialog::Slots(second, 0);
    ASSERT_EQ(a_pasted.GetSize(), 2);
    EXPECT_EQ(a_pasted[0].GetStart(), ZelOleDateTimeSpan(0, 9, 0, 0));
    EXPECT_EQ(a_pasted[0].GetItemData(), 11);
    EXPECT_EQ(a_pasted[1].GetStart(), ZelOleDateTimeSpan(0, 10, 0, 0));
    EXPECT_EQ(p_dlg->Count(WxId(IDC_SECOND), ZTSN_CHANGED), 1);
    EXPECT_EQ(p_dlg->Count(WxId(IDC_FIRST), ZTSN_CHANGED), 0);

    // A drag of the first slot into day 1 of the first grid, played
    // through its drop target.
    ZelTimeslotGrid& core = first.GetGrid();
    first.GetGrid().OnCommand(ZelTimeslotGrid::ID_TSLOT_UNSELECTALL);
    CRect rc_slot, rc_day1;
    core.GetSlotRect(0, 0, 0, rc_slot);
    ASSERT_TRUE(core.DayToRect(1, rc_day1));
    const wxPoint pt_from(rc_slot.CenterPoint().x, rc_slot.CenterPoint().y);
    const wxPoint pt_to(rc_day1.CenterPoint().x, pt_from.y);
    std::string s_dragged;
    bool b_preview = false;
    ZelTimeslotCtrl::SetDragLoop([&](ZelTimeslotCtrl& source, const std::string& s_text) -> DWORD {
        s_dragged = s_text;
        EXPECT_NE(ZelTimeslotCtrl::GetActiveDragText(), nullptr);
        ZelTimeslotCtrlTarget& target = source.GetTarget();
        // Out and in again: the slots leave with the pointer.
        EXPECT_EQ(target.OnEnter(pt_from.x, pt_from.y, wxDragMove), wxDragMove);
        target.OnLeave();
        Pump();
        EXPECT_FALSE(source.GetGrid().IsDragPreviewShown());
        EXPECT_EQ(target.OnEnter(pt_from.x, pt_from.y, wxDragMove), wxDragMove);
        EXPECT_EQ(target.OnDragOver(pt_to.x, pt_to.y, wxDragMove), wxDragMove);
        b_preview = source.GetGrid().IsDragPreviewShown();
        source.Update();
        // The window system says "leave" right before the drop.
        target.OnLeave();
        EXPECT_TRUE(target.OnDrop(pt_to.x, pt_to.y));
        Pump();
        return target.OnData(pt_to.x, pt_to.y, wxDragMove) == wxDragMove ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    });
    wxMouseEvent press(wxEVT_LEFT_DOWN);
    press.SetPosition(pt_from);
    press.m_leftDown = true;
    press.SetEventObject(&first);
    first.GetEventHandler()->ProcessEvent(press);
    ZelTimeslotCtrl::SetDragLoop(nullptr);
    EXPECT_EQ(std::count(s_dragged.begin(), s_dragged.end(), '\n'), 1) << "the pressed slot only";
    EXPECT_TRUE(b_preview);
    const ZelRelTimeslotArray a_day0 = ExchangeDialog::Slots(first, 0);
    const ZelRelTimeslotArray a_day1 = ExchangeDialog::Slots(first, 1);
    ASSERT_EQ(a_day0.GetSize(), 1);
    ASSERT_EQ(a_day1.GetSize(), 1);
    EXPECT_EQ(a_day1[0].GetStart(), ZelOleDateTimeSpan(0, 9, 0, 0));
    EXPECT_EQ(a_day1[0].GetItemData(), 11) << "a move keeps item data";
    EXPECT_EQ(p_dlg->Count(WxId(IDC_FIRST), ZTSN_CHANGED), 1);
    EXPECT_EQ(ZelTimeslotCtrl::GetActiveDragText(), nullptr);

    // The menu's length command opens the dialog; its edit takes 45.
    wxTheApp->CallAfter([] {
        auto* p_length = dynamic_cast<ZelTimeslotCtrlChangeLengthDlg*>(
            wxWindow::FindWindowById(WxId(ZelTimeslotCtrlChangeLengthDlg::IDD)));
        ASSERT_NE(p_length, nullptr);
        auto* p_edit = dynamic_cast<wxTextCtrl*>(p_length->FindWindow(WxId(ZelTimeslotCtrlChangeLengthDlg::IDC_LENGTH)));
        if (p_edit)
            p_edit->SetValue("45");
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        ok.SetEventObject(p_length->FindWindow(wxID_OK));
        p_length->GetEventHandler()->ProcessEvent(ok);
        if (p_length->IsModal())
            p_length->EndModal(wxID_CANCEL);
    });
    wxCommandEvent command(wxEVT_MENU, WxId(ZelTimeslotGrid::ID_TSLOT_LENGTH));
    command.SetEventObject(&first);
    first.GetEventHandler()->ProcessEvent(command);
    EXPECT_EQ(core.GetSlotLength(), 45u * 60u);

    // The display control asks for its slots' texts and the icon, and fits
    // them.
    ZelTimeslotDisplayCtrl& display = *p_dlg->pDisplay;
    EXPECT_EQ(display.GetName(), ZLC_TIMESLOT_DISPLAY);
    EXPECT_TRUE(display.IsReadOnly());
    p_dlg->vCodes.clear();
    display.Refresh();
    display.Update();
    EXPECT_GE(p_dlg->Count(WxId(IDC_DISPLAY), ZTSN_SLOTTEXT), 2);
    EXPECT_GE(p_dlg->Count(WxId(IDC_DISPLAY), ZTSN_SLOTICON), 2);
    EXPECT_TRUE(display.GetGrid().CheckSlotSizes()) << "every text fits after the spacing search";

    p_dlg->Destroy();
    Pump();
}

} // namespace
