#include "framework/FileDialog.h"

namespace {

class CancelledDialogs : public IFileDialogPort {
public:
    BOOL Ask(FileDialogRequest&) override { return FALSE; }
};

CancelledDialogs g_cancelled;
IFileDialogPort* g_pPort = &g_cancelled;

} // namespace

FileDialogOption* FileDialogRequest::FindOption(int i_id)
{
    for (FileDialogOption& option : vOptions) {
        if (option.iId == i_id)
            return &option;
    }
    return nullptr;
}

void FileDialogRequest::Click(int i_id)
{
    FileDialogOption* p_option = FindOption(i_id);
    if (p_option == nullptr || !p_option->bEnabled || !p_option->bVisible)
        return;
    if (p_option->eKind == FileDialogOption::e_check) {
        p_option->bValue = p_option->bValue ? FALSE : TRUE;
    } else {
        // The radios that stand next to it form its group.
        const std::size_t u_at = static_cast<std::size_t>(p_option - vOptions.data());
        std::size_t u_first = u_at;
        while (u_first > 0 && vOptions[u_first - 1].eKind == FileDialogOption::e_radio)
            --u_first;
        for (std::size_t u = u_first; u < vOptions.size() && vOptions[u].eKind == FileDialogOption::e_radio; ++u)
            vOptions[u].bValue = u == u_at ? TRUE : FALSE;
    }
    if (fOnClick)
        fOnClick(*this, i_id);
}

IFileDialogPort& GetFileDialogPort() { return *g_pPort; }

IFileDialogPort* SetFileDialogPort(IFileDialogPort* p_port)
{
    IFileDialogPort* p_old = g_pPort;
    g_pPort = p_port ? p_port : &g_cancelled;
    return p_old;
}

ScriptedFileDialogs::ScriptedFileDialogs() : pPrevious(SetFileDialogPort(this)) {}
ScriptedFileDialogs::~ScriptedFileDialogs() { SetFileDialogPort(pPrevious); }

void ScriptedFileDialogs::AnswerPath(const std::string& s_path)
{
    AnswerWith([s_path](FileDialogRequest& request) {
        request.sPath = s_path;
        return TRUE;
    });
}

void ScriptedFileDialogs::AnswerCancel()
{
    AnswerWith([](FileDialogRequest&) { return FALSE; });
}

BOOL ScriptedFileDialogs::Ask(FileDialogRequest& request)
{
    vRequests.push_back(request);
    if (qAnswers.empty())
        return FALSE;
    const Answer f_answer = std::move(qAnswers.front());
    qAnswers.pop_front();
    return f_answer(request);
}
