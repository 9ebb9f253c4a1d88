#include "shell/frame/Splash.h"

#include "framework/Resources.h"
#include "framework/ui/WxText.h"
#include "res/RotavexStrings.h"
#include "shell/frame/RotavexApp.h"
#include "zelkit/values/ZelRelease.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>

namespace {

constexpr int iSplashWidth = 500;
constexpr int iSplashHeight = 340;

// The picture: a title band, and a small timetable of coloured bookings on
// a card at the left; the right side stays light for the texts.
wxBitmap DrawPicture(bool b_manyColours)
{
    wxBitmap bitmap(iSplashWidth, iSplashHeight, 24);
    wxMemoryDC dc(bitmap);
    const wxColour c_paper(246, 243, 236);
    const wxColour c_ink(31, 58, 104);
    dc.SetBackground(wxBrush(c_paper));
    dc.Clear();

    // Title band.
    const wxRect rc_band(0, 0, iSplashWidth, 78);
    if (b_manyColours)
        dc.GradientFillLinear(rc_band, c_ink, wxColour(62, 109, 181), wxEAST);
    else {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(c_ink));
        dc.DrawRectangle(rc_band);
    }
    dc.SetTextForeground(*wxWHITE);
    dc.SetFont(wxFontInfo(30).Family(wxFONTFAMILY_SWISS).Bold());
    dc.DrawText("Rotavex", 240, 12);
    dc.SetTextForeground(c_ink);
    dc.SetFont(wxFontInfo(11).Family(wxFONTFAMILY_SWISS).Italic());
    dc.DrawText("Clash-free timetables", 240, 100);
    dc.DrawText("and rosters for your event", 240, 120);

    // The timetable card: days across, timeslots down.
    const wxRect rc_card(20, 58, 200, 262);
    dc.SetPen(wxPen(wxColour(180, 180, 170)));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRoundedRectangle(rc_card, 6);
    constexpr int nDays = 4;
    constexpr int nSlots = 7;
    const int i_left = rc_card.x + 28;
    const int i_top = rc_card.y + 26;
    const int i_cellW = (rc_card.width - 36) / nDays;
    const int i_cellH = (rc_card.height - 34) / nSlots;
    dc.SetFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS).Bold());
    dc.SetTextForeground(c_ink);
    const char* a_days[nDays] = {"Mon", "Tue", "Wed", "Thu"};
    for (int i = 0; i < nDays; ++i)
        dc.DrawText(a_days[i], i_left + i * i_cellW + 8, rc_card.y + 8);
    dc.SetFont(wxFontInfo(7).Family(wxFONTFAMILY_SWISS));
    for (int j = 0; j < nSlots; ++j)
        dc.DrawText(wxString::Format("%d", 9 + j), rc_card.x + 8, i_top + j * i_cellH + 4);
    dc.SetPen(wxPen(wxColour(225, 225, 218)));
    for (int i = 0; i <= nDays; ++i)
        dc.DrawLine(i_left + i * i_cellW, i_top, i_left + i * i_cellW, i_top + nSlots * i_cellH);
    for (int j = 0; j <= nSlots; ++j)
        dc.DrawLine(i_left, i_top + j * i_cellH, i_left + nDays * i_cellW, i_top + j * i_cellH);

    // Bookings: day, first slot, slots, colour.
    struct Booking {
        int iDay, iSlot, nSlots;
        wxColour Colour;
    };
    const Booking a_bookings[] = {
        {0, 0, 2, wxColour(232, 118, 84)}, {0, 3, 1, wxColour(92, 170, 120)}, {1, 1, 2, wxColour(86, 140, 210)},
        {1, 4, 2, wxColour(236, 180, 64)},  {2, 0, 1, wxColour(92, 170, 120)}, {2, 2, 3, wxColour(160, 110, 190)},
        {3, 0, 3, wxColour(86, 140, 210)},  {3, 5, 2, wxColour(232, 118, 84)}, {2, 6, 1, wxColour(236, 180, 64)},
    };
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (const Booking& b : a_bookings) {
        wxColour colour = b.Colour;
        if (!b_manyColours) {
            // Few colours: the primaries only.
            colour = wxColour(colour.Red() > 128 ? 255 : 0, colour.Green() > 128 ? 255 : 0, colour.Blue() > 150 ? 255 : 0);
        }
        dc.SetBrush(wxBrush(colour));
        dc.DrawRoundedRectangle(i_left + b.iDay * i_cellW + 3, i_top + b.iSlot * i_cellH + 3, i_cellW - 6,
                                b.nSlots * i_cellH - 6, 3);
    }

    // A thin frame round the whole picture.
    dc.SetPen(wxPen(c_ink));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, iSplashWidth, iSplashHeight);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace

