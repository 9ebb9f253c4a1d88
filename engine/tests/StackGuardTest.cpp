// The stack guard on threads with small stacks: a recursive search that asks
// the guard at every level is stopped by the one stack-overflow object
// before the stack runs out, and is stopped the same way again afterwards.
#include "engine/StackGuard.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <cstddef>
#include <functional>

namespace {

// Sets the margin for a test and puts the old one back.
class MarginScope {
public:
    explicit MarginScope(std::size_t u_bytes) : uSaved(SetStackGuardMargin(u_bytes)) {}
    ~MarginScope() { SetStackGuardMargin(uSaved); }
    MarginScope(const MarginScope&) = delete;
    MarginScope& operator=(const MarginScope&) = delete;

private:
    std::size_t uSaved;
};

// Runs f_body on a new thread with a stack of u_stack bytes and waits for it.
void RunOnStack(std::size_t u_stack, const std::function<void()>& f_body)
{
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, u_stack), 0);
    pthread_t thread;
    auto pfn_run = [](void* p_body) -> void* {
        (*static_cast<const std::function<void()>*>(p_body))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, pfn_run, const_cast<std::function<void()>*>(&f_body)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

struct Descent {
    int nLevels = 0;
    std::size_t uLeftAtLast = 0;   // stack left at the deepest level the guard let pass
    std::size_t uLeftAtThrow = 0;  // stack left at the level it stopped
};

// One level of a search: a frame of a few hundred bytes, a guard check, and
// the next level. The bound only keeps the compiler from calling it endless.
__attribute__((noinline)) int Descend(int i_level, Descent& descent)
{
    volatile char a_frame[400];
    a_frame[0] = static_cast<char>(i_level);
    std::size_t u_left = 0;
    GetStackLeft(u_left);
    descent.uLeftAtThrow = u_left;
    CheckStackGuard();
    descent.nLevels = i_level;
    descent.uLeftAtLast = u_left;
    if (i_level > 10'000'000)
        return a_frame[0];
    return Descend(i_level + 1, descent) + a_frame[0];
}

struct Outcome {
    bool bCaught = false;
    SE_StackOverflow* pCaught = nullptr;
    Descent descent;
    BOOL bReset = FALSE;
};

Outcome Overflow()
{
    Outcome outcome;
    try {
        Descend(1, outcome.descent);
    } catch (SE_StackOverflow* p_overflow) {
        outcome.bCaught = true;
        outcome.pCaught = p_overflow;
        outcome.bReset = ResetStackGuard();
    }
    return outcome;
}

TEST(StackGuard, StopsADeepSearchOnASmallStackBeforeTheMarginIsUsedAndAgainAfterTheReset)
{
    const std::size_t u_stack = 256 * 1024;
    const std::size_t u_margin = 64 * 1024;
    MarginScope margin(u_margin);
    Outcome first, second;
    BOOL b_armed_at_start = FALSE;
    RunOnStack(u_stack, [&] {
        b_armed_at_start = ResetStackGuard();
        first = Overflow();
        second = Overflow();
    });

    EXPECT_TRUE(b_armed_at_start);
    for (const Outcome* p : {&first, &second}) {
        ASSERT_TRUE(p->bCaught);
        EXPECT_EQ(p->pCaught, SE_StackOverflow::Get());
        EXPECT_EQ(p->pCaught->GetCode(), 0xC00000FDu);
        // Stopped at the first level below the margin, not earlier.
        EXPECT_GE(p->descent.uLeftAtLast, u_margin);
        EXPECT_LT(p->descent.uLeftAtThrow, u_margin);
        EXPECT_GT(p->descent.uLeftAtThrow, u_margin / 2);
        // Most of the stack was used on the way down.
        EXPECT_GT(p->descent.nLevels * 400, static_cast<int>((u_stack - u_margin) / 2));
        // Back at the top the margin is there again.
        EXPECT_TRUE(p->bReset);
    }
    // The second overflow goes exactly as deep as the first.
    EXPECT_EQ(second.descent.nLevels, first.descent.nLevels);
}

TEST(StackGuard, AMarginLargerThanTheStackStopsTheFirstStepAndCannotBeReArmed)
{
    MarginScope margin(1024 * 1024);
    Outcome outcome;
    BOOL b_armed = TRUE;
    RunOnStack(256 * 1024, [&] {
        b_armed = ResetStackGuard();
        outcome = Overflow();
    });
    EXPECT_FALSE(b_armed);
    ASSERT_TRUE(outcome.bCaught);
    EXPECT_EQ(outcome.descent.nLevels, 0);
    EXPECT_FALSE(outcome.bReset);
}

TEST(StackGuard, KnowsTheMainThreadsStackWithTheDefaultMargin)
{
    EXPECT_EQ(GetStackGuardMargin(), uDefaultStackMargin);
    std::size_t u_left = 0;
    ASSERT_TRUE(GetStackLeft(u_left));
    EXPECT_GT(u_left, uDefaultStackMargin);
    EXPECT_TRUE(ResetStackGuard());
    EXPECT_NO_THROW(CheckStackGuard());
}

} // namespace
