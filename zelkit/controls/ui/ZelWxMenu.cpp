#include "zelkit/controls/ui/ZelWxMenu.h"

#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"

#include <algorithm>
#include <wx/event.h>
#include <wx/menu.h>
#include <wx/window.h>

CPoint ZelContextMenuPoint(wxWindow& window, const wxContextMenuEvent& event)
{
    if (event.GetPosition() == wxDefaultPosition)
        return CPoint(-1, -1);
    const wxPoint pt_client = window.ScreenToClient(event.GetPosition());
    return CPoint(pt_client.x, pt_client.y);
}

void ZelPopupMenu(wxWindow& window, const ZelMenu& menu, const CPoint& pt_client)
{
    wxMenu popup;
    for (const ZelMenuItem& item : menu) {
        if (item.uId == 0) {
            popup.AppendSeparator();
            continue;
        }
        // The key after the tab is shown, not taken as a mnemonic.
        std::string s_text = item.sText;
        const std::size_t u_tab = s_text.find('\t');
        if (u_tab != std::string::npos) {
            std::string s_key = s_text.substr(u_tab + 1);
            s_key.erase(std::remove(s_key.begin(), s_key.end(), '&'), s_key.end());
            s_text = s_text.substr(0, u_tab + 1) + s_key;
        }
        wxMenuItem* p_item = popup.Append(WxId(item.uId), ToWx(s_text), wxString(),
                                          item.bChecked ? wxITEM_CHECK : wxITEM_NORMAL);
        if (item.bChecked)
            p_item->Check(true);
        p_item->Enable(item.bEnabled != 0);
    }
    window.PopupMenu(&popup, wxPoint(pt_client.x, pt_client.y));
}

bool ZelRouteMenuCommand(const ZelMenu& last_menu, int i_id, const std::function<BOOL(UINT)>& on_command)
{
    for (const ZelMenuItem& item : last_menu)
        if (item.uId != 0 && WxId(item.uId) == i_id) {
            on_command(item.uId);
            return true;
        }
    if (i_id >= 0 && on_command(static_cast<UINT>(i_id)))
        return true;
    return i_id >= 0 && i_id < 32767 && on_command(static_cast<UINT>(i_id) + 32768u);
}
