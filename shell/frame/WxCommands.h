// Command ids on screen. The framework's commands take wx's own ids (new,
// open, save, recent files, exit, about, print, help ...), so that the
// desktop's stock labels, accelerators and recent-file handling apply; every
// other command keeps its number, folded below wx's limit by WxId.
#pragma once

#include "framework/Types.h"

// The wx id of a command.
int CommandWxId(UINT u_command);
