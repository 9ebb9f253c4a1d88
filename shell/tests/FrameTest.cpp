// The program in-process under a virtual display, driven by command ids as
// a user drives it through menus and toolbar: start-up with an event on the
// command line, open, save, save as, close, the recent files, exit with a
// modified event, dropped files, the enable rules, the forwarding of
// commands to the panes' views, build and check from the menu.
//
// With ROTAVEX_SHOW_SECONDS set, the frame stays on screen that long after
// the start-up test, for a screenshot.
#include "engine/BuildPorts.h"
#include "engine/ProgressPort.h"
#include "framework/Desktop.h"
#include "framework/FileDialog.h"
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/frame/AppSettings.h"
#include "shell/dialogs/BuildDialogs.h"
#include "shell/frame/CommandIds.h"
#include "shell/dialogs/ContQuitDlg.h"
#include "shell/lists/ItemListImport.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/GroupView.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/lists/ParticipantView.h"
#include "shell/dialogs/ProgressDlg.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/EnvScope.h"
#include "testsupport/MailStandIn.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "shell/frame/ShellPortsWx.h"
#include "shell/frame/WxCommands.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <thread>
#include <unistd.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

namespace fs = std::filesystem;

namespace {

// One application for the whole run, as the program has.
const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

CRotavexApp& App() { return *TheApp(); }

// Runs what is queued: posted commands, calls after the present event.
void Pump()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

void ShowAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end) {
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

// Every test: settings files of its own (the installation's with a licence
// and, unless told, a user guide), copies of the sample events, recorded
// message boxes, scripted file dialogs and a recording desktop.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = fs::temp_directory_path()
            / ("rvx-frame-" + std::to_string(getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(fsFolder);
        fs::create_directories(fsFolder / "events");
        for (const char* p : {"week-days.eve", "custom-days.eve", "calendar-small.eve", "empty.eve"})
            fs::copy_file(fs::path(ROTAVEX_EVENTS_DIR) / p, fsFolder / "events" / p);
        Install(true);
    }

    void TearDown() override
    {
        App().ShutDown();
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    void Install(bool b_userGuide)
    {
        std::string s_machine = "[Software\\Vantor Software\\Rotavex]\n\"Path\"=sz:\"" + fsFolder.string()
            + "\"\n\"License\"=sz:\"" + (fsFolder / "licence.txt").string() + "\"\n";
        if (b_userGuide)
            s_machine += "\"UserGuide\"=sz:\"" + (fsFolder / "guide.pdf").string() + "\"\n";
        WriteFileAtomically((fsFolder / "install.ini").string(), s_machine);
        CSettingsStore::Get().Configure((fsFolder / "user" / "settings").string(),
                                        (fsFolder / "install.ini").string());
    }

    std::string Event(const char* p_name) const { return (fsFolder / "events" / p_name).string(); }

    bool Start(const std::string& s_file = {})
    {
        if (!App().StartUp(s_file))
            return false;
        Pump();
        return true;
    }

    CMainFrame& Frame() { return *App().GetMainFrame(); }
    EventDoc& Doc() { return App().GetDocument()->GetEvent(); }
    bool Run(UINT u_command)
    {
        const bool b_ran = Frame().RunCommand(u_command);
        Pump();
        return b_ran;
    }
    bool Enabled(UINT u_command) { return Frame().IsCommandEnabled(u_command); }

    fs::path fsFolder;
    ScriptedMessageBox Boxes;
    ScriptedFileDialogs Files;
    RecordingDesktop Desktop;
};

// Every command id of the application, the frame and the document.
const UINT aAllCommands[] = {
    ID_APP_ABOUT, ID_FILE_OPEN, ID_FILE_OPEN_SAMPLE, ID_FILE_NEW, ID_FILE_PRINT_SETUP, ID_HELP, ID_ADD_GROUP,
    ID_ADD_PARTICIPANT, ID_ADD_VENUE, ID_HELP_LICENCE, ID_HELP_USER_GUIDE, ID_HELP_RELEASE_NOTES, ID_PRINT_TIMETABLE,
    ID_PREVIEW_TIMETABLE, ID_PRINT_GROUP_LIST, ID_PREVIEW_GROUP_LIST, ID_PRINT_GROUP_LABELS, ID_PREVIEW_GROUP_LABELS,
    ID_PRINT_PARTICIPANT_LIST, ID_PREVIEW_PARTICIPANT_LIST, ID_PRINT_PARTICIPANT_LABELS,
    ID_PREVIEW_PARTICIPANT_LABELS, ID_PRINT_VENUE_LIST, ID_PREVIEW_VENUE_LIST, ID_FILE_PRINT, ID_EXPORT_TEXT,
    ID_EXPORT_HTML, ID_RESET_VIEWS, ID_OPEN_LAST, ID_PREPEND_SMTP, ID_IMPORT_WEB, ID_IMPORT_FILE, ID_HELP_FINDER,
    ID_CONTEXT_HELP, EventDoc::ID_DEFINE_EVENT, EventDoc::ID_NEW_EVENT_DEFINITION, EventDoc::ID_BUILD_TIMETABLE,
    EventDoc::ID_PREFERENCES, EventDoc::ID_SCHEDULING_RULES, EventDoc::ID_CHECK_TIMETABLE,
    EventDoc::ID_ROSTER_PARTICIPANTS, EventDoc::ID_EMAIL_SUPPORT, EventDoc::ID_FILE_SEND_MAIL, EventDoc::ID_FILE_CLOSE,
    ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_APP_EXIT, ID_SEND_SELECTION_MAIL, ParticipantView::ID_APPLY_ALL_PREFS,
    ParticipantView::ID_APPLY_LIMITS_PREFS, ParticipantView::ID_APPLY_ROSTER_PREFS, GroupView::ID_APPLY_ALL_PREFS,
    GroupView::ID_APPLY_LIMITS_PREFS, GroupView::ID_APPLY_ALLOC_PREFS, GroupView::ID_APPLY_ROSTER_PREFS,
    GroupView::ID_APPLY_ROTATION_PREFS, GroupView::ID_SEND_MEMBER_MAIL,
};

TEST_F(FrameTest, StartsWithTheEventOnTheCommandLineInAFrameOfFourPanes)
{
    ASSERT_TRUE(Start(Event("week-days.eve")));
    EXPECT_EQ(Doc().GetEventName(), "Weekly classes");
    EXPECT_EQ(Doc().GetPathName(), Event("week-days.eve"));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Frame().GetTitle(), "week-days.eve - Rotavex");
    // A file on the command line: no start-up dialog after the splash.
    EXPECT_FALSE(AppSettings::GetStartupDialogFlag());
    EXPECT_TRUE(Boxes.Boxes().empty());
    EXPECT_EQ(App().GetRecentFiles(), (std::vector<std::string>{Event("week-days.eve")}));
    EXPECT_EQ(App().License, (fsFolder / "licence.txt").string());
    EXPECT_EQ(App().Path, fsFolder.string());
    EXPECT_TRUE(AppSettings::IsConverted());

    // Four plain panes, in two columns of two rows, without views.
    for (int i_row = 0; i_row < 2; ++i_row) {
        for (int i_col = 0; i_col < 2; ++i_col) {
            wxWindow* p_pane = Frame().GetPane(i_row, i_col);
            ASSERT_NE(p_pane, nullptr);
            EXPECT_TRUE(p_pane->IsShown());
            EXPECT_EQ(Frame().GetPaneView(i_row, i_col), nullptr);
        }
    }
    EXPECT_LT(Frame().GetPane(0, 0)->GetScreenPosition().x, Frame().GetPane(0, 1)->GetScreenPosition().x);
    EXPECT_LT(Frame().GetPane(0, 0)->GetScreenPosition().y, Frame().GetPane(1, 0)->GetScreenPosition().y);
    EXPECT_EQ(Frame().FindView(kVenueView, true), nullptr);

    // Menus hold every command; the toolbar its buttons; the status bar the
    // message and the lock keys.
    for (const UINT u : aAllCommands)
        EXPECT_NE(Frame().GetMenuBar()->FindItem(CommandWxId(u)), nullptr) << u;
    ASSERT_NE(Frame().GetToolBar(), nullptr);
    EXPECT_EQ(Frame().GetToolBar()->GetToolsCount(), 21u);
    ASSERT_NE(Frame().GetStatusBar(), nullptr);
    EXPECT_EQ(Frame().GetStatusBar()->GetFieldsCount(), 3);
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "Ready");

    // The windows' ports are the program's.
    EXPECT_NE(dynamic_cast<WxViewsPort*>(&GetViewsPort()), nullptr);
    EXPECT_NE(dynamic_cast<WxMainWindowPort*>(&GetMainWindowPort()), nullptr);
    EXPECT_NE(dynamic_cast<WxSaveQuestionsPort*>(&GetSaveQuestionsPort()), nullptr);
    EXPECT_NE(dynamic_cast<WxProgressPort*>(&GetProgressPort()), nullptr);
    EXPECT_NE(dynamic_cast<WxBuildDialogsPort*>(&GetBuildDialogsPort()), nullptr);
    EXPECT_NE(dynamic_cast<WxBuildWindowPort*>(&GetBuildWindowPort()), nullptr);
    EXPECT_NE(dynamic_cast<WxContinueQuitPort*>(&GetContinueQuitPort()), nullptr);
    IILVImportErrorsPort* p_importErrors = SetILVImportErrorsPort(nullptr);
    SetILVImportErrorsPort(p_importErrors);
    EXPECT_NE(p_importErrors, nullptr);
    ShowAWhile();
}

