// Writes the sample events into a folder (tests/data/events/ of the source
// tree when none is given) through the program's own event-file writer;
// with --fixtures, writes the hand-built fixture files of the file-format
// tests instead (the fuzz target's further seeds).
//
//     build/bin/make_sample_events [FOLDER]
//     build/bin/make_sample_events --fixtures FOLDER
#include "framework/FileIO.h"
#include "model/EventDoc.h"
#include "model/EventFile.h"
#include "res/RotavexStrings.h"
#include "testsupport/EventFileFixtures.h"
#include "generators/SampleEvents.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

namespace {

int WriteSamples(const std::string& s_folder)
{
    EventFile writer;
    for (const sampleevents::Sample& sample : sampleevents::Samples()) {
        sampleevents::ResetKeyCounters();
        auto p_doc = std::make_unique<EventDoc>();
        sample.fMake(*p_doc);
        const std::string s_path = s_folder + "/" + sample.pFileName;
        if (!writer.Save(*p_doc, s_path))
            return 1;
        std::printf("%s\n", s_path.c_str());
    }
    return 0;
}

int WriteFixtures(const std::string& s_folder)
{
    for (const auto& [s_name, v_bytes] : eventfixtures::AllFixtures()) {
        const std::string s_path = s_folder + "/" + s_name;
        WriteFileAtomically(s_path, v_bytes);
        std::printf("%s\n", s_path.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    JoinRotavexResources();
    try {
        if (argc == 3 && std::strcmp(argv[1], "--fixtures") == 0)
            return WriteFixtures(argv[2]);
        if (argc <= 2)
            return WriteSamples(argc > 1 ? argv[1] : ROTAVEX_SAMPLE_EVENTS);
        std::fprintf(stderr, "usage: make_sample_events [FOLDER]\n       make_sample_events --fixtures FOLDER\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_events: %s\n", e.what());
    }
    return 1;
}
