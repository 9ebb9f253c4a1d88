// What the model needs of the application shell and its views.
//
// The model never sees a window. The questions it asks the user, the texts
// the list views make of a group or a participant, and the calls it makes
// on the open views go through the small ports below. The program installs
// its wx implementations at start-up; until then each port has a quiet
// stand-in (no views, empty texts, the dialogs' default answers). Tests
// install the scripted implementations, which record every call and answer
// as the test chooses; each installs itself for its lifetime and puts the
// previous port back when it goes.
//
// The ports are process-wide, as the program has one main frame and one
// open event, and belong to the user-interface thread.
#pragma once

#include "framework/MessageBox.h"
#include "framework/Types.h"
#include "model/ViewLayout.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CArchive;
class Group;
class Participant;

// Dialog and button ids of the questions.
enum : int {
    IDD_CONT_QUIT = 176,
    IDC_CONT_QUIT_TEXT = 1096,
    IDD_REVISION_CHANGED = 194,
    IDC_REVISION_OVERWRITE = 1111,
    IDC_REVISION_SAVE_AS = 1112,
    IDC_REVISION_MORE_INFO = 1113,
};

// The hint of a view update: what changed (codes 1 to 5: groups,
// participants, venues, event definition, scheduling rules), the item
// concerned (-1 for none) and a third value (0 for none). Code 0, a change
// of anything, goes to the views without a hint. The change routine sends
// {code, -1, 0}; the group view sends {1, the group's key, 1 when it is
// selected or 2 when not} for one group of its own list, which receivers
// read as a key and which the timetable view leaves alone.
struct UpdateViewHint {
    enum : LONG {
        e_general = 0,
        e_groups = 1,
        e_participants = 2,
        e_venues = 3,
        e_event_definition = 4,
        e_scheduling_rules = 5,
    };

    UpdateViewHint() = default;
    UpdateViewHint(LONG l_code, LONG l_index, LONG l_value) : lCode(l_code), lIndex(l_index), lValue(l_value) {}

    // No third value: a hint of the change routine rather than a list
    // view's own update of one item.
    BOOL IsNoObject() const { return lValue == 0 ? TRUE : FALSE; }

    LONG lCode = 0;
    LONG lIndex = -1;
    LONG lValue = 0;
};

// ---- the continue-or-quit question ----

// Shows the text with Continue (IDOK) and Quit (IDCANCEL, the default
// button); closing the dialog is Quit.
class IContinueQuitPort {
public:
    virtual ~IContinueQuitPort() = default;
    virtual int Ask(const std::string& s_text) = 0;
};

IContinueQuitPort& GetContinueQuitPort();
// Installs a port (null puts the stand-in back, which answers Quit);
// returns the old one.
IContinueQuitPort* SetContinueQuitPort(IContinueQuitPort* p_port);

// The question with a text, or with the string-table text u_textId; IDOK
// means continue, anything else quit.
int AskContinueOrQuit(const std::string& s_text);
int AskContinueOrQuit(UINT u_textId);

class ScriptedContinueQuit : public IContinueQuitPort {
public:
    ScriptedContinueQuit();
    ~ScriptedContinueQuit() override;
    ScriptedContinueQuit(const ScriptedContinueQuit&) = delete;
    ScriptedContinueQuit& operator=(const ScriptedContinueQuit&) = delete;

    // Answers given in turn; Quit once they are used up.
    void Answer(int i_result) { qAnswers.push_back(i_result); }
    const std::vector<std::string>& Asked() const { return vAsked; }

    int Ask(const std::string& s_text) override;

private:
    std::deque<int> qAnswers;
    std::vector<std::string> vAsked;
    IContinueQuitPort* pPrevious;
};

// ---- the revision-changed question ----

// Asked before a file of an older version is overwritten: Overwrite
// (IDC_REVISION_OVERWRITE), Save as (IDC_REVISION_SAVE_AS) or Cancel
// (IDCANCEL). "More information" is the dialog's own business.
class IRevisionChangedPort {
public:
    virtual ~IRevisionChangedPort() = default;
    virtual int Ask() = 0;
};

IRevisionChangedPort& GetRevisionChangedPort();
// Null puts the stand-in back, which answers Cancel.
IRevisionChangedPort* SetRevisionChangedPort(IRevisionChangedPort* p_port);
int AskRevisionChanged();

