// The day grid's lock icon (bitmap 205), kept in the program.
#pragma once

#include <wx/bitmap.h>

// The 16-pixel lock; an empty bitmap when it cannot be read.
wxBitmap LoadLockBitmap();
