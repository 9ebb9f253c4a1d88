#include "framework/FileIO.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
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

// ---- the temporary file and the safety copy ----

// Temporary files are hidden and carry the file's name and ours, so that
// a user can tell what one is, and the next save of the file can find what
// an earlier one left when it was killed: ".NAME.rotavex-XXXXXX".
//
// A file written in place has a safety copy: the temporary file, once it
// is complete and on disk, is renamed to ".NAME.rotavex-rescue-XXXXXX"
// before the first byte of the file is overwritten. A rescue copy is thus
// always whole, where a temporary file may be cut short; it is what a
// torn in-place write leaves, and what the open of the torn file names.
// Where the file's folder takes no new file, the copy is made in the
// user's cache folder instead, named after the file's name and path:
// "NAME.rotavex-rescue-HASH-XXXXXX".
constexpr std::string_view sTempMark = ".rotavex-";
constexpr std::string_view sRescueMark = ".rotavex-rescue-";
constexpr std::size_t nRandomChars = 6;
// The longest name a folder takes on the systems we run on.
constexpr std::size_t nMaxNameBytes = 255;
// A temporary file this old belongs to no save still running: a save
// writes its temporary file in one go and renames it at once (a save that
// is still flushing holds a lock on it as well).
constexpr std::time_t nLeftoverSeconds = 60;

// The file's name cut so that the stem and the random characters fit in
// one name.
std::string StemOf(const std::string& s_before, const std::string& s_name, const std::string& s_after)
{
    const std::size_t n_room = nMaxNameBytes - s_before.size() - s_after.size() - nRandomChars;
    return s_before + s_name.substr(0, n_room) + s_after;
}

std::string TempStem(const std::string& s_name) { return StemOf(".", s_name, std::string(sTempMark)); }
std::string RescueStem(const std::string& s_name) { return StemOf(".", s_name, std::string(sRescueMark)); }

std::string Hex(std::uint64_t u)
{
    char a_text[24];
    std::snprintf(a_text, sizeof a_text, "%llx", static_cast<unsigned long long>(u));
    return a_text;
}

// The stem of a rescue copy in a copy folder of the file at s_path: its
// name for the user, and for telling it from files of that name in other
// folders, a hash of its full path (its folder resolved, so that every
// way to the file finds the copy).
std::string CachedRescueStem(const std::string& s_path)
{
    const std::string s_folder = FolderOf(s_path);
    std::string s_full = s_path;
    if (char* p_real = realpath(s_folder.empty() ? "." : s_folder.c_str(), nullptr)) {
        s_full = InFolder(p_real, NameOf(s_path));
        std::free(p_real);
    }
    // FNV-1a, 64 bits.
    std::uint64_t u_hash = 14695981039346656037ull;
    for (const char c : s_full) {
        u_hash ^= static_cast<unsigned char>(c);
        u_hash *= 1099511628211ull;
    }
    return StemOf("", NameOf(s_path), std::string(sRescueMark) + Hex(u_hash) + "-");
}

