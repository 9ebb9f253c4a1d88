#include "shell/frame/StaticLink.h"

#include "framework/ui/ShellOpen.h"
#include "framework/ui/WxText.h"

#include <wx/utils.h>

CStaticLink::CStaticLink(wxWindow* p_parent, wxWindowID i_id, const std::string& s_label, const std::string& s_link,
                         long l_style)
    : wxGenericStaticText(p_parent, i_id, ToWx(s_label), wxDefaultPosition, wxDefaultSize, l_style), State(s_link)
{
    SetFont(GetFont().Underlined());
    SetCursor(wxCursor(wxCURSOR_HAND));
    ApplyColour();
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { Open(); });
}

StaticLinkState::ClickResult CStaticLink::Open()
{
    const auto s_text = FromWx(GetLabel());
    const StaticLinkState::ClickResult e_result = State.Click(s_text.value_or(std::string()), ShellOpen);
    if (e_result == StaticLinkState::e_failed)
        wxBell();
    ApplyColour();
    return e_result;
}

void CStaticLink::ApplyColour()
{
    const std::uint32_t u = State.GetColour();
    SetForegroundColour(wxColour((u >> 16) & 0xFF, (u >> 8) & 0xFF, u & 0xFF));
    Refresh();
}
