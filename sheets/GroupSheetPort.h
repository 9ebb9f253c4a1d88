// The group pane's group sheet: the port through which the pane's add and
// change dialogs open the real GroupPSheet. InstallSheets installs it.
#pragma once

void InstallGroupSheetPort();
