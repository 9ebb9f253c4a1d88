// The results of the build and of rostering, held fixed: every event of the
// table is opened through the program's own open, built as the build
// command builds it (headless, generators/HeadlessBuild.h) and, opened afresh
// from the same file, rostered as the roster dialog runs it
// (generators/RosterRunner.h). The timetable's hash, the memberships' hash and a
// hash of the bytes the opened event saves (a built one carries the time
// of its build) must equal the ones recorded below. They were recorded once, from the code as it stood before the
// build, the open and the roster were made faster, so that any of that
// work which moves a placement, a membership, an order or a saved byte
// fails here.
//
// The events: the sample files kept in tests/data/events and generated
// events of several shapes (the roster generator's options as evetool
// generate takes them). A change that is meant to move a result (a new
// rule, a new file version) records the new hashes with the reason.
#include "generators/HeadlessBuild.h"
#include "generators/RosterGenerator.h"
#include "generators/RosterRunner.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#ifndef ROTAVEX_SAMPLE_EVENTS
#error "ROTAVEX_SAMPLE_EVENTS must name the sample event folder"
#endif

namespace {

struct HashCase {
    const char* pName;
    // A sample file of tests/data/events, or generator options for an
    // event made here (as "evetool generate" makes it).
    const char* pSample;
    const char* pOptions;
    // At the minimum report: keep searching in this mode (0 "Thorough",
    // 1 "Complete") this many times; -1 stops at once.
    int iKeepSearchingMode;
    int nKeepSearching;
    // The recorded hashes: the build's ("none" where the event has no
    // timetable), the roster's, and the saved bytes' after the open.
    const char* pBuild;
    const char* pRoster;
    const char* pSaved;
};

const HashCase kCases[] = {
    {"calendar sample", "calendar-small.eve", nullptr, -1, 0,
     "f1b6efda62aae183", "696493882f45e114", "255c3b828d414fb3"},
    {"custom-day sample", "custom-days.eve", nullptr, -1, 0,
     "b1b20c845fed2930", "692558b056101a44", "1a0121c477ab7198"},
    // Recorded again when the sample's groups took the day limits that
    // share out every evening.
    {"week-day sample", "week-days.eve", nullptr, -1, 0,
     "4da342b634bcd556", "70c9b82103059f06", "aec770169a6ca622"},
    {"roster sample", "roster-styles.eve", nullptr, -1, 0,
     "cf497bf1533a5b63", "b9521d579e82d6e6", "601d56b80c84bc4d"},
    {"200-group sample", "groups-200.eve", nullptr, -1, 0,
     "497f7df1456dbbc1", "ec96d05328ab7ae0", "51deb75df5a05991"},
    {"empty sample", "empty.eve", nullptr, -1, 0,
     "none", "cbf29ce484222325", "36c5c745714a5eaa"},
    // The roster benchmark's smallest event.
    {"50 groups", nullptr, "--seed=1 --groups=50 --participants=500 --days=5 --venues=6 --day-rules=3 --venue-rules=3",
     -1, 0, "2421709858899863", "92ca5ec25491cfd2", "2e0a154fd6b1c3f5"},
    // Small rooms, so that rostering makes room; chunks, rotation and
    // many unavailable times for the build.
    {"tight rooms", nullptr,
     "--seed=2 --groups=120 --participants=600 --days=6 --venues=8 --chunks=30 --rotation=20 --unavailable=30 "
     "--room-min=0 --room-max=3 --ordered=60",
     -1, 0, "9ee291f61ba2c3c2", "70d13006261d6c6f", "4568815bd907c8a7"},
    // Nothing placed: the build places everything itself (were a minimum
    // missed, it would search once more in the thorough mode).
    {"empty timetable", nullptr,
     "--seed=3 --groups=60 --participants=300 --days=4 --venues=5 --fill=0 --day-rules=5 --venue-rules=5", 0, 1,
     "660a237e47af4c90", "2bd8faa55d0204a5", "0cf79af161b7026d"},
    // Half the participants unplanned, taking groups as they come.
    {"unplanned", nullptr,
     "--seed=4 --groups=200 --participants=2000 --days=10 --venues=10 --planned=50 --room-min=2 --room-max=8 "
     "--limited=80",
     1, 1, "2f5ba21340a2254b", "c050ae8f6eb775e4", "01211b48f9dd3cbc"},
    // Crowded days and many unavailable times: the minimum report comes
    // twice and the complete search runs after each.
    {"crowded", nullptr,
     "--seed=5 --groups=150 --participants=400 --days=3 --venues=6 --fill=0 --unavailable=40 --max-members=8", 1, 2,
     "3a622ecb6c8c06e4", "3180741a448b1893", "b6009fbabe0e53e5"},
};

// FNV-1a over the bytes, as 16 hexadecimal digits.
std::string BytesHash(const std::vector<std::uint8_t>& v_bytes)
{
    std::uint64_t u_hash = 1469598103934665603ULL;
    for (const std::uint8_t u_byte : v_bytes) {
        u_hash ^= u_byte;
        u_hash *= 1099511628211ULL;
    }
    char a_text[17];
    std::snprintf(a_text, sizeof a_text, "%016llx", static_cast<unsigned long long>(u_hash));
    return a_text;
}

// Answers every box with OK, as the headless tools do.
class AnswerOk : public IMessageBoxPort {
public:
    AnswerOk() : pPrevious(SetMessageBoxPort(this)) {}
    ~AnswerOk() override { SetMessageBoxPort(pPrevious); }
    AnswerOk(const AnswerOk&) = delete;
    AnswerOk& operator=(const AnswerOk&) = delete;
    int Show(const std::string&, const std::string&, std::uint32_t) override { return IDOK; }

private:
    IMessageBoxPort* pPrevious;
};

std::string GeneratedFile(const HashCase& c)
{
    std::vector<std::string> v_words{"generate"};
    std::istringstream words(c.pOptions);
    for (std::string s_word; words >> s_word;)
        v_words.push_back(s_word);
    std::vector<char*> v_args;
    for (std::string& s_word : v_words)
        v_args.push_back(s_word.data());
    benchevent::RosterOptions options;
    std::string s_error;
    if (!benchevent::ParseRosterOptions(static_cast<int>(v_args.size()), v_args.data(), options, s_error)) {
        ADD_FAILURE() << c.pName << ": " << s_error;
        return {};
    }
    std::unique_ptr<EventDoc> p_doc = benchevent::GenerateRosterEvent(options);
    p_doc->SetEventName("Generated event " + std::to_string(options.Event.uSeed));
    const std::string s_path = ::testing::TempDir() + "result-hash-" + std::to_string(options.Event.uSeed) + ".eve";
    EXPECT_TRUE(GetEventFilePort().Save(*p_doc, s_path)) << c.pName;
    return s_path;
}

std::unique_ptr<EventDoc> Open(const std::string& s_path)
{
    auto p_doc = std::make_unique<EventDoc>();
    EXPECT_TRUE(p_doc->OnOpenDocument(s_path)) << s_path;
    return p_doc;
}

TEST(ResultHashes, BuildRosterAndSavedBytesAreAsRecorded)
{
    const AnswerOk answer_ok;
    for (const HashCase& c : kCases) {
        SCOPED_TRACE(c.pName);
        const std::string s_path =
            c.pSample != nullptr ? std::string(ROTAVEX_SAMPLE_EVENTS) + "/" + c.pSample : GeneratedFile(c);
        ASSERT_FALSE(s_path.empty());

        std::string s_build = "none";
        std::unique_ptr<EventDoc> p_built = Open(s_path);
        const std::string s_saved = BytesHash(p_built->WriteEventFile());
        if (p_built->GetTimetable() != nullptr) {
            benchbuild::BuildScript script;
            script.iKeepSearchingMode = c.iKeepSearchingMode;
            script.nKeepSearching = c.nKeepSearching;
            s_build = benchbuild::RunBuild(*p_built, script).sHash;
        }
        std::unique_ptr<EventDoc> p_rostered = Open(s_path);
        const std::string s_roster = benchroster::RunRoster(*p_rostered).sHash;

        EXPECT_EQ(s_build, c.pBuild) << "build";
        EXPECT_EQ(s_roster, c.pRoster) << "roster";
        EXPECT_EQ(s_saved, c.pSaved) << "saved bytes";
    }
}

} // namespace
