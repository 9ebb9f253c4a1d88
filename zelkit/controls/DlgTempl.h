// Dialog templates built in memory, in the window system's binary dialog
// template form: a growable byte buffer (ZelMemory), one control's
// description (ZelDlgItemTempl) and the dialog's description with its list
// of controls (ZelDlgTempl), which writes the whole template into a buffer.
//
// Only the bytes are made here: the template is an exchange form that a
// window system of that family creates dialogs from; nothing in this
// program creates a window from it.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The dialog style that says a font (point size and face name) follows the
// title.
inline constexpr DWORD DS_SETFONT = 0x40;

// The two fixed records, 18 bytes each in the template (no padding).
struct DLGTEMPLATE {
    DWORD style = 0;
    DWORD dwExtendedStyle = 0;
    WORD cdit = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t cx = 0;
    std::int16_t cy = 0;
};

struct DLGITEMTEMPLATE {
    DWORD style = 0;
    DWORD dwExtendedStyle = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t cx = 0;
    std::int16_t cy = 0;
    WORD id = 0;
};

inline constexpr UINT nDlgRecordBytes = 18;

// A growable, zero-filled byte buffer whose start lies on a 4-byte
// boundary, so that alignment within it is alignment in memory.
class ZelMemory {
public:
    ZelMemory();
    // u_growSize is also the first buffer's size.
    explicit ZelMemory(UINT u_growSize);
    ZelMemory(const ZelMemory&) = delete;
    ZelMemory& operator=(const ZelMemory&) = delete;
    virtual ~ZelMemory();

    // The bytes written so far, plus one.
    UINT GetSize() const { return uUsed + 1; }
    const BYTE* GetData() const { return pBuffer.get(); }
    UINT GetCapacity() const { return uCapacity; }

    // Each appends its value, little-endian.
    ZelMemory& operator=(BYTE u_value);
    ZelMemory& operator=(WORD u_value);
    ZelMemory& operator=(DWORD u_value);
    // The text's bytes and its terminating zero.
    ZelMemory& operator=(const std::string& s_text);

    void CopyMem(const BYTE* p_data, UINT n_bytes);
    // The text (code page 1252) as UTF-16 units with a terminating zero.
    void CopyAsWide(const std::string& s_text);
    // Advances to the next multiple of u_boundary (above 1); the bytes
    // skipped stay zero.
    void Align(UINT u_boundary);
    // Nothing written, every byte zero again; the capacity stays.
    void Empty();

private:
    // Room for n_bytes more; grows by at least the grow size.
    void Reserve(UINT n_bytes);

    UINT uGrowSize;
    std::unique_ptr<BYTE[]> pBuffer;
    UINT uUsed = 0;
    UINT uCapacity = 0;
};

// A menu, window class or title: absent, a text, or a 16-bit ordinal.
class ZelStrOrOrd {
public:
    void SetText(const std::string& s_text)
    {
        sText = s_text;
        bIsString = 1;
        bPresent = 1;
    }
    void SetOrdinal(WORD u_ordinal)
    {
        uOrdinal = u_ordinal;
        bIsString = 0;
        bPresent = 1;
    }
    void Clear() { *this = ZelStrOrOrd(); }

    BOOL IsPresent() const { return bPresent; }
    BOOL IsString() const { return bIsString; }
    const std::string& GetText() const { return sText; }
    WORD GetOrdinal() const { return uOrdinal; }

    // Absent: one 16-bit 0; text: its UTF-16 form with a terminating zero;
    // ordinal: 0xFFFF, then the ordinal.
    void Write(ZelMemory& out) const;

private:
    std::string sText;
    WORD uOrdinal = 0;
    BOOL bIsString = 0;
    BOOL bPresent = 0;
};

// One control of a template.
class ZelDlgItemTempl {
public:
    operator DLGITEMTEMPLATE() const;

    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    std::int16_t iX = 0;
    std::int16_t iY = 0;
    std::int16_t iCx = 0;
    std::int16_t iCy = 0;
    WORD uId = 0;
    ZelStrOrOrd WindowClass;
    ZelStrOrOrd Title;
};

// The dialog: its record, menu, class, title, font and controls.
class ZelDlgTempl {
public:
    static constexpr int nDefMaxItems = 255;

    ZelDlgTempl() = default;
    ZelDlgTempl(const ZelDlgTempl&) = delete;
    ZelDlgTempl& operator=(const ZelDlgTempl&) = delete;
    virtual ~ZelDlgTempl() = default;

    int MaxItems() const { return nMaxItems; }
    int GetItemCount() const { return nItems; }
    operator DLGTEMPLATE() const;

    // Copies the control into the next place. FALSE once the maximum or
    // the declared count (cdit, a programming error) is reached.
    BOOL AddItem(const ZelDlgItemTempl& item);
    // Empties the buffer and writes the template into it.
    void BuildTemplate(ZelMemory& out) const;

    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    // The number of controls declared; room for them is taken at the
    // first AddItem.
    WORD uCdit = 0;
    std::int16_t iX = 0;
    std::int16_t iY = 0;
    std::int16_t iCx = 0;
    std::int16_t iCy = 0;
    ZelStrOrOrd Menu;
    ZelStrOrOrd WindowClass;
    std::string sTitle;
    std::string sFaceName;
    WORD uPointSize = 0;

private:
    std::vector<ZelDlgItemTempl> Items;
    int nItems = 0;
    int nMaxItems = nDefMaxItems;
};
