// Controls by class name: the factory a class registered first stays, an
// unknown name is reported and gives no window, and a control made by its
// factory goes exactly once, with its window.
#include "framework/ui/WindowClass.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/controls/ui/ZelCustomCtrl.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

int g_nMade = 0;
int g_nDestroyed = 0;

class CountedCtrl : public ZelCustomCtrl {
public:
    CountedCtrl(wxWindow* p_parent, wxWindowID i_id, int i_tag)
        : ZelCustomCtrl(p_parent, i_id, wxDefaultPosition, wxDefaultSize, 0, "counted"), iTag(i_tag)
    {
        ++g_nMade;
    }
    ~CountedCtrl() override { ++g_nDestroyed; }
    int iTag;
};

TEST(CustomCtrlWx, RegistryKeepsTheFirstFactoryAndRefusesUnknownNames)
{
    ZelRecordingErrorReports reports;
    ASSERT_TRUE(ZelCustomCtrl::RegisterWndClass("TEST_COUNTED", [](wxWindow* p, wxWindowID i) -> ZelCustomCtrl* {
        return new CountedCtrl(p, i, 1);
    }));
    EXPECT_FALSE(ZelCustomCtrl::RegisterWndClass("TEST_COUNTED", [](wxWindow* p, wxWindowID i) -> ZelCustomCtrl* {
        return new CountedCtrl(p, i, 2);
    })) << "a second registration fails";

    g_nMade = g_nDestroyed = 0;
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "classes");
    auto* p_ctrl = dynamic_cast<CountedCtrl*>(ZelCustomCtrl::CreateByClassName("TEST_COUNTED", p_frame, 1201));
    ASSERT_NE(p_ctrl, nullptr);
    EXPECT_EQ(p_ctrl->iTag, 1) << "the first factory stays";
    EXPECT_EQ(p_ctrl->GetId(), 1201);
    EXPECT_EQ(p_ctrl->GetParent(), p_frame);

    EXPECT_EQ(ZelCustomCtrl::CreateByClassName("NO_SUCH_CLASS", p_frame, 1202), nullptr);
    ASSERT_EQ(reports.Reports().size(), 1u);
    EXPECT_NE(reports.Reports()[0].sReport.find("Cannot create a window of class 'NO_SUCH_CLASS'"), std::string::npos);

    auto* p_grid = dynamic_cast<ZelTimeslotCtrl*>(ZelCustomCtrl::CreateByClassName(ZLC_TIMESLOT, p_frame, 1180));
    ASSERT_NE(p_grid, nullptr) << "the grid's factory makes the real control";
    EXPECT_EQ(p_grid->GetNumDays(), 1u);

    delete p_frame; // takes its children with it
    EXPECT_EQ(g_nMade, 1);
    EXPECT_EQ(g_nDestroyed, 1) << "destroyed exactly once, with its window";
    EXPECT_TRUE(ZelCustomCtrl::UnregisterWndClass("TEST_COUNTED"));
    EXPECT_FALSE(ZelCustomCtrl::UnregisterWndClass("TEST_COUNTED"));
}

} // namespace
