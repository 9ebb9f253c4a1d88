// What the list views need of windows beyond their own list, as ports: the
// frame's message bar (the list's status text), the message list that shows
// the records a drop or an import could not add, and the column chooser
// before a list is printed. The program installs the wx implementations at
// start-up; until then each port has a quiet stand-in (no bar, no list, the
// chooser cancelled). Tests install the recording ones, which install
// themselves for their lifetime and put the previous port back when they go.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelStringArray.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// ---- the message bar ----

class IListStatusPort {
public:
    virtual ~IListStatusPort() = default;
    // Puts the text (code page 1252) into the main frame's message bar;
    // nothing when the main window is not the program's frame.
    virtual void SetMessageText(const std::string& s_text) = 0;
};

IListStatusPort& GetListStatusPort();
IListStatusPort* SetListStatusPort(IListStatusPort* p_port);

class RecordingListStatus : public IListStatusPort {
public:
    RecordingListStatus();
    ~RecordingListStatus() override;
    RecordingListStatus(const RecordingListStatus&) = delete;
    RecordingListStatus& operator=(const RecordingListStatus&) = delete;

    void SetMessageText(const std::string& s_text) override { vTexts.push_back(s_text); }
    // The texts in the order set; the last is what the bar shows.
    std::vector<std::string> vTexts;

private:
    IListStatusPort* pPrevious;
};

// ---- the message list of failed additions ----

// A message list with the columns "Name" and "Error": its title, the text
// above the list, and one row per record that could not be added.
struct MessageList {
    std::string sTitle;
    std::string sHeading;
    std::vector<std::pair<std::string, std::string>> vRows;
};

class IMessageListPort {
public:
    virtual ~IMessageListPort() = default;
    // Shows the list modally.
    virtual void Show(const MessageList& list) = 0;
};

IMessageListPort& GetMessageListPort();
IMessageListPort* SetMessageListPort(IMessageListPort* p_port);

class RecordingMessageLists : public IMessageListPort {
public:
    RecordingMessageLists();
    ~RecordingMessageLists() override;
    RecordingMessageLists(const RecordingMessageLists&) = delete;
    RecordingMessageLists& operator=(const RecordingMessageLists&) = delete;

    void Show(const MessageList& list) override { vShown.push_back(list); }
    std::vector<MessageList> vShown;

private:
    IMessageListPort* pPrevious;
};

// ---- the column chooser ----

// What the column chooser edits: the column titles offered and not chosen,
// the chosen ones in print order, the page orientation, and all rows or the
// selected ones (offered only when the view has selected rows); sItems is
// the plural noun of the list's items.
struct SelectColumnsData {
    ZelStringArray Available;
    ZelStringArray Selected;
    int bLandscape = 0;
    int bPrintAll = 1;
    int bRowsSelected = 0;
    std::string sItems;
};

class ISelectColumnsPort {
public:
    virtual ~ISelectColumnsPort() = default;
    // IDOK with the data holding the user's choice, or IDCANCEL with the
    // data untouched.
    virtual int DoModal(SelectColumnsData& data) = 0;
};

ISelectColumnsPort& GetSelectColumnsPort();
ISelectColumnsPort* SetSelectColumnsPort(ISelectColumnsPort* p_port);

// Answers with the function given (which may change the data and returns
// IDOK or IDCANCEL); IDCANCEL without one. Records the data as shown.
class ScriptedSelectColumns : public ISelectColumnsPort {
public:
    using Answer = std::function<int(SelectColumnsData& data)>;

    ScriptedSelectColumns();
    ~ScriptedSelectColumns() override;
    ScriptedSelectColumns(const ScriptedSelectColumns&) = delete;
    ScriptedSelectColumns& operator=(const ScriptedSelectColumns&) = delete;

    int DoModal(SelectColumnsData& data) override;
    Answer fAnswer;
    std::vector<SelectColumnsData> vShown;

private:
    ISelectColumnsPort* pPrevious;
};
