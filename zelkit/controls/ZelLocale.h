// What the library's controls read of the user's locale: the measurement
// system (label lengths shown in inches or millimetres) and the short date
// format (the month calendar's "Today:" line).
//
// The port is process-wide. Until something else is installed it reads
// the user's locale settings (LC_MEASUREMENT, LC_TIME) from the
// environment as the desktop's programs do, whatever locale the process
// itself runs in; tests install a fixed locale.
#pragma once

#include <string>

class IZelLocalePort {
public:
    enum Measure { measureUnknown = -1, measureMetric = 0, measureUS = 1 };

    virtual ~IZelLocalePort() = default;
    // The user's measurement system; unknown when it cannot be read.
    virtual Measure GetMeasureSystem() = 0;
    // The user's short date format as strftime codes (code page 1252);
    // empty when it cannot be read or held.
    virtual std::string GetShortDateFormat() = 0;
};

IZelLocalePort& ZelGetLocalePort();
// Installs a port; null puts the user's locale back. Returns the old one.
IZelLocalePort* ZelSetLocalePort(IZelLocalePort* p_port);

// A fixed locale for tests; installs itself for its lifetime.
class ZelFixedLocale : public IZelLocalePort {
public:
    ZelFixedLocale(Measure e_measure, std::string s_dateFormat);
    ~ZelFixedLocale() override;
    ZelFixedLocale(const ZelFixedLocale&) = delete;
    ZelFixedLocale& operator=(const ZelFixedLocale&) = delete;

    Measure GetMeasureSystem() override { return eMeasure; }
    std::string GetShortDateFormat() override { return sDateFormat; }

    Measure eMeasure;
    std::string sDateFormat;

private:
    IZelLocalePort* pPrevious;
};
