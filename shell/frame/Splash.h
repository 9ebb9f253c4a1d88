// The splash window shown while the program starts: the program's picture
// with its release and notices drawn over it. The application shows it,
// times it and ends it (CRotavexApp::ShowSplash, EndSplash).
#pragma once

#include <string>
#include <vector>
#include <wx/bitmap.h>
#include <wx/frame.h>

// The two splash pictures: for screens of more than 8 bits a pixel, and
// for fewer colours.
enum : int {
    IDB_SPLASH = 103,
    IDB_SPLASH_FEW_COLOURS = 174,
};

// The picture of that id, drawn by the program; an invalid bitmap for any
// other id.
wxBitmap LoadSplashBitmap(int i_id);

// The picture with the texts drawn over it: "Release: " and the release at
// (240, 180), the notice lines from (240, 300) down, each row as high as
// its text, 9 point bold in the roman family, black.
wxBitmap ComposeSplash(const wxBitmap& picture, const std::string& s_release,
                       const std::vector<std::string>& v_notices);

// The texts the splash shows: string 150, then the rights line.
std::vector<std::string> SplashNotices();

class SplashScreen : public wxFrame {
public:
    SplashScreen() = default;
    // Makes the window for picture i_id, centred on the screen and shown
    // on top; false (and no window) when there is no such picture.
    bool CreateSplash(int i_id);

    const wxBitmap& GetComposed() const { return Composed; }
    bool HasBeenPainted() const { return bPainted; }

private:
    void OnPaint(wxPaintEvent& event);

    wxBitmap Composed;
    bool bPainted = false;
};
