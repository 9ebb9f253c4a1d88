// The build engine's invariant checks, shared by its sources (not for
// other users). They report under the one source name the build's checks
// have always had, whichever file they sit in, and under the text they
// are known by; the detail text is made only when a check fails.
#pragma once

#include "zelkit/base/ZelAssert.h"

#include <string>

#define BUILD_CHECK(cond, text)                                        \
    do {                                                               \
        if (__ZelAssertOn && !(cond))                                  \
            __ZelAssert((text), "BuildEngine.cpp", __LINE__, nullptr); \
    } while (0)

#define BUILD_CHECK_INFO(cond, text, other)                                            \
    do {                                                                               \
        if (__ZelAssertOn && !(cond)) {                                                \
            const std::string s_build_check_other = (other);                           \
            __ZelAssert((text), "BuildEngine.cpp", __LINE__, s_build_check_other.c_str()); \
        }                                                                              \
    } while (0)