TEST_F(FrameTest, WithoutAFileANewEventStartsAndTheStartupDialogIsDue)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(AppSettings::GetStartupDialogFlag());
    EXPECT_EQ(Frame().GetTitle(), "Event - Rotavex");
    EXPECT_TRUE(Doc().GetPathName().empty());
    EXPECT_EQ(Doc().GetCreationDate().GetStatus(), CHighTime::valid);
    EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_F(FrameTest, CommandsWithoutTheirHandlersAreDisabledAndTheOthersFollowTheirRules)
{
    ASSERT_TRUE(Start(Event("calendar-small.eve")));
    // Handlers of later parts of the program: views, sheets, mail, imports;
    // and print before any preview.
    for (const UINT u : std::initializer_list<UINT>{ID_ADD_GROUP, ID_ADD_VENUE, ID_ADD_PARTICIPANT, ID_PRINT_TIMETABLE,
                         ID_PREVIEW_GROUP_LIST, ID_PRINT_VENUE_LIST, ID_EDIT_CLEAR, ID_UNROSTER_PARTICIPANTS,
                         EventDoc::ID_DEFINE_EVENT, EventDoc::ID_PREFERENCES,
                         EventDoc::ID_SCHEDULING_RULES,
                         ID_IMPORT_FILE, ID_IMPORT_WEB, ID_FILE_PRINT,
                         ID_HELP_RELEASE_NOTES})
        EXPECT_FALSE(Enabled(u)) << u;
    for (const UINT u : std::initializer_list<UINT>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_OPEN_SAMPLE, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                         EventDoc::ID_FILE_CLOSE, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_RESET_VIEWS, ID_OPEN_LAST,
                         ID_PREPEND_SMTP, ID_HELP_LICENCE, ID_HELP_USER_GUIDE, ID_HELP_FINDER, ID_HELP,
                         EventDoc::ID_BUILD_TIMETABLE, EventDoc::ID_CHECK_TIMETABLE, EventDoc::ID_ROSTER_PARTICIPANTS,
                         EventDoc::ID_ROSTER_PARTICIPANTS_TOOL, ID_FILE_MRU_FILE1, ID_EXPORT_TEXT, ID_EXPORT_HTML, ID_APP_ABOUT})
        EXPECT_TRUE(Enabled(u)) << u;
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FILE1 + 1));
    // A disabled command does nothing.
    EXPECT_FALSE(Run(ID_ADD_GROUP));

    // The document's rules: an empty event cannot be built or checked.
    EXPECT_TRUE(Run(EventDoc::ID_FILE_CLOSE));
    EXPECT_FALSE(Enabled(EventDoc::ID_BUILD_TIMETABLE));
    EXPECT_FALSE(Enabled(EventDoc::ID_CHECK_TIMETABLE));
    EXPECT_FALSE(Enabled(EventDoc::ID_ROSTER_PARTICIPANTS));

    // A sheet that exists enables its command.
    CEventDocument::SetSheetAvailable(EventDoc::ID_PREFERENCES, true);
    EXPECT_TRUE(Enabled(EventDoc::ID_PREFERENCES));
    CEventDocument::SetSheetAvailable(EventDoc::ID_PREFERENCES, false);
}

