// evetool: loads and saves event files headless, through the program's own
// open and event-file writer, and describes them in one line of JSON.
//
//     evetool info FILE
//     evetool resave FILE OUT
//     evetool build FILE [OUT] [--fill=0|1] [--travel=0|1] [--travel-minutes=N]
//                   [--keep-searching=N] [--mode=thorough|complete] [--time-limit=SECONDS]
//                   [--fill-skips=0|1]
//     evetool roster FILE [OUT]
//     evetool generate OUT [roster generator options]
//     evetool generate OUT --shape=courses [course generator options]
//
// build runs the whole build headless (generators/HeadlessBuild.h): the options
// as the event stores them unless a flag changes them; at the minimum
// report it stops, or with --keep-searching=N keeps searching in the mode
// of --mode (complete unless told) up to N times; OK to the other reports;
// the searches stop at the time limit when one is given; --fill-skips=0
// turns off the fill's skips of requests that cannot gain (to compare the
// timetables and the steps with and without them). It saves the
// built event to OUT when given and prints the figures of the build.
//
// roster runs the rostering engine over the event through the threaded
// driver as the roster control dialog does (generators/RosterRunner.h), saves
// the rostered event to OUT when given and prints the figures of the run.
// generate writes a generated event with roster settings
// (generators/RosterGenerator.h), or with --shape=courses a course timetable
// (generators/CourseGenerator.h), and describes it as info does.
//
// Every "Continue or Quit?" is answered Continue and every other message OK;
// nothing is shown. A file that cannot be opened gives exit status 2 with
// the message on standard error and nothing on standard output; any other
// failure gives exit status 1.
#include "generators/AlwaysContinue.h"
#include "generators/CourseGenerator.h"
#include "generators/HeadlessBuild.h"
#include "generators/RosterGenerator.h"
#include "generators/RosterRunner.h"
#include "engine/Shuffler.h"
#include "framework/Encoding.h"
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "res/RotavexStrings.h"
#include "zelkit/base/ZelAssert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
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

// A command's event opened and saved without a display: every box is
// answered, Continue or Quit continues, and what the boxes said goes to
// standard error when the open or the save fails.
class QuietFiles {
public:
    std::unique_ptr<EventDoc> Open(const char* p_path)
    {
        auto p_doc = std::make_unique<EventDoc>();
        if (p_doc->OnOpenDocument(p_path))
            return p_doc;
        Report();
        return nullptr;
    }
    bool Save(EventDoc& doc, const char* p_path)
    {
        if (GetEventFilePort().Save(doc, p_path))
            return true;
        Report();
        return false;
    }

private:
    void Report() const { std::fputs(Boxes.AllText().c_str(), stderr); }

