// The access keys of controls as the desktop shows them, for display tests
// that check keys are not taken twice.
#pragma once

#include <cctype>
#include <string>
#include <wx/button.h>
#include <wx/stockitem.h>
#include <wx/window.h>

// The access key of a label: the character after a single "&", upper
// case; 0 when there is none.
inline char AccessKeyOf(const wxString& s_label)
{
    const std::string s = s_label.utf8_string();
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != '&')
            continue;
        if (s[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(s[i + 1])));
    }
    return 0;
}

// The access key a control shows: a button of a standard id whose label is
// the standard one is drawn with the desktop's own label for it ("_Cancel"
// for Cancel), which brings its access key even where the label has none.
inline char ShownAccessKey(const wxWindow& window)
{
    const wxString s_label = window.GetLabel();
    if (wxDynamicCast(&window, wxButton) != nullptr && wxIsStockID(window.GetId())
        && wxIsStockLabel(window.GetId(), s_label))
        return AccessKeyOf(wxGetStockLabel(window.GetId(), wxSTOCK_WITH_MNEMONIC));
    return AccessKeyOf(s_label);
}