TEST_F(FrameTest, TheMailCommandsFollowTheComposerAndSendTheEventFile)
{
    {
        MailStandIn no_composer(false);
        ASSERT_TRUE(Start(Event("week-days.eve")));
        EXPECT_FALSE(Enabled(EventDoc::ID_FILE_SEND_MAIL));
        EXPECT_FALSE(Enabled(EventDoc::ID_EMAIL_SUPPORT));
        App().ShutDown();
    }
    MailStandIn composer;
    ASSERT_TRUE(Start(Event("week-days.eve")));
    EXPECT_TRUE(Enabled(EventDoc::ID_FILE_SEND_MAIL));
    EXPECT_TRUE(Enabled(EventDoc::ID_EMAIL_SUPPORT));
    // Saved and unmodified: the file itself.
    ASSERT_TRUE(Run(EventDoc::ID_FILE_SEND_MAIL));
    EXPECT_EQ(composer.TakeArgs(), "--utf8\n--attach\n" + Event("week-days.eve") + "\n");
    // Modified: a copy under the file's name; the event stays modified
    // under its own path.
    Doc().SetModifiedFlag(true);
    ASSERT_TRUE(Run(EventDoc::ID_EMAIL_SUPPORT));
    const std::string s_args = composer.TakeArgs();
    EXPECT_EQ(s_args.find(Event("week-days.eve")), std::string::npos);
    EXPECT_NE(s_args.find("/week-days.eve\nmailto:"), std::string::npos) << s_args;
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), Event("week-days.eve"));
}

