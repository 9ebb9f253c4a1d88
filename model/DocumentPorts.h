// What the event document needs outside the model: its editing sheets,
// the main window that takes posted commands, the questions of saving,
// mail, the clock, and the reading and writing of the event file.
//
// Like the shell ports (ShellPorts.h, which also has the views and the
// revision-changed question) each is a small process-wide interface with a
// quiet stand-in until the program installs its own, and a scripted
// implementation for tests that installs itself for its lifetime, records
// what it was asked and answers as the test chooses.
//
// The stand-ins take the default answer: sheets are cancelled, questions
// cancelled, posted commands dropped, mail is unavailable, and the clock is
// the wall clock. The event file's port is the real reader and writer of
// event files (EventFile.h) from the start.
#pragma once

#include "framework/MessageBox.h"
#include "framework/Types.h"
#include "zelkit/datetime/CHighTime.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class EventDefinition;
class EventDoc;
class Preferences;
class SchedulingRules;

// The result of the Define Event sheet when it finished with changes.
enum : int { ID_WIZFINISH = 12325 };

// ---- the editing sheets ----

class IDocumentSheetsPort {
public:
    virtual ~IDocumentSheetsPort() = default;
    // The Define Event sheet over the document. It works on copies of the
    // event's name and definition and copies both back into the document
    // when it ends with ID_WIZFINISH; the result is the sheet's.
    virtual int DefineEvent(EventDoc& doc) = 0;
    // The preferences sheet over a working copy; IDOK or IDCANCEL. The
    // sheet opens on the page that was active when it last closed.
    virtual int EditPreferences(EventDoc& doc, Preferences& prefs) = 0;
    // The scheduling-rules sheet over a working copy; IDOK accepts.
    virtual int EditSchedulingRules(EventDoc& doc, SchedulingRules& rules) = 0;
};

IDocumentSheetsPort& GetDocumentSheetsPort();
// Null puts the stand-in back, which cancels every sheet.
IDocumentSheetsPort* SetDocumentSheetsPort(IDocumentSheetsPort* p_port);

class ScriptedSheets : public IDocumentSheetsPort {
public:
    using DefineEdit = std::function<void(std::string& s_name, EventDefinition& def)>;
    using PreferencesEdit = std::function<void(Preferences& prefs)>;
    using RulesEdit = std::function<void(SchedulingRules& rules)>;

    ScriptedSheets();
    ~ScriptedSheets() override;
    ScriptedSheets(const ScriptedSheets&) = delete;
    ScriptedSheets& operator=(const ScriptedSheets&) = delete;

    // Each sheet's answers in turn: the edit made on the working copies,
    // then the result. IDCANCEL with no edit once they are used up. The
    // Define Event sheet copies back only on ID_WIZFINISH, as the real one.
    void DefineEventAnswer(int i_result, DefineEdit f_edit = {});
    void PreferencesAnswer(int i_result, PreferencesEdit f_edit = {});
    void RulesAnswer(int i_result, RulesEdit f_edit = {});

    int nDefineEvent = 0;
    int nPreferences = 0;
    int nRules = 0;

    int DefineEvent(EventDoc& doc) override;
    int EditPreferences(EventDoc& doc, Preferences& prefs) override;
    int EditSchedulingRules(EventDoc& doc, SchedulingRules& rules) override;

private:
    std::deque<std::pair<int, DefineEdit>> qDefine;
    std::deque<std::pair<int, PreferencesEdit>> qPreferences;
    std::deque<std::pair<int, RulesEdit>> qRules;
    IDocumentSheetsPort* pPrevious;
};

// ---- the main window ----

class IMainWindowPort {
public:
    virtual ~IMainWindowPort() = default;
    // Queues the command to the main window; it runs once the present
    // message is handled.
    virtual void PostCommand(UINT u_id) = 0;
};

IMainWindowPort& GetMainWindowPort();
// Null puts the stand-in back, which drops the commands.
IMainWindowPort* SetMainWindowPort(IMainWindowPort* p_port);

class ScriptedMainWindow : public IMainWindowPort {
public:
    ScriptedMainWindow();
    ~ScriptedMainWindow() override;
    ScriptedMainWindow(const ScriptedMainWindow&) = delete;
    ScriptedMainWindow& operator=(const ScriptedMainWindow&) = delete;

    const std::vector<UINT>& Posted() const { return vPosted; }
    void PostCommand(UINT u_id) override { vPosted.push_back(u_id); }

private:
    std::vector<UINT> vPosted;
    IMainWindowPort* pPrevious;
};

// ---- the questions of saving ----

class ISaveQuestionsPort {
public:
    virtual ~ISaveQuestionsPort() = default;
    // "Save changes to ...?" for the document at the path (empty for an
    // event never saved): IDYES, IDNO or IDCANCEL.
    virtual int AskSaveChanges(const std::string& s_pathName) = 0;
    // The file to save to, proposed from the path; empty when the user
    // cancels.
    virtual std::string AskSavePath(const std::string& s_pathName) = 0;
};

ISaveQuestionsPort& GetSaveQuestionsPort();
// Null puts the stand-in back, which cancels both questions.
ISaveQuestionsPort* SetSaveQuestionsPort(ISaveQuestionsPort* p_port);

class ScriptedSaveQuestions : public ISaveQuestionsPort {
public:
    ScriptedSaveQuestions();
    ~ScriptedSaveQuestions() override;
    ScriptedSaveQuestions(const ScriptedSaveQuestions&) = delete;
    ScriptedSaveQuestions& operator=(const ScriptedSaveQuestions&) = delete;