wxBitmap LoadSplashBitmap(int i_id)
{
    switch (i_id) {
    case IDB_SPLASH: return DrawPicture(true);
    case IDB_SPLASH_FEW_COLOURS: return DrawPicture(false);
    default: return wxNullBitmap;
    }
}

std::vector<std::string> SplashNotices()
{
    std::vector<std::string> v_notices;
    for (const UINT u_id : {static_cast<UINT>(IDS_NOTICE), static_cast<UINT>(IDS_RIGHTS)}) {
        std::string s;
        LoadResourceString(u_id, s);
        v_notices.push_back(s);
    }
    return v_notices;
}

wxBitmap ComposeSplash(const wxBitmap& picture, const std::string& s_release, const std::vector<std::string>& v_notices)
{
    wxBitmap composed(picture.GetWidth(), picture.GetHeight(), 24);
    wxMemoryDC dc(composed);
    dc.DrawBitmap(picture, 0, 0);
    dc.SetFont(wxFontInfo(9).Family(wxFONTFAMILY_ROMAN).FaceName("Times").Bold());
    dc.SetTextForeground(*wxBLACK);
    dc.SetBackgroundMode(wxTRANSPARENT);

    const wxString s_label = "Release: ";
    dc.DrawText(s_label, 240, 180);
    dc.DrawText(ToWx(s_release), 240 + dc.GetTextExtent(s_label).x, 180);

    int i_y = 300;
    for (const std::string& s_line : v_notices) {
        dc.DrawText(ToWx(s_line), 240, i_y);
        i_y += dc.GetTextExtent(ToWx(s_line)).y;
    }
    dc.SelectObject(wxNullBitmap);
    return composed;
}

bool SplashScreen::CreateSplash(int i_id)
{
    const wxBitmap picture = LoadSplashBitmap(i_id);
    if (!picture.IsOk())
        return false;
    // Resizable for the toolkit only: a frame it may not resize is shown at
    // the size its contents ask for, which a drawn window does not.
    if (!wxFrame::Create(nullptr, wxID_ANY, "Rotavex", wxPoint(0, 0), picture.GetSize(),
                         wxBORDER_NONE | wxRESIZE_BORDER | wxSTAY_ON_TOP | wxFRAME_NO_TASKBAR))
        return false;
    Composed = ComposeSplash(picture, RotavexRelease().FormatRel(), SplashNotices());
    SetCursor(wxCursor(wxCURSOR_ARROW));
    // The picture is drawn by a window of its own filling the frame: the
    // toolkit paints a frame's own area with its background.
    auto* p_canvas = new wxWindow(this, wxID_ANY, wxPoint(0, 0), picture.GetSize());
    p_canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    p_canvas->Bind(wxEVT_PAINT, &SplashScreen::OnPaint, this);
    SetClientSize(picture.GetSize());
    CentreOnScreen();
    Show();
    return true;
}

void SplashScreen::OnPaint(wxPaintEvent& event)
{
    wxPaintDC dc(static_cast<wxWindow*>(event.GetEventObject()));
    dc.DrawBitmap(Composed, 0, 0);
    bPainted = true;
}