TEST_F(FrameTest, OpenSaveSaveAsCloseAndReopenFromTheRecentFiles)
{
    ASSERT_TRUE(Start(Event("week-days.eve")));

    // Open through the file dialog.
    Files.AnswerPath(Event("custom-days.eve"));
    EXPECT_TRUE(Run(ID_FILE_OPEN));
    ASSERT_EQ(Files.Requests().size(), 1u);
    EXPECT_EQ(Files.Requests()[0].sTitle, "Open");
    EXPECT_TRUE(Files.Requests()[0].bMustExist);
    ASSERT_EQ(Files.Requests()[0].vFilters.size(), 2u);
    EXPECT_EQ(Files.Requests()[0].vFilters[0].first, "Rotavex Event Files (*.eve)");
    EXPECT_EQ(Files.Requests()[0].vFilters[0].second, "*.eve");
    EXPECT_EQ(Doc().GetEventName(), "Festival weekend");
    EXPECT_EQ(Frame().GetTitle(), "custom-days.eve - Rotavex");
    EXPECT_EQ(App().GetRecentFiles(), (std::vector<std::string>{Event("custom-days.eve"), Event("week-days.eve")}));

    // Save writes the file again; the saved file opens as the event.
    Doc().SetEventName("Festival weekend, revised");
    Doc().SetModifiedFlag();
    EXPECT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(Boxes.Boxes().empty());

    // Save as: the dialog proposes the file; the copy becomes the event's
    // file and the first recent file.
    const std::string s_copy = (fsFolder / "copy").string();
    Files.AnswerPath(s_copy + ".eve");
    EXPECT_TRUE(Run(ID_FILE_SAVE_AS));
    ASSERT_EQ(Files.Requests().size(), 2u);
    const FileDialogRequest& save_as = Files.Requests()[1];
    EXPECT_TRUE(save_as.bSave);
    EXPECT_TRUE(save_as.bOverwritePrompt);
    EXPECT_EQ(save_as.sFileName, "custom-days.eve");
    EXPECT_EQ(save_as.sFolder, (fsFolder / "events").string());
    EXPECT_EQ(save_as.sDefaultExt, "eve");
    EXPECT_EQ(Doc().GetPathName(), s_copy + ".eve");
    EXPECT_EQ(App().GetRecentFiles().front(), s_copy + ".eve");
    // The menu names every file with its folder, the files beside the
    // first one's folder and those elsewhere alike.
    const wxMenuItemList& items = Frame().GetRecentFilesMenu()->GetMenuItems();
    std::vector<std::string> v_labels;
    for (const wxMenuItem* p_item : items) {
        if (!p_item->IsSeparator())
            v_labels.push_back(std::string(p_item->GetItemLabelText().utf8_str()));
    }
    EXPECT_EQ(v_labels, (std::vector<std::string>{"1 " + s_copy + ".eve", "2 " + Event("custom-days.eve"),
                                                  "3 " + Event("week-days.eve")}));

    // Close with changes: the question names the file; No leaves the file
    // as it was and an empty event in its place.
    Doc().SetEventName("Not to be kept");
    Doc().SetModifiedFlag();
    Boxes.Answer(IDNO);
    EXPECT_TRUE(Run(EventDoc::ID_FILE_CLOSE));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Save changes to copy.eve?");
    EXPECT_EQ(Boxes.Boxes()[0].uStyle, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_TRUE(Doc().GetPathName().empty());
    EXPECT_TRUE(Doc().GetEventName().empty());
    EXPECT_EQ(Frame().GetTitle(), "Event - Rotavex");

    // The first recent file opens the copy as it was saved.
    EXPECT_TRUE(Run(ID_FILE_MRU_FILE1));
    EXPECT_EQ(Doc().GetPathName(), s_copy + ".eve");
    EXPECT_EQ(Doc().GetEventName(), "Festival weekend, revised");
    // The file open already is not read again.
    Doc().SetModifiedFlag();
    EXPECT_TRUE(Run(ID_FILE_MRU_FILE1));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Boxes.Boxes().size(), 1u);

    // Recent files outlive the program: they are in the settings file.
    CSettingsStore::Get().Configure((fsFolder / "user" / "settings").string(), "");
    CSettingsStore::Value value;
    ASSERT_EQ(CSettingsStore::Get().QueryValue(SettingsHive::CurrentUser,
                                               "Software\\Vantor Software\\Rotavex\\Recent File List", "File1", value),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(value.vData.begin(), value.vData.end()).c_str(), s_copy + ".eve");
}

TEST_F(FrameTest, AnEventWithoutANameIsNotSavedUntilItIsNamed)
{
    ASSERT_TRUE(Start());
    ScriptedSheets sheets;
    Doc().SetModifiedFlag();
    const std::string s_path = (fsFolder / "new.eve").string();

    // Save asks for a file, then for the event's definition; cancelled,
    // nothing is written.
    Files.AnswerPath(s_path);
    sheets.DefineEventAnswer(IDCANCEL);
    EXPECT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_EQ(sheets.nDefineEvent, 1);
    EXPECT_FALSE(fs::exists(s_path));
    EXPECT_TRUE(Doc().GetPathName().empty());
    EXPECT_TRUE(Doc().IsModified());

    // Named in the sheet, it is saved.
    Files.AnswerPath(s_path);
    sheets.DefineEventAnswer(ID_WIZFINISH, [](std::string& s_name, EventDefinition&) { s_name = "Spring fair"; });
    EXPECT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_TRUE(fs::exists(s_path));
    EXPECT_EQ(Doc().GetPathName(), s_path);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(App().GetRecentFiles().front(), s_path);
    EXPECT_EQ(Frame().GetTitle(), "new.eve - Rotavex");
}

