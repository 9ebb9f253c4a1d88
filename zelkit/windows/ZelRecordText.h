// One-line text forms of window and printer records, so that a window's
// placement or a printer choice can be kept in the settings store and
// turned back into a record later.
//
// Every form starts with its version field "1". Texts inside a form escape
// "\", '"' and ":" with a backslash and lose their line feeds, so that the
// string-array splitting (":" separators, '"' quotes, "\" escape) gives the
// fields back unchanged.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ZelRect {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    bool operator==(const ZelRect&) const = default;
};

struct ZelPoint {
    LONG x = 0;
    LONG y = 0;
    bool operator==(const ZelPoint&) const = default;
};

// A printer's device mode: the printer-independent settings a driver keeps,
// with the driver's private bytes after them.
struct ZelDevMode {
    enum : std::size_t { CCHDEVICENAME = 32, CCHFORMNAME = 32 };
    // Bits of dmFields.
    enum : DWORD { DM_PAPERLENGTH = 0x00000004, DM_PAPERWIDTH = 0x00000008 };

    char dmDeviceName[CCHDEVICENAME] = {}; // not terminated when full
    WORD dmSpecVersion = 0;
    WORD dmDriverVersion = 0;
    WORD dmSize = 0;
    WORD dmDriverExtra = 0; // number of bytes in vDriverExtra
    DWORD dmFields = 0;
    std::int16_t dmOrientation = 0;
    std::int16_t dmPaperSize = 0;
    std::int16_t dmPaperLength = 0;
    std::int16_t dmPaperWidth = 0;
    std::int16_t dmScale = 0;
    std::int16_t dmCopies = 0;
    std::int16_t dmDefaultSource = 0;
    std::int16_t dmPrintQuality = 0;
    std::int16_t dmColor = 0;
    std::int16_t dmDuplex = 0;
    std::int16_t dmYResolution = 0;
    std::int16_t dmTTOption = 0;
    std::int16_t dmCollate = 0;
    char dmFormName[CCHFORMNAME] = {}; // not terminated when full
    WORD dmLogPixels = 0;
    DWORD dmBitsPerPel = 0;
    DWORD dmPelsWidth = 0;
    DWORD dmPelsHeight = 0;
    DWORD dmDisplayFlags = 0;
    DWORD dmDisplayFrequency = 0;
    DWORD dmICMMethod = 0;
    DWORD dmICMIntent = 0;
    DWORD dmMediaType = 0;
    DWORD dmDitherType = 0;
    // The driver's private data that follows the structure.
    std::vector<BYTE> vDriverExtra;

    bool operator==(const ZelDevMode&) const = default;
};

// A printer's device names block: a header of four 16-bit words (offsets of
// the driver, device and output port names from the start of the block,
// then the default flag), followed by the names, each ending in a zero.
using ZelDevNames = std::vector<BYTE>;

// What the readers hand out in place of movable global memory. Shared, so
// that copies of a page setup record refer to one block as copied handles
// did, and the block goes when its last holder lets go.
using ZelHDevMode = std::shared_ptr<ZelDevMode>;
using ZelHDevNames = std::shared_ptr<ZelDevNames>;

// The page setup dialog's record: its printer blocks, flags, paper size and
// margins.
struct ZelPageSetupDlg {
    ZelHDevMode hDevMode;
    ZelHDevNames hDevNames;
    DWORD Flags = 0;
    ZelPoint ptPaperSize;
    ZelRect rtMinMargin;
    ZelRect rtMargin;
};

// Builds a device names block from the three names (default flag 0), or
// nothing when the block would not fit its 16-bit offsets.
ZelHDevNames ZelMakeDevNames(const std::string& s_driver, const std::string& s_device, const std::string& s_output);
// The name at one of the block's offsets (0 to 2: driver, device, output);
// empty for an offset of 0 or one outside the block.
std::string ZelGetDevName(const ZelDevNames& dev_names, int i_which);

class RectIO : public ZelRect {
public:
    RectIO() = default;
    RectIO(const ZelRect& rect) : ZelRect(rect) {}
    RectIO(const RectIO&) = default;
    RectIO& operator=(const RectIO&) = default;
    virtual ~RectIO() = default;

    void SerializeToString(std::string& s_text) const;
    BOOL SerializeFromString(const std::string& s_text);
};

class PointIO : public ZelPoint {
public:
    PointIO() = default;
    PointIO(const ZelPoint& point) : ZelPoint(point) {}
    PointIO(const PointIO&) = default;
    PointIO& operator=(const PointIO&) = default;
    virtual ~PointIO() = default;

    void SerializeToString(std::string& s_text) const;
    BOOL SerializeFromString(const std::string& s_text);
};

class DevNamesIO {
public:
    explicit DevNamesIO(const ZelDevNames* p_dev_names) : pDevNames(p_dev_names) {}
    DevNamesIO(const DevNamesIO&) = delete;
    DevNamesIO& operator=(const DevNamesIO&) = delete;
    virtual ~DevNamesIO() = default;

    void SerializeToString(std::string& s_text) const;
    // A new block, or null when the text is not a device names text.
    static ZelHDevNames SerializeFromString(const std::string& s_text);

private:
    const ZelDevNames* pDevNames; // not owned
};

class DevModeIO {
public:
    explicit DevModeIO(const ZelDevMode* p_dev_mode) : pDevMode(p_dev_mode) {}
    DevModeIO(const DevModeIO&) = default;
    DevModeIO& operator=(const DevModeIO&) = default;
    virtual ~DevModeIO() = default;

    void SerializeToString(std::string& s_text) const;
    // A new block, or null when the text is not a complete device mode text.
    static ZelHDevMode SerializeFromString(const std::string& s_text);

private:
    const ZelDevMode* pDevMode; // not owned
};

class PageSetupDlgIO : public ZelPageSetupDlg {
public:
    PageSetupDlgIO() = default;
    PageSetupDlgIO(const ZelPageSetupDlg& psd) : ZelPageSetupDlg(psd) {}
    PageSetupDlgIO(const PageSetupDlgIO&) = default;
    PageSetupDlgIO& operator=(const PageSetupDlgIO&) = default;
    virtual ~PageSetupDlgIO() = default;

    void SerializeToString(std::string& s_text) const;
    // TRUE when the whole text was read; FALSE leaves the record as it was.
    // The blocks read replace those held before.
    BOOL SerializeFromString(const std::string& s_text);
};
