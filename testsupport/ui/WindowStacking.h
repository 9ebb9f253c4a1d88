// Which of the program's windows a window manager stacks on top, and which
// it gave the focus, for display tests that run under one (the launcher's
// WM flag). Without a window manager nothing stacks or focuses windows, and
// HasWindowManager is false: such a test skips.
//
// The toolkit's own windows count too, its message boxes among them: the
// toolkit's functions are looked up at run time, as in GtkPrintToFile.h,
// so that the tests need none of its headers.
#pragma once

#include <chrono>
#include <cstddef>
#include <dlfcn.h>
#include <functional>
#include <string>
#include <thread>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/toplevel.h>
#include <wx/window.h>

namespace wmstack {

struct GList {
    void* data;
    GList* next;
    GList* prev;
};

template <class Fn>
Fn Find(const char* p_name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, p_name));
}

// The type name of a toolkit object: an instance starts with its class,
// which starts with its type.
inline std::string TypeName(void* p_instance)
{
    auto p_typeName = Find<const char* (*)(std::size_t)>("g_type_name");
    if (p_typeName == nullptr || p_instance == nullptr)
        return {};
    return p_typeName(**static_cast<std::size_t**>(p_instance));
}

} // namespace wmstack

// Whether a window manager runs on the display and tells the stacking order.
inline bool HasWindowManager()
{
    using namespace wmstack;
    auto p_screen = Find<void* (*)()>("gdk_screen_get_default");
    auto p_atom = Find<void* (*)(const char*)>("gdk_atom_intern_static_string");
    auto p_supports = Find<int (*)(void*, void*)>("gdk_x11_screen_supports_net_wm_hint");
    if (p_screen == nullptr || p_atom == nullptr || p_supports == nullptr || p_screen() == nullptr)
        return false;
    return p_supports(p_screen(), p_atom("_NET_CLIENT_LIST_STACKING")) != 0;
}

// The toolkit window (GtkWindow*) of the program that the window manager
// stacks highest among those on screen; null when it tells nothing.
inline void* TopmostToolkitWindow()
{
    using namespace wmstack;
    auto p_screen = Find<void* (*)()>("gdk_screen_get_default");
    auto p_stack = Find<GList* (*)(void*)>("gdk_screen_get_window_stack");
    auto p_toplevels = Find<GList* (*)()>("gtk_window_list_toplevels");
    auto p_window = Find<void* (*)(void*)>("gtk_widget_get_window");
    auto p_visible = Find<int (*)(void*)>("gtk_widget_get_visible");
    auto p_free = Find<void (*)(GList*)>("g_list_free");
    auto p_unref = Find<void (*)(void*)>("g_object_unref");
    if (!p_screen || !p_stack || !p_toplevels || !p_window || !p_visible || !p_free || !p_unref)
        return nullptr;
    GList* p_stacked = p_stack(p_screen());
    GList* p_windows = p_toplevels();
    void* p_top = nullptr;
    // The stack runs from the bottom to the top.
    for (GList* p_s = p_stacked; p_s != nullptr; p_s = p_s->next)
        for (GList* p_w = p_windows; p_w != nullptr; p_w = p_w->next)
            if (p_visible(p_w->data) && p_window(p_w->data) == p_s->data)
                p_top = p_w->data;
    p_free(p_windows);
    for (GList* p_s = p_stacked; p_s != nullptr; p_s = p_s->next)
        p_unref(p_s->data);
    p_free(p_stacked);
    return p_top;
}

// Whether the window manager gave the toolkit window the focus.
inline bool IsActiveToolkitWindow(void* p_gtk_window)
{
    auto p_active = wmstack::Find<int (*)(void*)>("gtk_window_is_active");
    return p_active != nullptr && p_gtk_window != nullptr && p_active(p_gtk_window) != 0;
}

// The toolkit window of a wx top-level window.
inline void* ToolkitWindowOf(const wxTopLevelWindow& window)
{
    return window.GetHandle();
}

// The toolkit window a toolkit dialog is kept above (its transient parent).
inline void* TransientParentOf(void* p_gtk_window)
{
    auto p_parent = wmstack::Find<void* (*)(void*)>("gtk_window_get_transient_for");
    return p_parent != nullptr && p_gtk_window != nullptr ? p_parent(p_gtk_window) : nullptr;
}

// The message box (GtkMessageDialog) on screen, if any.
inline void* ShownMessageBox()
{
    using namespace wmstack;
    auto p_toplevels = Find<GList* (*)()>("gtk_window_list_toplevels");
    auto p_visible = Find<int (*)(void*)>("gtk_widget_get_visible");
    auto p_free = Find<void (*)(GList*)>("g_list_free");
    if (!p_toplevels || !p_visible || !p_free)
        return nullptr;
    GList* p_windows = p_toplevels();
    void* p_box = nullptr;
    for (GList* p_w = p_windows; p_w != nullptr; p_w = p_w->next)
        if (p_visible(p_w->data) && TypeName(p_w->data) == "GtkMessageDialog")
            p_box = p_w->data;
    p_free(p_windows);
    return p_box;
}

// Answers a toolkit message box as its button with the response given
// (GTK_RESPONSE_OK is -5) would.
inline void AnswerMessageBox(void* p_box, int i_response = -5)
{
    if (auto p_response = wmstack::Find<void (*)(void*, int)>("gtk_dialog_response"); p_response && p_box)
        p_response(p_box, i_response);
}

// What the window shows on the display now, read back from the display
// server (so what its last painting left there); an invalid image when the
// display cannot be read. Parts another window covers read as that window.
inline wxImage CaptureOnScreen(wxWindow& window)
{
    using namespace wmstack;
    auto p_capture = Find<void* (*)(void*, int, int, int, int)>("gdk_pixbuf_get_from_window");
    auto p_pixels = Find<unsigned char* (*)(void*)>("gdk_pixbuf_get_pixels");
    auto p_stride = Find<int (*)(void*)>("gdk_pixbuf_get_rowstride");
    auto p_channels = Find<int (*)(void*)>("gdk_pixbuf_get_n_channels");
    auto p_unref = Find<void (*)(void*)>("g_object_unref");
    const wxSize size = window.GetClientSize();
    if (!p_capture || !p_pixels || !p_stride || !p_channels || !p_unref || size.x <= 0 || size.y <= 0)
        return {};
    void* p_pixbuf = p_capture(window.GTKGetDrawingWindow(), 0, 0, size.x, size.y);
    if (p_pixbuf == nullptr)
        return {};
    wxImage image(size);
    const unsigned char* p_data = p_pixels(p_pixbuf);
    const int i_stride = p_stride(p_pixbuf);
    const int n_channels = p_channels(p_pixbuf);
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) {
            const unsigned char* p = p_data + y * i_stride + x * n_channels;
            image.SetRGB(x, y, p[0], p[1], p[2]);
        }
    p_unref(p_pixbuf);
    return image;
}

// Lets the toolkit and the window manager work until the condition holds,
// for at most the time given; whether it held.
inline bool WaitUntil(const std::function<bool()>& f_holds, int i_ms = 3000)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(i_ms);
    while (!f_holds()) {
        if (std::chrono::steady_clock::now() > t_end)
            return false;
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
