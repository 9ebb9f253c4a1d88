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
// writer; CFileException, notRegular), a file larger than u_maxBytes is
// refused from its size (CFileException, tooLarge), and one whose first
// n_headBytes (fewer when the file is shorter) f_headOk does not take is
// refused before the rest is read (CArchiveException, badClass: the file
// is not one of the kind asked for). A file that cannot be opened or read
// throws CFileException; where there is no such file because its folder
// is missing, the exception's subject names that folder.
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
// - what is there must be a regular file (or a link to one, or nothing):
//   a folder, a device or a pipe is refused before anything is opened for
//   writing (CFileException, notRegular);
// - a file without a write bit is refused (CFileException, readOnly), and
//   one with write bits for others only (notWritableByUser); either is
//   left as it is;
// - the bytes go to a hidden temporary file beside the target
//   (".NAME.rotavex-XXXXXX"), are flushed to disk and renamed over it, so
//   that a failure or a kill at any moment leaves the old file or the
//   complete new one; the old file's permission bits, owner and group are
//   given to the new one;
// - where a rename would lose something (the file has further hard links,
//   or its owner or group cannot be given to the new file), or where the
//   file's folder takes no new file from this user, the file is written in
//   place: the complete copy is flushed to disk first under its rescue
//   name (".NAME.rotavex-rescue-XXXXXX" beside the file, or in the user's
//   cache folder when the folder takes no new file), room for the new size
//   is taken, and the file is then written; the copy is removed once the
//   file is on disk (CFileException, partlyWritten, its subject naming the
//   copy, if writing in place fails part way);
// - a link is followed to the file it names, and a link that names nothing
//   yet has its target created; the link stays;
// - a new file in a folder that is missing is refused (CFileException,
//   folderMissing, its subject naming the folder);
// - after a save, temporary files of this file that an earlier save left
//   behind (killed part way) and that are older than a minute are removed,
//   and so are rescue copies that hold the file's old bytes or its new
//   ones (their write in place finished); a rescue copy of a torn write
//   holds neither and stays.
//
// On any failure that is not partlyWritten the temporary file is removed,
// s_path is left as it was and CFileException is thrown.
void WriteFileAtomically(const std::string& s_path, const std::vector<std::uint8_t>& v_bytes);
void WriteFileAtomically(const std::string& s_path, const std::string& s_bytes);

// The rescue copies of the file at s_path (a link followed to its file),
// newest first: each the whole of a save whose write in place was cut
// short, for the open of a damaged file to name.
std::vector<std::string> FindRescueCopies(const std::string& s_path);

// Called once at start-up by every program that saves files. A write past
// the process's file-size limit (RLIMIT_FSIZE) raises SIGXFSZ, which by
// default ends the process on the spot, with no message and a temporary
// file left behind. With the signal taken, the write fails with EFBIG
// instead, and the save reports it and cleans up. It is caught by a
// handler that does nothing rather than ignored, so that the programs
// this one starts get the default back.
void IgnoreFileSizeSignal();
