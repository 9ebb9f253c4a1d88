#include "model/ShellPorts.h"

#include "framework/Archive.h"
#include "framework/PortSlot.h"
#include "zelkit/services/ZelMessages.h"

#include <cstdio>

namespace {

// The stand-ins in place until the program installs its ports: without a
// user to ask, a question takes the dialog's default button.
class QuietContinueQuit : public IContinueQuitPort {
public:
    int Ask(const std::string& s_text) override
    {
        std::fprintf(stderr, "%s\n", s_text.c_str());
        return IDCANCEL;
    }
};

class QuietRevisionChanged : public IRevisionChangedPort {
public:
    int Ask() override { return IDCANCEL; }
};

class QuietFieldTexts : public IFieldTextPort {
public:
    std::string GetGroupFieldText(const Group&, int) override { return {}; }
    std::string GetParticipantFieldText(const Participant&, int) override { return {}; }
};

class QuietViews : public IViewsPort {
public:
    IShellView* FindView(const std::string&, BOOL) override { return nullptr; }
    IShellView* GetActiveView() override { return nullptr; }
    void SetActiveView(IShellView*) override {}
    std::vector<IItemListView*> GetItemListViews() override { return {}; }
    void ResetTimetableViewState() override {}
    void RefreshSelectedSlots() override {}
    void UpdateAllViews(const UpdateViewHint*) override {}
};

class QuietEndSplash : public IEndSplashPort {
public:
    void EndSplash() override {}
};

PortSlot<IContinueQuitPort, QuietContinueQuit> g_contQuit;
PortSlot<IRevisionChangedPort, QuietRevisionChanged> g_revision;
PortSlot<IFieldTextPort, QuietFieldTexts> g_fieldTexts;
PortSlot<IViewsPort, QuietViews> g_views;
PortSlot<IEndSplashPort, QuietEndSplash> g_endSplash;

template <class T>
T TakeAnswer(std::deque<T>& q_answers, T t_default)
{
    if (q_answers.empty())
        return t_default;
    const T t = q_answers.front();
    q_answers.pop_front();
    return t;
}

} // namespace

// ---- continue or quit ----

IContinueQuitPort& GetContinueQuitPort() { return *g_contQuit.pPort; }
IContinueQuitPort* SetContinueQuitPort(IContinueQuitPort* p_port) { return g_contQuit.Set(p_port); }

int AskContinueOrQuit(const std::string& s_text) { return GetContinueQuitPort().Ask(s_text); }

int AskContinueOrQuit(UINT u_textId)
{
    return AskContinueOrQuit(ZelLoadResourceString(static_cast<int>(u_textId), ""));
}

ScriptedContinueQuit::ScriptedContinueQuit() : pPrevious(SetContinueQuitPort(this)) {}
ScriptedContinueQuit::~ScriptedContinueQuit() { SetContinueQuitPort(pPrevious); }

int ScriptedContinueQuit::Ask(const std::string& s_text)
{
    vAsked.push_back(s_text);
    return TakeAnswer(qAnswers, static_cast<int>(IDCANCEL));
}

// ---- revision changed ----

IRevisionChangedPort& GetRevisionChangedPort() { return *g_revision.pPort; }
IRevisionChangedPort* SetRevisionChangedPort(IRevisionChangedPort* p_port) { return g_revision.Set(p_port); }
int AskRevisionChanged() { return GetRevisionChangedPort().Ask(); }

ScriptedRevisionChanged::ScriptedRevisionChanged() : pPrevious(SetRevisionChangedPort(this)) {}
ScriptedRevisionChanged::~ScriptedRevisionChanged() { SetRevisionChangedPort(pPrevious); }

int ScriptedRevisionChanged::Ask()
{
    ++nAsked;
    return TakeAnswer(qAnswers, static_cast<int>(IDCANCEL));
}

// ---- field texts ----

IFieldTextPort& GetFieldTextPort() { return *g_fieldTexts.pPort; }
IFieldTextPort* SetFieldTextPort(IFieldTextPort* p_port) { return g_fieldTexts.Set(p_port); }

ScriptedFieldTexts::ScriptedFieldTexts() : pPrevious(SetFieldTextPort(this)) {}
ScriptedFieldTexts::~ScriptedFieldTexts() { SetFieldTextPort(pPrevious); }

std::string ScriptedFieldTexts::GetGroupFieldText(const Group& group, int i_column)
{
    vGroupRequests.push_back({&group, i_column});
    return fGroupText ? fGroupText(group, i_column) : std::string();
}

std::string ScriptedFieldTexts::GetParticipantFieldText(const Participant& participant, int i_column)
{
    vParticipantRequests.push_back({&participant, i_column});
    return fParticipantText ? fParticipantText(participant, i_column) : std::string();
}

// ---- views ----

IViewsPort& GetViewsPort() { return *g_views.pPort; }
IViewsPort* SetViewsPort(IViewsPort* p_port) { return g_views.Set(p_port); }

void ScriptedViews::ListView::ApplyLayout(const ViewLayout& layout)
{
    Layout = layout;
    ++nLayoutsTaken;
}

ScriptedViews::ScriptedViews() : pPrevious(SetViewsPort(this)) {}
ScriptedViews::~ScriptedViews() { SetViewsPort(pPrevious); }

ScriptedViews::View& ScriptedViews::AddView(const std::string& s_className)
{
    vPanes.push_back(std::make_unique<View>(s_className));
    return static_cast<View&>(*vPanes.back());
}

ScriptedViews::ListView& ScriptedViews::AddListView(const std::string& s_className)
{
    vPanes.push_back(std::make_unique<ListView>(s_className));
    return static_cast<ListView&>(*vPanes.back());
}

IShellView* ScriptedViews::FindView(const std::string& s_className, BOOL b_activate)
{
    for (const auto& p_pane : vPanes) {
        if (p_pane->GetClassName() == s_className) {
            if (b_activate)
                pActive = p_pane.get();
            return p_pane.get();
        }
    }
    return nullptr;
}

std::vector<IItemListView*> ScriptedViews::GetItemListViews()
{
    std::vector<IItemListView*> v_lists;
    for (const auto& p_pane : vPanes) {
        if (auto* p_list = dynamic_cast<IItemListView*>(p_pane.get()))
            v_lists.push_back(p_list);
    }
    return v_lists;
}

void ScriptedViews::UpdateAllViews(const UpdateViewHint* p_hint)
{
    if (p_hint != nullptr)
        Updates.push_back({p_hint->lCode, TRUE, p_hint->lIndex, p_hint->lValue, pActive});
    else
        Updates.push_back({UpdateViewHint::e_general, FALSE, -1, 0, pActive});
    if (fOnUpdate)
        fOnUpdate(p_hint);
}

void ScriptedViews::ResetTimetableViewState()
{
    iSelectedDay = -1;
    bResetRequest = TRUE;
}

// ---- end of the splash ----

IEndSplashPort& GetEndSplashPort() { return *g_endSplash.pPort; }
IEndSplashPort* SetEndSplashPort(IEndSplashPort* p_port) { return g_endSplash.Set(p_port); }

ScriptedEndSplash::ScriptedEndSplash() : pPrevious(SetEndSplashPort(this)) {}
ScriptedEndSplash::~ScriptedEndSplash() { SetEndSplashPort(pPrevious); }

void ScriptedEndSplash::EndSplash()
{
    ++nCalls;
    if (fAction)
        fAction();
}
