#include "shell/frame/WxCommands.h"

#include "framework/ui/WxIds.h"
#include "shell/frame/CommandIds.h"

#include <utility>
#include <wx/defs.h>

namespace {

const std::pair<UINT, int> aStockIds[] = {
    {ID_FILE_NEW, wxID_NEW},
    {ID_FILE_OPEN, wxID_OPEN},
    {ID_FILE_CLOSE, wxID_CLOSE},
    {ID_FILE_SAVE, wxID_SAVE},
    {ID_FILE_SAVE_AS, wxID_SAVEAS},
    {ID_FILE_PRINT_SETUP, wxID_PRINT_SETUP},
    {ID_FILE_PRINT, wxID_PRINT},
    {ID_FILE_PRINT_PREVIEW, wxID_PREVIEW},
    {ID_EDIT_CLEAR, wxID_DELETE},
    {ID_APP_ABOUT, wxID_ABOUT},
    {ID_APP_EXIT, wxID_EXIT},
    {ID_HELP_INDEX, wxID_HELP_INDEX},
    {ID_HELP_FINDER, wxID_HELP_CONTENTS},
    {ID_CONTEXT_HELP, wxID_HELP_CONTEXT},
    {ID_HELP, wxID_HELP},
};

} // namespace

int CommandWxId(UINT u_command)
{
    if (u_command >= ID_FILE_MRU_FILE1 && u_command <= ID_FILE_MRU_FILE4)
        return wxID_FILE1 + static_cast<int>(u_command - ID_FILE_MRU_FILE1);
    for (const auto& [u_id, i_wx] : aStockIds) {
        if (u_id == u_command)
            return i_wx;
    }
    return WxId(u_command);
}
