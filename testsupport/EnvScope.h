// An environment variable set (or unset) for the length of a scope, then
// put back as it was.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class EnvScope {
public:
    // nullopt unsets the variable.
    EnvScope(const char* p_name, const std::optional<std::string>& o_value) : pName(p_name)
    {
        if (const char* p_old = std::getenv(p_name))
            oOld = p_old;
        Set(o_value);
    }
    ~EnvScope() { Set(oOld); }
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

private:
    void Set(const std::optional<std::string>& o_value)
    {
        if (o_value)
            setenv(pName, o_value->c_str(), 1);
        else
            unsetenv(pName);
    }
    const char* pName;
    std::optional<std::string> oOld;
};
