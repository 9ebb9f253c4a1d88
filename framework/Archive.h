// The binary archive every saved class writes itself to and reads itself
// from. It keeps the original framework's conventions byte for byte so that
// event files round-trip: little-endian words, IEEE doubles, counted strings
// (a one-byte length; 0xFF then 16 bits; 0xFF, 0xFFFF then 32 bits) and
// element counts (16 bits; 0xFFFF then 32 bits).
//
// The archive works over bytes in memory. Loading a file reads it whole
// (event files are small); storing collects the bytes and writes the file in
// one go through a temporary file, so a failed save never leaves a truncated
// file behind. Every read checks the bytes that remain, and every count or
// length read from the data can be checked before anything is allocated for
// it, so damaged data raises CArchiveException instead of crashing.
#pragma once

#include "framework/Exceptions.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // A storing archive collecting bytes in memory.
    explicit CArchive(Mode e_mode = store, CDocument* p_doc = nullptr);
    // A loading archive over the given bytes.
    explicit CArchive(std::vector<std::uint8_t> v_bytes, CDocument* p_doc = nullptr);

    // Reads a whole file into a loading archive; throws CFileException.
    static CArchive OpenForLoading(const std::string& s_path, CDocument* p_doc = nullptr);
    // Writes what a storing archive holds to s_path, replacing the file only
    // once every byte is written; throws CFileException.
    void SaveToFile(const std::string& s_path) const;

    bool IsStoring() const { return eMode == store; }
    bool IsLoading() const { return eMode == load; }
    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* p_doc) { m_pDocument = p_doc; }

    const std::vector<std::uint8_t>& GetBuffer() const { return vBuffer; }
    std::size_t GetPosition() const { return nPos; }
    std::size_t BytesRemaining() const { return vBuffer.size() - nPos; }
    bool AtEnd() const { return nPos >= vBuffer.size(); }

    // Raw bytes.
    void Write(const void* p_data, std::size_t n_bytes);
    void Read(void* p_data, std::size_t n_bytes);

    CArchive& operator<<(std::uint8_t u);
    CArchive& operator<<(std::int8_t i);
    CArchive& operator<<(std::uint16_t u);
    CArchive& operator<<(std::int16_t i);
    CArchive& operator<<(std::uint32_t u);
    CArchive& operator<<(std::int32_t i);
    CArchive& operator<<(std::uint64_t u);
    CArchive& operator<<(std::int64_t i);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(const std::string& s);
    CArchive& operator<<(const char* s) { return *this << std::string(s); }

    // The numbers are read inline: a file holds hundreds of thousands.
    CArchive& operator>>(std::uint8_t& u) { return ReadLE(u); }
    CArchive& operator>>(std::int8_t& i) { return ReadLE(i); }
    CArchive& operator>>(std::uint16_t& u) { return ReadLE(u); }
    CArchive& operator>>(std::int16_t& i) { return ReadLE(i); }
    CArchive& operator>>(std::uint32_t& u) { return ReadLE(u); }
    CArchive& operator>>(std::int32_t& i) { return ReadLE(i); }
    CArchive& operator>>(std::uint64_t& u) { return ReadLE(u); }
    CArchive& operator>>(std::int64_t& i) { return ReadLE(i); }
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(std::string& s);

    // The framework's element count form.
    void WriteCount(std::uint32_t n_count);
    std::uint32_t ReadCount();

    // Reads a count and checks that n_count elements of at least
    // n_minElementBytes each can still be in the data, raising bad schema
    // otherwise. Use it before sizing anything from a stored count.
    std::uint32_t ReadCountChecked(std::size_t n_minElementBytes);
    void CheckAvailable(std::uint64_t n_count, std::size_t n_minElementBytes) const;

    // Raises the archive exception; a helper for Serialize code.
    [[noreturn]] static void ThrowBadSchema(const std::string& s_text = {});

    // The document being saved or loaded (the framework's public member).
    CDocument* m_pDocument;

private:
    void RequireLoading() const;
    void RequireStoring() const;
    [[noreturn]] static void ThrowNotLoading();
    [[noreturn]] static void ThrowEndOfFile();

    // A little-endian number of the data.
    template <typename T>
    CArchive& ReadLE(T& value)
    {
        if (eMode != load)
            ThrowNotLoading();
        if (sizeof(T) > vBuffer.size() - nPos)
            ThrowEndOfFile();
        using U = std::make_unsigned_t<T>;
        const std::uint8_t* p = vBuffer.data() + nPos;
        U u = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&u, p, sizeof(T));
        } else {
            for (std::size_t i = sizeof(T); i-- > 0;)
                u = static_cast<U>((static_cast<std::uint64_t>(u) << 8) | p[i]);
        }
        value = static_cast<T>(u);
        nPos += sizeof(T);
        return *this;
    }

    Mode eMode;
    std::vector<std::uint8_t> vBuffer;
    std::size_t nPos = 0;
};
