// The main toolbar's button images: the desktop's own for the framework's
// commands (new, open, save, delete, print, help), small drawings for the
// program's.
#pragma once

#include "framework/Types.h"

#include <wx/bitmap.h>

// The image of the toolbar button of the command; 16 by 16 pixels.
wxBitmap ToolbarBitmap(UINT u_command);
