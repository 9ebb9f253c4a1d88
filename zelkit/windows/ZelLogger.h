// An output file stream for log files whose file can be swapped for another
// while the stream stays open: code holding the stream keeps writing, and
// what it writes lands in the new file.
//
// The stream writes through a file descriptor, so that the swap can make
// that same descriptor refer to the new file.
#pragma once

#include <ios>
#include <ostream>
#include <streambuf>
#include <vector>

// A stream buffer over a POSIX file descriptor.
class ZelFdStreamBuf : public std::streambuf {
public:
    ZelFdStreamBuf();
    ~ZelFdStreamBuf() override;
    ZelFdStreamBuf(const ZelFdStreamBuf&) = delete;
    ZelFdStreamBuf& operator=(const ZelFdStreamBuf&) = delete;

    // Opens a file of its own, closed again by close() or destruction.
    bool open(const char* psz_file, std::ios_base::openmode e_mode, int i_prot);
    // Writes to a descriptor the caller keeps: it is never closed here. A
    // null buffer or a length below 1 writes unbuffered.
    bool attach(int i_fd, char* p_buf, std::streamsize n_len);
    bool close();
    bool is_open() const { return iFd >= 0; }
    int fd() const { return iFd; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* p, std::streamsize n) override;
    int sync() override;

private:
    bool WriteAll(const char* p, std::size_t n);
    bool FlushBuffer();
    void UseBuffer(char* p_buf, std::streamsize n_len);

    int iFd;
    bool bOwnsFd;
    std::vector<char> vOwnBuffer;
};

class ZelLogger : public std::ostream {
public:
    // Permission bits of a file the stream creates.
    static constexpr int openprot = 0664;

    ZelLogger();
    explicit ZelLogger(const char* psz_file, std::ios_base::openmode e_mode = std::ios_base::out,
                       int i_prot = openprot);
    explicit ZelLogger(int i_fd);
    ZelLogger(int i_fd, char* p_buf, int i_len);
    ~ZelLogger() override;
    ZelLogger(const ZelLogger&) = delete;
    ZelLogger& operator=(const ZelLogger&) = delete;

    void open(const char* psz_file, std::ios_base::openmode e_mode = std::ios_base::out, int i_prot = openprot);
    void attach(int i_fd);
    void close();
    bool is_open() const { return Buffer.is_open(); }
    int fd() const { return Buffer.fd(); }

    // Makes the stream's descriptor refer to psz_file, opened for appending
    // and created with permissions 0664 when missing; what was written so
    // far goes to the old file first. A file that cannot be opened sets the
    // fail bit; a descriptor that cannot be swapped sets the fail and bad
    // bits. Returns the stream's state.
    std::ios_base::iostate Redirect(const char* psz_file);

private:
    ZelFdStreamBuf Buffer;
};
