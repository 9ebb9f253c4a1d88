// An auto-reset event: Set wakes one waiter (or the next one to wait) and
// clears itself. Worker threads signal their end with it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

class CAutoResetEvent {
public:
    void Set()
    {
        {
            std::lock_guard<std::mutex> lock(mMutex);
            bSignalled = true;
        }
        cvSignal.notify_one();
    }

    void Wait()
    {
        std::unique_lock<std::mutex> lock(mMutex);
        cvSignal.wait(lock, [this] { return bSignalled; });
        bSignalled = false;
    }

    // False when the time ran out first.
    bool WaitFor(std::chrono::milliseconds ms)
    {
        std::unique_lock<std::mutex> lock(mMutex);
        if (!cvSignal.wait_for(lock, ms, [this] { return bSignalled; }))
            return false;
        bSignalled = false;
        return true;
    }

private:
    std::mutex mMutex;
    std::condition_variable cvSignal;
    bool bSignalled = false;
};
