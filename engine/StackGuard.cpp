#include "engine/StackGuard.h"

#include <atomic>
#include <cstdint>
#include <pthread.h>

// Constant-initialised: the object exists before any code runs.
constinit SE_StackOverflow SE_StackOverflow::Instance;

SE_StackOverflow* SE_StackOverflow::Get()
{
    return &Instance;
}

namespace {

std::atomic<std::size_t> g_uMargin{uDefaultStackMargin};

// The calling thread's stack as far as the guard knows it: its lowest
// usable address, read once per thread (for the first thread the library
// reads the process's memory map, which is too slow for every step).
struct ThreadStack {
    std::uintptr_t uLow = 0;
    // 0 not read yet, 1 known, -1 cannot be known.
    int iState = 0;
};

thread_local ThreadStack t_Stack;

void ReadStackBounds(ThreadStack& stack)
{
    stack.iState = -1;
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0)
        return;
    void* p_low = nullptr;
    std::size_t u_size = 0;
    if (pthread_attr_getstack(&attr, &p_low, &u_size) == 0 && p_low != nullptr && u_size > 0) {
        stack.uLow = reinterpret_cast<std::uintptr_t>(p_low);
        stack.iState = 1;
    }
    pthread_attr_destroy(&attr);
}

// The stack grows down: what is left lies between the present frame and
// the lowest address.
bool StackLeft(std::size_t& o_bytes)
{
    if (t_Stack.iState == 0)
        ReadStackBounds(t_Stack);
    if (t_Stack.iState != 1)
        return false;
    const auto u_here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    o_bytes = u_here > t_Stack.uLow ? u_here - t_Stack.uLow : 0;
    return true;
}

} // namespace

std::size_t GetStackGuardMargin()
{
    return g_uMargin.load(std::memory_order_relaxed);
}

std::size_t SetStackGuardMargin(std::size_t u_bytes)
{
    return g_uMargin.exchange(u_bytes);
}

bool GetStackLeft(std::size_t& o_bytes)
{
    return StackLeft(o_bytes);
}

void CheckStackGuard()
{
    std::size_t u_left = 0;
    if (StackLeft(u_left) && u_left < GetStackGuardMargin())
        throw SE_StackOverflow::Get();
}

BOOL ResetStackGuard()
{
    ReadStackBounds(t_Stack);
    std::size_t u_left = 0;
    return StackLeft(u_left) && u_left >= GetStackGuardMargin() ? TRUE : FALSE;
}
