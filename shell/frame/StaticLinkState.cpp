#include "shell/frame/StaticLinkState.h"

StaticLinkState::ClickResult StaticLinkState::Click(const std::string& s_windowText,
                                                    const std::function<int(const std::string&)>& f_open)
{
    const std::string s_target = Target(s_windowText);
    if (s_target.empty())
        eLastClick = e_nothing;
    else if (f_open(s_target) > 32) {
        bVisited = true;
        eLastClick = e_opened;
    } else
        eLastClick = e_failed;
    return eLastClick;
}