// The file dialogs open where the user keeps events: the desktop's
// documents folder before any event file was opened or saved, then the
// folder of the last one; a new event is offered under its own name.
TEST_F(FrameTest, FileDialogsOpenWhereEventsAreKeptAndOfferTheEventsName)
{
    const fs::path fs_documents = fsFolder / "home" / "Documents";
    fs::create_directories(fs_documents);
    const EnvScope home("HOME", (fsFolder / "home").string());
    const EnvScope documents("XDG_DOCUMENTS_DIR", fs_documents.string());
    ASSERT_TRUE(Start());
    Doc().SetEventName("Summer camp");
    Doc().SetModifiedFlag(false);
    EXPECT_TRUE(Run(ID_FILE_SAVE_AS));
    ASSERT_EQ(Files.Requests().size(), 1u);
    EXPECT_EQ(Files.Requests()[0].sFolder, fs_documents.string());
    EXPECT_EQ(Files.Requests()[0].sFileName, "Summer camp.eve");
    EXPECT_EQ(Frame().GetTitle(), "Event - Rotavex");

    // An event opened from its folder: that folder is where the next new
    // event's dialogs open, Open's among them.
    Files.AnswerPath(Event("week-days.eve"));
    EXPECT_TRUE(Run(ID_FILE_OPEN));
    ASSERT_EQ(Doc().GetPathName(), Event("week-days.eve"));
    EXPECT_TRUE(Run(ID_FILE_NEW));
    ASSERT_TRUE(Doc().GetPathName().empty());
    EXPECT_TRUE(Run(ID_FILE_SAVE_AS));
    EXPECT_TRUE(Run(ID_FILE_OPEN));
    ASSERT_EQ(Files.Requests().size(), 4u);
    EXPECT_EQ(Files.Requests()[1].sFolder, fs_documents.string());
    EXPECT_EQ(Files.Requests()[2].sFolder, (fsFolder / "events").string());
    EXPECT_EQ(Files.Requests()[2].sFileName, "Event.eve");
    EXPECT_EQ(Files.Requests()[3].sFolder, (fsFolder / "events").string());
}

TEST_F(FrameTest, ExitWithAModifiedEventAsksToSaveAndCancelKeepsTheProgram)
{
    ASSERT_TRUE(Start(Event("week-days.eve")));
    Doc().SetEventName("Weekly classes, autumn");
    Doc().SetModifiedFlag();
    const auto t_before = fs::last_write_time(Event("week-days.eve"));

    Boxes.Answer(IDCANCEL);
    EXPECT_TRUE(Run(ID_APP_EXIT));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Save changes to week-days.eve?");
    ASSERT_NE(App().GetMainFrame(), nullptr);
    EXPECT_TRUE(Doc().IsModified());

    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Boxes.Answer(IDYES);
    EXPECT_TRUE(Run(ID_APP_EXIT));
    EXPECT_EQ(Boxes.Boxes().size(), 2u);
    EXPECT_EQ(App().GetMainFrame(), nullptr);
    EXPECT_NE(fs::last_write_time(Event("week-days.eve")), t_before);

    // The saved file holds the change.
    EventDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(Event("week-days.eve")));
    EXPECT_EQ(reread.GetEventName(), "Weekly classes, autumn");
}

TEST_F(FrameTest, BadFilesAreToldAndTheProgramGoesOnWithTheEventItHad)
{
    const std::string s_damaged = (fsFolder / "damaged.eve").string();
    WriteFileAtomically(s_damaged, std::string("\x28\x00\x00\x00\x05Brok", 9));

    // On the command line: the loader's message, then a new event.
    ASSERT_TRUE(Start(s_damaged));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText,
              "Cannot open the event file '" + s_damaged + "'.\nThe file is damaged or is not an event file.");
    EXPECT_TRUE(Doc().GetPathName().empty());
    EXPECT_EQ(Frame().GetTitle(), "Event - Rotavex");
    EXPECT_TRUE(App().GetRecentFiles().empty());

    // Through Open, over a changed event whose changes the user does not
    // save first: the event stays, changes and all, still to be saved.
    EXPECT_EQ(App().OpenDocumentFile(Event("week-days.eve")), CRotavexApp::e_opened);
    Doc().SetEventName("Weekly classes, changed");
    Doc().SetModifiedFlag();
    Boxes.Answer(IDNO);
    Files.AnswerPath(s_damaged);
    EXPECT_TRUE(Run(ID_FILE_OPEN));
    ASSERT_EQ(Boxes.Boxes().size(), 3u);
    EXPECT_EQ(Boxes.Boxes()[1].sText, "Save changes to week-days.eve?");
    EXPECT_EQ(Doc().GetEventName(), "Weekly classes, changed");
    EXPECT_EQ(Doc().GetPathName(), Event("week-days.eve"));
    EXPECT_TRUE(Doc().IsModified());
    // So after "No" and a cancelled dialog; after "Yes" the event was saved.
    Boxes.Answer(IDNO);
    Files.AnswerCancel();
    EXPECT_TRUE(Run(ID_FILE_OPEN));
    EXPECT_TRUE(Doc().IsModified());
    Boxes.Answer(IDYES);
    Files.AnswerCancel();
    EXPECT_TRUE(Run(ID_FILE_OPEN));
    EXPECT_FALSE(Doc().IsModified());
    EventDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(Event("week-days.eve")));
    EXPECT_EQ(saved.GetEventName(), "Weekly classes, changed");
    Boxes.Clear();

    // A recent file that has gone is told and leaves the list.
    EXPECT_EQ(App().OpenDocumentFile(Event("custom-days.eve")), CRotavexApp::e_opened);
    fs::remove(Event("week-days.eve"));
    ASSERT_EQ(App().GetRecentFiles().size(), 2u);
    EXPECT_TRUE(Run(ID_FILE_MRU_FILE1 + 1));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText.rfind("Cannot open the event file '" + Event("week-days.eve") + "'.\n", 0), 0u);
    EXPECT_EQ(App().GetRecentFiles(), (std::vector<std::string>{Event("custom-days.eve")}));
    EXPECT_EQ(Doc().GetEventName(), "Festival weekend");

    // Dropped files: anything but an event file is refused, an event file
    // opens.
    const std::string s_text = (fsFolder / "notes.txt").string();
    WriteFileAtomically(s_text, std::string("notes"));
    App().OpenDroppedFiles({s_text, fsFolder.string(), Event("calendar-small.eve")});
    ASSERT_EQ(Boxes.Boxes().size(), 3u);
    EXPECT_EQ(Boxes.Boxes()[1].sText,
              "Cannot open '" + s_text + "'.\nIt is not an event file: event files end in .eve.");
    EXPECT_EQ(Boxes.Boxes()[1].uStyle, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(Doc().GetEventName(), "Summer school");
}

