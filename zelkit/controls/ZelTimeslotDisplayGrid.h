// The timeslot grid that shows slots read-only with texts and icons its
// owner supplies: for every slot it asks the parent window, keyed by the
// slot's item data, for a text (ZTSN_SLOTTEXT) and an icon (ZTSN_SLOTICON),
// fits the icon and the text into the slot (the text below or beside the
// icon, split over lines or shortened with "..."), widens the set columns
// to the average text width, no wider than a few words, and looks for the
// spacing at which every text fits. Its window is ui/ZelTimeslotDisplayCtrl ("ZLC_TIMESLOT_DISPLAY").
// Cleared of its read-only flag it edits as the plain grid does.
#pragma once

#include "zelkit/controls/ZelTimeslotGrid.h"

#include <string>

// ZTSN_SLOTTEXT: the parent puts the slot's text in sText (code page 1252)
// and answers; an answer with an empty text still counts as a text.
struct ZelTimeslotTextNotify {
    UINT uSize = 24;
    DWORD dwItemData = 0;
    std::string sText;
};

// ZTSN_SLOTICON: the parent puts a bitmap it keeps and its size in pixels
// and answers; the grid only draws the bitmap.
struct ZelTimeslotIconNotify {
    UINT uSize = 32;
    DWORD dwItemData = 0;
    ZelBitmapHandle hBitmap = nullptr;
    UINT uIconSize = 0;
    const ZelTimeslot* pTimeslot = nullptr;
};

class ZelTimeslotDisplayGrid : public ZelTimeslotGrid {
public:
    static constexpr const char* szClassName = "ZLC_TIMESLOT_DISPLAY";
    // The widest a set column grows for its name or its slots' texts, in
    // average characters of the grid's type.
    static constexpr int nMaxColumnChars = 32;

    // Read-only, tips always, the spacing chosen last.
    ZelTimeslotDisplayGrid();

    // Lays the grid out and looks for a spacing at which every slot text
    // fits: halving it down to a minute, then widening it by 5 minutes at
    // a time while the texts still fit.
    void Resize();

    // The commands that change slots are offered only while the grid is
    // not read-only.
    int IsCommandEnabled(UINT u_id) const;

    void GeneralPopup(const CPoint& pt, const ZelMenu* p_extra) override;

protected:
    // The parent's text of the slot; 0 when it has none (the text is then
    // left as it was).
    virtual int GetSlotText(const ZelTimeslot& slot, std::string& s_text) const;
    // The parent's icon of the slot and its size; 0 when it has none.
    virtual int GetSlotIcon(IZelDrawPort& dc, SetStdContext& ctx, const ZelTimeslot& slot, ZelBitmapHandle& h_bitmap,
                            UINT& u_size) const;

    int DrawSlotText(IZelDrawPort& dc, SetStdContext& ctx, UINT u_day, UINT u_set, UINT u_slot, int b_measure,
                     const DayArray* p_days = nullptr) const override;
    void ComputeSetLabelDim(IZelDrawPort& dc, int& i_height, int& i_width, int& i_total) override;
    // Every slot a plain rectangle, however tall.
    int GetSlotShape(UINT u_day, UINT u_set, UINT u_slot, CRect& rc, CRect& rc_top, CRect& rc_middle,
                     CRect& rc_bottom, int b_combined, const DayArray* p_days) const override;
    // The work-area colour whether read-only or not.
    COLORREF GetWorkAreaColor(IZelDrawPort& dc, SetStdContext& ctx) const override;
    // A step out only while every text still fits.
    void OnZoomOut() override;

    // The average and the widest text width of the slots, measured the
    // first time there are texts and kept from then on.
    void GetSlotTextWidths(IZelDrawPort& dc, int& i_average, int& i_widest);
    // Ends the text in "..." four characters shorter; 0 (with "..."
    // appended) once fewer than 5 characters remain.
    int Shorten(std::string& s_text) const;
    // Breaks the text into n + 1 lines of equal length (the first takes
    // the rest), each ended by CR LF; 0 when the lines would be shorter
    // than 2 characters. Line breaks already there are dropped either way.
    int Split(std::string& s_text, int n) const;

private:
    // Whether every slot's text fitted when the layout last measured it.
    int AllTextsFit() const;

    int bWidthsValid = 0;
    int iWidestWidth = 0;
    int iAverageWidth = 0;
};
