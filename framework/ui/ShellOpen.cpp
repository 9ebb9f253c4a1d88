#include "framework/ui/ShellOpen.h"

#include "framework/Desktop.h"
#include "framework/Encoding.h"

#include <wx/utils.h>

int ShellOpen(const std::string& s_target)
{
    if (s_target.empty())
        return SHELL_OPEN_EMPTY;
    const wxBusyCursor wait;
    return GetDesktopPort().Open(Cp1252ToUtf8(s_target)) ? SHELL_OPEN_DONE : SHELL_OPEN_NO_HANDLER;
}
