// Fixed-width names for the 32-bit integer types the event file and the
// library's interfaces are written in terms of. The original program was
// 32-bit: its int, long, BOOL, DWORD and UINT are all 32 bits, and values
// that are stored, hashed or wrap must keep that width here.
#pragma once

#include <cstdint>

using BOOL = std::int32_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;

// glib defines these too; keep its spelling so either header may come first.
#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif
