// The one event with which the library's controls notify their parent.
//
// A control sends it to its parent synchronously (ZelSendNotify): the event
// carries the code (ZelNotifyCodes.h), the control's id and a pointer to the
// code's record, and the parent answers by filling the record and calling
// Answer, which the sender reads back as the result. A request the parent
// may handle later is queued instead (ZelPostNotify) and carries a number
// in place of a record.
//
// The event goes to the parent only, never further up: a dialog answers
// for its own controls. Bind it by the control's id:
//     Bind(wxEVT_ZEL_NOTIFY, &MyDlg::OnListNotify, this, WxId(IDC_LIST));
#pragma once

#include "zelkit/windows/ZelNotifyCodes.h"

#include <wx/event.h>
#include <wx/window.h>

class ZelNotifyEvent : public wxEvent {
public:
    ZelNotifyEvent(int i_code = 0, wxWindow* p_from = nullptr, void* p_record = nullptr, long l_param = 0);

    int GetCode() const { return iCode; }
    // The sender, null when it is gone (a queued event may outlive it).
    wxWindow* GetFrom() const { return wxDynamicCast(GetEventObject(), wxWindow); }
    // The code's record; null for a queued event.
    void* GetRecord() const { return pRecord; }
    template <class T>
    T* GetRecordAs() const { return static_cast<T*>(pRecord); }
    long GetParam() const { return lParam; }

    // The parent's answer: a non-zero result means it answered in the record.
    void Answer(long l_result = 1) { lResult = l_result; }
    long GetResult() const { return lResult; }
    bool IsAnswered() const { return lResult != 0; }

    wxEvent* Clone() const override { return new ZelNotifyEvent(*this); }

private:
    int iCode;
    void* pRecord;
    long lParam;
    long lResult = 0;
};

wxDECLARE_EVENT(wxEVT_ZEL_NOTIFY, ZelNotifyEvent);

// Sends the code and its record to p_ctrl's parent and waits for the
// answer; 0 when there is no parent or it did not answer.
long ZelSendNotify(wxWindow* p_ctrl, int i_code, void* p_record = nullptr);
// Queues the code with a number to p_target (the control's parent, or any
// window that handles its own requests later); nothing when p_target is null.
void ZelPostNotify(wxWindow* p_target, wxWindow* p_from, int i_code, long l_param = 0);