    QuietBoxes Boxes;
    AlwaysContinue Continue;
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

int Usage(std::FILE* p_out = stderr)
{
    std::fprintf(p_out, "usage: evetool info FILE\n       evetool resave FILE OUT\n"
                         "       evetool build FILE [OUT] [--fill=0|1] [--travel=0|1] [--travel-minutes=N]\n"
                         "                     [--keep-searching=N] [--mode=thorough|complete] [--time-limit=SECONDS]\n"
                         "                     [--fill-skips=0|1]\n"
                         "       evetool roster FILE [OUT]\n"
                         "       evetool generate OUT [--groups=N --participants=N --seed=N ...]\n"
                         "       evetool generate OUT --shape=courses [--groups=N --seed=N ...]\n");
    return 1;
}

// "--name=N" with N a whole number from 0 to u_max.
bool ReadNumber(const std::string& s_arg, const char* p_name, UINT u_max, std::optional<UINT>& o_value, bool& b_bad)
{
    const std::string s_prefix = std::string(p_name) + "=";
    if (s_arg.compare(0, s_prefix.size(), s_prefix) != 0)
        return false;
    const std::string s_value = s_arg.substr(s_prefix.size());
    char* p_end = nullptr;
    const unsigned long long u_value = std::strtoull(s_value.c_str(), &p_end, 10);
    if (s_value.empty() || *p_end != '\0' || s_value[0] == '-' || u_value > u_max)
        b_bad = true;
    else
        o_value = static_cast<UINT>(u_value);
    return true;
}

// The build's flags; FALSE for one it does not know or a value out of range.
bool ReadBuildFlags(int argc, char** argv, int i_first, benchbuild::BuildScript& script)
{
    std::optional<UINT> o_keep;
    int i_mode = 1;
    for (int i = i_first; i < argc; ++i) {
        const std::string s_arg = argv[i];
        bool b_bad = false;
        std::optional<UINT> o_value;
        if (ReadNumber(s_arg, "--fill", 1, o_value, b_bad)) {
            if (o_value)
                script.bFill = *o_value != 0;
        } else if (ReadNumber(s_arg, "--travel", 1, o_value, b_bad)) {
            if (o_value)
                script.bAllowTravel = *o_value != 0;
        } else if (ReadNumber(s_arg, "--travel-minutes", 1440, o_value, b_bad)) {
            if (o_value && *o_value == 0)
                b_bad = true;
            script.uTravelMinutes = o_value;
        } else if (ReadNumber(s_arg, "--keep-searching", 1000000, o_value, b_bad)) {
            o_keep = o_value;
        } else if (ReadNumber(s_arg, "--time-limit", 86400 * 365, o_value, b_bad)) {
            if (o_value)
                script.uTimeLimitSeconds = *o_value;
        } else if (ReadNumber(s_arg, "--fill-skips", 1, o_value, b_bad)) {
            // Only for comparing the fill with its skips and without.
            if (o_value)
                Shuffler::SetFillSkips(*o_value != 0 ? TRUE : FALSE);
        } else if (s_arg == "--mode=thorough" || s_arg == "--mode=complete") {
            i_mode = s_arg == "--mode=thorough" ? 0 : 1;
        } else {
            b_bad = true;
        }
        if (b_bad) {
            std::fprintf(stderr, "evetool: %s is not a build option\n", s_arg.c_str());
            return false;
        }
    }
    if (o_keep && *o_keep > 0) {
        script.iKeepSearchingMode = i_mode;
        script.nKeepSearching = static_cast<int>(*o_keep);
    }
    return true;
}

nlohmann::ordered_json DescribeBuild(const benchbuild::BuildFigures& f)
{
    nlohmann::ordered_json o;
    o["seconds"] = f.dSeconds;
    o["cpu_seconds"] = f.dCpuSeconds;
    o["result"] = f.sResult;
    o["valid"] = f.bValid;
    o["cells"] = f.nCells;
    o["placed"] = f.nPlaced;
    o["unfilled"] = f.nUnfilled;
    o["minimum_rows"] = f.nMinimumRows;
    o["minimum_shortfall"] = f.uMinimumShortfall;
    o["rotation_rows"] = f.nRotationRows;
    o["not_scheduled"] = f.nNotScheduled;
    o["steps"] = f.uSteps;
    o["max_depth"] = f.uMaxDepth;
    o["violations"] = f.nViolations;
    o["peak_kib"] = f.lPeakKib;
    o["hash"] = f.sHash;
    return o;
}

// evetool build FILE [OUT] [flags].
int RunBuildCommand(int argc, char** argv)
{
    int i_flags = 3;
    const char* p_out = nullptr;
    if (argc > 3 && std::strncmp(argv[3], "--", 2) != 0) {
        p_out = argv[3];
        i_flags = 4;
    }
    benchbuild::BuildScript script;
    if (!ReadBuildFlags(argc, argv, i_flags, script))
        return Usage();

    QuietFiles files;
    const std::unique_ptr<EventDoc> p_doc = files.Open(argv[2]);
    if (!p_doc)
        return 2;
    if (p_doc->GetTimetable() == nullptr) {
        std::fprintf(stderr, "evetool: the event has no timetable to build:\n%s",
                     Cp1252ToUtf8(p_doc->DescribeTimetableNeeds()).c_str());
        return 1;
    }
    const benchbuild::BuildFigures figures = benchbuild::RunBuild(*p_doc, script);
    if (p_out != nullptr && !files.Save(*p_doc, p_out))
        return 1;
    std::cout << DescribeBuild(figures).dump() << std::endl;
    return 0;
}

nlohmann::ordered_json DescribeRoster(const benchroster::RosterResult& r)
{
    nlohmann::ordered_json o;
    o["seconds"] = r.dSeconds;
    o["minimum_pass_seconds"] = r.dMinimumSeconds;
    o["maximum_pass_seconds"] = r.dMaximumSeconds;
    o["rostered_to_minimum"] = r.nToMinimum;
    o["rostered_to_maximum"] = r.nToMaximum;
    o["below_minimum"] = r.nBelowMinimum;
    nlohmann::ordered_json errors = nlohmann::ordered_json::object();
    for (const auto& [s_id, n] : r.Errors)
        errors[s_id] = n;
    o["errors"] = errors;
    o["committed"] = r.nCommitted;
    o["rolled_back"] = r.nRolledBack;
    o["peak_kib"] = r.lPeakKib;
    o["hash"] = r.sHash;
    return o;
}

// evetool roster FILE [OUT].
int RunRosterCommand(int argc, char** argv)
{
    if (argc != 3 && argc != 4)
        return Usage();
    QuietFiles files;
    const std::unique_ptr<EventDoc> p_doc = files.Open(argv[2]);
    if (!p_doc)
        return 2;
    const benchroster::RosterResult result = benchroster::RunRoster(*p_doc);
    if (argc == 4 && !files.Save(*p_doc, argv[3]))
        return 1;
    std::cout << DescribeRoster(result).dump() << std::endl;
    return 0;
}

// evetool generate OUT [options]: a roster event, or with --shape=courses
// a course timetable.
int RunGenerateCommand(int argc, char** argv)
{
    std::string s_error;
    std::vector<char*> v_args{argv[0]};
    bool b_courses = false;
    for (int i = 3; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) != 0)
            return Usage();
        b_courses = b_courses || std::strcmp(argv[i], "--shape=courses") == 0;
        v_args.push_back(argv[i]);
    }
    const int n_args = static_cast<int>(v_args.size());
    benchevent::RosterOptions options;
    benchevent::CourseOptions courses;
    if (b_courses ? !benchevent::ParseCourseOptions(n_args, v_args.data(), courses, s_error)
                  : !benchevent::ParseRosterOptions(n_args, v_args.data(), options, s_error)) {
        std::fprintf(stderr, "evetool: %s\n", s_error.c_str());
        return 1;
    }
    QuietFiles files;
    std::unique_ptr<EventDoc> p_doc =
        b_courses ? benchevent::GenerateCourseEvent(courses) : benchevent::GenerateRosterEvent(options);
    p_doc->SetEventName(b_courses ? "Course timetable " + std::to_string(courses.uSeed)
                                  : "Generated event " + std::to_string(options.Event.uSeed));
    if (!files.Save(*p_doc, argv[2]))
        return 1;
    std::cout << Describe(*p_doc).dump() << std::endl;
    return 0;
}

int Run(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            Usage(stdout);
            return 0;
        }
    }
    // A file name in the place of an option is a slip: it must not become a
    // file called "--groups=5".
    if (argc < 3 || argv[2][0] == '-')
        return Usage();
    const std::string s_command = argv[1];
    if (s_command == "build")
        return RunBuildCommand(argc, argv);
    if (s_command == "roster")
        return RunRosterCommand(argc, argv);
    if (s_command == "generate")
        return RunGenerateCommand(argc, argv);
    if (!((s_command == "info" && argc == 3) || (s_command == "resave" && argc == 4)))
        return Usage();

    QuietFiles files;
    const std::unique_ptr<EventDoc> p_doc = files.Open(argv[2]);
    if (!p_doc)
        return 2;
    // The messages of the load itself, before any of the save.
    const std::vector<UINT> v_messages = p_doc->GetLoadMessages();
    if (s_command == "resave") {
        // The program's writer, without the save command's steps around it
        // (the name check, the last-saved stamp): the event is written as
        // it was read.
        if (!files.Save(*p_doc, argv[3]))
            return 1;
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
    // As the program does: a save past the file-size limit fails with the
    // save's message and status, not the process.
    IgnoreFileSizeSignal();
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
