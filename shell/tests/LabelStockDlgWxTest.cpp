// The label stock chooser on screen over the installation's standard label
// file: it reopens at the last choice, and a double click on a group only
// opens the group while one on a stock presses OK.
//
// With ROTAVEX_SHOW_SECONDS set, the chooser stays up that long.
#include "shell/lists/LabelStockDlg.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/controls/ZelLocale.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>
#include <wx/button.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

void Pump()
{
    for (int i = 0; i < 5; ++i)
        wxTheApp->Yield(true);
}

void ShowForALook()
{
    const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS");
    const int n_seconds = p_seconds ? std::atoi(p_seconds) : 0;
    for (int i = 0; i < n_seconds * 20; ++i) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

TEST(LabelStockDlgWx, ReopensAtTheLastChoiceAndPressesOkOnStocksOnly)
{
    ZelFixedLocale metric(IZelLocalePort::measureMetric, "");
    ZelLabelStockFile standard, custom;
    standard.SetFileName(std::string(ROTAVEX_DATA_DIR) + "/Standard");
    ASSERT_TRUE(standard.Load());
    auto* p_dlg = new LabelStockDlg(nullptr, standard, custom);
    p_dlg->Choice.iFile = 0;
    p_dlg->Choice.sGroup = "US Letter sheets";
    p_dlg->Choice.sStock = "Address 3 x 10, 2.63 x 1 in";
    p_dlg->InitTree();
    p_dlg->Show();
    Pump();
    wxTreeCtrl* p_tree = p_dlg->GetTree();
    const wxTreeItemId sel = p_tree->GetSelection();
    ASSERT_TRUE(sel.IsOk());
    EXPECT_EQ(p_tree->GetItemText(sel), "Address 3 x 10, 2.63 x 1 in (30 labels)");
    EXPECT_TRUE(p_tree->IsExpanded(sel));
    EXPECT_TRUE(p_dlg->GetOkButton()->IsEnabled());
    ShowForALook();

    const wxTreeItemId group = p_tree->GetItemParent(sel);
    p_tree->Collapse(group);
    p_tree->SelectItem(group);
    wxTreeEvent on_group(wxEVT_TREE_ITEM_ACTIVATED, p_tree, group);
    p_tree->GetEventHandler()->ProcessEvent(on_group);
    Pump();
    EXPECT_FALSE(p_dlg->GetOkButton()->IsEnabled());
    EXPECT_EQ(p_dlg->Choice.sStock, "");
    EXPECT_EQ(p_dlg->Choice.Stock.GetName(), "") << "a group does not press OK";

    wxTreeEvent on_stock(wxEVT_TREE_ITEM_ACTIVATED, p_tree, sel);
    p_tree->SelectItem(sel);
    p_tree->GetEventHandler()->ProcessEvent(on_stock);
    EXPECT_EQ(p_dlg->Choice.Stock.GetName(), "Address 3 x 10, 2.63 x 1 in");
    p_dlg->Destroy();
    Pump();
}

} // namespace
