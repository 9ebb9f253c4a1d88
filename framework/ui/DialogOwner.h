// The window a dialog shown now goes over.
//
// A message box or report parented to the main window can end up under a
// dialog that is already up: a modeless progress window has no owner, so a
// window manager keeps it above every window of the program, and the box
// waiting for an answer would sit hidden behind it. Parented to the dialog
// the user sees last, the box stacks above it and takes the focus.
#pragma once

class wxWindow;

// The last shown dialog of the program that is not on its way out (a
// modal dialog or a modeless one such as a progress window), else the
// application's top window; null without either.
wxWindow* DialogOwner();
