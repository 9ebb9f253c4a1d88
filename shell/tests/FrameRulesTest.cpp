// The main frame's rules without a window: the printable timetable, the
// pending print, the recent lists of the import from the web, and both
// imports driven through scripted dialogs and stand-in panes.
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "model/EventDoc.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/FrameImports.h"
#include "shell/frame/FramePorts.h"
#include "shell/frame/FrameRules.h"
#include "testsupport/EnvScope.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ProgramFolder.h"
#include "zelkit/values/ZelRegistry.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace fs = std::filesystem;

namespace {

const char* const kUserKey = "Software\\Vantor Software\\Rotavex";

TEST(FrameRules, TheTimetableIsPrintableWithAVenueADayATimeslotAndATimetable)
{
    EXPECT_FALSE(IsTimetablePrintable(nullptr));
    struct Case {
        const char* pName;
        bool bVenue;
        bool bDay;
        bool bSlot;
        bool bTimetable;
        BOOL bPrintable;
    };
    const Case a_cases[] = {
        {"empty", false, false, false, false, FALSE},
        {"everything", true, true, true, true, TRUE},
        {"no venue", false, true, true, true, FALSE},
        {"a day without timeslots", true, true, false, false, FALSE},
        {"no timetable object", true, true, true, false, FALSE},
    };
    for (const Case& c : a_cases) {
        testevent::EventBuilder event;
        if (c.bDay)
            event.Days({"Mon"});
        if (c.bSlot)
            event.Slots(-1, {"09:00-10:00"});
        if (c.bVenue)
            event.Venue("Hall");
        if (c.bTimetable)
            event.Timetable();
        else
            event.Doc().DeleteTimetable();
        EXPECT_EQ(IsTimetablePrintable(&event.Doc()), c.bPrintable) << c.pName;
    }
}

TEST(FrameRules, APreviewMakesItsPrintThePendingOneUntilTheNextPreview)
{
    PendingPrint pending;
    EXPECT_FALSE(pending.IsSet());
    const std::pair<UINT, UINT> a_pairs[] = {
        {ID_PREVIEW_TIMETABLE, ID_PRINT_TIMETABLE},
        {ID_PREVIEW_GROUP_LIST, ID_PRINT_GROUP_LIST},
        {ID_PREVIEW_GROUP_LABELS, ID_PRINT_GROUP_LABELS},
        {ID_PREVIEW_PARTICIPANT_LIST, ID_PRINT_PARTICIPANT_LIST},
        {ID_PREVIEW_PARTICIPANT_LABELS, ID_PRINT_PARTICIPANT_LABELS},
        {ID_PREVIEW_VENUE_LIST, ID_PRINT_VENUE_LIST},
    };
    for (const auto& [u_preview, u_print] : a_pairs) {
        pending.Previewed(u_preview);
        EXPECT_TRUE(pending.IsSet());
        EXPECT_EQ(pending.GetPrintCommand(), u_print) << u_preview;
    }
    // Printing and anything else leave it as it is.
    pending.Previewed(ID_PRINT_TIMETABLE);
    pending.Previewed(ID_FILE_PRINT);
    EXPECT_EQ(pending.GetPrintCommand(), ID_PRINT_VENUE_LIST);
}

// The settings store in memory, with the per-user key of a started program.
class WebListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSettingsStore::Get().Configure("", "");
        CSettingsStore::Get().CreateKey(SettingsHive::CurrentUser, kUserKey);
        FrameImports::ForgetImportChoices();
    }
    void TearDown() override
    {
        CSettingsStore::Get().DeleteKey(SettingsHive::CurrentUser, kUserKey);
        CSettingsStore::Get().Configure("", "");
    }
};

