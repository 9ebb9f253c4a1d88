// Whole-file reads and crash-safe writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Reads the whole file; throws CFileException when it cannot.
std::vector<std::uint8_t> ReadWholeFile(const std::string& s_path);

// Reads a document file whole, looking before it reads: a device, a pipe
// or a folder is refused without reading from it (nor waiting for a
// writer), a file larger than u_maxBytes is refused from its size, and one
// whose first n_headBytes (fewer when the file is shorter) f_headOk does
// not take is refused before the rest is read. Each refusal throws
// CArchiveException (badClass): the file is not one of the kind asked
// for. A file that cannot be opened or read throws CFileException.
using HeadCheck = std::function<bool(const std::uint8_t* p_head, std::size_t n_bytes)>;
std::vector<std::uint8_t> ReadDocumentFile(const std::string& s_path, std::uint64_t u_maxBytes,
                                           std::size_t n_headBytes, const HeadCheck& f_headOk);

// The first n_bytes of a document file (fewer when it is shorter), looked
// at as ReadDocumentFile looks and refused alike; for a glance at a file's
// head (the start-up list's event names) without reading it whole. A path
// that names nothing throws CFileException with the cause notFound.
std::vector<std::uint8_t> ReadDocumentHead(const std::string& s_path, std::size_t n_bytes);

// Saves s_path as the desktop's own file handling replaces a file:
//
// - a file without a write bit, or one this user may not write, is refused
//   (CFileException, readOnly) and left as it is;
// - the bytes go to a hidden temporary file beside the target
//   (".NAME.rotavex-XXXXXX"), are flushed to disk and renamed over it, so
//   that a failure or a kill at any moment leaves the old file or the
//   complete new one; the old file's permission bits, owner and group are
//   given to the new one;
// - where a rename would lose something (the file has further hard links,
//   or its owner or group cannot be given to the new file), the complete
//   copy is flushed to disk first, room for the new size is taken, and the
//   file is then written in place; the copy is removed once the file is on
//   disk (CFileException, partlyWritten, naming the copy, if writing in
//   place fails part way);
// - a link is followed to the file it names, and a link that names nothing
//   yet has its target created; the link stays;
// - a device or a pipe is written into, since nothing can take its place;
// - after a save, temporary files of this file that an earlier save left
//   behind (killed part way) and that are older than a minute are removed.
//
// On any failure that is not partlyWritten the temporary file is removed,
// s_path is left as it was and CFileException is thrown.
void WriteFileAtomically(const std::string& s_path, const std::vector<std::uint8_t>& v_bytes);
void WriteFileAtomically(const std::string& s_path, const std::string& s_bytes);
