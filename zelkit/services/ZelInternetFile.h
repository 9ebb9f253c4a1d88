// Fetching one file over HTTP into memory on a worker thread of its own.
//
// The download reports its progress by posting codes to the window that
// asked for it, through a poster (the library's wx adapter queues them to a
// window; tests record them). It can be cancelled: Close only raises a flag
// that the worker reads, and the owner then waits for the worker's end.
// The worker alone touches the transfer, so no handle is ever closed under
// a thread still using it.
#pragma once

#include "framework/Types.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CInternetFileAccess;

// Receives a download's progress. Post runs on the download's worker
// thread: it must only queue the code to the window, never wait for it.
class IInternetFilePoster {
public:
    virtual ~IInternetFilePoster() = default;
    virtual void Post(UINT u_message, LONG l_progress, CInternetFileAccess* p_access) = 0;
};

class CInternetFileAccess {
public:
    // Codes posted as the message's first parameter.
    enum Progress : LONG {
        connecting = 1, // initial state
        findingFile = 2,
        reading = 3,
        bytesRead = 4, // after every block
        done = 5,
        failed = 6,
    };

    // What WaitForThreadToClose answers.
    enum : DWORD { waitEnded = 0, waitTimeout = 0x102 };
    static constexpr DWORD waitForever = 0xFFFFFFFF;

    // Starts fetching server + "/" + path, with "http://" before a server
    // given without "http://" or "https://". Progress goes to
    // p_window as u_message. Text mode puts a zero byte after the data; a
    // download that is not enabled fails at once. The caller owns the
    // object; null when it could not be created or its thread not started.
    // p_window must outlive the worker (see WaitForThreadToClose).
    static CInternetFileAccess* ReadInternetFile(IInternetFilePoster* p_window, UINT u_message, const std::string& s_server,
                                                 const std::string& s_path, BOOL b_textMode, BOOL b_enabled);

    // Stops a running download and waits for its worker.
    ~CInternetFileAccess();
    CInternetFileAccess(const CInternetFileAccess&) = delete;
    CInternetFileAccess& operator=(const CInternetFileAccess&) = delete;

    // Asks a running download to stop (the worker ends within a tenth of a
    // second or so). With b_wait set, the final "done" is not posted: the
    // caller is about to wait for the worker and delete the object.
    void Close(BOOL b_wait);
    // FALSE while connecting; otherwise TRUE once the worker has let go of
    // its connection.
    BOOL IsClosed() const;
    // Waits up to u_timeout ms (waitForever: without limit) for the worker
    // to end; waitEnded or waitTimeout.
    DWORD WaitForThreadToClose(DWORD u_timeout);

    // The length the server gave for the file (-1 when it gave none) and the
    // bytes read so far.
    LONG GetSize() const { return lSize.load(); }
    LONG GetAmtRead() const { return lAmtRead.load(); }
    Progress GetProgress() const { return static_cast<Progress>(lProgress.load()); }

    // Read these once "done" or "failed" has arrived. The file's bytes (with
    // the zero byte after them in text mode), or null when none were read;
    // a failed download keeps none.
    const BYTE* GetData() const { return vData.empty() ? nullptr : vData.data(); }
    // The file's length, without the zero byte of text mode.
    LONG GetDataLength() const { return lDataLength; }
    // Why the download failed: the HTTP status text ("Not Found (404)") or
    // the transfer's own description.
    const std::string& GetErrorText() const { return sErrorText; }
    // Whether the download failed because the file was larger than memory
    // could hold (or than the download takes).
    BOOL IsTooBig() const { return bTooBig || bOutOfMemory ? TRUE : FALSE; }

    // Stores the state and posts it to the window.
    void SetProgress(Progress e_progress);

protected:
    CInternetFileAccess(IInternetFilePoster* p_window, UINT u_message, std::string s_server, std::string s_path, BOOL b_textMode,
                        BOOL b_enabled);

private:
    static void INetFileReaderThreadWrapper(CInternetFileAccess* p_access);
    void INetFileReaderThread();
    // Runs the transfer; false (with the error text set) when it failed.
    bool Transfer();
    bool RunTransfer();
    // Checks the response's status before its first byte is kept.
    bool AcceptStatus();
    static std::size_t OnData(char* p_data, std::size_t n_size, std::size_t n_count, void* p_user);
    void Fail(const std::string& s_text);

    std::atomic<bool> bSession{false}; // the worker holds an open connection
    std::vector<BYTE> vData;
    LONG lDataLength = 0;
    std::atomic<LONG> lProgress{connecting};
    std::string sErrorText;
    std::atomic<BOOL> bWait{FALSE};
    std::atomic<bool> bAbort{false};
    std::atomic<LONG> lSize{0};
    std::atomic<LONG> lAmtRead{0};
    IInternetFilePoster* pWindow;
    UINT uMessage;
    std::string sServer;
    std::string sPath;
    BOOL bTextMode;
    BOOL bEnabled;

    // Worker-only state of the running transfer.
    void* pCurl = nullptr;
    bool bStatusChecked = false;
    bool bBadStatus = false;
    bool bTooBig = false;
    bool bOutOfMemory = false;

    // The finished event: set once when the worker ends, never reset.
    std::mutex mFinished;
    std::condition_variable cvFinished;
    bool bFinished = false;
    std::mutex mJoin;
    std::thread tWorker;
};
