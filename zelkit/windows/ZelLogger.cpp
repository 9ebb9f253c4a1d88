#include "zelkit/windows/ZelLogger.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::size_t nDefaultBuffer = 4096;
}

ZelFdStreamBuf::ZelFdStreamBuf() : iFd(-1), bOwnsFd(false) {}

ZelFdStreamBuf::~ZelFdStreamBuf() { close(); }

void ZelFdStreamBuf::UseBuffer(char* p_buf, std::streamsize n_len)
{
    if (p_buf == nullptr || n_len < 1)
        setp(nullptr, nullptr);
    else
        setp(p_buf, p_buf + n_len);
}

bool ZelFdStreamBuf::open(const char* psz_file, std::ios_base::openmode e_mode, int i_prot)
{
    if (is_open() || psz_file == nullptr)
        return false;
    int i_flags = O_CLOEXEC | O_CREAT;
    i_flags |= (e_mode & std::ios_base::in) ? O_RDWR : O_WRONLY;
    if (e_mode & std::ios_base::app)
        i_flags |= O_APPEND;
    else if ((e_mode & std::ios_base::trunc) || !(e_mode & std::ios_base::in))
        i_flags |= O_TRUNC;
    const int i_fd = ::open(psz_file, i_flags, i_prot);
    if (i_fd < 0)
        return false;
    if ((e_mode & std::ios_base::ate) && ::lseek(i_fd, 0, SEEK_END) < 0) {
        ::close(i_fd);
        return false;
    }
    iFd = i_fd;
    bOwnsFd = true;
    vOwnBuffer.assign(nDefaultBuffer, '\0');
    UseBuffer(vOwnBuffer.data(), static_cast<std::streamsize>(vOwnBuffer.size()));
    return true;
}

bool ZelFdStreamBuf::attach(int i_fd, char* p_buf, std::streamsize n_len)
{
    if (is_open() || i_fd < 0)
        return false;
    iFd = i_fd;
    bOwnsFd = false;
    UseBuffer(p_buf, n_len);
    return true;
}

bool ZelFdStreamBuf::close()
{
    if (!is_open())
        return false;
    bool b_ok = FlushBuffer();
    if (bOwnsFd && ::close(iFd) != 0)
        b_ok = false;
    iFd = -1;
    bOwnsFd = false;
    setp(nullptr, nullptr);
    vOwnBuffer.clear();
    return b_ok;
}

bool ZelFdStreamBuf::WriteAll(const char* p, std::size_t n)
{
    while (n > 0) {
        const ssize_t n_done = ::write(iFd, p, n);
        if (n_done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n_done;
        n -= static_cast<std::size_t>(n_done);
    }
    return true;
}

bool ZelFdStreamBuf::FlushBuffer()
{
    if (!is_open())
        return false;
    const std::size_t n = static_cast<std::size_t>(pptr() - pbase());
    if (n == 0)
        return true;
    const bool b_ok = WriteAll(pbase(), n);
    // Whatever happened, the bytes are not kept for another try: a failed
    // write is reported through the stream's state.
    setp(pbase(), epptr());
    return b_ok;
}

ZelFdStreamBuf::int_type ZelFdStreamBuf::overflow(int_type c)
{
    if (!FlushBuffer())
        return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    if (pptr() != nullptr && pptr() < epptr()) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }
    const char ch = traits_type::to_char_type(c);
    return WriteAll(&ch, 1) ? c : traits_type::eof();
}

std::streamsize ZelFdStreamBuf::xsputn(const char* p, std::streamsize n)
{
    if (!is_open() || n <= 0)
        return 0;
    // What fits goes into the buffer; a longer run is written at once.
    if (epptr() - pptr() >= n) {
        traits_type::copy(pptr(), p, static_cast<std::size_t>(n));
        pbump(static_cast<int>(n));
        return n;
    }
    if (!FlushBuffer() || !WriteAll(p, static_cast<std::size_t>(n)))
        return 0;
    return n;
}

int ZelFdStreamBuf::sync() { return FlushBuffer() ? 0 : -1; }

ZelLogger::ZelLogger() : std::ostream(&Buffer) {}

ZelLogger::ZelLogger(const char* psz_file, std::ios_base::openmode e_mode, int i_prot) : std::ostream(&Buffer)
{
    open(psz_file, e_mode, i_prot);
}

ZelLogger::ZelLogger(int i_fd) : std::ostream(&Buffer) { attach(i_fd); }

ZelLogger::ZelLogger(int i_fd, char* p_buf, int i_len) : std::ostream(&Buffer)
{
    if (!Buffer.attach(i_fd, p_buf, i_len))
        setstate(std::ios_base::failbit);
}

ZelLogger::~ZelLogger() { Buffer.close(); }

void ZelLogger::open(const char* psz_file, std::ios_base::openmode e_mode, int i_prot)
{
    if (Buffer.open(psz_file, e_mode | std::ios_base::out, i_prot))
        clear();
    else
        setstate(std::ios_base::failbit);
}

void ZelLogger::attach(int i_fd)
{
    if (!Buffer.attach(i_fd, nullptr, 0))
        setstate(std::ios_base::failbit);
}

void ZelLogger::close()
{
    if (!Buffer.close())
        setstate(std::ios_base::failbit);
}

std::ios_base::iostate ZelLogger::Redirect(const char* psz_file)
{
    // Pending output belongs to the file written so far.
    if (Buffer.pubsync() != 0)
        setstate(std::ios_base::badbit);
    const int i_new = psz_file ? ::open(psz_file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0664) : -1;
    if (i_new < 0) {
        setstate(std::ios_base::failbit);
        return rdstate();
    }
    const int i_fd = fd();
    // A descriptor its owner closed under the stream may have been handed
    // out again for the new file: then it already refers to that file and
    // must stay open.
    if (i_new == i_fd)
        return rdstate();
    // The descriptor keeps its close-on-exec setting, so that a log file
    // does not leak into the programs this one starts.
    const int i_fd_flags = i_fd >= 0 ? ::fcntl(i_fd, F_GETFD) : -1;
    const int i_dup_flags = i_fd_flags >= 0 && (i_fd_flags & FD_CLOEXEC) ? O_CLOEXEC : 0;
    if (i_fd < 0 || ::dup3(i_new, i_fd, i_dup_flags) != i_fd)
        setstate(std::ios_base::failbit | std::ios_base::badbit);
    ::close(i_new);
    return rdstate();
}
