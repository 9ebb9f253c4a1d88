#include "framework/ui/WxMessageBox.h"
#include "framework/ui/DialogOwner.h"
#include "framework/ui/WxText.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

int WxMessageBoxPort::Show(const std::string& s_text, const std::string& s_caption, std::uint32_t u_style)
{
    long l_style = 0;
    const std::uint32_t u_type = u_style & MB_TYPEMASK;
    switch (u_type) {
    case MB_OKCANCEL: l_style = wxOK | wxCANCEL; break;
    case MB_YESNOCANCEL: l_style = wxYES_NO | wxCANCEL; break;
    case MB_YESNO: l_style = wxYES_NO; break;
    // wx's dialog has no retry or abort buttons of its own: the remaining
    // sets keep their meaning under relabelled OK, Yes and No buttons.
    case MB_RETRYCANCEL: l_style = wxOK | wxCANCEL; break;
    case MB_ABORTRETRYIGNORE: l_style = wxYES_NO | wxCANCEL; break;
    default: l_style = wxOK; break;
    }
    switch (u_style & MB_ICONMASK) {
    case MB_ICONHAND: l_style |= wxICON_ERROR; break;
    case MB_ICONQUESTION: l_style |= wxICON_QUESTION; break;
    case MB_ICONEXCLAMATION: l_style |= wxICON_WARNING; break;
    case MB_ICONASTERISK: l_style |= wxICON_INFORMATION; break;
    default: break;
    }
    const std::uint32_t u_def = (u_style & MB_DEFMASK) >> 8;
    if ((l_style & wxYES_NO) && u_def == 1)
        l_style |= wxNO_DEFAULT;
    if ((l_style & wxOK) && (l_style & wxCANCEL) && u_def == 1)
        l_style |= wxCANCEL_DEFAULT;

    wxMessageDialog dlg(DialogOwner(), ToWx(s_text), ToWx(s_caption), l_style);
    if (u_type == MB_RETRYCANCEL)
        dlg.SetOKCancelLabels("&Retry", wxID_CANCEL);
    if (u_type == MB_ABORTRETRYIGNORE)
        dlg.SetYesNoCancelLabels("&Abort", "&Retry", "&Ignore");
    const int i = dlg.ShowModal();
    switch (u_type) {
    case MB_RETRYCANCEL: return i == wxID_OK ? IDRETRY : IDCANCEL;
    case MB_ABORTRETRYIGNORE: return i == wxID_YES ? IDABORT : i == wxID_NO ? IDRETRY : IDIGNORE;
    default: break;
    }
    switch (i) {
    case wxID_OK: return IDOK;
    case wxID_YES: return IDYES;
    case wxID_NO: return IDNO;
    default: return IDCANCEL;
    }
}
