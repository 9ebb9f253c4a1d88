#include "zelkit/base/ZelBytes.h"

#include "framework/Exceptions.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <new>
#include <vector>

namespace {

constexpr int kMinAlloc = 8;
// A smaller size keeps the buffer unless it would leave this much unused.
constexpr int kShrinkSlack = 64;

unsigned char* NewBuffer(int n_size)
{
    auto* p = new (std::nothrow) unsigned char[static_cast<std::size_t>(n_size)];
    if (!p)
        throw CMemoryException();
    return p;
}

// Whether p points into the n_alloc bytes from p_buffer.
bool IsInside(const unsigned char* p, const unsigned char* p_buffer, int n_alloc)
{
    const std::less<const unsigned char*> less;
    return p && !less(p, p_buffer) && less(p, p_buffer + n_alloc);
}

int CheckedLength(std::size_t n_length)
{
    if (n_length > static_cast<std::size_t>(INT_MAX))
        throw CMemoryException();
    return static_cast<int>(n_length);
}

} // namespace

ZelBytes::ZelBytes() : pData(NewBuffer(kMinAlloc)), nBytes(0), nAlloc(kMinAlloc) {}

ZelBytes::ZelBytes(const void* p_bytes, int n_count) : ZelBytes()
{
    Assign(p_bytes, std::max(n_count, 0));
}

ZelBytes::ZelBytes(unsigned char u_byte) : ZelBytes()
{
    Assign(&u_byte, 1);
}

ZelBytes::ZelBytes(unsigned char u_byte, int n_count) : ZelBytes()
{
    n_count = std::max(n_count, 0);
    Reallocate(n_count);
    std::memset(pData, u_byte, static_cast<std::size_t>(n_count));
    nBytes = n_count;
}

ZelBytes::ZelBytes(const std::string& s_text) : ZelBytes()
{
    Assign(s_text.data(), CheckedLength(s_text.size()));
}

ZelBytes::ZelBytes(const char* p_text) : ZelBytes()
{
    if (p_text)
        Assign(p_text, CheckedLength(std::strlen(p_text)));
}

ZelBytes::ZelBytes(const ZelBytes& src) : ZelBytes()
{
    Assign(src.pData, src.nBytes);
}

ZelBytes::~ZelBytes()
{
    delete[] pData;
}

ZelBytes& ZelBytes::operator=(const ZelBytes& src)
{
    if (this != &src)
        Assign(src.pData, src.nBytes);
    return *this;
}

ZelBytes& ZelBytes::operator=(const std::string& s_text)
{
    Assign(s_text.data(), CheckedLength(s_text.size()));
    return *this;
}

ZelBytes& ZelBytes::operator=(const char* p_text)
{
    Assign(p_text, p_text ? CheckedLength(std::strlen(p_text)) : 0);
    return *this;
}

ZelBytes& ZelBytes::operator=(unsigned char u_byte)
{
    ZEL_ASSERT(nAlloc >= 1);
    Assign(&u_byte, 1);
    return *this;
}

ZelBytes& ZelBytes::operator+=(const ZelBytes& src)
{
    Append(src.pData, src.nBytes);
    return *this;
}

ZelBytes& ZelBytes::operator+=(const std::string& s_text)
{
    Append(s_text.data(), CheckedLength(s_text.size()));
    return *this;
}

ZelBytes& ZelBytes::operator+=(const char* p_text)
{
    if (p_text)
        Append(p_text, CheckedLength(std::strlen(p_text)));
    return *this;
}

ZelBytes& ZelBytes::operator+=(unsigned char u_byte)
{
    Append(&u_byte, 1);
    return *this;
}

unsigned char ZelBytes::GetAt(int i_index) const
{
    ZEL_ASSERT(0 <= i_index && i_index < nBytes);
    return pData[i_index];
}

unsigned char& ZelBytes::operator[](int i_index)
{
    ZEL_ASSERT(0 <= i_index && i_index < nBytes);
    return pData[i_index];
}

void ZelBytes::SetAt(int i_index, unsigned char u_byte)
{
    ZEL_ASSERT(0 <= i_index && i_index < nBytes);
    pData[i_index] = u_byte;
}

// Negative starts and counts are taken as 0, so that a caller's slip gives
// an empty or shorter value instead of a read outside the buffer.
ZelBytes ZelBytes::Left(int n_count) const
{
    return ZelBytes(pData, std::clamp(n_count, 0, nBytes));
}

ZelBytes ZelBytes::Right(int n_count) const
{
    n_count = std::max(n_count, 0);
    if (nBytes > n_count)
        return ZelBytes(pData + (nBytes - n_count), n_count);
    return *this;
}

ZelBytes ZelBytes::Mid(int i_first) const
{
    i_first = std::max(i_first, 0);
    if (i_first == 0)
        return *this;
    if (i_first < nBytes)
        return ZelBytes(pData + i_first, nBytes - i_first);
    return ZelBytes();
}

