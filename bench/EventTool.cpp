// evetool: loads and saves event files headless, through the program's own
// open and event-file writer, and describes them in one line of JSON.
//
//     evetool info FILE
//     evetool resave FILE OUT
//
// Every "Continue or Quit?" is answered Continue and every other message OK;
// nothing is shown. A file that cannot be opened gives exit status 2 with
// the message on standard error and nothing on standard output; any other
// failure gives exit status 1.
#include "framework/Encoding.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "res/RotavexStrings.h"
#include "zelkit/ZelAssert.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

// Answers every box with OK and keeps its text, for standard error.
class QuietBoxes : public IMessageBoxPort {
public:
    QuietBoxes() : pPrevious(SetMessageBoxPort(this)) {}
    ~QuietBoxes() override { SetMessageBoxPort(pPrevious); }
    QuietBoxes(const QuietBoxes&) = delete;
    QuietBoxes& operator=(const QuietBoxes&) = delete;

    int Show(const std::string& s_text, const std::string&, std::uint32_t) override
    {
        vTexts.push_back(s_text);
        return IDOK;
    }
    std::string AllText() const
    {
        std::string s;
        for (const std::string& s_text : vTexts)
            s += Cp1252ToUtf8(s_text) + "\n";
        return s;
    }

private:
    std::vector<std::string> vTexts;
    IMessageBoxPort* pPrevious;
};

class AlwaysContinue : public IContinueQuitPort {
public:
    AlwaysContinue() : pPrevious(SetContinueQuitPort(this)) {}
    ~AlwaysContinue() override { SetContinueQuitPort(pPrevious); }
    AlwaysContinue(const AlwaysContinue&) = delete;
    AlwaysContinue& operator=(const AlwaysContinue&) = delete;

    int Ask(const std::string&) override { return IDOK; }

private:
    IContinueQuitPort* pPrevious;
};

const char* DayKind(EventDefinition::DaySel e_kind)
{
    switch (e_kind) {
    case EventDefinition::eWeekDays:
        return "week";
    case EventDefinition::eCustom:
        return "custom";
    default:
        return "calendar";
    }
}

nlohmann::ordered_json Describe(const EventDoc& doc)
{
    const DayDefBase& days = doc.GetEventDef().GetDayDef();
    int n_slots = 0, n_placed = 0, n_locked = 0;
    const Timetable* p_timetable = doc.GetTimetableObject();
    if (p_timetable != nullptr) {
        for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
            const Day& day = p_timetable->GetDay(d);
            for (int v = 0; v < day.GetNumVenues(); ++v) {
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                for (int i = 0; i < a_slots.GetSize(); ++i) {
                    ++n_slots;
                    if (!a_slots[i].IsEmpty())
                        ++n_placed;
                    if (a_slots[i].IsLocked())
                        ++n_locked;
                }
            }
        }
    }
    nlohmann::ordered_json o;
    o["file_version"] = doc.GetFileVersion();
    o["name"] = Cp1252ToUtf8(doc.GetEventName());
    o["day_kind"] = DayKind(doc.GetEventDef().GetDaySel());
    o["days"] = days.GetNumDays();
    o["layout_slots"] = days.GetNumTimeslots();
    o["roles"] = doc.GetParticipantRoles().GetCount();
    o["venues"] = doc.GetNumVenues();
    o["groups"] = doc.GetGroups().GetNumGroups();
    o["participants"] = doc.GetParticipants().GetNumParticipants();
    o["styles"] = doc.GetStyles().GetCount();
    o["facilities"] = doc.GetFacilities().GetCount();
    o["venue_rules"] = doc.GetSchedulingRules().GetNumVenueRules();
    o["day_rules"] = doc.GetSchedulingRules().GetNumDayRules();
    o["combinations"] = doc.GetCombinations().GetCount();
    o["timetable"] = p_timetable != nullptr;
    o["timetable_slots"] = n_slots;
    o["placed"] = n_placed;
    o["locked"] = n_locked;
    o["valid"] = p_timetable != nullptr && p_timetable->IsValid();
    o["messages"] = doc.GetLoadMessages();
    return o;
}

int Usage()
{
    std::fprintf(stderr, "usage: evetool info FILE\n       evetool resave FILE OUT\n");
    return 1;
}

int Run(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string s_command = argv[1];
    if (!((s_command == "info" && argc == 3) || (s_command == "resave" && argc == 4)))
        return Usage();

    QuietBoxes boxes;
    AlwaysContinue always_continue;
    auto p_doc = std::make_unique<EventDoc>();
    if (!p_doc->OnOpenDocument(argv[2])) {
        std::fputs(boxes.AllText().c_str(), stderr);
        return 2;
    }
    // The messages of the load itself, before any of the save.
    const std::vector<UINT> v_messages = p_doc->GetLoadMessages();
    if (s_command == "resave") {
        // The program's writer, without the save command's steps around it
        // (the name check, the last-saved stamp): the event is written as
        // it was read.
        if (!GetEventFilePort().Save(*p_doc, argv[3])) {
            std::fputs(boxes.AllText().c_str(), stderr);
            return 1;
        }
    }
    nlohmann::ordered_json o = Describe(*p_doc);
    o["messages"] = v_messages;
    std::cout << o.dump() << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    JoinRotavexResources();
    try {
        return Run(argc, argv);
    } catch (const ZelAssertException& e) {
        std::fprintf(stderr, "evetool: internal check failed: %s\n", e.GetText());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "evetool: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "evetool: unexpected failure\n");
    }
    return 1;
}
