#include "shell/frame/ToolbarArt.h"

#include "model/EventDoc.h"
#include "shell/frame/CommandIds.h"

#include <functional>
#include <memory>
#include <wx/artprov.h>
#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace {

constexpr int nSize = 16;

const wxColour cInk(60, 60, 70);
const wxColour cBlue(52, 101, 164);
const wxColour cGreen(78, 154, 6);
const wxColour cRed(204, 0, 0);
const wxColour cGold(196, 160, 0);
const wxColour cPaper(250, 250, 245);

// A transparent image drawn by the painter with smooth edges.
wxBitmap Drawn(const std::function<void(wxGraphicsContext&)>& f_paint)
{
    wxImage image(nSize, nSize);
    image.InitAlpha();
    for (int y = 0; y < nSize; ++y)
        for (int x = 0; x < nSize; ++x)
            image.SetAlpha(x, y, 0);
    wxBitmap bitmap(image);
    {
        wxMemoryDC dc(bitmap);
        std::unique_ptr<wxGraphicsContext> p_gc(wxGraphicsContext::Create(dc));
        if (p_gc)
            f_paint(*p_gc);
    }
    return bitmap;
}

void Line(wxGraphicsContext& gc, const wxColour& colour, double d_width, double x1, double y1, double x2, double y2)
{
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(colour).Width(d_width)));
    gc.StrokeLine(x1, y1, x2, y2);
}

void Box(wxGraphicsContext& gc, const wxColour& fill, const wxColour& edge, double x, double y, double w, double h)
{
    gc.SetBrush(wxBrush(fill));
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(edge).Width(1)));
    gc.DrawRectangle(x, y, w, h);
}

// A plus in the lower right corner: the "add" commands.
void Plus(wxGraphicsContext& gc)
{
    Line(gc, cGreen, 2.2, 12, 9, 12, 15);
    Line(gc, cGreen, 2.2, 9, 12, 15, 12);
}

void Person(wxGraphicsContext& gc, const wxColour& colour, double x, double y, double d_scale)
{
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(wxBrush(colour));
    gc.DrawEllipse(x - 2.2 * d_scale, y, 4.4 * d_scale, 4.4 * d_scale);
    gc.DrawRoundedRectangle(x - 3.6 * d_scale, y + 5 * d_scale, 7.2 * d_scale, 5.5 * d_scale, 2 * d_scale);
}

// A timetable: a page with a grid of cells, some of them filled.
void Grid(wxGraphicsContext& gc, bool b_filled)
{
    Box(gc, cPaper, cInk, 1.5, 2.5, 12, 11);
    for (int i = 1; i < 3; ++i) {
        Line(gc, cInk, 0.8, 1.5 + 4 * i, 2.5, 1.5 + 4 * i, 13.5);
    }
    for (int i = 1; i < 3; ++i)
        Line(gc, cInk, 0.8, 1.5, 2.5 + 3.67 * i, 13.5, 2.5 + 3.67 * i);
    if (b_filled) {
        gc.SetPen(*wxTRANSPARENT_PEN);
        gc.SetBrush(wxBrush(cBlue));
        gc.DrawRectangle(2, 3, 3.5, 3.2);
        gc.DrawRectangle(6, 6.7, 3.5, 3.2);
        gc.DrawRectangle(10, 10.4, 3.3, 2.8);
    }
}

wxBitmap Art(const wxArtID& id, const wxArtID& fallback = wxART_MISSING_IMAGE)
{
    wxBitmap bitmap = wxArtProvider::GetBitmap(id, wxART_TOOLBAR, wxSize(nSize, nSize));
    if (!bitmap.IsOk())
        bitmap = wxArtProvider::GetBitmap(fallback, wxART_TOOLBAR, wxSize(nSize, nSize));
    return bitmap;
}

} // namespace

