#include "app/InstallViews.h"

#include "engine/BuildPorts.h"
#include "engine/ProgressPort.h"
#include "framework/PortSlot.h"
#include "shell/dialogs/BuildDialogs.h"
#include "shell/dialogs/ContQuitDlg.h"
#include "shell/dialogs/ProgressDlg.h"
#include "shell/dialogs/RosterCtrlDlg.h"
#include "shell/dialogs/WebImportDlg.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/ExportDialogs.h"
#include "shell/lists/GroupView.h"
#include "shell/lists/ItemListView.h"
#include "shell/lists/MesgListDisplay.h"
#include "shell/lists/ParticipantView.h"
#include "shell/lists/VenueView.h"
#include "shell/timetable/TimetableView.h"

namespace {

// The windows' sides of the build's ports, installed while the frame exists.
WxProgressPort g_progressPort;
WxBuildDialogsPort g_buildDialogsPort;
WxBuildWindowPort g_buildWindowPort;

void InstallPorts()
{
    SetProgressPort(&g_progressPort);
    SetBuildDialogsPort(&g_buildDialogsPort);
    SetBuildWindowPort(&g_buildWindowPort);
    InstallRosterDialogs();
    InstallListPorts();
    InstallImportErrorsDialog();
    InstallContQuitDialog();
    InstallExportDialogs();
    InstallWebImportDialogs();
}

void RemovePorts()
{
    RemovePortIfOurs(GetProgressPort, SetProgressPort, g_progressPort);
    RemovePortIfOurs(GetBuildDialogsPort, SetBuildDialogsPort, g_buildDialogsPort);
    RemovePortIfOurs(GetBuildWindowPort, SetBuildWindowPort, g_buildWindowPort);
    RemoveExportDialogs();
    RemoveWebImportDialogs();
}

} // namespace

void InstallViews()
{
    RegisterPaneViews();
    InstallDialogPorts();
}

void RegisterPaneViews()
{
    RegisterTimetableView();
    RegisterGroupView();
    RegisterVenueView();
    RegisterParticipantView();
}

void InstallDialogPorts() { CRotavexApp::SetWindowPortsInstaller(&InstallPorts, &RemovePorts); }
