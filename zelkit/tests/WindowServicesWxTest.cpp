// The window side of the small window services, in real windows (run under
// a virtual display).
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/windows/ui/ZelWindowServicesWx.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/utils.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

TEST(WindowServicesWx, RedrawSuspensionFreezesOnceAndThawsAtTheLastRelease)
{
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "redraw");
    auto* p_panel = new wxPanel(p_frame);
    EXPECT_EQ(ZelSetRedraw(p_panel, FALSE), 0);
    EXPECT_EQ(ZelSetRedraw(p_panel, FALSE), 0);
    EXPECT_TRUE(p_panel->IsFrozen());
    EXPECT_EQ(ZelGetRedrawCount(p_panel), 2);
    EXPECT_EQ(ZelSetRedraw(p_panel, TRUE), 0);
    EXPECT_TRUE(p_panel->IsFrozen());
    EXPECT_EQ(ZelSetRedraw(p_panel, TRUE), 1);
    EXPECT_FALSE(p_panel->IsFrozen());
    // A window never suspended is switched on without an unmatched thaw.
    EXPECT_EQ(ZelSetRedraw(p_frame, TRUE), 1);
    EXPECT_FALSE(p_frame->IsFrozen());

    ZelSetRedraw(p_frame, FALSE);
    ZelSetRedrawRemove(p_frame);
    EXPECT_EQ(ZelGetRedrawCount(p_frame), 0);
    p_frame->Thaw(); // what the caller of the removal does with its window
    p_frame->Destroy();
}

TEST(WindowServicesWx, WaitCursorsAreScoped)
{
    ASSERT_FALSE(wxIsBusy());
    {
        ZelWaitCursor wait;
        EXPECT_TRUE(wxIsBusy());
        {
            ZelWaitCursor nested;
            EXPECT_TRUE(wxIsBusy());
        }
        EXPECT_TRUE(wxIsBusy());
    }
    EXPECT_FALSE(wxIsBusy());
    {
        // The library's own cursors are set, not the busy state.
        ZelWaitCursor own(26001);
        EXPECT_FALSE(wxIsBusy());
        ZelWaitCursor again(26001);
    }
    EXPECT_FALSE(wxIsBusy());
}

TEST(WindowServicesWx, DialogBaseUnitsComeFromTheGuiFont)
{
    ZelDlgUnits::SetBaseUnits(0, 0);
    ZelDlgUnits units;
    std::int32_t i_x = 0, i_y = 0;
    ASSERT_TRUE(ZelMeasureDlgBaseUnits(i_x, i_y));
    EXPECT_EQ(ZelDlgUnits::GetXBase(), i_x);
    EXPECT_EQ(ZelDlgUnits::GetYBase(), i_y);
    EXPECT_GT(i_x, 2);
    EXPECT_GT(i_y, i_x);
    EXPECT_EQ(units.GetXPix(4), i_x);
    EXPECT_EQ(units.GetYPix(8), i_y);
    ZelDlgUnits::SetBaseUnits(0, 0);
}

TEST(WindowServicesWx, NoButtonIsDownOnAnIdleDisplay)
{
    EXPECT_EQ(IsLButtonDown(), FALSE);
    EXPECT_EQ(IsRButtonDown(), FALSE);
}

// A bitmap of w x h pixels of one colour, with the pixels listed in a_other
// of another.
wxBitmap MakeBitmap(int w, int h, const wxColour& fill, std::initializer_list<wxPoint> a_other, const wxColour& other)
{
    wxImage image(w, h);
    image.SetRGB(wxRect(0, 0, w, h), fill.Red(), fill.Green(), fill.Blue());
    for (const wxPoint& pt : a_other)
        image.SetRGB(pt.x, pt.y, other.Red(), other.Green(), other.Blue());
    return wxBitmap(image);
}

wxColour PixelAt(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

TEST(WindowServicesWx, TransparentPixelsLeaveTheBackgroundShowing)
{
    const wxColour red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255);
    const wxBitmap source = MakeBitmap(2, 2, red, {{1, 1}}, green);
    wxBitmap target = MakeBitmap(8, 8, blue, {}, blue);
    {
        wxMemoryDC dc(target);
        ZelDrawTransparentBitmap(dc, source, 1, 1, green);
        ZelStretchTransparentBitmap(dc, source, 4, 4, 4, 4, green);
    }
    const wxImage result = target.ConvertToImage();
    EXPECT_EQ(PixelAt(result, 0, 0), blue);
    EXPECT_EQ(PixelAt(result, 1, 1), red);
    EXPECT_EQ(PixelAt(result, 2, 1), red);
    EXPECT_EQ(PixelAt(result, 2, 2), blue); // the transparent pixel
    EXPECT_EQ(PixelAt(result, 3, 3), blue);
    // Stretched twice: the transparent pixel covers 2 x 2.
    EXPECT_EQ(PixelAt(result, 4, 4), red);
    EXPECT_EQ(PixelAt(result, 5, 5), red);
    EXPECT_EQ(PixelAt(result, 7, 4), red);
    EXPECT_EQ(PixelAt(result, 6, 6), blue);
    EXPECT_EQ(PixelAt(result, 7, 7), blue);
    // The caller's bitmap keeps no mask.
    EXPECT_EQ(source.GetMask(), nullptr);
}

TEST(WindowServicesWx, CharacterDimensions)
{
    wxBitmap target(50, 50);
    wxMemoryDC dc(target);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    const wxSize cell = ZelComputeCharDim(dc);
    EXPECT_GT(cell.x, 0);
    EXPECT_GE(cell.y, dc.GetCharHeight());
    EXPECT_EQ(ZelComputeCharDim(dc, "Timetable"), dc.GetTextExtent("Timetable"));
}

TEST(WindowServicesWx, SmallButtonIsAButton)
{
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "button");
    auto* p_button = new ZelSmallButton(p_frame, 1001, "...");
    EXPECT_EQ(p_button->GetLabel(), "...");
    EXPECT_NE(wxDynamicCast(p_button, wxButton), nullptr);
    p_frame->Destroy();
}

} // namespace
