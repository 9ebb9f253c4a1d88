// The editing sheets join the program: each installs what the document and
// the views need to open it (ports, the availability of its commands).
#pragma once

void InstallSheets();
