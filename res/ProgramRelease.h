// The program's name and release number, shared by the shell (about box,
// error reports) and the event file, which records the release it was
// written with.
#pragma once

inline constexpr const char* RVX_PRODUCT_NAME = "Rotavex";
// Release 1.89: version 1, revision 89.
inline constexpr unsigned RVX_RELEASE_NUMBER = 189;
