// Hands a document, a file or a link (mailto:, https:) to the desktop's
// "open", under a wait cursor.
#pragma once

#include <string>

// The results: above 32 the desktop took the target.
enum : int {
    SHELL_OPEN_EMPTY = 0,
    SHELL_OPEN_NO_HANDLER = 31,
    SHELL_OPEN_DONE = 33,
};

// Opens s_target (code page 1252) through the desktop port: SHELL_OPEN_DONE
// when it was handed over, SHELL_OPEN_NO_HANDLER when it could not be, and
// SHELL_OPEN_EMPTY, without asking the desktop, for an empty target.
int ShellOpen(const std::string& s_target);