TEST_F(WebListFixture, TheRecentListsKeepFourEntriesNewestFirstWithTheirKinds)
{
    WebImportList sites("WebSites");
    sites.Load();
    EXPECT_TRUE(sites.vEntries.empty());
    EXPECT_EQ(sites.uKind, 0u);
    for (const char* p : {"http://a", "http://b", "http://c", "http://d"})
        sites.MoveToFront(p);
    EXPECT_EQ(sites.vEntries, (std::vector<std::string>{"http://d", "http://c", "http://b", "http://a"}));
    // An equal entry moves to the front; a fifth drops the oldest.
    sites.MoveToFront("http://b");
    EXPECT_EQ(sites.vEntries, (std::vector<std::string>{"http://b", "http://d", "http://c", "http://a"}));
    sites.MoveToFront("http://e");
    EXPECT_EQ(sites.vEntries, (std::vector<std::string>{"http://e", "http://b", "http://d", "http://c"}));
    sites.uKind = 1;
    sites.Save();

    WebImportList again("WebSites");
    again.Load();
    EXPECT_EQ(again.vEntries, sites.vEntries);
    EXPECT_EQ(again.uKind, 1u);

    // Without the key nothing is read, and nothing is written (the key is
    // never made here).
    CSettingsStore::Get().DeleteKey(SettingsHive::CurrentUser, kUserKey);
    again.Load();
    EXPECT_TRUE(again.vEntries.empty());
    sites.Save();
    EXPECT_NE(CSettingsStore::Get().OpenKey(SettingsHive::CurrentUser, kUserKey), ERROR_SUCCESS);
}

TEST(FrameRules, OneSlashIsDroppedFromTheSiteEndAndTheFileStart)
{
    const std::pair<const char*, const char*> a_sites[] = {
        {"http://x.org/", "http://x.org"}, {"http://x.org//", "http://x.org/"}, {"x.org", "x.org"}, {"", ""}};
    for (const auto& [p_in, p_out] : a_sites)
        EXPECT_EQ(TrimWebSite(p_in), p_out) << p_in;
    const std::pair<const char*, const char*> a_files[] = {
        {"/lists/a.csv", "lists/a.csv"}, {"a.csv/", "a.csv/"}, {"//a.csv", "/a.csv"}, {"", ""}};
    for (const auto& [p_in, p_out] : a_files)
        EXPECT_EQ(TrimWebFile(p_in), p_out) << p_in;
}

TEST(FrameRules, TheImportKindOpensOnAKindAViewAccepts)
{
    struct Case {
        int iRemembered;
        BOOL bGroups;
        BOOL bParticipants;
        int iKind;
    };
    const Case a_cases[] = {
        {0, TRUE, TRUE, IDC_IMPORT_GROUPS},          // first time: groups
        {1329, TRUE, TRUE, IDC_IMPORT_GROUPS},       // out of range
        {IDC_IMPORT_PARTICIPANTS, TRUE, TRUE, IDC_IMPORT_PARTICIPANTS},
        {IDC_IMPORT_GROUPS, FALSE, TRUE, IDC_IMPORT_PARTICIPANTS},
        {0, FALSE, TRUE, IDC_IMPORT_PARTICIPANTS},
        {IDC_IMPORT_PARTICIPANTS, TRUE, FALSE, IDC_IMPORT_GROUPS},
        {IDC_IMPORT_GROUPS, TRUE, FALSE, IDC_IMPORT_GROUPS},
    };
    for (const Case& c : a_cases) {
        const ImportKindChoice choice = ChooseImportKind(c.iRemembered, c.bGroups, c.bParticipants);
        EXPECT_EQ(choice.iKind, c.iKind) << c.iRemembered << " " << c.bGroups << c.bParticipants;
        EXPECT_EQ(choice.bGroupsEnabled, c.bGroups);
        EXPECT_EQ(choice.bParticipantsEnabled, c.bParticipants);
    }
}

TEST(FrameRules, TheKeyTextsOfAFileImport)
{
    const ImportFileTexts participants = MakeImportFileTexts(IDC_IMPORT_PARTICIPANTS, "/home/ann/lists/members.txt");
    EXPECT_EQ(participants.sKey, "P/home/ann/lists/members.txt");
    EXPECT_EQ(participants.sName, "Pmembers.txt");
    EXPECT_EQ(participants.sPath, "/home/ann/lists/members.txt");
    const ImportFileTexts groups = MakeImportFileTexts(IDC_IMPORT_GROUPS, "/data/choirs.csv");
    EXPECT_EQ(groups.sKey, "G/data/choirs.csv");
    EXPECT_EQ(groups.sName, "Gchoirs.csv");
}

// ---- the imports through their dialogs ----

// A pane that records the imports it gets.
class PaneStandIn : public IFramePane {
public:
    explicit PaneStandIn(BOOL b_accepts) : bAccepts(b_accepts) {}
    BOOL AcceptsImports() override { return bAccepts; }
    void ImportFromText(const std::string& s_key, const std::string& s_text) override
    {
        vImports.push_back({s_key, s_text});
    }
    void ImportFromFile(const std::string& s_key, const std::string& s_name, const std::string& s_path) override
    {
        vImports.push_back({s_key, s_name + "|" + s_path});
    }

