// The main frame's imports: a file of groups or participants chosen in a
// file dialog with the kind as two radio buttons (32860), and a file
// fetched from a web site (32859). Both hand the data to the import of the
// group view or the participant view and then revalidate the event.
#pragma once

#include "framework/Types.h"
#include "shell/frame/PaneView.h"

#include <string>

class EventDoc;

namespace FrameImports {

// Both commands are enabled while the group view or the participant view
// accepts imports.
BOOL CanImport(IPaneFinder& panes);

// 32860: the file dialog ("Import", text files or all files, the last file
// chosen offered again, the radios of the kind remembered for the run of
// the program), then the chosen view's import from a file; the event's
// lists are revalidated afterwards.
void ImportFromFile(IPaneFinder& panes, EventDoc* p_doc);

// 32859: the web-import dialog over the recent sites and files, the lists
// written back with the choice first, the fetch, then the chosen view's
// import from the text; the event's lists are revalidated and its views
// updated.
void ImportFromWeb(IPaneFinder& panes, EventDoc* p_doc);

// What the import from a file remembers for the run of the program: the
// kind (1327 groups, 1328 participants; 0 at first) and the last file.
int GetRememberedKind();
const std::string& GetRememberedFile();
// Back to the program's start (for tests).
void ForgetImportChoices();

} // namespace FrameImports
