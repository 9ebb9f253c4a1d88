// The wx poster delivers a download's codes to a window on the
// user-interface thread (run under a virtual display).
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/services/ui/ZelInternetFilePoster.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

constexpr UINT kMessage = 0x0400;

TEST(InternetFilePoster, CodesArriveOnTheWindowThreadInOrder)
{
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "download");
    std::vector<LONG> v_codes;
    std::vector<CInternetFileAccess*> v_objects;
    bool b_otherThread = false;
    const auto id_ui = std::this_thread::get_id();
    p_frame->Bind(
        ZEL_EVT_INTERNET_FILE,
        [&](wxThreadEvent& event) {
            v_codes.push_back(event.GetInt());
            v_objects.push_back(ZelInternetFilePoster::GetAccess(event));
            b_otherThread |= std::this_thread::get_id() != id_ui;
        },
        WxId(kMessage));

    ZelInternetFilePoster poster(p_frame);
    // A download that is not enabled fails at once without the network.
    std::unique_ptr<CInternetFileAccess> p_access(
        CInternetFileAccess::ReadInternetFile(&poster, kMessage, "127.0.0.1:9", "file.txt", TRUE, FALSE));
    ASSERT_TRUE(p_access);
    ASSERT_EQ(p_access->WaitForThreadToClose(5000), CInternetFileAccess::waitEnded);
    EXPECT_TRUE(v_codes.empty()) << "nothing is handled before the window's thread looks";

    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (v_codes.size() < 2 && std::chrono::steady_clock::now() < t_end)
        wxTheApp->ProcessPendingEvents();

    EXPECT_EQ(v_codes, (std::vector<LONG>{CInternetFileAccess::failed, CInternetFileAccess::done}));
    EXPECT_EQ(v_objects, (std::vector<CInternetFileAccess*>{p_access.get(), p_access.get()}));
    EXPECT_FALSE(b_otherThread);
    p_frame->Destroy();
}

// The window takes the object only from an event the poster made: any other
// event of this type carries no download.
TEST(InternetFilePoster, EventsWithoutADownloadCarryNone)
{
    const wxThreadEvent bare(ZEL_EVT_INTERNET_FILE, WxId(kMessage));
    EXPECT_EQ(ZelInternetFilePoster::GetAccess(bare), nullptr);

    wxThreadEvent other(ZEL_EVT_INTERNET_FILE, WxId(kMessage));
    other.SetPayload(42);
    EXPECT_EQ(ZelInternetFilePoster::GetAccess(other), nullptr);
}

} // namespace
