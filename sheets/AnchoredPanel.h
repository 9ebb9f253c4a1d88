// The base of the panels a page template puts on its page (Availability,
// Limits): the panel places its controls in dialog units and remembers how
// each follows the page when it is resized (x and y modes of
// ZelSizingTypes: 0 stays, 1 grows, 2 moves), for the page to anchor them
// on its initialisation.
#pragma once

#include <vector>
#include <wx/window.h>

class AnchoredPanel {
public:
    struct Anchor {
        wxWindow* pWindow;
        int iModeX;
        int iModeY;
    };
    const std::vector<Anchor>& GetAnchors() const { return vAnchors; }

protected:
    explicit AnchoredPanel(wxWindow& page) : Page(page) {}
    ~AnchoredPanel() = default;

    // Sizes and places the control on the page, and remembers its modes.
    wxWindow* Place(wxWindow* p_window, int i_x, int i_y, int i_cx, int i_cy, int i_modeX = 0, int i_modeY = 0)
    {
        const wxPoint pt = Page.ConvertDialogToPixels(wxPoint(i_x, i_y));
        const wxSize sz = Page.ConvertDialogToPixels(wxSize(i_cx, i_cy));
        p_window->SetSize(pt.x, pt.y, sz.x, sz.y);
        vAnchors.push_back({p_window, i_modeX, i_modeY});
        return p_window;
    }

    wxWindow& Page;

private:
    std::vector<Anchor> vAnchors;
};
