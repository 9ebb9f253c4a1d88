// Time from the read of a large event to its window on screen: the program
// runs in-process with its four panes, starts on a small event, and then
// opens a generated one (by default 8,000 groups and 20,000 participants)
// as File > Open does. Printed: the read of the file alone, the open as the
// program does it (read, the panes' refill, the title), the time until the
// window has drawn itself and is idle, and each list pane's refill on its
// own (the first fill of an event whose layout the panes have not seen).
// Needs a display: run it under one of its own, e.g.
//   testsupport/run-on-display build/bin/open_event_bench [--groups=N --participants=N]
// (any option of the event generator).
#include "bench/ProgramBench.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/ItemListView.h"
#include "testsupport/ProgramFolder.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;
using namespace programbench;

int main(int argc, char** argv)
{
    benchevent::EventOptions options;
    if (const int i_exit = StartToolkit(argc, argv, "open-event-bench", options); i_exit != 0)
        return i_exit;
    // Nobody answers message boxes here: each is noted and answered.
    ScriptedMessageBox boxes;
    const fs::path fs_folder = MakeTestFolder("rvx-open-bench");
    const fs::path fs_big = fs_folder / "big.eve";
    const fs::path fs_small = fs_folder / "small.eve";
    {
        benchevent::ResetKeyCounters();
        auto p_doc = benchevent::GenerateEvent(options);
        if (!GetEventFilePort().Save(*p_doc, fs_big.string())) {
            std::fprintf(stderr, "the event was not saved: %s\n",
                         boxes.Boxes().empty() ? "" : boxes.Boxes().back().sText.c_str());
            return 1;
        }
        auto p_small = benchevent::GenerateEvent(SmallEvent());
        if (!GetEventFilePort().Save(*p_small, fs_small.string())) {
            std::fprintf(stderr, "the small event was not saved\n");
            return 1;
        }
    }
    {
        EventDoc doc;
        const auto t_read = Clock::now();
        doc.OnOpenDocument(fs_big.string());
        std::printf("%-48s %7.3f s\n", "read of the file alone", Since(t_read));
    }

    if (!StartProgram(fs_folder, fs_small))
        return 1;

    const auto t_open = Clock::now();
    const CRotavexApp::OpenResult e_result = TheApp()->OpenDocumentFile(fs_big.string());
    const double d_open = Since(t_open);
    Settle();
    const double d_shown = Since(t_open);
    std::printf("%-48s %7.3f s%s\n", "open (read, panes' refill, title)", d_open,
                e_result == CRotavexApp::e_opened ? "" : "  (not opened)");
    std::printf("%-48s %7.3f s\n", "open until drawn and idle", d_shown);

    CMainFrame& frame = *TheApp()->GetMainFrame();
    const struct {
        const char* pWhat;
        int iRow, iCol;
    } a_panes[] = {{"venue pane refill", 0, 0}, {"group pane refill", 1, 0}, {"participant pane refill", 0, 1}};
    for (const auto& pane : a_panes) {
        auto* p_view = dynamic_cast<ItemListView*>(frame.GetPaneView(pane.iRow, pane.iCol));
        if (p_view == nullptr)
            continue;
        const auto t_fill = Clock::now();
        p_view->Refill();
        std::printf("%-48s %7.3f s  %d rows\n", pane.pWhat, Since(t_fill), p_view->GetList().GetItemCount());
    }
    EndProgram(fs_folder);
    return 0;
}
