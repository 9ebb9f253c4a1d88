// The end of a program run that a test started in-process: nothing left to
// save (so no question is asked), the application shut down, the pane
// views' window classes the test registered taken back, the settings
// store detached and the test's folder removed.
#pragma once

#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "model/EventDoc.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/RotavexApp.h"

#include <filesystem>
#include <initializer_list>

inline void EndProgramRun(std::initializer_list<const char*> a_viewClasses, const std::filesystem::path& fs_folder)
{
    if (CEventDocument* p_doc = TheApp()->GetDocument()) {
        p_doc->GetEvent().SetModifiedFlag(false);
        p_doc->Modify(false);
    }
    TheApp()->ShutDown();
    for (const char* p_class : a_viewClasses)
        WindowClasses::Unregister(p_class);
    CSettingsStore::Get().Configure("", "");
    std::filesystem::remove_all(fs_folder);
}