    BOOL bAccepts;
    std::vector<std::pair<std::string, std::string>> vImports;
};

class PanesStandIn : public IPaneFinder {
public:
    IFramePane* FindPane(const std::string& s_className, BOOL b_activate) override
    {
        const auto it = mPanes.find(s_className);
        if (it == mPanes.end())
            return nullptr;
        if (b_activate)
            sActive = s_className;
        return it->second;
    }

    std::map<std::string, PaneStandIn*> mPanes;
    std::string sActive;
};

TEST_F(WebListFixture, ImportFromAFileGoesToTheViewOfTheRadioLeftChecked)
{
    PaneStandIn groups(FALSE);
    PaneStandIn participants(TRUE);
    PanesStandIn panes;
    EXPECT_FALSE(FrameImports::CanImport(panes));
    panes.mPanes = {{"GroupView", &groups}, {"ParticipantView", &participants}};
    EXPECT_TRUE(FrameImports::CanImport(panes));
    testevent::EventBuilder event;
    // An event never saved: the first import starts in the documents
    // folder, as its exports do, not in the program's working folder.
    const fs::path fs_folder = MakeTestFolder("rvx-import-folders");
    const fs::path fs_documents = fs_folder / "Documents";
    const fs::path fs_data = fs_folder / "data";
    fs::create_directories(fs_documents);
    fs::create_directories(fs_data);
    const EnvScope documents("XDG_DOCUMENTS_DIR", fs_documents.string());
    const std::string s_members = (fs_data / "members.txt").string();
    const std::string s_choirs = (fs_data / "choirs.csv").string();

    ScriptedFileDialogs dialogs;
    dialogs.AnswerPath(s_members);
    FrameImports::ImportFromFile(panes, &event.Doc());
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    const FileDialogRequest& request = dialogs.Requests()[0];
    EXPECT_EQ(request.sFolder, fs_documents.string());
    EXPECT_TRUE(request.sFileName.empty());
    EXPECT_EQ(request.sTitle, "Import");
    EXPECT_FALSE(request.bSave);
    EXPECT_TRUE(request.bMustExist);
    EXPECT_EQ(request.sDefaultExt, "txt");
    ASSERT_EQ(request.vFilters.size(), 2u);
    EXPECT_EQ(request.vFilters[0].second, "*.txt;*.csv");
    EXPECT_EQ(request.vFilters[1].second, "*.*");
    ASSERT_EQ(request.vOptions.size(), 2u);
    // Groups are not accepted: the dialog opens on participants.
    EXPECT_EQ(request.vOptions[0].iId, IDC_IMPORT_GROUPS);
    EXPECT_FALSE(request.vOptions[0].bEnabled);
    EXPECT_FALSE(request.vOptions[0].bValue);
    EXPECT_TRUE(request.vOptions[1].bEnabled);
    EXPECT_TRUE(request.vOptions[1].bValue);
    ASSERT_EQ(participants.vImports.size(), 1u);
    EXPECT_EQ(participants.vImports[0].first, "P" + s_members);
    EXPECT_EQ(participants.vImports[0].second, "Pmembers.txt|" + s_members);
    EXPECT_EQ(panes.sActive, "ParticipantView");

    // Both accepted: the dialog offers the last file and the last kind;
    // the user picks groups, which is remembered.
    groups.bAccepts = TRUE;
    dialogs.AnswerWith([&s_choirs](FileDialogRequest& r) {
        r.FindOption(IDC_IMPORT_GROUPS)->bValue = TRUE;
        r.FindOption(IDC_IMPORT_PARTICIPANTS)->bValue = FALSE;
        r.sPath = s_choirs;
        return TRUE;
    });
    FrameImports::ImportFromFile(panes, &event.Doc());
    EXPECT_EQ(dialogs.Requests()[1].sFolder, fs_data.string());
    EXPECT_EQ(dialogs.Requests()[1].sFileName, "members.txt");
    EXPECT_TRUE(dialogs.Requests()[1].vOptions[1].bValue);
    ASSERT_EQ(groups.vImports.size(), 1u);
    EXPECT_EQ(groups.vImports[0].first, "G" + s_choirs);
    EXPECT_EQ(FrameImports::GetRememberedKind(), IDC_IMPORT_GROUPS);

    // Cancel imports nothing.
    dialogs.AnswerCancel();
    FrameImports::ImportFromFile(panes, &event.Doc());
    EXPECT_EQ(groups.vImports.size() + participants.vImports.size(), 2u);

    // A saved event, in a new run of the program: the first import starts
    // beside the event file.
    FrameImports::ForgetImportChoices();
    event.Doc().SetPathName((fs_folder / "fair.eve").string());
    dialogs.AnswerCancel();
    FrameImports::ImportFromFile(panes, &event.Doc());
    EXPECT_EQ(dialogs.Requests().back().sFolder, fs_folder.string());
    fs::remove_all(fs_folder);
}

