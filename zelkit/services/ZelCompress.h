// The library's block compressor: packs a byte block into a self-describing
// block and unpacks it again. The block format is part of the library's
// exported interface and never changes (numbers big-endian):
//
//   offset 0, 2 bytes   method: 0 stored, 1 compressed (byte 0 is 0)
//   offset 2, 4 bytes   compressed blocks only: the uncompressed length
//   offset 2 or 6       stored: the bytes unchanged; compressed: LZW codes
//
// The code stream is LZW with codes packed least significant bit first,
// 9 bits wide at first and one bit wider each time the dictionary outgrows
// the present width, up to 12 bits. Codes 0-255 are single bytes, 256
// clears the dictionary and 257 is the first free code.
//
// Both functions hand back memory from malloc that the caller releases with
// free, as plain C callers of the library expect.
#pragma once

#include "framework/Types.h"

extern "C" {

// Packs l_length bytes. With b_compress 0 (or when the code stream would
// not be shorter than the data) the block is stored. Returns null for a
// length below 1, and null with the error flag set when memory ran out.
BYTE* cmprsdata(const BYTE* p_source, LONG l_length, LONG* p_outLength, BOOL b_compress);

// Unpacks a block; *p_outLength receives the number of bytes. The buffer
// is a few bytes larger than that (16 for a compressed block). Returns null
// with the error flag set when memory ran out or the block is damaged: a
// block is never trusted to stay inside its own bytes or the length it
// claims.
BYTE* ucmprsdata(const BYTE* p_block, LONG l_blockLength, LONG* p_outLength);

} // extern "C"

// The library's error flag: set by the functions above when they fail for
// memory or a damaged block, cleared by ZelClearCompressError. Each thread
// has its own, as with errno.
BOOL ZelCompressError();
void ZelClearCompressError();
