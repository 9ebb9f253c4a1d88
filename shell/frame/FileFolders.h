// Where the program's file dialogs open: the folder of the event file the
// user opened or saved last (the first of the recent files), else the
// desktop's documents folder, so that a new event is not saved among the
// program's own files; and the file name a save offers for an event.
#pragma once

#include <string>

namespace FileFolders {

// The settings key of the recent files; its values File1 (the last file
// opened or saved) to File4.
std::string RecentFilesKey();

// The desktop's documents folder: $XDG_DOCUMENTS_DIR, else the one named
// in user-dirs.dirs of $XDG_CONFIG_HOME (or ~/.config), when it exists;
// else the home folder.
std::string DocumentsFolder();

// The folder a file dialog opens in: the folder of the last file opened
// or saved when it still exists, else DocumentsFolder().
std::string StartFolder();

// The folder a dialog about the open event opens in (exports, imports):
// the folder of the event's file (s_eventPath, UTF-8) when it has one,
// else DocumentsFolder().
std::string EventFolder(const std::string& s_eventPath);

// The event's name (code page 1252) as a file name (UTF-8) with the
// extension s_ext (with its dot): characters a file name cannot hold
// become "-"; s_fallback (UTF-8) stands for an event without a name, and
// with neither the result is empty.
std::string NameForFile(const std::string& s_eventName, const std::string& s_fallback, const std::string& s_ext);

} // namespace FileFolders