ZelBytes ZelBytes::Mid(int i_first, int n_count) const
{
    i_first = std::max(i_first, 0);
    n_count = std::max(n_count, 0);
    if (i_first < nBytes)
        return ZelBytes(pData + i_first, std::min(nBytes - i_first, n_count));
    return ZelBytes();
}

void ZelBytes::Truncate(int i_new_size)
{
    ZEL_ASSERT(0 <= i_new_size && i_new_size <= nBytes);
    Reallocate(i_new_size);
}

int ZelBytes::Compare(const void* p_bytes, int n_count) const
{
    const auto* p_other = static_cast<const unsigned char*>(p_bytes);
    n_count = std::max(n_count, 0);
    const int n_common = std::min(nBytes, n_count);
    for (int i = 0; i < n_common; ++i) {
        if (pData[i] != p_other[i])
            return pData[i] < p_other[i] ? -1 : 1;
    }
    return nBytes - n_count;
}

int ZelBytes::Compare(const std::string& s_text) const
{
    return Compare(s_text.data(), CheckedLength(s_text.size()));
}

int ZelBytes::Compare(const char* p_text) const
{
    return p_text ? Compare(p_text, CheckedLength(std::strlen(p_text))) : Compare(nullptr, 0);
}

void ZelBytes::Reallocate(int n_new_size)
{
    ZEL_ASSERT(nBytes <= nAlloc);
    n_new_size = std::max(n_new_size, 0);
    const bool b_keep = n_new_size == nAlloc || (n_new_size < nAlloc && nAlloc - n_new_size < kShrinkSlack);
    if (!b_keep) {
        const int n_alloc = std::max(kMinAlloc, n_new_size);
        unsigned char* p_new = NewBuffer(n_alloc);
        std::memcpy(p_new, pData, static_cast<std::size_t>(std::min(nBytes, n_new_size)));
        delete[] pData;
        pData = p_new;
        nAlloc = n_alloc;
    }
    if (nBytes > n_new_size)
        nBytes = n_new_size;
}

void ZelBytes::Assign(const void* p_bytes, int n_count)
{
    const auto* p_src = static_cast<const unsigned char*>(p_bytes);
    std::vector<unsigned char> v_own;
    if (n_count > 0 && IsInside(p_src, pData, nAlloc)) {
        v_own.assign(p_src, p_src + n_count);
        p_src = v_own.data();
    }
    Reallocate(n_count);
    if (n_count > 0)
        std::memcpy(pData, p_src, static_cast<std::size_t>(n_count));
    nBytes = n_count;
}

void ZelBytes::Append(const void* p_bytes, int n_count)
{
    if (n_count <= 0)
        return;
    if (n_count > INT_MAX - nBytes)
        throw CMemoryException();
    // The bytes may be this value's own (b += b); the resize may free them.
    const auto* p_src = static_cast<const unsigned char*>(p_bytes);
    std::vector<unsigned char> v_own;
    if (IsInside(p_src, pData, nAlloc)) {
        v_own.assign(p_src, p_src + n_count);
        p_src = v_own.data();
    }
    const int n_old = nBytes;
    Reallocate(n_old + n_count);
    std::memcpy(pData + n_old, p_src, static_cast<std::size_t>(n_count));
    nBytes = n_old + n_count;
}

ZelBytes operator+(const ZelBytes& lhs, const ZelBytes& rhs)
{
    ZelBytes b(lhs);
    b += rhs;
    return b;
}

ZelBytes operator+(const ZelBytes& lhs, const std::string& rhs)
{
    ZelBytes b(lhs);
    b += rhs;
    return b;
}

ZelBytes operator+(const ZelBytes& lhs, const char* rhs)
{
    ZelBytes b(lhs);
    b += rhs;
    return b;
}

ZelBytes operator+(const ZelBytes& lhs, unsigned char rhs)
{
    ZelBytes b(lhs);
    b += rhs;
    return b;
}

bool operator==(const ZelBytes& lhs, const ZelBytes& rhs)
{
    return lhs.GetLength() == rhs.GetLength() && lhs.Compare(static_cast<const char*>(rhs), rhs.GetLength()) == 0;
}

bool operator!=(const ZelBytes& lhs, const ZelBytes& rhs)
{
    return !(lhs == rhs);
}

bool operator<(const ZelBytes& lhs, const ZelBytes& rhs)
{
    return lhs.Compare(static_cast<const char*>(rhs), rhs.GetLength()) < 0;
}

bool operator>(const ZelBytes& lhs, const ZelBytes& rhs)
{
    return rhs < lhs;
}

bool operator<=(const ZelBytes& lhs, const ZelBytes& rhs)
{
    return !(rhs < lhs);
}

bool operator>=(const ZelBytes& lhs, const ZelBytes& rhs)
{
    return !(lhs < rhs);
}