TEST_F(WebListFixture, ImportFromTheWebKeepsTheListsAndHandsTheTextToTheChosenView)
{
    PaneStandIn groups(TRUE);
    PaneStandIn participants(TRUE);
    PanesStandIn panes;
    panes.mPanes = {{"GroupView", &groups}, {"ParticipantView", &participants}};
    testevent::EventBuilder event;
    ScriptedMessageBox boxes;
    ScriptedWebImport web;

    auto choose = [](const char* p_site, const char* p_file, int i_kind) {
        return [=](WebImportRequest& r) {
            r.sSite = p_site;
            r.sFile = p_file;
            r.iKind = i_kind;
            return IDOK;
        };
    };
    web.AnswerDialog(choose("http://lists.example/", "/choirs.csv", 0));
    web.AnswerFetch({IDOK, "Name\nChoir\n", ""});
    FrameImports::ImportFromWeb(panes, &event.Doc());
    ASSERT_EQ(web.Requests().size(), 1u);
    EXPECT_TRUE(web.Requests()[0].vSites.empty());
    EXPECT_EQ(web.Requests()[0].vAllowedKinds, (std::vector<int>{0, 1}));
    ASSERT_EQ(web.Fetches().size(), 1u);
    EXPECT_EQ(web.Fetches()[0].sTitle, "Fetching file");
    EXPECT_EQ(web.Fetches()[0].sSite, "http://lists.example");
    EXPECT_EQ(web.Fetches()[0].sFile, "choirs.csv");
    ASSERT_EQ(groups.vImports.size(), 1u);
    EXPECT_EQ(groups.vImports[0].first, "Ghttp://lists.example/choirs.csv");
    EXPECT_EQ(groups.vImports[0].second, "Name\nChoir\n");

    // The next dialog opens on the lists and the participants' kind of the
    // files; a failed fetch is told and imports nothing.
    participants.bAccepts = TRUE;
    groups.bAccepts = FALSE;
    web.AnswerDialog(choose("http://people.example", "team.csv", 1));
    web.AnswerFetch({IDS_WEB_FETCH_FAILED, "", "Could not resolve host"});
    FrameImports::ImportFromWeb(panes, &event.Doc());
    const WebImportRequest& second = web.Requests()[1];
    EXPECT_EQ(second.vSites, (std::vector<std::string>{"http://lists.example"}));
    EXPECT_EQ(second.vFiles, (std::vector<std::string>{"choirs.csv"}));
    EXPECT_EQ(second.iKind, 0);
    EXPECT_EQ(second.vAllowedKinds, (std::vector<int>{1}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Cannot retrieve file from web site.  Could not resolve host");
    EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_TRUE(participants.vImports.empty());

    // The lists were written before the fetch, with their kinds.
    WebImportList sites("WebSites");
    WebImportList files("WebFiles");
    sites.Load();
    files.Load();
    EXPECT_EQ(sites.vEntries, (std::vector<std::string>{"http://people.example", "http://lists.example"}));
    EXPECT_EQ(sites.uKind, 0u);
    EXPECT_EQ(files.vEntries, (std::vector<std::string>{"team.csv", "choirs.csv"}));
    EXPECT_EQ(files.uKind, 1u);

    // Cancel in the dialog, or in the fetch, does nothing more.
    web.AnswerDialog(choose("http://people.example", "team.csv", 1));
    web.AnswerFetch({IDCANCEL, "", ""});
    FrameImports::ImportFromWeb(panes, &event.Doc());
    FrameImports::ImportFromWeb(panes, &event.Doc());
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_TRUE(participants.vImports.empty());
    EXPECT_EQ(web.Fetches().size(), 3u);
}

} // namespace
