#include "framework/FileIO.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrnoText(int i_err) { return std::strerror(i_err); }

// A descriptor closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int i_fd) : iFd(i_fd) {}
    ~FileHandle()
    {
        if (iFd >= 0)
            close(iFd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return iFd; }
    // Closes now, for the error close reports; errno holds it.
    bool Close()
    {
        const int i_fd = iFd;
        iFd = -1;
        return close(i_fd) == 0;
    }

private:
    int iFd;
};

// Writes all n bytes; false with errno set when the system refuses.
bool PutAll(int i_fd, const char* p, std::size_t n)
{
    while (n > 0) {
        const ssize_t i_put = write(i_fd, p, n);
        if (i_put < 0 && errno == EINTR)
            continue;
        if (i_put < 0)
            return false;
        if (i_put == 0) {
            errno = EIO;
            return false;
        }
        p += i_put;
        n -= static_cast<std::size_t>(i_put);
    }
    return true;
}

// Appends what the descriptor gives until its end or until v_bytes holds
// u_limit bytes; false with errno set when a read fails.
bool ReadUpTo(int i_fd, std::vector<std::uint8_t>& v_bytes, std::uint64_t u_limit)
{
    std::uint8_t a_chunk[65536];
    while (v_bytes.size() < u_limit) {
        const std::size_t n_want =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof a_chunk, u_limit - v_bytes.size()));
        const ssize_t i_got = read(i_fd, a_chunk, n_want);
        if (i_got < 0 && errno == EINTR)
            continue;
        if (i_got < 0)
            return false;
        if (i_got == 0)
            break;
        v_bytes.insert(v_bytes.end(), a_chunk, a_chunk + i_got);
    }
    return true;
}

[[noreturn]] void ThrowNotOfKind() { throw CArchiveException(CArchiveException::badClass); }

// ---- paths ----

// The folder part of a path, without the trailing slash; empty for a bare
// name (the working folder).
std::string FolderOf(const std::string& s_path)
{
    const auto u_slash = s_path.rfind('/');
    if (u_slash == std::string::npos)
        return {};
    return u_slash == 0 ? "/" : s_path.substr(0, u_slash);
}

std::string NameOf(const std::string& s_path)
{
    const auto u_slash = s_path.rfind('/');
    return u_slash == std::string::npos ? s_path : s_path.substr(u_slash + 1);
}

std::string InFolder(const std::string& s_folder, const std::string& s_name)
{
    if (s_folder.empty())
        return s_name;
    return s_folder == "/" ? "/" + s_name : s_folder + "/" + s_name;
}

