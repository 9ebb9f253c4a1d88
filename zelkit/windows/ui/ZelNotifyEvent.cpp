#include "zelkit/windows/ui/ZelNotifyEvent.h"

wxDEFINE_EVENT(wxEVT_ZEL_NOTIFY, ZelNotifyEvent);

ZelNotifyEvent::ZelNotifyEvent(int i_code, wxWindow* p_from, void* p_record, long l_param)
    : wxEvent(p_from ? p_from->GetId() : 0, wxEVT_ZEL_NOTIFY), iCode(i_code), pRecord(p_record), lParam(l_param)
{
    SetEventObject(p_from);
}

long ZelSendNotify(wxWindow* p_ctrl, int i_code, void* p_record)
{
    if (p_ctrl == nullptr || p_ctrl->GetParent() == nullptr)
        return 0;
    ZelNotifyEvent event(i_code, p_ctrl, p_record);
    p_ctrl->GetParent()->GetEventHandler()->ProcessEvent(event);
    return event.GetResult();
}

void ZelPostNotify(wxWindow* p_target, wxWindow* p_from, int i_code, long l_param)
{
    if (p_target == nullptr)
        return;
    // A queued event must not point at its sender: it may be destroyed
    // before the event arrives.
    auto* p_event = new ZelNotifyEvent(i_code, nullptr, nullptr, l_param);
    p_event->SetId(p_from ? p_from->GetId() : 0);
    p_target->GetEventHandler()->QueueEvent(p_event);
}
