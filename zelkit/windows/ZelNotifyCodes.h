// The numeric codes with which the library's controls tell their parent
// what happened or ask it for something. Every control sends them through
// one notification event (ui/ZelNotifyEvent.h) that carries the code, the
// sender's id and the code's record; an answer goes back in the event.
//
// The codes keep the values the event file's owners and the program's
// handlers were written against, so they are listed once, here, for every
// control of the library.
#pragma once

enum ZelNotifyCode : int {
    // Any control.
    NM_CLICK = -2,
    NM_DBLCLK = -3,
    NM_RETURN = -4,
    NM_RCLICK = -5,
    NM_RDBLCLK = -6,
    NM_SETFOCUS = -7,
    NM_KILLFOCUS = -8,

    // Report lists. LVN_ITEMCHANGED carries a ZelNMListView, the display
    // requests a ZelLVDispInfo.
    LVN_ITEMCHANGING = -100,
    LVN_ITEMCHANGED = -101,
    LVN_BEGINLABELEDIT = -105,
    LVN_ENDLABELEDIT = -106,
    LVN_COLUMNCLICK = -108,
    LVN_GETDISPINFO = -150,
    LVN_SETDISPINFO = -151,
    LVN_KEYDOWN = -155,
    // The in-place editing list asks which editor a cell takes.
    ZLN_EDITTYPE = -198,

    // Header of a report list.
    HDN_ENDTRACK = -301,
    HDN_DIVIDERDBLCLICK = -305,
    HDN_ENDDRAG = -311,

    // Trees.
    TVN_SELCHANGING = -401,
    TVN_SELCHANGED = -402,
    TVN_BEGINDRAG = -407,
    TVN_KEYDOWN = -412,

    // Month calendar.
    ZMCN_SELCHANGED = -751,
    ZMCN_FOCUSCHANGED = -753,

    // Timeslot controls.
    ZTSN_CHANGED = -5001,
    ZTSN_SLOTTEXT = -5002,
    ZTSN_SLOTCOLOR = -5003,
    ZTSN_SELCHANGED = -5004,
    ZTSN_SLOTTEXTCOLOR = -5005,
    ZTSN_SLOTICON = -5040,

    // Private codes, queued to the receiver rather than sent: a list's
    // "Do not sort" request to its parent, and a list view's notice that a
    // sort took long (the elapsed seconds as the parameter).
    ZLN_NOSORT = 1124,
    ZLN_SORTTOOLONG = 1124,
};
