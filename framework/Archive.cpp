#include "framework/Archive.h"
#include "framework/Document.h"
#include "framework/FileIO.h"

#include <bit>
#include <cstring>

void CDocument::Serialize(CArchive&) {}

namespace {

template <typename T>
void PutLE(std::vector<std::uint8_t>& v_buf, T value)
{
    using U = std::make_unsigned_t<T>;
    U u = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        v_buf.push_back(static_cast<std::uint8_t>(u & 0xFFu));
        if constexpr (sizeof(T) > 1)
            u = static_cast<U>(u >> 8);
    }
}

} // namespace

CArchive::CArchive(Mode e_mode, CDocument* p_doc) : m_pDocument(p_doc), eMode(e_mode) {}

CArchive::CArchive(std::vector<std::uint8_t> v_bytes, CDocument* p_doc)
    : m_pDocument(p_doc), eMode(load), vBuffer(std::move(v_bytes))
{
}

CArchive CArchive::OpenForLoading(const std::string& s_path, CDocument* p_doc)
{
    return CArchive(ReadWholeFile(s_path), p_doc);
}

void CArchive::SaveToFile(const std::string& s_path) const
{
    RequireStoring();
    WriteFileAtomically(s_path, vBuffer);
}

void CArchive::RequireLoading() const
{
    if (eMode != load)
        ThrowNotLoading();
}

void CArchive::ThrowNotLoading()
{
    throw CArchiveException(CArchiveException::writeOnly);
}

void CArchive::ThrowEndOfFile()
{
    throw CArchiveException(CArchiveException::endOfFile);
}

void CArchive::RequireStoring() const
{
    if (eMode != store)
        throw CArchiveException(CArchiveException::readOnly);
}

void CArchive::Write(const void* p_data, std::size_t n_bytes)
{
    RequireStoring();
    const auto* p = static_cast<const std::uint8_t*>(p_data);
    vBuffer.insert(vBuffer.end(), p, p + n_bytes);
}

void CArchive::Read(void* p_data, std::size_t n_bytes)
{
    RequireLoading();
    if (n_bytes > BytesRemaining())
        throw CArchiveException(CArchiveException::endOfFile);
    if (n_bytes)
        std::memcpy(p_data, vBuffer.data() + nPos, n_bytes);
    nPos += n_bytes;
}

#define RVX_ARCHIVE_INT(T)                                   \
    CArchive& CArchive::operator<<(T v)                      \
    {                                                        \
        RequireStoring();                                    \
        PutLE<T>(vBuffer, v);                                \
        return *this;                                        \
    }

RVX_ARCHIVE_INT(std::uint8_t)
RVX_ARCHIVE_INT(std::int8_t)
RVX_ARCHIVE_INT(std::uint16_t)
RVX_ARCHIVE_INT(std::int16_t)
RVX_ARCHIVE_INT(std::uint32_t)
RVX_ARCHIVE_INT(std::int32_t)
RVX_ARCHIVE_INT(std::uint64_t)
RVX_ARCHIVE_INT(std::int64_t)
#undef RVX_ARCHIVE_INT

CArchive& CArchive::operator<<(float f) { return *this << std::bit_cast<std::uint32_t>(f); }
CArchive& CArchive::operator<<(double d) { return *this << std::bit_cast<std::uint64_t>(d); }

CArchive& CArchive::operator>>(float& f)
{
    std::uint32_t u;
    *this >> u;
    f = std::bit_cast<float>(u);
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    std::uint64_t u;
    *this >> u;
    d = std::bit_cast<double>(u);
    return *this;
}

CArchive& CArchive::operator<<(const std::string& s)
{
    const std::size_t n = s.size();
    if (n > 0xFFFFFFFEu)
        throw CArchiveException(CArchiveException::genericException, "text too long to save");
    if (n < 0xFF) {
        *this << static_cast<std::uint8_t>(n);
    } else if (n < 0xFFFE) {
        *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(n);
    } else {
        *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(0xFFFF)
              << static_cast<std::uint32_t>(n);
    }
    Write(s.data(), n);
    return *this;
}

CArchive& CArchive::operator>>(std::string& s)
{
    std::uint8_t u8;
    *this >> u8;
    std::uint32_t n = u8;
    if (u8 == 0xFF) {
        std::uint16_t u16;
        *this >> u16;
        // 0xFFFE marks a wide-character string, which this 8-bit file format
        // never holds: refuse it rather than misread what follows.
        if (u16 == 0xFFFE)
            ThrowBadSchema("the file holds wide-character text this program does not read");
        n = u16;
        if (u16 == 0xFFFF)
            *this >> n;
    }
    if (n > BytesRemaining())
        throw CArchiveException(CArchiveException::endOfFile);
    s.assign(reinterpret_cast<const char*>(vBuffer.data() + nPos), n);
    nPos += n;
    return *this;
}

void CArchive::WriteCount(std::uint32_t n_count)
{
    if (n_count < 0xFFFF) {
        *this << static_cast<std::uint16_t>(n_count);
    } else {
        *this << static_cast<std::uint16_t>(0xFFFF) << n_count;
    }
}

std::uint32_t CArchive::ReadCount()
{
    std::uint16_t u16;
    *this >> u16;
    if (u16 != 0xFFFF)
        return u16;
    std::uint32_t u32;
    *this >> u32;
    return u32;
}

void CArchive::CheckAvailable(std::uint64_t n_count, std::size_t n_minElementBytes) const
{
    if (n_minElementBytes == 0)
        n_minElementBytes = 1;
    if (n_count > BytesRemaining() / n_minElementBytes)
        ThrowBadSchema("a stored count is larger than the data that follows it");
}

std::uint32_t CArchive::ReadCountChecked(std::size_t n_minElementBytes)
{
    const std::uint32_t n = ReadCount();
    CheckAvailable(n, n_minElementBytes);
    return n;
}

void CArchive::ThrowBadSchema(const std::string& s_text)
{
    throw CArchiveException(CArchiveException::badSchema, s_text);
}
