#include "zelkit/controls/DlgTempl.h"

#include "framework/Encoding.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <cstring>

// ----------------------------------------------------------------- ZelMemory

namespace {

std::unique_ptr<BYTE[]> NewZeroBlock(UINT n_bytes)
{
    std::unique_ptr<BYTE[]> p_block(new BYTE[std::max<UINT>(n_bytes, 1)]());
    return p_block;
}

} // namespace

ZelMemory::ZelMemory() : ZelMemory(128) {}

ZelMemory::ZelMemory(UINT u_growSize) : uGrowSize(u_growSize)
{
    pBuffer = NewZeroBlock(uGrowSize);
    uCapacity = uGrowSize;
    ZEL_ASSERT_INFO(reinterpret_cast<std::uintptr_t>(pBuffer.get()) % sizeof(DWORD) == 0,
                    "(DWORD) pBuffer % sizeof (DWORD) == 0");
}

ZelMemory::~ZelMemory() = default;

void ZelMemory::Reserve(UINT n_bytes)
{
    if (n_bytes <= uCapacity - uUsed)
        return;
    const UINT n_new = uCapacity + std::max(n_bytes, uGrowSize);
    std::unique_ptr<BYTE[]> p_new_buf = NewZeroBlock(n_new);
    ZEL_ASSERT_INFO(reinterpret_cast<std::uintptr_t>(p_new_buf.get()) % sizeof(DWORD) == 0,
                    "(DWORD) p_new_buf % sizeof (DWORD) == 0");
    std::memcpy(p_new_buf.get(), pBuffer.get(), uUsed);
    pBuffer = std::move(p_new_buf);
    uCapacity = n_new;
}

void ZelMemory::CopyMem(const BYTE* p_data, UINT n_bytes)
{
    if (n_bytes == 0)
        return;
    Reserve(n_bytes);
    std::memcpy(pBuffer.get() + uUsed, p_data, n_bytes);
    uUsed += n_bytes;
}

ZelMemory& ZelMemory::operator=(BYTE u_value)
{
    CopyMem(&u_value, 1);
    return *this;
}

ZelMemory& ZelMemory::operator=(WORD u_value)
{
    const BYTE a_bytes[2] = {static_cast<BYTE>(u_value), static_cast<BYTE>(u_value >> 8)};
    CopyMem(a_bytes, 2);
    return *this;
}

ZelMemory& ZelMemory::operator=(DWORD u_value)
{
    const BYTE a_bytes[4] = {static_cast<BYTE>(u_value), static_cast<BYTE>(u_value >> 8),
                             static_cast<BYTE>(u_value >> 16), static_cast<BYTE>(u_value >> 24)};
    CopyMem(a_bytes, 4);
    return *this;
}

ZelMemory& ZelMemory::operator=(const std::string& s_text)
{
    CopyMem(reinterpret_cast<const BYTE*>(s_text.c_str()), static_cast<UINT>(s_text.size() + 1));
    return *this;
}

void ZelMemory::CopyAsWide(const std::string& s_text)
{
    const std::u16string s_wide = Cp1252ToUtf16(s_text);
    const auto n_actual = static_cast<int>(s_wide.size() + 1);
    ZEL_ASSERT(n_actual > 0);
    for (const char16_t c : s_wide)
        *this = static_cast<WORD>(c);
    *this = static_cast<WORD>(0);
}

void ZelMemory::Align(UINT u_boundary)
{
    if (u_boundary <= 1)
        return;
    const UINT u_rest = uUsed % u_boundary;
    if (u_rest == 0)
        return;
    const UINT n_skip = u_boundary - u_rest;
    Reserve(n_skip);
    uUsed += n_skip;
}

void ZelMemory::Empty()
{
    uUsed = 0;
    std::memset(pBuffer.get(), 0, uCapacity);
}

// --------------------------------------------------------------- ZelStrOrOrd

void ZelStrOrOrd::Write(ZelMemory& out) const
{
    if (!bPresent) {
        out = static_cast<WORD>(0);
    } else if (bIsString) {
        out.CopyAsWide(sText);
    } else {
        out = static_cast<WORD>(0xFFFF);
        out = uOrdinal;
    }
}

// ------------------------------------------------------------ the templates

namespace {

void WriteRecord(ZelMemory& out, const DLGTEMPLATE& rec)
{
    out = rec.style;
    out = rec.dwExtendedStyle;
    out = rec.cdit;
    for (const std::int16_t i : {rec.x, rec.y, rec.cx, rec.cy})
        out = static_cast<WORD>(i);
}

void WriteRecord(ZelMemory& out, const DLGITEMTEMPLATE& rec)
{
    out = rec.style;
    out = rec.dwExtendedStyle;
    for (const std::int16_t i : {rec.x, rec.y, rec.cx, rec.cy})
        out = static_cast<WORD>(i);
    out = rec.id;
}

} // namespace

ZelDlgItemTempl::operator DLGITEMTEMPLATE() const
{
    DLGITEMTEMPLATE rec;
    rec.style = dwStyle;
    rec.dwExtendedStyle = dwExStyle;
    rec.x = iX;
    rec.y = iY;
    rec.cx = iCx;
    rec.cy = iCy;
    rec.id = uId;
    return rec;
}

ZelDlgTempl::operator DLGTEMPLATE() const
{
    DLGTEMPLATE rec;
    rec.style = dwStyle;
    rec.dwExtendedStyle = dwExStyle;
    rec.cdit = uCdit;
    rec.x = iX;
    rec.y = iY;
    rec.cx = iCx;
    rec.cy = iCy;
    return rec;
}

BOOL ZelDlgTempl::AddItem(const ZelDlgItemTempl& item)
{
    if (nItems >= nMaxItems)
        return FALSE;
    if (nItems + 1 > uCdit) {
        // More controls than declared is the caller's mistake.
        if (__ZelAssertOn)
            __ZelAssert("nItems+1 <= cdit", __FILE_NAME__, __LINE__, nullptr);
        return FALSE;
    }
    if (Items.empty())
        Items.resize(uCdit);
    Items[static_cast<std::size_t>(nItems)] = item;
    ++nItems;
    return TRUE;
}

void ZelDlgTempl::BuildTemplate(ZelMemory& out) const
{
    out.Empty();
    WriteRecord(out, static_cast<DLGTEMPLATE>(*this));
    out.Align(2);
    Menu.Write(out);
    WindowClass.Write(out);
    out.CopyAsWide(sTitle);
    if (dwStyle & DS_SETFONT) {
        out = uPointSize;
        out.CopyAsWide(sFaceName);
    }
    for (int i = 0; i < nItems; ++i) {
        const ZelDlgItemTempl& item = Items[static_cast<std::size_t>(i)];
        out.Align(4);
        WriteRecord(out, static_cast<DLGITEMTEMPLATE>(item));
        item.WindowClass.Write(out);
        item.Title.Write(out);
        out = static_cast<WORD>(0);
    }
}