// Creates the folder and those above it that are missing, for this user
// alone; false when it cannot.
bool MakeFolders(const std::string& s_folder)
{
    struct stat st {};
    if (stat(s_folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const std::string s_parent = FolderOf(s_folder);
    if (!s_parent.empty() && s_parent != s_folder && !MakeFolders(s_parent))
        return false;
    return mkdir(s_folder.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string AbsoluteEnv(const char* p_name)
{
    const char* p = std::getenv(p_name);
    return p != nullptr && *p == '/' ? std::string(p) : std::string();
}

// Where a safety copy goes when the file's own folder takes no new file:
// the user's cache folder ($XDG_CACHE_HOME, by default ~/.cache), which
// is on disk and outlives the program, else the runtime folder
// ($XDG_RUNTIME_DIR), each with a folder of ours. Empty when neither can
// be made.
std::vector<std::string> CopyFolders()
{
    std::vector<std::string> v_folders;
    std::string s_cache = AbsoluteEnv("XDG_CACHE_HOME");
    if (s_cache.empty()) {
        std::string s_home = AbsoluteEnv("HOME");
        if (s_home.empty())
            if (const passwd* p_user = getpwuid(geteuid()); p_user != nullptr && p_user->pw_dir != nullptr)
                s_home = p_user->pw_dir;
        if (!s_home.empty())
            s_cache = InFolder(s_home, ".cache");
    }
    if (!s_cache.empty())
        v_folders.push_back(InFolder(s_cache, "rotavex"));
    if (const std::string s_runtime = AbsoluteEnv("XDG_RUNTIME_DIR"); !s_runtime.empty())
        v_folders.push_back(InFolder(s_runtime, "rotavex"));
    return v_folders;
}

// Creates a new temporary file; -1 with errno set when it cannot. The mode
// 0666 is narrowed by the user's umask, so that a new file gets the user's
// usual permissions (without touching the process-wide umask, which racing
// saves would get wrong).
int CreateUnique(const std::string& s_folder, const std::string& s_stem, std::string& o_path, int i_flags)
{
    static constexpr char aChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 o_random(std::random_device{}());
    for (int i_try = 0; i_try < 100; ++i_try) {
        std::string s_name = s_stem;
        for (std::size_t i = 0; i < nRandomChars; ++i)
            s_name += aChars[o_random() % (sizeof aChars - 1)];
        o_path = InFolder(s_folder, s_name);
        const int i_fd = open(o_path.c_str(), i_flags, 0666);
        if (i_fd >= 0 || errno != EEXIST)
            return i_fd;
    }
    errno = EEXIST;
    return -1;
}

int CreateTemp(const std::string& s_folder, const std::string& s_stem, std::string& o_path)
{
    return CreateUnique(s_folder, s_stem, o_path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC);
}

// Gives the complete temporary file its rescue name; false with errno set
// when it cannot. A name nobody holds is taken first and the copy renamed
// onto it, so that no rescue copy of another save is replaced.
bool NameAsRescue(const std::string& s_temp, const std::string& s_folder, const std::string& s_stem,
                  std::string& o_rescue)
{
    const int i_fd = CreateUnique(s_folder, s_stem, o_rescue, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC);
    if (i_fd < 0)
        return false;
    close(i_fd);
    if (rename(s_temp.c_str(), o_rescue.c_str()) == 0)
        return true;
    const int i_err = errno;
    unlink(o_rescue.c_str());
    errno = i_err;
    return false;
}

// The temporary file of one save, removed unless kept; under its rescue
// name once it is the safety copy of a write in place.
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
    void Renamed(std::string s_path) { sPath = std::move(s_path); }

private:
    std::string sPath;
    FileHandle Handle;
    bool bKeep = false;
};

void SyncFolder(const std::string& s_folder)
{
    const FileHandle dir(open(s_folder.empty() ? "." : s_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0)
        fsync(dir.Get());
}

// ---- rescue copies ----

struct Rescue {
    std::string sPath;
    struct stat St;
};

// The rescue copies named s_stem + six characters in a folder, newest first.
void AddRescues(const std::string& s_folder, const std::string& s_stem, std::vector<Rescue>& v_found)
{
    DIR* p_dir = opendir(s_folder.empty() ? "." : s_folder.c_str());
    if (p_dir == nullptr)
        return;
    while (const dirent* p_entry = readdir(p_dir)) {
        const std::string_view s_name = p_entry->d_name;
        if (s_name.size() != s_stem.size() + nRandomChars || s_name.substr(0, s_stem.size()) != s_stem)
            continue;
        Rescue rescue{InFolder(s_folder, p_entry->d_name), {}};
        if (lstat(rescue.sPath.c_str(), &rescue.St) == 0 && S_ISREG(rescue.St.st_mode))
            v_found.push_back(std::move(rescue));
    }
    closedir(p_dir);
}

// Every rescue copy of the file at s_path (links followed): beside it, and
// in the copy folders under its identity.
std::vector<Rescue> RescuesOf(const std::string& s_path)
{
    std::vector<Rescue> v_found;
    AddRescues(FolderOf(s_path), RescueStem(NameOf(s_path)), v_found);
    for (const std::string& s_folder : CopyFolders())
        AddRescues(s_folder, CachedRescueStem(s_path), v_found);
    std::sort(v_found.begin(), v_found.end(), [](const Rescue& a, const Rescue& b) {
        return a.St.st_mtim.tv_sec != b.St.st_mtim.tv_sec ? a.St.st_mtim.tv_sec > b.St.st_mtim.tv_sec
                                                          : a.St.st_mtim.tv_nsec > b.St.st_mtim.tv_nsec;
    });
    return v_found;
}

bool SameBytes(const std::string& s_path, const char* p, std::size_t n)
{
    const FileHandle fd(open(s_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    std::vector<std::uint8_t> v_bytes;
    return fd.Get() >= 0 && ReadUpTo(fd.Get(), v_bytes, std::uint64_t(n) + 1) && v_bytes.size() == n
        && std::equal(v_bytes.begin(), v_bytes.end(), reinterpret_cast<const std::uint8_t*>(p));
}

// The rescue copies a save may remove once it has written the file: a
// copy holding the bytes the file held before (the write in place it
// guarded finished, and the program was killed before removing it) or the
// bytes just saved. A copy of a torn write holds neither and stays, so
// that its file's open can name it. Looked at before the save, since the
// old bytes go with it.
std::vector<std::string> SpentRescues(const std::string& s_path, const struct stat& st_old, const char* p,
                                      std::size_t n)
{
    std::vector<std::string> v_spent;
    std::vector<std::uint8_t> v_old;
    bool b_oldRead = false;
    for (const Rescue& rescue : RescuesOf(s_path)) {
        if (rescue.St.st_uid != geteuid())
            continue;
        if (static_cast<std::uint64_t>(rescue.St.st_size) == n && SameBytes(rescue.sPath, p, n)) {
            v_spent.push_back(rescue.sPath);
            continue;
        }
        if (rescue.St.st_size != st_old.st_size)
            continue;
        if (!b_oldRead) {
            b_oldRead = true;
            const FileHandle fd(open(s_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
            if (fd.Get() < 0 || !ReadUpTo(fd.Get(), v_old, static_cast<std::uint64_t>(st_old.st_size) + 1))
                v_old.clear();
        }
        if (v_old.size() == static_cast<std::size_t>(st_old.st_size)
            && SameBytes(rescue.sPath, reinterpret_cast<const char*>(v_old.data()), v_old.size()))
            v_spent.push_back(rescue.sPath);
    }
    return v_spent;
}

// Removes rescue copies no save is at work on (one writing in place holds
// a lock on its copy).
void RemoveRescues(const std::vector<std::string>& v_paths)
{
    for (const std::string& s_path : v_paths) {
        const FileHandle fd(open(s_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (fd.Get() >= 0 && flock(fd.Get(), LOCK_EX | LOCK_NB) == 0)
            unlink(s_path.c_str());
    }
}

// Removes this file's temporary files that saves killed part way left:
// the user's own, older than a minute, and not locked by a save at work.
// Rescue copies are not of their kind (their names are longer).
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
// A read-only mount protects it alike. Otherwise the system's own test for
// this user decides: a file with write bits for others only (another
// user's) is not this user's to write.
CFileException::Cause WriteRefusal(const std::string& s_path, const struct stat& st_file)
{
    if ((st_file.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return CFileException::readOnly;
    if (faccessat(AT_FDCWD, s_path.c_str(), W_OK, AT_EACCESS) == 0)
        return CFileException::generic;
    if (errno == EROFS)
        return CFileException::readOnly;
    if (errno == EACCES || errno == EPERM)
        return CFileException::notWritableByUser;
    return CFileException::generic;
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

[[noreturn]] void ThrowNotRegular(const std::string& s_path, const char* p_doing)
{
    throw CFileException(s_path, std::string(p_doing) + ": it is not a regular file", CFileException::notRegular);
}

// The folder s_path goes in when that folder is missing, else empty.
std::string MissingFolderOf(const std::string& s_path)
{
    const std::string s_folder = FolderOf(s_path);
    struct stat st {};
    if (s_folder.empty() || stat(s_folder.c_str(), &st) == 0 || errno != ENOENT)
        return {};
    return s_folder;
}

// Writes over the file itself, so that its links, owner and group stay.
// The complete new bytes are already on disk in the safety copy, and room
// for them is taken before the first old byte is overwritten, so that a
// full disk leaves the old file as it was; should the write fail part way
// all the same, or the program be killed, the copy is kept.
void WriteInPlace(const std::string& s_path, const struct stat& st_old, const char* p, std::size_t n,
                  TempFile& copy)
{
    // Not waiting on a pipe that took the file's place meanwhile; what was
    // opened must be the file that was looked at.
    FileHandle fd(open(s_path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.Get() < 0)
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
    struct stat st_opened {};
    if (fstat(fd.Get(), &st_opened) != 0)
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
    if (!S_ISREG(st_opened.st_mode))
        ThrowNotRegular(s_path, "cannot write the file");
    if (st_opened.st_dev != st_old.st_dev || st_opened.st_ino != st_old.st_ino)
        throw CFileException(s_path, "cannot write the file: it was replaced while it was being saved");
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
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(i_err), CFileException::partlyWritten,
                             copy.Path());
    }
}

// Makes the safety copy of a file written in place where its own folder
// takes no new file: in the first copy folder that takes one, readable by
// this user alone. Null when none does.
std::unique_ptr<TempFile> CreateCopyElsewhere(const std::string& s_path,
                                              std::string& o_folder, std::string& o_rescueStem)
{
    for (const std::string& s_folder : CopyFolders()) {
        if (!MakeFolders(s_folder))
            continue;
        std::string s_tmp;
        const int i_fd = CreateTemp(s_folder, TempStem(NameOf(s_path)), s_tmp);
        if (i_fd < 0)
            continue;
        auto p_copy = std::make_unique<TempFile>(s_tmp, i_fd);
        fchmod(i_fd, 0600);
        o_folder = s_folder;
        o_rescueStem = CachedRescueStem(s_path);
        return p_copy;
    }
    return nullptr;
}

void WriteAll(const std::string& s_given, const char* p, std::size_t n)
{
    const std::string s_path = FollowLinks(s_given);
    struct stat st_old {};
    const bool b_exists = stat(s_path.c_str(), &st_old) == 0;
    // Renaming over a folder, a device or a pipe would replace the node
    // itself, and writing into one is no save (a pipe would wait for a
    // reader for ever): what is there must be a file.
    if (b_exists && !S_ISREG(st_old.st_mode))
        ThrowNotRegular(s_path, "cannot write the file");
    if (b_exists) {
        const CFileException::Cause e_refusal = WriteRefusal(s_path, st_old);
        if (e_refusal == CFileException::readOnly)
            throw CFileException(s_path, "the file is read-only", e_refusal);
        if (e_refusal == CFileException::notWritableByUser)
            throw CFileException(s_path, "the file is not writable by this user", e_refusal);
    }
    const std::vector<std::string> v_spent = b_exists ? SpentRescues(s_path, st_old, p, n)
                                                      : std::vector<std::string>();

    const std::string s_folder = FolderOf(s_path);
    const std::string s_stem = TempStem(NameOf(s_path));
    std::string s_tmp;
    std::unique_ptr<TempFile> p_tmp;
    // Where the copy is made and the rescue name it takes there.
    std::string s_copyFolder = s_folder;
    std::string s_rescueStem = RescueStem(NameOf(s_path));
    bool b_inPlace = false;
    if (const int i_fd = CreateTemp(s_folder, s_stem, s_tmp); i_fd >= 0) {
        p_tmp = std::make_unique<TempFile>(s_tmp, i_fd);
    } else {
        const int i_err = errno;
        if (const std::string s_missing = MissingFolderOf(s_path); !s_missing.empty())
            throw CFileException(s_path, "cannot create a file in this folder: the folder is missing",
                                 CFileException::folderMissing, s_missing);
        // A file the user may write, in a folder that takes no new file
        // from the user: written in place, as the desktop's editors do,
        // with its safety copy where the user may write.
        if (b_exists && (i_err == EACCES || i_err == EPERM))
            p_tmp = CreateCopyElsewhere(s_path, s_copyFolder, s_rescueStem);
        if (!p_tmp)
            throw CFileException(s_path, "cannot create a file in this folder: " + ErrnoText(i_err));
        b_inPlace = true;
    }
    TempFile& tmp = *p_tmp;
    // Held until the file is closed: tells the leftover sweep of another
    // save that this one is at work.
    flock(tmp.Fd(), LOCK_EX);

    // A rename gives the file the temporary file's links, owner and group;
    // where those would differ from the old file's, the file is written in
    // place instead.
    if (b_exists && !b_inPlace) {
        const bool b_taken = TakeOwnerAndMode(tmp.Fd(), st_old);
        b_inPlace = st_old.st_nlink > 1 || !b_taken;
    }

    if (!PutAll(tmp.Fd(), p, n) || fsync(tmp.Fd()) != 0)
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
    if (b_inPlace) {
        // The copy is whole: under its rescue name, and that name on disk,
        // before the file is touched. Its descriptor (and lock) stays open
        // until the file is written.
        std::string s_rescue;
        if (!NameAsRescue(tmp.Path(), s_copyFolder, s_rescueStem, s_rescue))
            throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
        tmp.Renamed(s_rescue);
        SyncFolder(s_copyFolder);
        WriteInPlace(s_path, st_old, p, n, tmp);
    } else {
        if (!tmp.Close())
            throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
        if (rename(s_tmp.c_str(), s_path.c_str()) != 0)
            throw CFileException(s_path, "cannot replace the file: " + ErrnoText(errno));
        tmp.Keep(); // it is the file now
        SyncFolder(s_folder);
    }
    p_tmp.reset();
    RemoveLeftovers(s_folder, s_stem);
    if (s_copyFolder != s_folder)
        RemoveLeftovers(s_copyFolder, s_stem);
    RemoveRescues(v_spent);
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
[[noreturn]] void ThrowTooLarge(const std::string& s_path, std::uint64_t u_maxBytes)
{
    throw CFileException(s_path, "cannot open the file: it is larger than " + std::to_string(u_maxBytes) + " bytes",
                         CFileException::tooLarge);
}

int OpenDocument(const std::string& s_path, std::uint64_t u_maxBytes, struct stat& o_stat)
{
    if (stat(s_path.c_str(), &o_stat) != 0) {
        const int i_err = errno;
        const bool b_none = i_err == ENOENT || i_err == ENOTDIR || i_err == ENAMETOOLONG;
        // Through a link, the folder its target goes in.
        std::string s_missing;
        if (i_err == ENOENT) {
            try {
                s_missing = MissingFolderOf(FollowLinks(s_path));
            } catch (const CFileException&) {
            }
        }
        throw CFileException(s_path, "cannot open the file: " + ErrnoText(i_err),
                             b_none ? CFileException::notFound : CFileException::generic, s_missing);
    }
    if (!S_ISREG(o_stat.st_mode))
        ThrowNotRegular(s_path, "cannot open the file");
    if (static_cast<std::uint64_t>(o_stat.st_size) > u_maxBytes)
        ThrowTooLarge(s_path, u_maxBytes);
    const int i_fd = open(s_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (i_fd < 0)
        throw CFileException(s_path, "cannot open the file: " + ErrnoText(errno));
    if (fstat(i_fd, &o_stat) != 0) {
        const int i_err = errno;
        close(i_fd);
        throw CFileException(s_path, "cannot read the file: " + ErrnoText(i_err));
    }
    if (!S_ISREG(o_stat.st_mode)) {
        close(i_fd);
        ThrowNotRegular(s_path, "cannot open the file");
    }
    if (static_cast<std::uint64_t>(o_stat.st_size) > u_maxBytes) {
        close(i_fd);
        ThrowTooLarge(s_path, u_maxBytes);
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
        ThrowTooLarge(s_path, u_maxBytes);
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

std::vector<std::string> FindRescueCopies(const std::string& s_path)
{
    std::vector<std::string> v_paths;
    try {
        for (const Rescue& rescue : RescuesOf(FollowLinks(s_path)))
            v_paths.push_back(rescue.sPath);
    } catch (const CFileException&) {
        // A loop of links names no file, nor any copy of one.
    }
    return v_paths;
}

namespace {

// Nothing to do: being caught, the signal no longer ends the process, and
// the write that passed the limit fails with EFBIG.
void OnFileSizeLimit(int) {}

} // namespace

void IgnoreFileSizeSignal()
{
    struct sigaction action {};
    action.sa_handler = OnFileSizeLimit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGXFSZ, &action, nullptr);
}
