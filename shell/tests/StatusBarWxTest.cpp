// The main window's message bar in the program, in-process under a virtual
// display, over a sample timetable: a build that ends well says so, and the
// word is taken back ("Ready") as soon as the timetable is no longer the one
// that build made - after a close, the open of another event, an edit that
// drops its placements - while a save or a check, which leave the timetable
// alone, keep it.
#include "framework/MessageBox.h"
#include "framework/ui/WindowClass.h"
#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/ItemListView.h"
#include "shell/lists/VenueView.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/SampleProgram.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <wx/statusbr.h>

namespace fs = std::filesystem;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

constexpr const char* kBuilt = "Rotavex has created a valid timetable according to your specifications.";

class StatusBarWxTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(RegisterVenueView());
        ASSERT_TRUE(Program.Start("rvx-statusbar", fs::path(ROTAVEX_SAMPLE_TIMETABLES) / "Festival weekend.eve", 1000, 700));
    }
    void TearDown() override
    {
        if (CEventDocument* p_doc = TheApp()->GetDocument()) {
            p_doc->GetEvent().SetModifiedFlag(false);
            p_doc->Modify(false);
        }
        Program.ShutDown();
        WindowClasses::Unregister(kVenueView);
    }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    wxString Message() { return Frame().GetStatusBar()->GetStatusText(0); }
    // Builds the open event as the menu does; the message bar then holds
    // the build's word.
    void Build()
    {
        Doc().GetPreferences().SetSkipBuildOptions(TRUE);
        Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
        Pump();
        ASSERT_NE(Doc().GetTimetable(), nullptr);
        ASSERT_TRUE(Doc().GetTimetable()->IsValid()) << "the sample builds valid";
        ASSERT_EQ(Message(), kBuilt);
    }

    ScriptedMessageBox Boxes;
    SampleProgram Program;
};

TEST_F(StatusBarWxTest, TheBuiltWordGoesWhenTheTimetableIsNoLongerTheOneBuilt)
{
    const fs::path fs_first = Doc().GetPathName();
    const fs::path fs_other = fs_first.parent_path() / "Other weekend.eve";
    fs::copy_file(fs::path(ROTAVEX_SAMPLE_TIMETABLES) / "Festival weekend.eve", fs_other);
    struct Step {
        const char* pWhat;
        std::function<void(StatusBarWxTest&)> fDo;
        bool bKeeps;
    };
    // Each step saves first, so that no question about unsaved changes
    // comes between.
    const Step a_steps[] = {
        {"a save keeps the timetable", [](StatusBarWxTest&) {}, true},
        {"a check keeps it", [](StatusBarWxTest& t) { t.Frame().RunCommand(EventDoc::ID_CHECK_TIMETABLE); }, true},
        {"closing the event", [](StatusBarWxTest& t) { t.Frame().RunCommand(ID_FILE_CLOSE); }, false},
        {"opening another event",
         [&fs_other](StatusBarWxTest&) {
             EXPECT_EQ(TheApp()->OpenDocumentFile(fs_other.string()), CRotavexApp::e_opened);
         },
         false},
        {"deleting a venue drops the placements",
         [](StatusBarWxTest& t) {
             // The venue pane is the active view, as a click in it makes it.
             auto* p_venues = dynamic_cast<ItemListView*>(t.Frame().FindView(kVenueView, true));
             ASSERT_NE(p_venues, nullptr);
             p_venues->Click(0, FALSE, FALSE);
             const int n_venues = t.Doc().GetNumVenues();
             // The pane's click counts its rows in the bar; the build's word
             // is put back for the deletion to take away (the pane counts
             // its rows again, the frame's word is "Ready").
             t.Frame().GetStatusBar()->SetStatusText(kBuilt, 0);
             t.Frame().RunCommand(ID_EDIT_CLEAR);
             Pump();
             EXPECT_EQ(t.Doc().GetNumVenues(), n_venues - 1);
         },
         false},
    };
    for (const Step& step : a_steps) {
        SCOPED_TRACE(step.pWhat);
        if (Doc().GetTimetable() == nullptr) {
            ASSERT_EQ(TheApp()->OpenDocumentFile(fs_first.string()), CRotavexApp::e_opened);
            Pump();
        }
        Build();
        Frame().RunCommand(ID_FILE_SAVE);
        Pump();
        ASSERT_FALSE(Doc().IsModified());
        step.fDo(*this);
        Pump();
        if (step.bKeeps)
            EXPECT_EQ(Message(), kBuilt);
        else
            EXPECT_NE(Message(), kBuilt);
    }
}

} // namespace