class ScriptedRevisionChanged : public IRevisionChangedPort {
public:
    ScriptedRevisionChanged();
    ~ScriptedRevisionChanged() override;
    ScriptedRevisionChanged(const ScriptedRevisionChanged&) = delete;
    ScriptedRevisionChanged& operator=(const ScriptedRevisionChanged&) = delete;

    // Answers given in turn; Cancel once they are used up.
    void Answer(int i_result) { qAnswers.push_back(i_result); }
    int TimesAsked() const { return nAsked; }

    int Ask() override;

private:
    std::deque<int> qAnswers;
    int nAsked = 0;
    IRevisionChangedPort* pPrevious;
};

// ---- field texts of the group and participant lists ----

// The text of one field (column id) of a group or a participant as its
// list view shows it; the HTML pages take their texts from here.
class IFieldTextPort {
public:
    virtual ~IFieldTextPort() = default;
    virtual std::string GetGroupFieldText(const Group& group, int i_column) = 0;
    virtual std::string GetParticipantFieldText(const Participant& participant, int i_column) = 0;
};

IFieldTextPort& GetFieldTextPort();
// Null puts the stand-in back, which gives empty texts.
IFieldTextPort* SetFieldTextPort(IFieldTextPort* p_port);

class ScriptedFieldTexts : public IFieldTextPort {
public:
    struct Request {
        const void* pRecord;
        int iColumn;
    };
    using GroupText = std::function<std::string(const Group&, int)>;
    using ParticipantText = std::function<std::string(const Participant&, int)>;

    ScriptedFieldTexts();
    ~ScriptedFieldTexts() override;
    ScriptedFieldTexts(const ScriptedFieldTexts&) = delete;
    ScriptedFieldTexts& operator=(const ScriptedFieldTexts&) = delete;

    // The texts to give; empty texts until set.
    void SetGroupText(GroupText f_text) { fGroupText = std::move(f_text); }
    void SetParticipantText(ParticipantText f_text) { fParticipantText = std::move(f_text); }
    const std::vector<Request>& GroupRequests() const { return vGroupRequests; }
    const std::vector<Request>& ParticipantRequests() const { return vParticipantRequests; }

    std::string GetGroupFieldText(const Group& group, int i_column) override;
    std::string GetParticipantFieldText(const Participant& participant, int i_column) override;

private:
    GroupText fGroupText;
    ParticipantText fParticipantText;
    std::vector<Request> vGroupRequests;
    std::vector<Request> vParticipantRequests;
    IFieldTextPort* pPrevious;
};

// ---- the views ----

// A view of the main frame as the model sees it: only its run-time class
// name, by which the frame finds it and the event file names its layout.
class IShellView {
public:
    virtual ~IShellView() = default;
    virtual std::string GetClassName() const = 0;
};

// A list view of venues, groups or participants.
class IItemListView : public IShellView {
public:
    // Raises the refill flag: the view refills its rows on its next update.
    virtual void SetRefill() = 0;
    // No row keeps the focused or selected state, and the view forgets its
    // focus index: a new event's records may reuse the old one's keys.
    virtual void ClearFocus() = 0;
    // The view takes a layout its event file stored for its class: the
    // widths and order only when they fit its columns, the sort keys (none
    // from a file too old to hold them), the import mappings when the
    // layout has them.
    virtual void ApplyLayout(const ViewLayout& layout) = 0;
    // The view puts its present layout into the record, which holds what
    // the view last took, so that anything the view does not keep is
    // written back as it was read.
    virtual void FillLayout(ViewLayout& layout) = 0;
};

class IViewsPort {
public:
    virtual ~IViewsPort() = default;
    // The first pane of the frame whose view has the class name, made the
    // active view when b_activate is set; null when there is none.
    virtual IShellView* FindView(const std::string& s_className, BOOL b_activate) = 0;
    // The frame's active view (null for none), and setting it.
    virtual IShellView* GetActiveView() = 0;
    virtual void SetActiveView(IShellView* p_view) = 0;
    // The document's list views, in the frame's order.
    virtual std::vector<IItemListView*> GetItemListViews() = 0;
    // The timetable view's remembered state goes back to its start: no
    // selected day tab (-1), and a reset requested.
    virtual void ResetTimetableViewState() = 0;
    // Every timetable view writes a group chosen in its day grid's open
    // in-place choice into the timeslot.
    virtual void RefreshSelectedSlots() = 0;
    // Every view of the document updates itself: with no hint after a
    // change of anything, else with the hint of what changed.
    virtual void UpdateAllViews(const UpdateViewHint* p_hint) = 0;
};

