// String tables and the resource chain.
//
// Each deliverable (the program, the class library) owns one resource
// module: a table of (id, text) pairs compiled in. Modules join a chain at
// start-up. A lookup searches the current module first (library code makes
// its own module current while it loads its texts, see ZelLocalResource),
// then every module of the chain in order, so the program can find the
// library's texts and the library its own.
//
// Texts are bytes in code page 1252, as the model keeps all text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <vector>

struct StringEntry {
    std::uint32_t uId;
    const char* pText;
};

class CResourceModule {
public:
    CResourceModule(std::string s_name, std::span<const StringEntry> a_strings);
    const std::string& GetName() const { return sName; }
    // The text of id, or null when this module has none.
    const char* FindString(std::uint32_t u_id) const;

private:
    std::string sName;
    std::map<std::uint32_t, const char*> mStrings;
};

namespace ResourceChain {
// Appends a module to the chain (at the front with b_first); a module
// already in the chain is not added twice.
void Add(CResourceModule* p_module, bool b_first = false);
void Remove(CResourceModule* p_module);
bool Contains(const CResourceModule* p_module);
std::vector<CResourceModule*> Modules();

// The module searched first; null means "none selected": the chain alone.
CResourceModule* GetCurrent();
void SetCurrent(CResourceModule* p_module);
} // namespace ResourceChain

// Finds string u_id along the chain; false when no module has it.
bool LoadResourceString(std::uint32_t u_id, std::string& s_out);

// Replaces "%1" to "%9" in s_format by the arguments. A specifier after the
// number ("%1!d!") is dropped: arguments arrive as text already. "%%"
// stands for a lone "%". A placeholder without an argument is left as it is.
std::string FormatMessageText(const std::string& s_format, std::span<const std::string> a_args);
std::string FormatMessageText(const std::string& s_format, std::initializer_list<std::string> a_args);
