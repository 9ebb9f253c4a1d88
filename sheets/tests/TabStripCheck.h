// Whether a sheet on a display shows every tab of its notebook whole: a
// notebook too narrow for its tabs scrolls them and hides some, or shows
// them cut at its edge. The toolkit's own functions tell where it placed
// each tab; they come in with wx and are looked up at run time.
#pragma once

#include <dlfcn.h>
#include <vector>
#include <wx/bookctrl.h>

// The tabs (by index) that are not shown whole inside the notebook's
// visible width; empty when every tab shows. -1 alone when the toolkit's
// functions cannot be found.
inline std::vector<int> TabsNotShownWhole(wxBookCtrlBase& book)
{
    using TabLabelFn = void* (*)(void*, void*);
    using FlagFn = int (*)(void*);
    using TranslateFn = int (*)(void*, void*, int, int, int*, int*);
    using WidthFn = int (*)(void*);
    const auto f_label = reinterpret_cast<TabLabelFn>(dlsym(RTLD_DEFAULT, "gtk_notebook_get_tab_label"));
    const auto f_childVisible = reinterpret_cast<FlagFn>(dlsym(RTLD_DEFAULT, "gtk_widget_get_child_visible"));
    const auto f_mapped = reinterpret_cast<FlagFn>(dlsym(RTLD_DEFAULT, "gtk_widget_get_mapped"));
    const auto f_translate = reinterpret_cast<TranslateFn>(dlsym(RTLD_DEFAULT, "gtk_widget_translate_coordinates"));
    const auto f_width = reinterpret_cast<WidthFn>(dlsym(RTLD_DEFAULT, "gtk_widget_get_allocated_width"));
    if (!f_label || !f_childVisible || !f_mapped || !f_translate || !f_width)
        return {-1};
    void* p_book = book.GetHandle();
    const int i_bookWidth = f_width(p_book);
    std::vector<int> v_hidden;
    for (size_t i = 0; i < book.GetPageCount(); ++i) {
        void* p_tab = f_label(p_book, book.GetPage(i)->GetHandle());
        int i_x = -1;
        int i_y = -1;
        const bool b_shown = p_tab != nullptr && f_childVisible(p_tab) && f_mapped(p_tab)
            && f_translate(p_tab, p_book, 0, 0, &i_x, &i_y) && i_x >= 0 && i_x + f_width(p_tab) <= i_bookWidth;
        if (!b_shown)
            v_hidden.push_back(static_cast<int>(i));
    }
    return v_hidden;
}
