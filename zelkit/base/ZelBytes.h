// A counted string of bytes. It may hold zero bytes and is never
// terminated: it is built from text and compared with text, but its length
// is always the count, never a search for a terminator. The CRC-16
// generator takes its input in this form.
//
// The buffer is never smaller than 8 bytes and is not shrunk for small
// differences (less than 64 bytes), so that values that are emptied and
// refilled, or trimmed a little, keep their buffer.
#pragma once

#include "framework/Types.h"

#include <string>

class ZelBytes {
public:
    ZelBytes();
    ZelBytes(const void* p_bytes, int n_count);
    explicit ZelBytes(unsigned char u_byte);
    ZelBytes(unsigned char u_byte, int n_count);
    ZelBytes(const std::string& s_text);
    ZelBytes(const char* p_text);
    ZelBytes(const ZelBytes& src);
    virtual ~ZelBytes();

    ZelBytes& operator=(const ZelBytes& src);
    ZelBytes& operator=(const std::string& s_text);
    ZelBytes& operator=(const char* p_text);
    ZelBytes& operator=(unsigned char u_byte);

    ZelBytes& operator+=(const ZelBytes& src);
    ZelBytes& operator+=(const std::string& s_text);
    ZelBytes& operator+=(const char* p_text);
    ZelBytes& operator+=(unsigned char u_byte);

    BOOL IsEmpty() const { return nBytes == 0; }
    // Forgets the bytes; the buffer stays.
    void Empty() { nBytes = 0; }
    int GetLength() const { return nBytes; }
    int GetAllocLength() const { return nAlloc; }

    // The buffer itself; the bytes after GetLength() are not a terminator.
    operator char*() { return reinterpret_cast<char*>(pData); }
    operator const char*() const { return reinterpret_cast<const char*>(pData); }

    unsigned char GetAt(int i_index) const;
    unsigned char operator[](int i_index) const { return GetAt(i_index); }
    unsigned char& operator[](int i_index);
    void SetAt(int i_index, unsigned char u_byte);

    ZelBytes Left(int n_count) const;
    ZelBytes Right(int n_count) const;
    ZelBytes Mid(int i_first) const;
    ZelBytes Mid(int i_first, int n_count) const;
    void Truncate(int i_new_size);

    // Unsigned byte order over the shorter length: -1 or 1 at the first
    // difference, else this length minus the other length (only the sign
    // counts).
    int Compare(const void* p_bytes, int n_count) const;
    int Compare(const std::string& s_text) const;
    int Compare(const char* p_text) const;

private:
    void Reallocate(int n_new_size);
    void Assign(const void* p_bytes, int n_count);
    void Append(const void* p_bytes, int n_count);

    unsigned char* pData;
    int nBytes;
    int nAlloc;
};

ZelBytes operator+(const ZelBytes& lhs, const ZelBytes& rhs);
ZelBytes operator+(const ZelBytes& lhs, const std::string& rhs);
ZelBytes operator+(const ZelBytes& lhs, const char* rhs);
ZelBytes operator+(const ZelBytes& lhs, unsigned char rhs);

bool operator==(const ZelBytes& lhs, const ZelBytes& rhs);
bool operator!=(const ZelBytes& lhs, const ZelBytes& rhs);
bool operator<(const ZelBytes& lhs, const ZelBytes& rhs);
bool operator>(const ZelBytes& lhs, const ZelBytes& rhs);
bool operator<=(const ZelBytes& lhs, const ZelBytes& rhs);
bool operator>=(const ZelBytes& lhs, const ZelBytes& rhs);
