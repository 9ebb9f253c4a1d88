#include "framework/MessageBox.h"

#include <cstdio>

namespace {

class StderrMessageBox : public IMessageBoxPort {
public:
    int Show(const std::string& s_text, const std::string& s_caption, std::uint32_t u_style) override
    {
        std::fprintf(stderr, "%s: %s\n", s_caption.c_str(), s_text.c_str());
        return DefaultAnswer(u_style);
    }
};

StderrMessageBox g_stderrBox;
IMessageBoxPort* g_pPort = &g_stderrBox;

std::string& Caption()
{
    static std::string s_caption = "Rotavex";
    return s_caption;
}

} // namespace

IMessageBoxPort& GetMessageBoxPort() { return *g_pPort; }

IMessageBoxPort* SetMessageBoxPort(IMessageBoxPort* p_port)
{
    IMessageBoxPort* p_old = g_pPort;
    g_pPort = p_port ? p_port : &g_stderrBox;
    return p_old;
}

void SetMessageBoxCaption(const std::string& s_caption) { Caption() = s_caption; }
const std::string& GetMessageBoxCaption() { return Caption(); }

int FrameworkMessageBox(const std::string& s_text, std::uint32_t u_style)
{
    return GetMessageBoxPort().Show(s_text, Caption(), u_style);
}

int DefaultAnswer(std::uint32_t u_style)
{
    static const int a_buttons[][3] = {
        {IDOK, IDOK, IDOK},
        {IDOK, IDCANCEL, IDCANCEL},
        {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL},
        {IDYES, IDNO, IDNO},
        {IDRETRY, IDCANCEL, IDCANCEL},
    };
    const std::uint32_t u_type = u_style & MB_TYPEMASK;
    const std::uint32_t u_def = (u_style & MB_DEFMASK) >> 8;
    if (u_type > MB_RETRYCANCEL)
        return IDOK;
    return a_buttons[u_type][u_def > 2 ? 0 : u_def];
}

ScriptedMessageBox::ScriptedMessageBox() : pPrevious(SetMessageBoxPort(this)) {}

ScriptedMessageBox::~ScriptedMessageBox() { SetMessageBoxPort(pPrevious); }

int ScriptedMessageBox::Show(const std::string& s_text, const std::string& s_caption, std::uint32_t u_style)
{
    vShown.push_back({s_text, s_caption, u_style});
    if (qAnswers.empty())
        return DefaultAnswer(u_style);
    const int i = qAnswers.front();
    qAnswers.pop_front();
    return i;
}