wxBitmap ToolbarBitmap(UINT u_command)
{
    switch (u_command) {
    case ID_FILE_NEW:
        return Art(wxART_NEW);
    case ID_FILE_OPEN:
        return Art(wxART_FILE_OPEN);
    case ID_FILE_SAVE:
        return Art(wxART_FILE_SAVE);
    case ID_EDIT_CLEAR:
        return Art(wxART_DELETE);
    case ID_PRINT_TIMETABLE:
        return Art(wxART_PRINT);
    case ID_CONTEXT_HELP:
        // A question mark in a blue disc.
        return Drawn([](wxGraphicsContext& gc) {
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.SetBrush(wxBrush(cBlue));
            gc.DrawEllipse(1, 1, 14, 14);
            gc.SetFont(wxFont(wxFontInfo(8).Bold()), *wxWHITE);
            double d_width = 0;
            double d_height = 0;
            gc.GetTextExtent("?", &d_width, &d_height);
            gc.DrawText("?", 8 - d_width / 2, 8 - d_height / 2);
        });
    case EventDoc::ID_NEW_EVENT_DEFINITION:
        // A calendar page.
        return Drawn([](wxGraphicsContext& gc) {
            Box(gc, cPaper, cInk, 1.5, 2.5, 13, 12);
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.SetBrush(wxBrush(cRed));
            gc.DrawRectangle(2, 3, 12, 3);
            gc.SetBrush(wxBrush(cInk));
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    gc.DrawRectangle(3.5 + 3.5 * x, 7.5 + 3 * y, 2, 2);
        });
    case EventDoc::ID_SCHEDULING_RULES:
        // A list of rules, each ticked.
        return Drawn([](wxGraphicsContext& gc) {
            for (int i = 0; i < 3; ++i) {
                const double y = 3.5 + 4.5 * i;
                Line(gc, cGreen, 1.6, 1.5, y, 3, y + 1.5);
                Line(gc, cGreen, 1.6, 3, y + 1.5, 5.5, y - 1.5);
                Line(gc, cInk, 1.6, 7, y, 14.5, y);
            }
        });
    case ID_ADD_VENUE:
        // A hall.
        return Drawn([](wxGraphicsContext& gc) {
            gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(cInk).Width(1)));
            gc.SetBrush(wxBrush(cGold));
            wxGraphicsPath roof = gc.CreatePath();
            roof.MoveToPoint(0.5, 6);
            roof.AddLineToPoint(6.5, 1);
            roof.AddLineToPoint(12.5, 6);
            roof.CloseSubpath();
            gc.DrawPath(roof);
            Box(gc, cPaper, cInk, 2, 6, 9, 7.5);
            Box(gc, cBlue, cBlue, 5.2, 9, 2.6, 4.5);
            Plus(gc);
        });
    case ID_ADD_PARTICIPANT:
        return Drawn([](wxGraphicsContext& gc) {
            Person(gc, cBlue, 6, 1.5, 1.1);
            Plus(gc);
        });
    case ID_ADD_GROUP:
        return Drawn([](wxGraphicsContext& gc) {
            Person(gc, cGold, 9, 1, 0.9);
            Person(gc, cBlue, 4.5, 3, 1.0);
            Plus(gc);
        });
    case EventDoc::ID_BUILD_TIMETABLE:
        return Drawn([](wxGraphicsContext& gc) { Grid(gc, true); });
    case EventDoc::ID_CHECK_TIMETABLE:
        return Drawn([](wxGraphicsContext& gc) {
            Grid(gc, false);
            Line(gc, cGreen, 2.4, 4, 8.5, 7, 12);
            Line(gc, cGreen, 2.4, 7, 12, 14.5, 3);
        });
    case EventDoc::ID_ROSTER_PARTICIPANTS:
        // A person put on a list.
        return Drawn([](wxGraphicsContext& gc) {
            Box(gc, cPaper, cInk, 6.5, 1.5, 8, 11);
            for (int i = 0; i < 3; ++i)
                Line(gc, cInk, 1, 8, 4 + 3 * i, 13, 4 + 3 * i);
            Person(gc, cBlue, 4.5, 4.5, 0.95);
        });
    case ID_UNROSTER_PARTICIPANTS:
        return Drawn([](wxGraphicsContext& gc) {
            Person(gc, cBlue, 5.5, 2, 1.0);
            Line(gc, cRed, 2, 9.5, 8.5, 15, 14);
            Line(gc, cRed, 2, 15, 8.5, 9.5, 14);
        });
    default:
        return Art(wxART_MISSING_IMAGE);
    }
}
