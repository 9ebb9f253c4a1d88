#include "framework/Resources.h"

#include <algorithm>

CResourceModule::CResourceModule(std::string s_name, std::span<const StringEntry> a_strings)
    : sName(std::move(s_name))
{
    for (const StringEntry& e : a_strings)
        mStrings.emplace(e.uId, e.pText);
}

const char* CResourceModule::FindString(std::uint32_t u_id) const
{
    const auto it = mStrings.find(u_id);
    return it == mStrings.end() ? nullptr : it->second;
}

namespace {
std::vector<CResourceModule*>& Chain()
{
    // Never destroyed: libraries leave the chain from their unload hooks,
    // which may run after static destructors.
    static auto* p_chain = new std::vector<CResourceModule*>;
    return *p_chain;
}
CResourceModule* g_pCurrent = nullptr;
} // namespace

namespace ResourceChain {

void Add(CResourceModule* p_module, bool b_first)
{
    if (!p_module || Contains(p_module))
        return;
    auto& v = Chain();
    if (b_first)
        v.insert(v.begin(), p_module);
    else
        v.push_back(p_module);
}

void Remove(CResourceModule* p_module)
{
    auto& v = Chain();
    v.erase(std::remove(v.begin(), v.end(), p_module), v.end());
    if (g_pCurrent == p_module)
        g_pCurrent = nullptr;
}

bool Contains(const CResourceModule* p_module)
{
    const auto& v = Chain();
    return std::find(v.begin(), v.end(), p_module) != v.end();
}

std::vector<CResourceModule*> Modules() { return Chain(); }

CResourceModule* GetCurrent() { return g_pCurrent; }
void SetCurrent(CResourceModule* p_module) { g_pCurrent = p_module; }

} // namespace ResourceChain

bool LoadResourceString(std::uint32_t u_id, std::string& s_out)
{
    if (g_pCurrent) {
        if (const char* p = g_pCurrent->FindString(u_id)) {
            s_out = p;
            return true;
        }
    }
    for (CResourceModule* p_module : Chain()) {
        if (const char* p = p_module->FindString(u_id)) {
            s_out = p;
            return true;
        }
    }
    return false;
}

std::string FormatMessageText(const std::string& s_format, std::span<const std::string> a_args)
{
    std::string s_out;
    s_out.reserve(s_format.size());
    for (std::size_t i = 0; i < s_format.size(); ++i) {
        const char c = s_format[i];
        if (c != '%' || i + 1 >= s_format.size()) {
            s_out += c;
            continue;
        }
        const char c_next = s_format[i + 1];
        if (c_next == '%') {
            s_out += '%';
            ++i;
            continue;
        }
        if (c_next < '1' || c_next > '9') {
            s_out += c;
            continue;
        }
        const std::size_t u_arg = static_cast<std::size_t>(c_next - '1');
        std::size_t u_end = i + 2;
        if (u_end < s_format.size() && s_format[u_end] == '!') {
            const std::size_t u_close = s_format.find('!', u_end + 1);
            if (u_close != std::string::npos)
                u_end = u_close + 1;
        }
        if (u_arg < a_args.size())
            s_out += a_args[u_arg];
        else
            s_out.append(s_format, i, u_end - i);
        i = u_end - 1;
    }
    return s_out;
}

std::string FormatMessageText(const std::string& s_format, std::initializer_list<std::string> a_args)
{
    return FormatMessageText(s_format, std::span<const std::string>(a_args.begin(), a_args.size()));
}
