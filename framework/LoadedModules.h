// The libraries loaded into the process and their versions, as the start-up
// check of required libraries compares them: four 16-bit parts packed into
// 64 bits, most significant first (3.24.38.0 is 0x0003'0018'0026'0000), and 0
// when a library is not loaded or its version cannot be told.
//
// A shared object's version is read from the name of the file it was loaded
// from: the numbers after ".so." (libstdc++.so.6.0.30 gives 6.0.30.0).
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <string>

std::uint64_t MakeModuleVersion(WORD u_major, WORD u_minor, WORD u_build, WORD u_revision);

// Up to four dot-separated numbers at the start of the text ("2.36",
// "3.24.38-1" reads 3.24.38.0); parts missing are 0, and so is a text that
// does not begin with a number. A part above 65535 makes the whole 0.
std::uint64_t ParseModuleVersion(const std::string& s_text);

// The path (symbolic links resolved) of the loaded shared object named
// "lib" + s_stem + ".so" with or without a version after it; empty when
// the process has none.
std::string FindLoadedObject(const std::string& s_stem);

// The version in that object's file name; 0 when it is not loaded or its
// name carries none.
std::uint64_t GetLoadedObjectVersion(const std::string& s_stem);

// The C library's own version (its file name only carries the interface
// number).
std::uint64_t GetCLibraryVersion();
