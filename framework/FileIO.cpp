#include "framework/FileIO.h"
#include "framework/Exceptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrnoText(int i_err) { return std::strerror(i_err); }

// Writes into what is there: a device or a pipe takes the bytes as they
// come; nothing can be put in its place.
void WriteInto(const std::string& s_path, const char* p, std::size_t n)
{
    const int i_fd = open(s_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (i_fd < 0)
        throw CFileException(s_path, "cannot create the file: " + ErrnoText(errno));
    while (n > 0) {
        const ssize_t i_put = write(i_fd, p, n);
        if (i_put < 0 && errno == EINTR)
            continue;
        if (i_put <= 0) {
            const int i_err = i_put < 0 ? errno : EIO;
            close(i_fd);
            throw CFileException(s_path, "cannot write the file: " + ErrnoText(i_err));
        }
        p += i_put;
        n -= static_cast<std::size_t>(i_put);
    }
    if (close(i_fd) != 0)
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(errno));
}

void WriteAll(const std::string& s_given, const char* p, std::size_t n)
{
    // A link is followed, so that the file it names is replaced and the
    // link stays; renaming over the link itself would cut it off.
    std::string s_path = s_given;
    struct stat st_link {};
    if (lstat(s_given.c_str(), &st_link) == 0 && S_ISLNK(st_link.st_mode)) {
        if (char* p_real = realpath(s_given.c_str(), nullptr)) {
            s_path = p_real;
            free(p_real);
        }
    }
    // Renaming over a device or a pipe would replace the node itself.
    struct stat st_target {};
    if (stat(s_path.c_str(), &st_target) == 0 && !S_ISREG(st_target.st_mode)) {
        WriteInto(s_path, p, n);
        return;
    }

    std::string s_dir = ".";
    const auto u_slash = s_path.rfind('/');
    if (u_slash != std::string::npos)
        s_dir = u_slash == 0 ? "/" : s_path.substr(0, u_slash);

    std::string s_tmp = s_path + ".XXXXXX";
    std::vector<char> v_name(s_tmp.begin(), s_tmp.end());
    v_name.push_back('\0');
    const int i_fd = mkstemp(v_name.data());
    if (i_fd < 0)
        throw CFileException(s_path, "cannot create a file in this folder: " + ErrnoText(errno));
    s_tmp = v_name.data();

    auto fail = [&](const std::string& s_what) {
        const int i_err = errno;
        close(i_fd);
        unlink(s_tmp.c_str());
        throw CFileException(s_path, s_what + ": " + ErrnoText(i_err));
    };

    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones rather than mkstemp's owner-only mode.
    struct stat st {};
    mode_t u_mode = 0666;
    if (stat(s_path.c_str(), &st) == 0)
        u_mode = st.st_mode & 07777;
    else {
        const mode_t u_mask = umask(0);
        umask(u_mask);
        u_mode &= ~u_mask;
    }
    fchmod(i_fd, u_mode);

    while (n > 0) {
        const ssize_t i_put = write(i_fd, p, n);
        if (i_put < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot write the file");
        }
        p += i_put;
        n -= static_cast<std::size_t>(i_put);
    }
    if (fsync(i_fd) != 0)
        fail("cannot write the file");
    if (close(i_fd) != 0) {
        const int i_err = errno;
        unlink(s_tmp.c_str());
        throw CFileException(s_path, "cannot write the file: " + ErrnoText(i_err));
    }
    if (rename(s_tmp.c_str(), s_path.c_str()) != 0) {
        const int i_err = errno;
        unlink(s_tmp.c_str());
        throw CFileException(s_path, "cannot replace the file: " + ErrnoText(i_err));
    }
    const int i_dir = open(s_dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (i_dir >= 0) {
        fsync(i_dir);
        close(i_dir);
    }
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& s_path)
{
    const int i_fd = open(s_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (i_fd < 0)
        throw CFileException(s_path, "cannot open the file: " + ErrnoText(errno));
    std::vector<std::uint8_t> v_bytes;
    std::uint8_t a_chunk[65536];
    for (;;) {
        const ssize_t i_got = read(i_fd, a_chunk, sizeof a_chunk);
        if (i_got < 0) {
            if (errno == EINTR)
                continue;
            const int i_err = errno;
            close(i_fd);
            throw CFileException(s_path, "cannot read the file: " + ErrnoText(i_err));
        }
        if (i_got == 0)
            break;
        v_bytes.insert(v_bytes.end(), a_chunk, a_chunk + i_got);
    }
    close(i_fd);
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
