#include "zelkit/services/ZelCRC16.h"

#include "zelkit/base/ZelBytes.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<WORD, 256> MakeTable()
{
    std::array<WORD, 256> a_table{};
    for (unsigned u_byte = 0; u_byte < 256; ++u_byte) {
        unsigned u_crc = u_byte;
        for (int i_bit = 0; i_bit < 8; ++i_bit)
            u_crc = (u_crc & 1) ? (u_crc >> 1) ^ 0xA001u : u_crc >> 1;
        a_table[u_byte] = static_cast<WORD>(u_crc);
    }
    return a_table;
}

constexpr std::array<WORD, 256> a_crcTable = MakeTable();

WORD Crc(const unsigned char* p_data, std::size_t n_length)
{
    WORD w_crc = 0;
    for (std::size_t i = 0; i < n_length; ++i)
        w_crc = static_cast<WORD>((w_crc >> 8) ^ a_crcTable[(w_crc ^ p_data[i]) & 0xFF]);
    return w_crc;
}

} // namespace

WORD ZelCRC16::Gen(const char* p_text) const
{
    return p_text ? Gen(p_text, static_cast<UINT>(std::strlen(p_text))) : 0;
}

WORD ZelCRC16::Gen(const std::string& s_text) const
{
    return Crc(reinterpret_cast<const unsigned char*>(s_text.data()), s_text.size());
}

WORD ZelCRC16::Gen(const char* p_data, UINT u_length) const
{
    if (!p_data || u_length < 1)
        return 0;
    return Crc(reinterpret_cast<const unsigned char*>(p_data), u_length);
}

WORD ZelCRC16::Gen(const ZelBytes& bytes) const
{
    return Gen(static_cast<const char*>(bytes), static_cast<UINT>(bytes.GetLength()));
}

BOOL ZelCRC16::Check(WORD w_crc, const char* p_text) const
{
    return Gen(p_text) == w_crc;
}

BOOL ZelCRC16::Check(WORD w_crc, const std::string& s_text) const
{
    return Gen(s_text) == w_crc;
}

BOOL ZelCRC16::Check(WORD w_crc, const char* p_data, UINT u_length) const
{
    return Gen(p_data, u_length) == w_crc;
}

BOOL ZelCRC16::Check(WORD w_crc, const ZelBytes& bytes) const
{
    return Gen(bytes) == w_crc;
}
