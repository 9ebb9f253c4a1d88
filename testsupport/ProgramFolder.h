// A folder of its own for a test that runs the program: made empty, and the
// machine's settings (the install path and the licence file in the folder)
// pointing at it, the user's settings kept inside it.
#pragma once

#include "framework/FileIO.h"
#include "framework/Settings.h"

#include <filesystem>
#include <string>
#include <unistd.h>

// An empty folder under the temporary folder, named for the test and this
// process.
inline std::filesystem::path MakeTestFolder(const std::string& s_name)
{
    const std::filesystem::path fs_folder =
        std::filesystem::temp_directory_path() / (s_name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(fs_folder);
    std::filesystem::create_directories(fs_folder);
    return fs_folder;
}

// The program installed in the folder, its user's settings kept there too.
inline void ConfigureProgramSettings(const std::filesystem::path& fs_folder)
{
    const std::string s_machine = "[Software\\Vantor Software\\Rotavex]\n\"Path\"=sz:\"" + fs_folder.string()
        + "\"\n\"License\"=sz:\"" + (fs_folder / "licence.txt").string() + "\"\n";
    WriteFileAtomically((fs_folder / "install.ini").string(), s_machine);
    CSettingsStore::Get().Configure((fs_folder / "user" / "settings").string(), (fs_folder / "install.ini").string());
}
