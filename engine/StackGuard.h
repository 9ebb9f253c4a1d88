// The guard that keeps the engines' deep searches from running out of stack.
//
// The timetable search recurses once per nested trial, as deep as the
// number of cells in the complete modes, and the rostering search recurses
// likewise. Running off the end of a thread's stack cannot be recovered
// from on this platform, so the searches ask the guard at every step how
// much stack is left below them. When less than the margin remains, the
// guard throws the program's one stack-overflow object by pointer; the
// searches' transactions and scope guards unwind, and the build and roster
// drivers catch it as the stack overflow they report once the stack is
// back. The margin leaves room for everything a step does besides
// recursing, the message pump with its window painting included.
//
// A thread's stack bounds are read from the thread library
// (pthread_getattr_np) when the thread first asks and again when the guard
// is re-armed; tests lower the margin to reach an overflow quickly.
#pragma once

#include "framework/Types.h"

#include <cstddef>

// A fault of the platform carried as a program exception: the fault's code.
// Thrown by value.
class SE_Exception {
public:
    explicit constexpr SE_Exception(DWORD u_code) : uCode(u_code) {}
    DWORD GetCode() const { return uCode; }

private:
    DWORD uCode;
};

// The stack running out. Only the one instance exists, made before the
// program runs any code of its own, and it is thrown by pointer: nothing is
// allocated for it while the stack is short.
class SE_StackOverflow : public SE_Exception {
public:
    static constexpr DWORD uStackOverflowCode = 0xC00000FD;

    // The one instance.
    static SE_StackOverflow* Get();

private:
    constexpr SE_StackOverflow() : SE_Exception(uStackOverflowCode) {}
    static SE_StackOverflow Instance;
};

// The stack a search step keeps free below itself unless a test lowers it.
inline constexpr std::size_t uDefaultStackMargin = 512 * 1024;

// The margin in bytes, for every thread; setting it returns the old one.
std::size_t GetStackGuardMargin();
std::size_t SetStackGuardMargin(std::size_t u_bytes);

// Bytes of stack left to the calling thread below the caller; false when
// the thread's stack cannot be known, and then the guard never fires on it.
bool GetStackLeft(std::size_t& o_bytes);

// Throws SE_StackOverflow::Get() when the calling thread has less than the
// margin left. Called at every step of a recursive search.
void CheckStackGuard();

// Re-arms the guard after a caught overflow: reads the calling thread's
// stack bounds again and tells whether the margin is there, so that the
// next overflow is caught the same way. Non-zero while at least the margin
// is left; 0 when it is not, or when the stack cannot be known.
BOOL ResetStackGuard();
