// The event file's fuzz target: any bytes go through the program's own
// open, with every "Continue or Quit?" answered Continue. Whatever opens is
// saved, opened and saved again, and the two saves must be the same bytes;
// the event is then changed, checked and has its rules attached, as the
// program would after an open, and the check command runs on its timetable
// (outside the build driver's recovery, so nothing it meets may fail a
// check of the program's own). The head of the bytes is read for the event
// name too.
//
// A crash, a sanitizer report, an assertion of the program's own checks,
// an unexpected exception or two saves that differ end the run with a
// report (abort). Built with libFuzzer, or with the small driver in
// FuzzDriver.cpp when the compiler has no libFuzzer.
#include "framework/Exceptions.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/EventFile.h"
#include "model/ShellPorts.h"
#include "res/RotavexStrings.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/lists/ZelListModel.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Every box answered with its default button, nothing shown.
class SilentBoxes : public IMessageBoxPort {
public:
    int Show(const std::string&, const std::string&, std::uint32_t u_style) override { return DefaultAnswer(u_style); }
};

class AlwaysContinue : public IContinueQuitPort {
public:
    int Ask(const std::string&) override { return IDOK; }
};

// The open reads the bytes of the present run instead of a file.
class BytesEventFile : public IEventFilePort {
public:
    Bytes vBytes;
    BOOL Load(EventDoc& doc, const std::string& s_path) override { return EventFile::LoadBytes(doc, vBytes, s_path); }
    BOOL Save(EventDoc&, const std::string&) override { return FALSE; }
};

BytesEventFile* g_pFile = nullptr;

bool Init()
{
    JoinRotavexResources();
    static SilentBoxes boxes;
    SetMessageBoxPort(&boxes);
    static AlwaysContinue always_continue;
    SetContinueQuitPort(&always_continue);
    static BytesEventFile file;
    SetEventFilePort(&file);
    g_pFile = &file;
    // A fixed present time, so that a run depends on its bytes alone.
    static ScriptedClock clock(ZelOleDateTime(2024, 1, 2, 3, 4, 5));
    return true;
}

// The key counters of a program just started.
void ResetKeyCounters()
{
    Venue::SetKeyCounter(0);
    Group::SetKeyCounter(0);
    Participant::SetKeyCounter(0);
    Property::SetKeyCounter(0);
    ParticipantRole::SetKeyCounter(0);
    CustomDays::SetKeyCounter(0);
    ktTSCombKey = 0;
}

[[noreturn]] void Fail(const std::string& s_what)
{
    std::fprintf(stderr, "fuzz_event_file: %s\n", s_what.c_str());
    std::abort();
}

std::unique_ptr<EventDoc> Open(const Bytes& v_bytes, const char* p_name)
{
    g_pFile->vBytes = v_bytes;
    auto p_doc = std::make_unique<EventDoc>();
    if (!p_doc->OnOpenDocument(p_name))
        return nullptr;
    return p_doc;
}

// What the program does with an open event: edits run the change routine
// (the timetable rebuilt with its locks, the lists revalidated), the pages
// check groups and participants, the build attaches the rules to the slots.
void UseEvent(EventDoc& doc)
{
    // The check command on the timetable as it was read, then again after
    // the change routine has rebuilt it.
    doc.OnCheckTimetable();
    doc.DocChanged(UpdateViewHint::e_general);
    doc.OnCheckTimetable();
    doc.AttachRulesToSlots(TRUE);
    std::string s_message;
    for (int i = 0; i < doc.GetGroups().GetNumGroups(); ++i)
        doc.GetGroups()[i].Check(&doc, s_message, TRUE, -1);
    for (int i = 0; i < doc.GetParticipants().GetNumParticipants(); ++i)
        doc.GetParticipants()[i].Check(&doc, s_message,
                                       Participant::e_check_limits | Participant::e_check_groups
                                           | Participant::e_check_roster,
                                       TRUE);
    doc.AttachRulesToSlots(FALSE);
}

void RunOne(const Bytes& v_bytes)
{
    {
        CArchive ar{Bytes(v_bytes)};
        try {
            EventDoc::ReadEventName(ar);
        } catch (const CArchiveException&) {
            // A short head is the caller's to report.
        }
    }
    ResetKeyCounters();
    auto p_doc = Open(v_bytes, "input.eve");
    if (!p_doc)
        return;
    const Bytes v_first = p_doc->WriteEventFile();
    p_doc.reset();

    ResetKeyCounters();
    auto p_again = Open(v_first, "first.eve");
    if (!p_again)
        Fail("a file the program wrote does not open again");
    const Bytes v_second = p_again->WriteEventFile();
    if (v_second != v_first)
        Fail("the event saved, opened and saved again gives other bytes");
    UseEvent(*p_again);
}

} // namespace

// The fuzz target is built without the library's window classes: no list
// control exists whose model a sort could ask for.
ZelListModel* ZelListModelOf(ZelListCtrl*)
{
    return nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* p_data, std::size_t n_size)
{
    static const bool b_ready = Init();
    (void)b_ready;
    try {
        RunOne(Bytes(p_data, p_data + n_size));
    } catch (const ZelAssertException& e) {
        Fail(std::string("an assertion failed: ") + e.GetText());
    } catch (const CException& e) {
        Fail(std::string("an exception left the open: ") + e.GetText());
    } catch (const std::exception& e) {
        Fail(std::string("an exception left the open: ") + e.what());
    }
    return 0;
}
