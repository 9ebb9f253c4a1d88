#include "shell/frame/ListPorts.h"

#include "framework/MessageBox.h"
#include "framework/PortSlot.h"

namespace {

class QuietStatus : public IListStatusPort {
public:
    void SetMessageText(const std::string&) override {}
};

class QuietMessageList : public IMessageListPort {
public:
    void Show(const MessageList&) override {}
};

class CancelledColumns : public ISelectColumnsPort {
public:
    int DoModal(SelectColumnsData&) override { return IDCANCEL; }
};

PortSlot<IListStatusPort, QuietStatus> g_status;
PortSlot<IMessageListPort, QuietMessageList> g_messageList;
PortSlot<ISelectColumnsPort, CancelledColumns> g_selectColumns;

} // namespace

IListStatusPort& GetListStatusPort() { return *g_status.pPort; }
IListStatusPort* SetListStatusPort(IListStatusPort* p_port) { return g_status.Set(p_port); }

RecordingListStatus::RecordingListStatus() : pPrevious(SetListStatusPort(this)) {}
RecordingListStatus::~RecordingListStatus() { SetListStatusPort(pPrevious); }

IMessageListPort& GetMessageListPort() { return *g_messageList.pPort; }
IMessageListPort* SetMessageListPort(IMessageListPort* p_port) { return g_messageList.Set(p_port); }

RecordingMessageLists::RecordingMessageLists() : pPrevious(SetMessageListPort(this)) {}
RecordingMessageLists::~RecordingMessageLists() { SetMessageListPort(pPrevious); }

ISelectColumnsPort& GetSelectColumnsPort() { return *g_selectColumns.pPort; }
ISelectColumnsPort* SetSelectColumnsPort(ISelectColumnsPort* p_port) { return g_selectColumns.Set(p_port); }

ScriptedSelectColumns::ScriptedSelectColumns() : pPrevious(SetSelectColumnsPort(this)) {}
ScriptedSelectColumns::~ScriptedSelectColumns() { SetSelectColumnsPort(pPrevious); }

int ScriptedSelectColumns::DoModal(SelectColumnsData& data)
{
    vShown.push_back(data);
    if (!fAnswer)
        return IDCANCEL;
    SelectColumnsData copy = data;
    const int i_result = fAnswer(copy);
    if (i_result == IDOK)
        data = copy;
    return i_result;
}