IViewsPort& GetViewsPort();
// Null puts the stand-in back: a frame without views.
IViewsPort* SetViewsPort(IViewsPort* p_port);

// A frame of scripted views. Its list views record the calls they get and
// keep the last layout they took, which they give back as their own.
class ScriptedViews : public IViewsPort {
public:
    class View : public IShellView {
    public:
        explicit View(std::string s_className) : sClassName(std::move(s_className)) {}
        std::string GetClassName() const override { return sClassName; }

    private:
        std::string sClassName;
    };

    class ListView : public IItemListView {
    public:
        explicit ListView(std::string s_className) : sClassName(std::move(s_className)) {}
        std::string GetClassName() const override { return sClassName; }
        void SetRefill() override { bRefill = TRUE; }
        void ClearFocus() override { ++nFocusCleared; }
        void ApplyLayout(const ViewLayout& layout) override;
        void FillLayout(ViewLayout& layout) override { layout = Layout; }

        BOOL bRefill = FALSE;
        int nFocusCleared = 0;
        // The layouts taken, in turn; the last is the view's own.
        int nLayoutsTaken = 0;
        ViewLayout Layout;

    private:
        std::string sClassName;
    };

    ScriptedViews();
    ~ScriptedViews() override;
    ScriptedViews(const ScriptedViews&) = delete;
    ScriptedViews& operator=(const ScriptedViews&) = delete;

    // Adds a pane (views live as long as the frame).
    View& AddView(const std::string& s_className);
    ListView& AddListView(const std::string& s_className);

    // One view update: the hint's code (0 without a hint), its other two
    // values, and the frame's active view while the views updated.
    struct Update {
        LONG lCode;
        BOOL bHint;
        LONG lIndex;
        LONG lValue;
        IShellView* pActive;
    };

    // The timetable view's remembered state.
    int iSelectedDay = 0;
    BOOL bResetRequest = FALSE;
    int nSlotRefreshes = 0;
    std::vector<Update> Updates;
    // Called at each update, after it was recorded, so that a test can see
    // the state the views would show.
    std::function<void(const UpdateViewHint* p_hint)> fOnUpdate;

    IShellView* FindView(const std::string& s_className, BOOL b_activate) override;
    IShellView* GetActiveView() override { return pActive; }
    void SetActiveView(IShellView* p_view) override { pActive = p_view; }
    std::vector<IItemListView*> GetItemListViews() override;
    void ResetTimetableViewState() override;
    void RefreshSelectedSlots() override { ++nSlotRefreshes; }
    void UpdateAllViews(const UpdateViewHint* p_hint) override;

private:
    std::vector<std::unique_ptr<IShellView>> vPanes;
    IShellView* pActive = nullptr;
    IViewsPort* pPrevious;
};

// ---- the end of the splash window ----

// Every message box of the program first ends the splash window when it is
// still up, so that no box hides behind it.
class IEndSplashPort {
public:
    virtual ~IEndSplashPort() = default;
    virtual void EndSplash() = 0;
};

IEndSplashPort& GetEndSplashPort();
// Null puts the stand-in back, which does nothing.
IEndSplashPort* SetEndSplashPort(IEndSplashPort* p_port);

class ScriptedEndSplash : public IEndSplashPort {
public:
    ScriptedEndSplash();
    ~ScriptedEndSplash() override;
    ScriptedEndSplash(const ScriptedEndSplash&) = delete;
    ScriptedEndSplash& operator=(const ScriptedEndSplash&) = delete;

    // Called from EndSplash, so a test can see what happened around it.
    void SetAction(std::function<void()> f_action) { fAction = std::move(f_action); }
    int Calls() const { return nCalls; }

    void EndSplash() override;

private:
    std::function<void()> fAction;
    int nCalls = 0;
    IEndSplashPort* pPrevious;
};
