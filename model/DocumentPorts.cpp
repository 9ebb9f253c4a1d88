#include "model/DocumentPorts.h"

#include "framework/PortSlot.h"
#include "model/EventDoc.h"
#include "model/EventFile.h"


namespace {

class QuietSheets : public IDocumentSheetsPort {
public:
    int DefineEvent(EventDoc&) override { return IDCANCEL; }
    int EditPreferences(EventDoc&, Preferences&) override { return IDCANCEL; }
    int EditSchedulingRules(EventDoc&, SchedulingRules&) override { return IDCANCEL; }
};

class QuietMainWindow : public IMainWindowPort {
public:
    void PostCommand(UINT) override {}
};

class QuietSaveQuestions : public ISaveQuestionsPort {
public:
    int AskSaveChanges(const std::string&) override { return IDCANCEL; }
    std::string AskSavePath(const std::string&) override { return {}; }
};

class QuietMail : public IMailPort {
public:
    BOOL IsAvailable() override { return FALSE; }
    BOOL SendDocument(EventDoc&, const std::vector<std::string>&, const std::vector<std::string>&) override
    {
        return FALSE;
    }
};

class WallClock : public IClockPort {
public:
    CHighTime GetPresentTime() override { return CHighTime::GetPresentTime(); }
};

PortSlot<IDocumentSheetsPort, QuietSheets> g_sheets;
PortSlot<IMainWindowPort, QuietMainWindow> g_mainWindow;
PortSlot<ISaveQuestionsPort, QuietSaveQuestions> g_saveQuestions;
PortSlot<IMailPort, QuietMail> g_mail;
PortSlot<IClockPort, WallClock> g_clock;
PortSlot<IEventFilePort, EventFile> g_eventFile;

template <class T>
T TakeAnswer(std::deque<T>& q_answers, T t_default)
{
    if (q_answers.empty())
        return t_default;
    T t = std::move(q_answers.front());
    q_answers.pop_front();
    return t;
}

} // namespace

// ---- sheets ----

IDocumentSheetsPort& GetDocumentSheetsPort() { return *g_sheets.pPort; }
IDocumentSheetsPort* SetDocumentSheetsPort(IDocumentSheetsPort* p_port) { return g_sheets.Set(p_port); }

ScriptedSheets::ScriptedSheets() : pPrevious(SetDocumentSheetsPort(this)) {}
ScriptedSheets::~ScriptedSheets() { SetDocumentSheetsPort(pPrevious); }

void ScriptedSheets::DefineEventAnswer(int i_result, DefineEdit f_edit)
{
    qDefine.emplace_back(i_result, std::move(f_edit));
}

void ScriptedSheets::PreferencesAnswer(int i_result, PreferencesEdit f_edit)
{
    qPreferences.emplace_back(i_result, std::move(f_edit));
}

void ScriptedSheets::RulesAnswer(int i_result, RulesEdit f_edit)
{
    qRules.emplace_back(i_result, std::move(f_edit));
}

int ScriptedSheets::DefineEvent(EventDoc& doc)
{
    ++nDefineEvent;
    auto answer = TakeAnswer(qDefine, std::pair<int, DefineEdit>(IDCANCEL, {}));
    std::string s_name = doc.GetEventName();
    EventDefinition def = doc.GetEventDef();
    if (answer.second)
        answer.second(s_name, def);
    if (answer.first == ID_WIZFINISH) {
        doc.SetEventName(s_name);
        doc.GetEventDef() = def;
    }
    return answer.first;
}

int ScriptedSheets::EditPreferences(EventDoc&, Preferences& prefs)
{
    ++nPreferences;
    auto answer = TakeAnswer(qPreferences, std::pair<int, PreferencesEdit>(IDCANCEL, {}));
    if (answer.second)
        answer.second(prefs);
    return answer.first;
}

int ScriptedSheets::EditSchedulingRules(EventDoc&, SchedulingRules& rules)
{
    ++nRules;
    auto answer = TakeAnswer(qRules, std::pair<int, RulesEdit>(IDCANCEL, {}));
    if (answer.second)
        answer.second(rules);
    return answer.first;
}

// ---- main window ----

