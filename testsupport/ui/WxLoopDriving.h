// The event loop's side of driving windows in display tests: letting the
// toolkit deliver what a step queued, finding the modal window that is up,
// playing steps once a modal window shows, and keeping windows on screen
// for a look.
//
// With ROTAVEX_SHOW_SECONDS set, ShowAWhile keeps the windows on screen that
// long (only at the step ROTAVEX_SHOW_ONLY names, when it is set), for
// screenshots.
#pragma once

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

inline void ShowAWhile(const char* p_what = nullptr)
{
    const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS");
    const char* p_only = std::getenv("ROTAVEX_SHOW_ONLY");
    if (p_seconds == nullptr || (p_only != nullptr && (p_what == nullptr || std::string(p_only) != p_what)))
        return;
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
    while (std::chrono::steady_clock::now() < t_end) {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// Lets the toolkit deliver what a step queued, as the running program would
// before the user's next step.
inline void Pump()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

// The modal window of type T that is up, if any.
template <class T>
T* FindModal()
{
    for (wxWindow* p_win : wxTopLevelWindows)
        if (auto* p = dynamic_cast<T*>(p_win); p != nullptr && p->IsModal())
            return p;
    return nullptr;
}

namespace wxloop {

// Looks for a modal T every 20 ms for a while, from a timer, so that a
// closing dialog's loop can end between two looks; once it is up, the steps
// are played on it (from the timer's handler, or from the loop when
// b_from_loop), and a dialog the steps leave open is cancelled so that a
// failure cannot hang the run.
template <class T>
void PlayWhenShown(std::function<void(T&)> f_steps, int n_tries, bool b_from_loop)
{
    auto* p_timer = new wxTimer;
    p_timer->Bind(wxEVT_TIMER, [p_timer, f_steps, n_tries, b_from_loop](wxTimerEvent&) {
        // The timer (and this handler with it) goes once the events at hand
        // are done, which may be while the steps still run: they work on
        // copies.
        const std::function<void(T&)> f_mine = f_steps;
        const int n_left = n_tries;
        const bool b_loop = b_from_loop;
        wxTheApp->CallAfter([p_timer] { delete p_timer; });
        T* p_dlg = FindModal<T>();
        if (p_dlg == nullptr) {
            if (n_left > 0)
                PlayWhenShown<T>(f_mine, n_left - 1, b_loop);
            else
                ADD_FAILURE() << "the dialog did not show";
            return;
        }
        auto f_play = [f_mine, p_dlg] {
            f_mine(*p_dlg);
            if (p_dlg->IsModal())
                p_dlg->EndModal(wxID_CANCEL);
        };
        if (b_loop)
            wxTheApp->CallAfter(f_play);
        else
            f_play();
    });
    p_timer->StartOnce(20);
}

} // namespace wxloop

// Plays the steps once a modal T shows, from the timer that found it.
template <class T>
void WhenShown(std::function<void(T&)> f_steps, int n_tries = 250)
{
    wxloop::PlayWhenShown<T>(std::move(f_steps), n_tries, false);
}

// The same, the steps run from the dialog's loop rather than the timer's
// handler, so that the dialog paints while they show it.
template <class T>
void WhenShownPainted(std::function<void(T&)> f_steps, int n_tries = 250)
{
    wxloop::PlayWhenShown<T>(std::move(f_steps), n_tries, true);
}

// A click on a button from inside a modal loop: nothing is pumped after it,
// so that a window the click opens or closes is left to the loop (a pump here
// could run the next modal window's steps too early).
inline void PressInLoop(wxWindow& window, int i_id)
{
    wxWindow* p_button = window.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

// Sets a box's text as typing does (its change notice follows), the box not
// left and nothing pumped.
inline void TypeInLoop(wxWindow& window, int i_id, const wxString& s_text)
{
    auto* p_text = wxDynamicCast(window.FindWindow(i_id), wxTextCtrl);
    ASSERT_NE(p_text, nullptr) << i_id;
    p_text->SetValue(s_text);
}

inline void TypeInLoop(wxWindow& window, int i_id, const char* p_typed)
{
    TypeInLoop(window, i_id, wxString::FromUTF8(p_typed));
}

// For a look at the windows: ROTAVEX_SHOW_SECONDS keeps them up that long,
// pumped throughout.
inline void ShowForALook()
{
    const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS");
    const int n_seconds = p_seconds ? std::atoi(p_seconds) : 0;
    for (int i = 0; i < n_seconds * 20; ++i) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
