// CStaticLink: a text that behaves as a hyperlink: underlined, blue until
// opened and purple after, with the hand cursor over it. A click hands the
// link (or, without one, the text itself) to the desktop's "open"; a
// failure beeps and the link stays blue.
#pragma once

#include "shell/frame/StaticLinkState.h"

#include <string>
#include <wx/stattext.h>
#include <wx/generic/stattextg.h>

class CStaticLink : public wxGenericStaticText {
public:
    // s_label and s_link are the program's text (code page 1252).
    CStaticLink(wxWindow* p_parent, wxWindowID i_id, const std::string& s_label, const std::string& s_link = {},
                long l_style = 0);

    // What a click does, as a click does it.
    StaticLinkState::ClickResult Open();
    const StaticLinkState& GetState() const { return State; }

private:
    void ApplyColour();

    StaticLinkState State;
};
