// Writes the sample events into a folder (tests/data/events/ of the source
// tree when none is given) through the program's own event-file writer.
//
//     build/bin/make_sample_events [FOLDER]
#include "model/EventDoc.h"
#include "model/EventFile.h"
#include "res/RotavexStrings.h"
#include "testsupport/SampleEvents.h"

#include <cstdio>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    JoinRotavexResources();
    const std::string s_folder = argc > 1 ? argv[1] : ROTAVEX_SAMPLE_EVENTS;
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
