// The panes' views and the dialogs join the program. The application and
// its frame sit below the panes and dialogs they show, so they name none
// of them: the frame makes a pane from the window class registered under
// the pane's name, and the application runs the window ports' installer
// handed to it here when its frame comes up.
#pragma once

// Both below, as the program's start-up runs them (before the sheets).
void InstallViews();
// The four panes' views: venues, groups, participants, the timetable.
void RegisterPaneViews();
// Hands the application the installer of the dialogs and list ports
// (build, progress, roster, continue-or-quit, import errors, export, web
// import). The tests that start the program in-process call this too
// (testsupport/ui/RotavexAppEnvironment.h) and register the views they
// want themselves.
void InstallDialogPorts();