TEST_F(FrameTest, AMissingInstallationValueEndsTheStart)
{
    WriteFileAtomically((fsFolder / "install.ini").string(),
                        "[Software\\Vantor Software\\Rotavex]\n\"Path\"=sz:\"" + fsFolder.string() + "\"\n");
    CSettingsStore::Get().Configure((fsFolder / "user" / "settings").string(), (fsFolder / "install.ini").string());
    EXPECT_FALSE(App().StartUp(Event("week-days.eve")));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot find License Agreement file - reinstall the product.");
    EXPECT_EQ(App().GetMainFrame(), nullptr);
    EXPECT_EQ(App().GetDocument(), nullptr);
    // Every window port the start installed is taken back with the frame,
    // the dialogs' as well as the frame's own.
    EXPECT_EQ(dynamic_cast<WxViewsPort*>(&GetViewsPort()), nullptr);
    EXPECT_EQ(dynamic_cast<WxProgressPort*>(&GetProgressPort()), nullptr);
    EXPECT_EQ(dynamic_cast<WxBuildDialogsPort*>(&GetBuildDialogsPort()), nullptr);
    EXPECT_EQ(dynamic_cast<WxBuildWindowPort*>(&GetBuildWindowPort()), nullptr);
}

TEST_F(FrameTest, HelpDocumentsOptionsPrinterAndTheSampleDialog)
{
    Install(false);
    ASSERT_TRUE(Start(Event("week-days.eve")));
    // No user guide: the help commands are disabled; the licence opens.
    EXPECT_FALSE(Enabled(ID_HELP_USER_GUIDE));
    EXPECT_FALSE(Enabled(ID_HELP_FINDER));
    EXPECT_TRUE(Run(ID_HELP_LICENCE));
    EXPECT_EQ(Desktop.Opened(), (std::vector<std::string>{(fsFolder / "licence.txt").string()}));

    // A document the desktop cannot show is told.
    class FailingDesktop : public IDesktopPort {
    public:
        bool Open(const std::string&) override { return false; }
    } failing;
    IDesktopPort* p_previous = SetDesktopPort(&failing);
    EXPECT_TRUE(Run(ID_HELP_LICENCE));
    SetDesktopPort(p_previous);
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot display file '" + (fsFolder / "licence.txt").string() + "'");
    EXPECT_EQ(Boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION);

    // The options are checked as they are kept, and flip.
    bool b_checked = true;
    for (const UINT u : std::initializer_list<UINT>{ID_OPEN_LAST, ID_PREPEND_SMTP}) {
        EXPECT_TRUE(Frame().IsCommandEnabled(u, &b_checked));
        EXPECT_FALSE(b_checked) << u;
        EXPECT_TRUE(Run(u));
        Frame().IsCommandEnabled(u, &b_checked);
        EXPECT_TRUE(b_checked) << u;
    }
    EXPECT_TRUE(AppSettings::GetOpenLast());
    EXPECT_TRUE(AppSettings::GetPrependSMTP());
    EXPECT_TRUE(Run(ID_OPEN_LAST));
    EXPECT_FALSE(AppSettings::GetOpenLast());

    // The sample dialog opens in the installation's sample folder.
    Files.AnswerPath(Event("custom-days.eve"));
    EXPECT_TRUE(Run(ID_FILE_OPEN_SAMPLE));
    ASSERT_EQ(Files.Requests().size(), 1u);
    EXPECT_EQ(Files.Requests()[0].sFolder, fsFolder.string() + "/sample timetables");
    EXPECT_TRUE(Files.Requests()[0].sFileName.empty());
    EXPECT_EQ(Files.Requests()[0].sDefaultExt, "eve");
    EXPECT_EQ(Doc().GetEventName(), "Festival weekend");

    // The printer settings the set-up dialog and the prints share.
    EXPECT_TRUE(App().GetPrintData().IsOk());
    App().SetPortrait(FALSE);
    EXPECT_EQ(App().GetPrintData().GetOrientation(), wxLANDSCAPE);
    App().SetPortrait(TRUE);
    EXPECT_EQ(App().GetPrintData().GetOrientation(), wxPORTRAIT);

    // Reset refills the views and marks the event modified.
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(Run(ID_RESET_VIEWS));
    EXPECT_TRUE(Doc().IsModified());
}

// ---- the panes' views ----

// A view standing in for the program's views: it takes the commands its
// kind of view handles and records them, with the updates it gets.
class StandInView : public wxView, public IItemListView, public IFramePane {
public:
    StandInView(std::string s_class, std::vector<UINT> v_handled) : sClass(std::move(s_class))
    {
        for (const UINT u : v_handled)
            Bind(
                wxEVT_MENU, [this](wxCommandEvent& event) { vCommands.push_back(event.GetId()); }, CommandWxId(u));
    }