IMainWindowPort& GetMainWindowPort() { return *g_mainWindow.pPort; }
IMainWindowPort* SetMainWindowPort(IMainWindowPort* p_port) { return g_mainWindow.Set(p_port); }

ScriptedMainWindow::ScriptedMainWindow() : pPrevious(SetMainWindowPort(this)) {}
ScriptedMainWindow::~ScriptedMainWindow() { SetMainWindowPort(pPrevious); }

// ---- save questions ----

ISaveQuestionsPort& GetSaveQuestionsPort() { return *g_saveQuestions.pPort; }
ISaveQuestionsPort* SetSaveQuestionsPort(ISaveQuestionsPort* p_port) { return g_saveQuestions.Set(p_port); }

ScriptedSaveQuestions::ScriptedSaveQuestions() : pPrevious(SetSaveQuestionsPort(this)) {}
ScriptedSaveQuestions::~ScriptedSaveQuestions() { SetSaveQuestionsPort(pPrevious); }

int ScriptedSaveQuestions::AskSaveChanges(const std::string& s_pathName)
{
    vSaveChanges.push_back(s_pathName);
    return TakeAnswer(qSaveChanges, static_cast<int>(IDCANCEL));
}

std::string ScriptedSaveQuestions::AskSavePath(const std::string& s_pathName)
{
    vPaths.push_back(s_pathName);
    return TakeAnswer(qPaths, std::string());
}

// ---- mail ----

IMailPort& GetMailPort() { return *g_mail.pPort; }
IMailPort* SetMailPort(IMailPort* p_port) { return g_mail.Set(p_port); }

BOOL SendDocumentMail(EventDoc& doc, const std::vector<std::string>& a_addresses,
                      const std::vector<std::string>& a_names)
{
    return GetMailPort().SendDocument(doc, a_addresses, a_names);
}

BOOL UpdateSendMailUI() { return GetMailPort().IsAvailable(); }

ScriptedMail::ScriptedMail() : pPrevious(SetMailPort(this)) {}
ScriptedMail::~ScriptedMail() { SetMailPort(pPrevious); }

BOOL ScriptedMail::SendDocument(EventDoc& doc, const std::vector<std::string>& a_addresses,
                                const std::vector<std::string>& a_names)
{
    vSent.push_back({&doc, a_addresses, a_names});
    return bAvailable;
}

// ---- clock ----

IClockPort& GetClockPort() { return *g_clock.pPort; }
IClockPort* SetClockPort(IClockPort* p_port) { return g_clock.Set(p_port); }
CHighTime PresentTime() { return GetClockPort().GetPresentTime(); }

ScriptedClock::ScriptedClock(const CHighTime& dt_now) : dtNow(dt_now), pPrevious(SetClockPort(this)) {}
ScriptedClock::~ScriptedClock() { SetClockPort(pPrevious); }

// ---- event file ----

IEventFilePort& GetEventFilePort() { return *g_eventFile.pPort; }
IEventFilePort* SetEventFilePort(IEventFilePort* p_port) { return g_eventFile.Set(p_port); }

ScriptedEventFile::ScriptedEventFile() : pPrevious(SetEventFilePort(this)) {}
ScriptedEventFile::~ScriptedEventFile() { SetEventFilePort(pPrevious); }

BOOL ScriptedEventFile::Load(EventDoc& doc, const std::string& s_path)
{
    vLoaded.push_back(s_path);
    return fLoad ? fLoad(doc, s_path) : TRUE;
}

BOOL ScriptedEventFile::Save(EventDoc& doc, const std::string& s_path)
{
    vSaved.push_back(s_path);
    if (fSave)
        return fSave(doc, s_path);
    doc.SetFileVersion(EventDoc::kCurrentFileVersion);
    return TRUE;
}

// ---- the rostering dialog ----

namespace {
IRosterDialogPort* g_pRosterDialog = nullptr;
} // namespace

IRosterDialogPort* GetRosterDialogPort() { return g_pRosterDialog; }

IRosterDialogPort* SetRosterDialogPort(IRosterDialogPort* p_port)
{
    IRosterDialogPort* p_previous = g_pRosterDialog;
    g_pRosterDialog = p_port;
    return p_previous;
}
