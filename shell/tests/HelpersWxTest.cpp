// The wx sides of the program's helpers: the list-box adapter under the
// selection mover, and the versions of the libraries the program runs on.
#include "framework/LoadedModules.h"
#include "framework/MessageBox.h"
#include "framework/ui/WxListBox.h"
#include "framework/ui/WxText.h"
#include "model/General.h"
#include "shell/frame/ModuleVersion.h"
#include "testsupport/ui/WxTestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/version.h>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

TEST(HelpersWx, MoveSelectionInAWxListBox)
{
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "list");
    auto* p_list = new wxListBox(p_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_EXTENDED);
    for (const char* p : {"Ann", "B\xe9la", "Cy", "Dot"}) // code page 1252 text
        p_list->Append(ToWx(p), reinterpret_cast<void*>(static_cast<std::uintptr_t>(p[0])));
    p_list->SetSelection(1);
    p_list->SetSelection(3);

    WxListBoxItems items(*p_list);
    ASSERT_EQ(MoveListBoxSelection(items, TRUE), 1);
    std::string s_text;
    const char* a_expected[] = {"B\xe9la", "Ann", "Dot", "Cy"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_GE(items.GetText(i, s_text), 0);
        EXPECT_EQ(s_text, a_expected[i]);
        EXPECT_EQ(items.GetItemData(i), static_cast<std::uintptr_t>(a_expected[i][0]));
    }
    wxArrayInt a_selected;
    p_list->GetSelections(a_selected);
    EXPECT_EQ(std::vector<int>(a_selected.begin(), a_selected.end()), (std::vector<int>{0, 2}));

    // A box of single selection has no selection to move.
    auto* p_single = new wxListBox(p_frame, wxID_ANY);
    p_single->Append("one");
    WxListBoxItems single(*p_single);
    EXPECT_EQ(MoveListBoxSelection(single, FALSE), 0);
    p_frame->Destroy();
}

TEST(HelpersWx, VersionsOfTheLibrariesThisProgramRunsOn)
{
    EXPECT_EQ(GetModuleVersion(RVX_MODULE_ZELKIT), MakeModuleVersion(7, 1, 0, 0));
    EXPECT_EQ(GetModuleVersion(RVX_MODULE_WX) >> 32, MakeModuleVersion(wxMAJOR_VERSION, wxMINOR_VERSION, 0, 0) >> 32);
    EXPECT_EQ(GetModuleVersion(RVX_MODULE_GTK) >> 48, 3u);
    EXPECT_EQ(GetModuleVersion(RVX_MODULE_LIBC), GetCLibraryVersion());
    EXPECT_EQ(GetModuleVersion(RVX_MODULE_LIBSTDCXX) >> 48, 6u);
    for (const char* p : {"", "comctl32.dll", "zelkit71.dll", "LIBC", "gtk"})
        EXPECT_EQ(GetModuleVersion(p), 0u) << p;

    CModuleVersion version;
    EXPECT_TRUE(version.ReadVersionInfo(RVX_MODULE_ZELKIT));
    EXPECT_EQ(version.dwFileVersionMS, 0x0007'0001u);
    EXPECT_EQ(version.dwFileVersionLS, 0u);
    EXPECT_FALSE(version.ReadVersionInfo("comctl32.dll"));
    EXPECT_EQ(version.dwFileVersionMS, 0u);
}

TEST(HelpersWx, TheLibrariesThisProgramRunsOnAreTheOnesItRequires)
{
    const std::vector<AppSettings::RequiredModule> a_rows = RequiredModules();
    std::vector<std::string> v_names;
    for (const AppSettings::RequiredModule& row : a_rows) {
        v_names.push_back(row.sName);
        // The build told every version it was made against.
        EXPECT_NE(row.uVersion, 0u) << row.sName;
        EXPECT_EQ(row.uMessageId, row.sName == RVX_MODULE_ZELKIT ? 10019u : 10018u) << row.sName;
    }
    EXPECT_EQ(v_names, (std::vector<std::string>{"GTK", "zelkit", "wxWidgets", "libc", "libstdc++"}));
    ScriptedMessageBox boxes;
    EXPECT_TRUE(AppSettings::CheckRequiredModules(a_rows, GetModuleVersion));
    EXPECT_TRUE(boxes.Boxes().empty());
}

} // namespace