    void OnDraw(wxDC*) override {}
    void OnUpdate(wxView*, wxObject* p_hint) override
    {
        const auto* p_viewHint = dynamic_cast<CViewHint*>(p_hint);
        vUpdates.push_back(p_viewHint != nullptr ? p_viewHint->Hint.lCode : 0);
    }

    std::string GetClassName() const override { return sClass; }
    void SetRefill() override { ++nRefills; }
    void ClearFocus() override {}
    void ApplyLayout(const ViewLayout&) override {}
    void FillLayout(ViewLayout&) override {}

    int GetPaneItemCount() override { return nItems; }
    std::vector<int> GetPaneColumnWidths() override { return vWidths; }
    BOOL AcceptsImports() override { return bAccepts; }
    void ResetViewState() override { ++nResets; }

    std::string sClass;
    int nItems = 0;
    BOOL bAccepts = FALSE;
    std::vector<int> vWidths;
    std::vector<int> vCommands;
    std::vector<LONG> vUpdates;
    int nRefills = 0;
    int nResets = 0;
};

// Registers stand-in views under the panes' class names for its lifetime.
class StandInViews {
public:
    StandInViews()
    {
        for (const char* p : {kVenueView, kGroupView, kParticipantView, kTimetableView}) {
            WindowClasses::Unregister(p);
            WindowClasses::Register(p, [this, p](wxWindow* p_parent, int i_id) {
                const std::string s_class = p;
                const std::vector<UINT> v_lists = {ID_LIST_PRINT, ID_LIST_PREVIEW, ID_LIST_PRINT_LABELS,
                                                   ID_LIST_PREVIEW_LABELS};
                std::vector<UINT> v_handled;
                if (s_class == kVenueView)
                    v_handled = {ID_ADD_VENUE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW};
                else if (s_class == kTimetableView)
                    v_handled = {ID_PRINT_TIMETABLE, ID_PREVIEW_TIMETABLE};
                else
                    v_handled = v_lists;
                if (s_class == kGroupView)
                    v_handled.push_back(ID_ADD_GROUP);
                if (s_class == kParticipantView)
                    v_handled.push_back(ID_ADD_PARTICIPANT);
                auto* p_view = new StandInView(s_class, v_handled);
                if (s_class == kVenueView)
                    p_view->vWidths = {120, 80, 60};
                p_view->SetDocument(TheApp()->GetDocument());
                auto* p_window = new wxPanel(p_parent, i_id);
                p_view->SetFrame(p_window);
                mViews[p] = p_view;
                return p_window;
            });
        }
    }
    ~StandInViews()
    {
        for (const char* p : {kVenueView, kGroupView, kParticipantView, kTimetableView})
            WindowClasses::Unregister(p);
    }
    StandInView& operator[](const char* p) { return *mViews.at(p); }

private:
    std::map<std::string, StandInView*> mViews;
};