// The file a save writes. A link is followed through every link of a
// chain to the path it finally names, whether or not a file is there: an
// editor saving through a link that names nothing yet creates its target
// and keeps the link, and renaming over the link itself would cut it off.
std::string FollowLinks(const std::string& s_given)
{
    std::string s_path = s_given;
    // As many links as the system itself follows in one path.
    for (int i_hop = 0; i_hop < 40; ++i_hop) {
        struct stat st {};
        if (lstat(s_path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return s_path;
        char a_target[PATH_MAX];
        const ssize_t n = readlink(s_path.c_str(), a_target, sizeof a_target);
        if (n < 0 || n == static_cast<ssize_t>(sizeof a_target))
            return s_path;
        const std::string s_target(a_target, static_cast<std::size_t>(n));
        s_path = s_target.front() == '/' ? s_target : InFolder(FolderOf(s_path), s_target);
    }
    throw CFileException(s_given, "cannot write the file: " + ErrnoText(ELOOP));
}

// ---- the temporary file ----

// Temporary files are hidden and carry the file's name and ours, so that
// a user can tell what one is, and the next save of the file can find what
// an earlier one left when it was killed: ".NAME.rotavex-XXXXXX".
constexpr std::string_view sTempMark = ".rotavex-";
constexpr std::size_t nRandomChars = 6;
// The longest name a folder takes on the systems we run on.
constexpr std::size_t nMaxNameBytes = 255;
// A temporary file this old belongs to no save still running: a save
// writes its temporary file in one go and renames it at once (a save that
// is still flushing holds a lock on it as well).
constexpr std::time_t nLeftoverSeconds = 60;

std::string TempStem(const std::string& s_name)
{
    const std::size_t n_room = nMaxNameBytes - 1 - sTempMark.size() - nRandomChars;
    return "." + s_name.substr(0, n_room) + std::string(sTempMark);
}

// Creates a new temporary file; -1 with errno set when it cannot. The mode
// 0666 is narrowed by the user's umask, so that a new file gets the user's
// usual permissions (without touching the process-wide umask, which racing
// saves would get wrong).
int CreateTemp(const std::string& s_folder, const std::string& s_stem, std::string& o_path)
{
    static constexpr char aChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 o_random(std::random_device{}());
    for (int i_try = 0; i_try < 100; ++i_try) {
        std::string s_name = s_stem;
        for (std::size_t i = 0; i < nRandomChars; ++i)
            s_name += aChars[o_random() % (sizeof aChars - 1)];
        o_path = InFolder(s_folder, s_name);
        const int i_fd = open(o_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (i_fd >= 0 || errno != EEXIST)
            return i_fd;
    }
    errno = EEXIST;
    return -1;
}

// The temporary file of one save, removed unless kept.
class TempFile {
public:
    TempFile(std::string s_path, int i_fd) : sPath(std::move(s_path)), Handle(i_fd) {}
    ~TempFile()
    {
        if (!bKeep)
            unlink(sPath.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return sPath; }
    int Fd() const { return Handle.Get(); }
    bool Close() { return Handle.Close(); }
    void Keep() { bKeep = true; }

private:
    std::string sPath;
    FileHandle Handle;
    bool bKeep = false;
};

// Removes this file's temporary files that saves killed part way left:
// the user's own, older than a minute, and not locked by a save at work.
void RemoveLeftovers(const std::string& s_folder, const std::string& s_stem)
{
    DIR* p_dir = opendir(s_folder.empty() ? "." : s_folder.c_str());
    if (p_dir == nullptr)
        return;
    const int i_dir = dirfd(p_dir);
    const std::time_t t_before = std::time(nullptr) - nLeftoverSeconds;
    while (const dirent* p_entry = readdir(p_dir)) {
        const std::string_view s_name = p_entry->d_name;
        if (s_name.size() != s_stem.size() + nRandomChars || s_name.substr(0, s_stem.size()) != s_stem)
            continue;
        struct stat st {};
        if (fstatat(i_dir, p_entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)
            || st.st_uid != geteuid() || st.st_mtime >= t_before)
            continue;
        const FileHandle fd(openat(i_dir, p_entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (fd.Get() >= 0 && flock(fd.Get(), LOCK_EX | LOCK_NB) == 0)
            unlinkat(i_dir, p_entry->d_name, 0);
    }
    closedir(p_dir);
}

// ---- the file being replaced ----

// The write bits are how a user protects a file. A file without any is
// refused for every user: the system lets root write it regardless, but
// it was protected on purpose, and Save As keeps the changes elsewhere.
// Otherwise the system's own test for this user decides (another user's
// file, a read-only mount).
bool IsReadOnly(const std::string& s_path, const struct stat& st_file)
{
    if ((st_file.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    if (faccessat(AT_FDCWD, s_path.c_str(), W_OK, AT_EACCESS) == 0)
        return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

// Gives the new file the old one's owner, group and permission bits;
// false when the system does not let this user give them.
bool TakeOwnerAndMode(int i_fd, const struct stat& st_old)
{
    // The permission bits first, so that the copy never shows more than
    // the old file did, even when it is kept for writing in place.
    if (fchmod(i_fd, st_old.st_mode & 0777) != 0)
        return false;
    struct stat st_new {};
    if (fstat(i_fd, &st_new) != 0)
        return false;
    if ((st_new.st_uid != st_old.st_uid || st_new.st_gid != st_old.st_gid)
        && fchown(i_fd, st_old.st_uid, st_old.st_gid) != 0)
        return false;
    // After the owner: giving a file away clears its set-id bits.
    return fchmod(i_fd, st_old.st_mode & 07777) == 0;
}

// Writes into what is there: a device or a pipe takes the bytes as they
// come; nothing can be put in its place.
void WriteInto(const std::string& s_path, const char* p, std::size_t n)
{
    FileHandle fd(open(s_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0)
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
    if (!PutAll(fd.Get(), p, n) || !fd.Close())
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
}

// Writes over the file itself, so that its links, owner and group stay.
// The complete new bytes are already on disk in the temporary file, and
// room for them is taken before the first old byte is overwritten, so that
// a full disk leaves the old file as it was; should the write fail part
// way all the same, or the program be killed, the copy is kept.
void WriteInPlace(const std::string& s_path, const char* p, std::size_t n, TempFile& copy)
{
    FileHandle fd(open(s_path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0)
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
    // One save at a time writes into a file.
    while (flock(fd.Get(), LOCK_EX) != 0 && errno == EINTR) {
    }
    if (n > 0 && fallocate(fd.Get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(n)) != 0
        && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
    if (!PutAll(fd.Get(), p, n) || ftruncate(fd.Get(), static_cast<off_t>(n)) != 0 || fsync(fd.Get()) != 0
        || !fd.Close()) {
        const int i_err = errno;
        copy.Keep();
        throw CFileException(s_path,
                             "cannot write the file: " + ErrnoText(i_err) + "\nThe file may be damaged; '"
                                 + copy.Path() + "' holds everything that was to be saved.",
                             CFileException::partlyWritten);
    }
}

void WriteAll(const std::string& s_given, const char* p, std::size_t n)
{
    const std::string s_path = FollowLinks(s_given);
    struct stat st_old {};
    const bool b_exists = stat(s_path.c_str(), &st_old) == 0;
    if (b_exists && S_ISDIR(st_old.st_mode))
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(EISDIR));
    // Renaming over a device or a pipe would replace the node itself.
    if (b_exists && !S_ISREG(st_old.st_mode)) {
        WriteInto(s_path, p, n);
        return;
    }
    if (b_exists && IsReadOnly(s_path, st_old))
        throw CFileException(s_path, "the file is read-only", CFileException::readOnly);

    const std::string s_folder = FolderOf(s_path);
    const std::string s_stem = TempStem(NameOf(s_path));
    std::string s_tmp;
    const int i_fd = CreateTemp(s_folder, s_stem, s_tmp);
    if (i_fd < 0)
        throw CFileException(s_path, "cannot create a file in this folder: " + ErrnoText(errno));
    TempFile tmp(s_tmp, i_fd);
    // Held until the file is closed: tells the leftover sweep of another
    // save that this one is at work.
    flock(tmp.Fd(), LOCK_EX);

    // A rename gives the file the temporary file's links, owner and group;
    // where those would differ from the old file's, the file is written in
    // place instead.
    bool b_inPlace = false;
    if (b_exists) {
        const bool b_taken = TakeOwnerAndMode(tmp.Fd(), st_old);
        b_inPlace = st_old.st_nlink > 1 || !b_taken;
    }

    if (!PutAll(tmp.Fd(), p, n) || fsync(tmp.Fd()) != 0 || !tmp.Close())
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
    if (b_inPlace) {
        WriteInPlace(s_path, p, n, tmp);
    } else {
        if (rename(s_tmp.c_str(), s_path.c_str()) != 0)
            throw CFileException(s_path, "cannot replace the file: " + ErrnoText(errno));
        tmp.Keep(); // it is the file now
        const FileHandle dir(open(s_folder.empty() ? "." : s_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.Get() >= 0)
            fsync(dir.Get());
    }
    RemoveLeftovers(s_folder, s_stem);
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& s_path)
{
    const FileHandle fd(open(s_path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        throw CFileException(s_path, "cannot open the file: " + ErrnoText(errno));
    std::vector<std::uint8_t> v_bytes;
    if (!ReadUpTo(fd.Get(), v_bytes, UINT64_MAX))
        throw CFileException(s_path, "cannot read the file: " + ErrnoText(errno));
    return v_bytes;
}

namespace {

// Opens a plain file of at most u_maxBytes for reading, looking before it
// opens: opening a device may do something. Should the path have become a
// pipe meanwhile, the open does not wait for a writer, and what was opened
// is looked at again. o_stat holds what was opened.
int OpenDocument(const std::string& s_path, std::uint64_t u_maxBytes, struct stat& o_stat)
{
    if (stat(s_path.c_str(), &o_stat) != 0) {
        const int i_err = errno;
        const bool b_none = i_err == ENOENT || i_err == ENOTDIR || i_err == ENAMETOOLONG;
        throw CFileException(s_path, "cannot open the file: " + ErrnoText(i_err),
                             b_none ? CFileException::notFound : CFileException::generic);
    }
    if (!S_ISREG(o_stat.st_mode) || static_cast<std::uint64_t>(o_stat.st_size) > u_maxBytes)
        ThrowNotOfKind();
    const int i_fd = open(s_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (i_fd < 0)
        throw CFileException(s_path, "cannot open the file: " + ErrnoText(errno));
    if (fstat(i_fd, &o_stat) != 0) {
        const int i_err = errno;
        close(i_fd);
        throw CFileException(s_path, "cannot read the file: " + ErrnoText(i_err));
    }
    if (!S_ISREG(o_stat.st_mode) || static_cast<std::uint64_t>(o_stat.st_size) > u_maxBytes) {
        close(i_fd);
        ThrowNotOfKind();
    }
    return i_fd;
}

} // namespace

std::vector<std::uint8_t> ReadDocumentHead(const std::string& s_path, std::size_t n_bytes)
{
    struct stat st {};
    const FileHandle fd(OpenDocument(s_path, UINT64_MAX, st));
    std::vector<std::uint8_t> v_bytes;
    if (!ReadUpTo(fd.Get(), v_bytes, n_bytes))
        throw CFileException(s_path, "cannot read the file: " + ErrnoText(errno));
    return v_bytes;
}

std::vector<std::uint8_t> ReadDocumentFile(const std::string& s_path, std::uint64_t u_maxBytes,
                                           std::size_t n_headBytes, const HeadCheck& f_headOk)
{
    struct stat st {};
    const FileHandle fd(OpenDocument(s_path, u_maxBytes, st));

    std::vector<std::uint8_t> v_bytes;
    if (!ReadUpTo(fd.Get(), v_bytes, n_headBytes))
        throw CFileException(s_path, "cannot read the file: " + ErrnoText(errno));
    if (!f_headOk(v_bytes.data(), v_bytes.size()))
        ThrowNotOfKind();
    v_bytes.reserve(static_cast<std::size_t>(st.st_size));
    // One byte beyond the bound tells a file that grew since it was looked at.
    if (!ReadUpTo(fd.Get(), v_bytes, u_maxBytes == UINT64_MAX ? u_maxBytes : u_maxBytes + 1))
        throw CFileException(s_path, "cannot read the file: " + ErrnoText(errno));
    if (v_bytes.size() > u_maxBytes)
        ThrowNotOfKind();
    return v_bytes;
}

void WriteFileAtomically(const std::string& s_path, const std::vector<std::uint8_t>& v_bytes)
{
    WriteAll(s_path, reinterpret_cast<const char*>(v_bytes.data()), v_bytes.size());
}

void WriteFileAtomically(const std::string& s_path, const std::string& s_bytes)
{
    WriteAll(s_path, s_bytes.data(), s_bytes.size());
}