    // Answers in turn; IDCANCEL and the empty path once they are used up.
    void SaveChangesAnswer(int i_result) { qSaveChanges.push_back(i_result); }
    void SavePathAnswer(const std::string& s_path) { qPaths.push_back(s_path); }
    // The path each question was asked about.
    const std::vector<std::string>& SaveChangesAsked() const { return vSaveChanges; }
    const std::vector<std::string>& SavePathAsked() const { return vPaths; }

    int AskSaveChanges(const std::string& s_pathName) override;
    std::string AskSavePath(const std::string& s_pathName) override;

private:
    std::deque<int> qSaveChanges;
    std::deque<std::string> qPaths;
    std::vector<std::string> vSaveChanges;
    std::vector<std::string> vPaths;
    ISaveQuestionsPort* pPrevious;
};

// ---- mail ----

class IMailPort {
public:
    virtual ~IMailPort() = default;
    // Whether the desktop can send mail at all.
    virtual BOOL IsAvailable() = 0;
    // Mails the event file as an attachment to the recipients (addresses
    // and their names; none lets the user choose); FALSE when it could not
    // be handed over.
    virtual BOOL SendDocument(EventDoc& doc, const std::vector<std::string>& a_addresses,
                              const std::vector<std::string>& a_names) = 0;
};

IMailPort& GetMailPort();
// Null puts the stand-in back, which has no mail.
IMailPort* SetMailPort(IMailPort* p_port);

// The mail services of the document's commands.
BOOL SendDocumentMail(EventDoc& doc, const std::vector<std::string>& a_addresses,
                      const std::vector<std::string>& a_names);
// Whether a mail command is enabled: only while mail is available.
BOOL UpdateSendMailUI();

class ScriptedMail : public IMailPort {
public:
    struct Sent {
        const EventDoc* pDoc;
        std::vector<std::string> vAddresses;
        std::vector<std::string> vNames;
    };

    ScriptedMail();
    ~ScriptedMail() override;
    ScriptedMail(const ScriptedMail&) = delete;
    ScriptedMail& operator=(const ScriptedMail&) = delete;

    BOOL bAvailable = TRUE;
    const std::vector<Sent>& SentMail() const { return vSent; }

    BOOL IsAvailable() override { return bAvailable; }
    BOOL SendDocument(EventDoc& doc, const std::vector<std::string>& a_addresses,
                      const std::vector<std::string>& a_names) override;

private:
    std::vector<Sent> vSent;
    IMailPort* pPrevious;
};

// ---- the clock ----

class IClockPort {
public:
    virtual ~IClockPort() = default;
    virtual CHighTime GetPresentTime() = 0;
};

IClockPort& GetClockPort();
// Null puts the wall clock back.
IClockPort* SetClockPort(IClockPort* p_port);
// The present time, from the clock in use.
CHighTime PresentTime();

class ScriptedClock : public IClockPort {
public:
    explicit ScriptedClock(const CHighTime& dt_now);
    ~ScriptedClock() override;
    ScriptedClock(const ScriptedClock&) = delete;
    ScriptedClock& operator=(const ScriptedClock&) = delete;

    void Set(const CHighTime& dt_now) { dtNow = dt_now; }
    CHighTime GetPresentTime() override { return dtNow; }

private:
    CHighTime dtNow;
    IClockPort* pPrevious;
};

// ---- the event file ----

// Reading and writing the event file, which the document's open and save
// call. The reader leaves the document as it was when the file cannot be
// taken; the writer writes the current version.
class IEventFilePort {
public:
    virtual ~IEventFilePort() = default;
    // Reads the file into the document. TRUE when the document holds the
    // file's event (its load-problems flag telling whether items were
    // refused on the way); FALSE, after telling the user, when the file
    // could not be opened, and the document keeps the event it had.
    virtual BOOL Load(EventDoc& doc, const std::string& s_path) = 0;
    // Writes the document to the path; FALSE, after telling the user, when
    // it could not, and the file there is left whole.
    virtual BOOL Save(EventDoc& doc, const std::string& s_path) = 0;
};

IEventFilePort& GetEventFilePort();
// Null puts the event file's own reader and writer back.
IEventFilePort* SetEventFilePort(IEventFilePort* p_port);

// An event file in a test: records the paths, runs the test's load and
// save. Without them a load takes nothing and succeeds, and a save
// succeeds and, as every real save, leaves the document at the current
// file version.
class ScriptedEventFile : public IEventFilePort {
public:
    using Step = std::function<BOOL(EventDoc& doc, const std::string& s_path)>;

    ScriptedEventFile();
    ~ScriptedEventFile() override;
    ScriptedEventFile(const ScriptedEventFile&) = delete;
    ScriptedEventFile& operator=(const ScriptedEventFile&) = delete;

    void SetLoad(Step f_load) { fLoad = std::move(f_load); }
    void SetSave(Step f_save) { fSave = std::move(f_save); }
    const std::vector<std::string>& Loaded() const { return vLoaded; }
    const std::vector<std::string>& Saved() const { return vSaved; }

    BOOL Load(EventDoc& doc, const std::string& s_path) override;
    BOOL Save(EventDoc& doc, const std::string& s_path) override;

private:
    Step fLoad;
    Step fSave;
    std::vector<std::string> vLoaded;
    std::vector<std::string> vSaved;
    IEventFilePort* pPrevious;
};

// ---- the rostering dialog ----

// The "Roster participants" dialog over the document, run modally: the
// user starts, watches and ends rostering there, and closes it. A failure
// inside a run comes out of Run once the run's worker has ended, for the
// roster driver to report.
class IRosterDialogPort {
public:
    virtual ~IRosterDialogPort() = default;
    virtual void Run(EventDoc& doc) = 0;
};

// Null until the program installs the dialog; the Roster command stays
// disabled until then.
IRosterDialogPort* GetRosterDialogPort();
IRosterDialogPort* SetRosterDialogPort(IRosterDialogPort* p_port);
