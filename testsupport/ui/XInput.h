// Real input through the X server for display tests: the wheel turned down
// (X button 5) sent over the server's test extension (wxUIActionSimulator
// has no wheel), and the wait that lets the server and the toolkit deliver
// what was sent. The events are real ones: the toolkit gives the window
// under the pointer the focus and the scroll as it would for a hand.
//
// The extension's functions are looked up at run time, as in
// WindowStacking.h, so that the tests need none of its headers.
#pragma once

#include "testsupport/ui/WxLoopDriving.h"

#include <chrono>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <thread>
#include <wx/app.h>

namespace xinput {

// Lets the X server and the toolkit deliver what the simulator sent.
inline void Settle(int i_ms = 150)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(i_ms);
    while (std::chrono::steady_clock::now() < t_end) {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    Pump();
}

// The mouse wheel through the X server's test extension: X reports each
// notch down as a press and release of button 5.
class XWheel {
public:
    XWheel()
    {
        void* p_x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_GLOBAL);
        void* p_xtst = dlopen("libXtst.so.6", RTLD_NOW | RTLD_GLOBAL);
        if (p_x11 == nullptr || p_xtst == nullptr)
            return;
        auto pfn_open = reinterpret_cast<void* (*)(const char*)>(dlsym(p_x11, "XOpenDisplay"));
        pfnFlush = reinterpret_cast<int (*)(void*)>(dlsym(p_x11, "XFlush"));
        pfnButton = reinterpret_cast<int (*)(void*, unsigned, int, unsigned long)>(dlsym(p_xtst, "XTestFakeButtonEvent"));
        if (pfn_open != nullptr && pfnFlush != nullptr && pfnButton != nullptr)
            pDisplay = pfn_open(nullptr);
    }
    bool IsAvailable() const { return pDisplay != nullptr; }
    void Down(int n_notches)
    {
        for (int i = 0; i < n_notches && pDisplay != nullptr; ++i) {
            pfnButton(pDisplay, 5, 1, 0);
            pfnButton(pDisplay, 5, 0, 0);
            pfnFlush(pDisplay);
            Settle(40);
        }
        Settle();
    }

private:
    void* pDisplay = nullptr;
    int (*pfnFlush)(void*) = nullptr;
    int (*pfnButton)(void*, unsigned, int, unsigned long) = nullptr;
};

// Turns the wheel down under the pointer, and waits for the scroll.
inline void WheelDown(int n_notches)
{
    static XWheel wheel;
    ASSERT_TRUE(wheel.IsAvailable()) << "the X test extension answers";
    wheel.Down(n_notches);
}

} // namespace xinput
