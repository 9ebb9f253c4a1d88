#include "res/RotavexStrings.h"
#include "framework/Resources.h"

namespace {
const StringEntry a_strings[] = {
    {IDS_SUPPORT_EMAIL, "support@rotavex.example"},
};
}

CResourceModule& RotavexResourceModule()
{
    static auto* p_module = new CResourceModule("rotavex", a_strings);
    return *p_module;
}
