#include "framework/ui/WindowClass.h"

#include <algorithm>
#include <utility>

namespace {
std::vector<std::pair<std::string, WindowFactory>>& Table()
{
    // Never destroyed: libraries unregister from their unload hooks, which
    // may run after static destructors.
    static auto* p_table = new std::vector<std::pair<std::string, WindowFactory>>;
    return *p_table;
}

auto Find(const std::string& s_name)
{
    return std::find_if(Table().begin(), Table().end(), [&](const auto& e) { return e.first == s_name; });
}
} // namespace

namespace WindowClasses {

bool Register(const std::string& s_name, WindowFactory f_create)
{
    if (Find(s_name) != Table().end())
        return false;
    Table().emplace_back(s_name, std::move(f_create));
    return true;
}

bool Unregister(const std::string& s_name)
{
    const auto it = Find(s_name);
    if (it == Table().end())
        return false;
    Table().erase(it);
    return true;
}

bool IsRegistered(const std::string& s_name) { return Find(s_name) != Table().end(); }

std::vector<std::string> Names()
{
    std::vector<std::string> v;
    for (const auto& e : Table())
        v.push_back(e.first);
    return v;
}

wxWindow* Create(const std::string& s_name, wxWindow* p_parent, int i_id)
{
    const auto it = Find(s_name);
    return it == Table().end() || !it->second ? nullptr : it->second(p_parent, i_id);
}

} // namespace WindowClasses
