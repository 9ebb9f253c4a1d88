// The sample timetables the program ships, for tests that go over every
// one of them: the test's build names the built folder (the CMake files
// pass it as ROTAVEX_SAMPLE_TIMETABLES).
#pragma once

#include <algorithm>
#include <filesystem>
#include <vector>

// The event files in the folder, in name order, so that a failure names
// the same sample on every run.
inline std::vector<std::filesystem::path> ShippedSamples(const std::filesystem::path& fs_folder)
{
    std::vector<std::filesystem::path> v_paths;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(fs_folder))
        if (entry.path().extension() == ".eve")
            v_paths.push_back(entry.path());
    std::sort(v_paths.begin(), v_paths.end());
    return v_paths;
}
