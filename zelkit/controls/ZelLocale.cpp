#include "zelkit/controls/ZelLocale.h"

#include "framework/Encoding.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <optional>
#include <utility>

namespace {

// The user's settings as the environment gives them (LC_ALL, LC_xxx,
// LANG), read into a locale object of their own so that the process's
// locale neither matters nor changes.
class UserLocale : public IZelLocalePort {
public:
    Measure GetMeasureSystem() override
    {
        const locale_t h_locale = newlocale(LC_MEASUREMENT_MASK, "", static_cast<locale_t>(nullptr));
        if (h_locale == static_cast<locale_t>(nullptr))
            return measureUnknown;
        // The first byte is the system: 1 metric, 2 U.S.
        const char* p_value = nl_langinfo_l(_NL_MEASUREMENT_MEASUREMENT, h_locale);
        Measure e_measure = measureUnknown;
        if (p_value != nullptr)
            e_measure = p_value[0] == 2 ? measureUS : measureMetric;
        freelocale(h_locale);
        return e_measure;
    }

    std::string GetShortDateFormat() override
    {
        const locale_t h_locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
        if (h_locale == static_cast<locale_t>(nullptr))
            return {};
        std::string s_format;
        const char* p_format = nl_langinfo_l(D_FMT, h_locale);
        const char* p_codeset = nl_langinfo_l(CODESET, h_locale);
        if (p_format != nullptr) {
            s_format = p_format;
            bool b_ascii = true;
            for (const char c : s_format)
                b_ascii = b_ascii && static_cast<unsigned char>(c) < 0x80;
            if (!b_ascii) {
                std::optional<std::string> s_cp1252;
                if (p_codeset != nullptr && std::strcmp(p_codeset, "UTF-8") == 0)
                    s_cp1252 = Utf8ToCp1252(s_format);
                s_format = s_cp1252 ? *s_cp1252 : std::string();
            }
        }
        freelocale(h_locale);
        return s_format;
    }
};

UserLocale g_userLocale;
IZelLocalePort* g_pLocale = &g_userLocale;

} // namespace

IZelLocalePort& ZelGetLocalePort() { return *g_pLocale; }

IZelLocalePort* ZelSetLocalePort(IZelLocalePort* p_port)
{
    IZelLocalePort* p_old = g_pLocale;
    g_pLocale = p_port ? p_port : &g_userLocale;
    return p_old;
}

ZelFixedLocale::ZelFixedLocale(Measure e_measure, std::string s_dateFormat)
    : eMeasure(e_measure), sDateFormat(std::move(s_dateFormat)), pPrevious(ZelSetLocalePort(this))
{
}

ZelFixedLocale::~ZelFixedLocale() { ZelSetLocalePort(pPrevious); }