TEST_F(FrameTest, CommandsOfAPaneReachItsViewWhichBecomesTheActiveView)
{
    StandInViews views;
    ASSERT_TRUE(Start(Event("calendar-small.eve")));
    StandInView& venues = views[kVenueView];
    StandInView& groups = views[kGroupView];
    StandInView& participants = views[kParticipantView];
    StandInView& timetable = views[kTimetableView];

    // The views sit in their panes; the venue view is active, and the first
    // column is as wide as the venue list's columns with room around each.
    EXPECT_EQ(Frame().GetPaneView(0, 0), &venues);
    EXPECT_EQ(Frame().GetPaneView(1, 0), &groups);
    EXPECT_EQ(Frame().GetPaneView(0, 1), &participants);
    EXPECT_EQ(Frame().GetPaneView(1, 1), &timetable);
    EXPECT_EQ(Frame().GetActiveView(), &venues);
    auto* p_columns = wxDynamicCast(Frame().GetPane(0, 0)->GetParent()->GetParent(), wxSplitterWindow);
    ASSERT_NE(p_columns, nullptr);
    EXPECT_EQ(p_columns->GetSashPosition(), 120 + 80 + 60 + 3 * 20);
    EXPECT_EQ(GetViewsPort().FindView("GroupView", FALSE), &groups);
    EXPECT_EQ(GetViewsPort().GetItemListViews(),
              (std::vector<IItemListView*>{&venues, &participants, &groups, &timetable}));

    // Add group goes to the group view, made active.
    EXPECT_TRUE(Run(ID_ADD_GROUP));
    EXPECT_EQ(groups.vCommands, (std::vector<int>{CommandWxId(ID_ADD_GROUP)}));
    EXPECT_EQ(Frame().GetActiveView(), &groups);

    // A list print needs rows; it reaches the view as the list's print.
    EXPECT_FALSE(Enabled(ID_PRINT_PARTICIPANT_LIST));
    participants.nItems = 3;
    EXPECT_TRUE(Run(ID_PRINT_PARTICIPANT_LIST));
    EXPECT_EQ(participants.vCommands, (std::vector<int>{CommandWxId(ID_LIST_PRINT)}));

    // Print timetable goes to the timetable view while it can be printed.
    EXPECT_TRUE(Run(ID_PRINT_TIMETABLE));
    EXPECT_EQ(timetable.vCommands, (std::vector<int>{CommandWxId(ID_PRINT_TIMETABLE)}));

    // The framework's print is disabled before a preview; after one it
    // prints what was previewed.
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));
    venues.nItems = 2;
    EXPECT_TRUE(Run(ID_PREVIEW_VENUE_LIST));
    EXPECT_TRUE(Run(ID_FILE_PRINT));
    EXPECT_EQ(venues.vCommands, (std::vector<int>{CommandWxId(ID_FILE_PRINT_PREVIEW), CommandWxId(ID_FILE_PRINT)}));
    EXPECT_TRUE(Run(ID_PREVIEW_PARTICIPANT_LABELS));
    EXPECT_TRUE(Run(ID_FILE_PRINT));
    EXPECT_EQ(participants.vCommands,
              (std::vector<int>{CommandWxId(ID_LIST_PRINT), CommandWxId(ID_LIST_PREVIEW_LABELS),
                                CommandWxId(ID_LIST_PRINT_LABELS)}));

    // The document's commands still reach the document past the active
    // view; the change routine updates every view with its hint.
    Boxes.Clear();
    EXPECT_TRUE(Run(EventDoc::ID_CHECK_TIMETABLE));
    ASSERT_FALSE(Boxes.Boxes().empty());
    EXPECT_EQ(Boxes.Boxes().back().sText, "The timetable is invalid.  Build the timetable to correct errors.");
    for (StandInView* p : {&venues, &groups, &participants, &timetable})
        p->vUpdates.clear();
    Doc().DocChanged(UpdateViewHint::e_venues);
    for (StandInView* p : {&venues, &groups, &participants, &timetable})
        EXPECT_EQ(p->vUpdates, (std::vector<LONG>{UpdateViewHint::e_venues}));
    EXPECT_EQ(Frame().GetActiveView(), &participants);

    // Reset refills the lists and starts the timetable view again.
    const int n_refills = groups.nRefills;
    const int n_resets = timetable.nResets;
    EXPECT_TRUE(Run(ID_RESET_VIEWS));
    EXPECT_EQ(groups.nRefills, n_refills + 1);
    EXPECT_EQ(timetable.nResets, n_resets + 1);
    EXPECT_EQ(groups.vUpdates.back(), 0);

    // Imports are enabled once a view accepts them.
    EXPECT_FALSE(Enabled(ID_IMPORT_FILE));
    groups.bAccepts = TRUE;
    EXPECT_TRUE(Enabled(ID_IMPORT_FILE));
    EXPECT_TRUE(Enabled(ID_IMPORT_WEB));
}

// ---- build and check from the menu ----

// Answers the build's modal dialogs as a user pressing OK would, and notes
// their ids. With ROTAVEX_SHOW_SECONDS set, each dialog stays up that long
// first.
class DialogAnswerer : public wxTimer {
public:
    DialogAnswerer()
    {
        if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS"))
            iShowMs = std::atoi(p_seconds) * 1000;
        Start(50);
    }
    void Notify() override
    {
        for (wxWindow* p_window : wxTopLevelWindows) {
            auto* p_dialog = wxDynamicCast(p_window, wxDialog);
            if (p_dialog == nullptr || !p_dialog->IsModal())
                continue;
            if (vShown.empty() || vShown.back() != p_dialog->GetId() || pLast != p_dialog) {
                vShown.push_back(p_dialog->GetId());
                pLast = p_dialog;
                tSeen = std::chrono::steady_clock::now();
            }
            if (std::chrono::steady_clock::now() - tSeen < std::chrono::milliseconds(iShowMs))
                return;
            pLast = nullptr;
            wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
            click.SetEventObject(p_dialog->FindWindow(wxID_OK));
            p_dialog->GetEventHandler()->ProcessEvent(click);
            return;
        }
    }
    std::vector<int> vShown;

private:
    int iShowMs = 0;
    wxDialog* pLast = nullptr;
    std::chrono::steady_clock::time_point tSeen;
};

TEST_F(FrameTest, BuildAndCheckFromTheMenuWithTheirDialogs)
{
    ASSERT_TRUE(Start(Event("week-days.eve")));
    // A group the evenings have no room for: the other groups' day limits
    // take every slot.
    Group drop_in;
    drop_in.SetName("Drop-in");
    ASSERT_EQ(Doc().GetGroups().AddGroup(drop_in), GroupList::added);
    DialogAnswerer answerer;
    EXPECT_TRUE(Run(EventDoc::ID_BUILD_TIMETABLE));
    Pump();
    // The build options came first; the report of groups never placed
    // after.
    EXPECT_EQ(answerer.vShown, (std::vector<int>{WxId(IDD_BUILD_OPTIONS), WxId(IDD_NOT_SCHEDULED)}));
    ASSERT_NE(Doc().GetTimetable(), nullptr);
    EXPECT_TRUE(Doc().GetTimetable()->IsValid());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(Frame().IsEnabled());

    Boxes.Clear();
    EXPECT_TRUE(Run(EventDoc::ID_CHECK_TIMETABLE));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "The timetable is valid.");
}

} // namespace
