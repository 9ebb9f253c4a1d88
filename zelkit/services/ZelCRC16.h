// CRC-16/ARC: reflected polynomial 0xA001, initial value 0, no final
// exclusive-or. The CRC of "123456789" is 0xBB3D.
#pragma once

#include "framework/Types.h"

#include <string>

class ZelBytes;

class ZelCRC16 {
public:
    // The CRC of the data; 0 for no data.
    WORD Gen(const char* p_text) const;
    WORD Gen(const std::string& s_text) const;
    WORD Gen(const char* p_data, UINT u_length) const;
    WORD Gen(const ZelBytes& bytes) const;

    // Non-zero when the data's CRC is w_crc.
    BOOL Check(WORD w_crc, const char* p_text) const;
    BOOL Check(WORD w_crc, const std::string& s_text) const;
    BOOL Check(WORD w_crc, const char* p_data, UINT u_length) const;
    BOOL Check(WORD w_crc, const ZelBytes& bytes) const;
};
