// The search's own scope guards and its check macro, shared by the sources
// of the Shuffler (not for other users).
#pragma once

#include "engine/BuildEngine.h"
#include "engine/Shuffler.h"
#include "engine/StackGuard.h"
#include "zelkit/base/ZelAssert.h"

// The search's invariant checks report under the one source name the
// program has always given them, whichever of the search's files they sit
// in, and under the text they are known by.
#define SHUFFLER_CHECK(cond, text)                                \
    do {                                                          \
        if (__ZelAssertOn && !(cond))                             \
            __ZelAssert((text), "Shuffler.cpp", __LINE__, nullptr); \
    } while (0)

// One search step: the stack guard, the step and the level counted, the
// depth limit, the deepest level and the depth bar. The level is taken off
// again however the step ends.
class Shuffler::StepScope {
public:
    explicit StepScope(Shuffler& shuffler) : Owner(shuffler)
    {
        CheckStackGuard();
        ++Owner.uSteps;
        ++Owner.uDepth;
        if (Owner.uDepth > Owner.uDepthLimit) {
            --Owner.uDepth;
            ++Owner.uLimitHits;
            return;
        }
        bEntered = true;
        if (Owner.uDepth > Owner.uDeepest)
            Owner.uDeepest = Owner.uDepth;
        Owner.pEngine->SetDepthPos(Owner.uDepth);
    }
    ~StepScope()
    {
        if (bEntered)
            --Owner.uDepth;
    }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

    // FALSE when the step lies beyond the depth limit and fails at once.
    bool IsEntered() const { return bEntered; }

private:
    Shuffler& Owner;
    bool bEntered = false;
};

// Polled between trials: in line with them.
inline int Shuffler::Poll()
{
    return pEngine->PumpMessages() ? pEngine->GetUserChoice() : BuildEngine::failed;
}

// A list of the shuffler's, lent for a scope. The placement trials list a
// chunk's cells, the clashes of its cells and the groups to re-place
// millions of times; a trial started inside another (the commit of a
// placement can start one) takes the next list, so every list keeps its
// storage from one use to the next. Scopes end in the reverse order they
// begin, so the lists are given back in the order they were lent.
template <class T>
class Shuffler::Scratch {
public:
    // Lending is in line with the trial; only the first trials at a new
    // depth make a list, out of line.
    explicit Scratch(ScratchPool<T>& pool) : Pool(pool)
    {
        if (Pool.nLent == Pool.Items.size())
            Grow(Pool);
        pItem = Pool.Items[Pool.nLent++].get();
    }
    ~Scratch() { --Pool.nLent; }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    // The list, as the last borrower left it.
    T& Get() { return *pItem; }
    // The list emptied, its storage kept.
    T& GetEmpty()
    {
        pItem->RemoveAllKeepStorage();
        return *pItem;
    }

private:
    [[gnu::noinline]] static void Grow(ScratchPool<T>& pool) { pool.Items.push_back(std::make_unique<T>()); }

    ScratchPool<T>& Pool;
    T* pItem;
};

// A group's protected flag set for a scope and put back as it was.
class Shuffler::ProtectScope {
public:
    ProtectScope(Shuffler& shuffler, int i_group)
        : Owner(shuffler), iGroup(i_group), uSaved(shuffler.GetProtected(i_group))
    {
        Owner.SetProtected(iGroup, 1);
    }
    ~ProtectScope() { Owner.SetProtected(iGroup, uSaved); }
    ProtectScope(const ProtectScope&) = delete;
    ProtectScope& operator=(const ProtectScope&) = delete;

private:
    Shuffler& Owner;
    int iGroup;
    DWORD uSaved;
};

// The group target saved for a raising request and written back when the
// request ends.
class Shuffler::TargetScope {
public:
    explicit TargetScope(Shuffler& shuffler) : Owner(shuffler), Saved(shuffler.Target) {}
    ~TargetScope() { Owner.Target = Saved; }
    TargetScope(const TargetScope&) = delete;
    TargetScope& operator=(const TargetScope&) = delete;

private:
    Shuffler& Owner;
    GroupTarget Saved;
};
