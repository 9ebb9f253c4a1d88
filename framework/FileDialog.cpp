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
