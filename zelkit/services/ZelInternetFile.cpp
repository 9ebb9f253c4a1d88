#include "zelkit/services/ZelInternetFile.h"

#include "zelkit/services/ZelMessages.h"
#include "framework/CrashReport.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace {

// How often the worker looks at the cancel flag while the transfer waits
// for the network.
constexpr long kPollMs = 50;
constexpr long kConnectTimeoutSeconds = 60;
constexpr long kMaxRedirects = 20;
const char* const kAgent = "InternetAccess";

std::once_flag onceGlobalInit;
CURLcode eGlobalInit = CURLE_OK;

// libcurl's process-wide start-up is not safe to race with other threads,
// so it runs once on the thread that starts the first download.
void InitTransferLibrary()
{
    std::call_once(onceGlobalInit, [] { eGlobalInit = curl_global_init(CURL_GLOBAL_DEFAULT); });
}

constexpr std::size_t kMostBytes = static_cast<std::size_t>(std::numeric_limits<LONG>::max()) - 1;

} // namespace

CInternetFileAccess* CInternetFileAccess::ReadInternetFile(IInternetFilePoster* p_window, UINT u_message, const std::string& s_server,
                                                           const std::string& s_path, BOOL b_textMode, BOOL b_enabled)
{
    InitTransferLibrary();
    try {
        std::unique_ptr<CInternetFileAccess> p_access(
            new CInternetFileAccess(p_window, u_message, s_server, s_path, b_textMode, b_enabled));
        p_access->tWorker = std::thread(&CInternetFileAccess::INetFileReaderThreadWrapper, p_access.get());
        return p_access.release();
    } catch (const std::exception&) {
        return nullptr;
    }
}

CInternetFileAccess::CInternetFileAccess(IInternetFilePoster* p_window, UINT u_message, std::string s_server, std::string s_path,
                                         BOOL b_textMode, BOOL b_enabled)
    : pWindow(p_window), uMessage(u_message), sServer(std::move(s_server)), sPath(std::move(s_path)), bTextMode(b_textMode),
      bEnabled(b_enabled)
{
}

CInternetFileAccess::~CInternetFileAccess()
{
    // Owners wait for the worker before deleting; should one not, stop the
    // transfer rather than leave a thread writing into freed memory.
    bWait = TRUE;
    bAbort = true;
    std::lock_guard<std::mutex> lock(mJoin);
    if (tWorker.joinable()) {
        if (tWorker.get_id() == std::this_thread::get_id())
            tWorker.detach();
        else
            tWorker.join();
    }
}

void CInternetFileAccess::Close(BOOL b_wait)
{
    // Only flags: the worker owns the connection and lets go of it itself.
    bWait = b_wait;
    bAbort = true;
}

BOOL CInternetFileAccess::IsClosed() const
{
    if (GetProgress() == connecting)
        return FALSE;
    return bSession ? FALSE : TRUE;
}

DWORD CInternetFileAccess::WaitForThreadToClose(DWORD u_timeout)
{
    {
        std::unique_lock<std::mutex> lock(mFinished);
        if (u_timeout == waitForever)
            cvFinished.wait(lock, [this] { return bFinished; });
        else if (!cvFinished.wait_for(lock, std::chrono::milliseconds(u_timeout), [this] { return bFinished; }))
            return waitTimeout;
    }
    std::lock_guard<std::mutex> lock(mJoin);
    if (tWorker.joinable() && tWorker.get_id() != std::this_thread::get_id())
        tWorker.join();
    return waitEnded;
}

void CInternetFileAccess::SetProgress(Progress e_progress)
{
    lProgress = e_progress;
    if (pWindow)
        pWindow->Post(uMessage, e_progress, this);
}

void CInternetFileAccess::INetFileReaderThreadWrapper(CInternetFileAccess* p_access)
{
    const CrashAltStack alt_stack;
    p_access->INetFileReaderThread();
}

void CInternetFileAccess::INetFileReaderThread()
{
    bool b_ok = false;
    try {
        b_ok = Transfer();
    } catch (const std::exception&) {
        sErrorText = ZelSystemErrorText(ENOMEM);
    }
    if (!b_ok) {
        // A failed download keeps nothing: part of a file is not the file.
        std::vector<BYTE>().swap(vData);
        lDataLength = 0;
        SetProgress(failed);
    }
    if (!bWait)
        SetProgress(done);
    {
        std::lock_guard<std::mutex> lock(mFinished);
        bFinished = true;
    }
    cvFinished.notify_all();
}

bool CInternetFileAccess::Transfer()
{
    CURL* p_curl = eGlobalInit == CURLE_OK ? curl_easy_init() : nullptr;
    if (!p_curl) {
        Fail(curl_easy_strerror(eGlobalInit != CURLE_OK ? eGlobalInit : CURLE_FAILED_INIT));
        return false;
    }
    pCurl = p_curl;
    bSession = true;
    bool b_ok = false;
    try {
        b_ok = RunTransfer();
    } catch (...) {
        curl_easy_cleanup(p_curl);
        pCurl = nullptr;
        bSession = false;
        throw;
    }
    curl_easy_cleanup(p_curl);
    pCurl = nullptr;
    bSession = false;
    return b_ok;
}

bool CInternetFileAccess::RunTransfer()
{
    CURL* p_curl = static_cast<CURL*>(pCurl);
    if (!bEnabled || bAbort) {
        if (bAbort)
            Fail(ZelSystemErrorText(ECANCELED));
        return false;
    }
    SetProgress(findingFile);

    // A server given with its scheme keeps it (an https site stays https).
    std::string s_head = sServer.substr(0, 8);
    for (char& c : s_head)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool b_scheme = s_head.rfind("http://", 0) == 0 || s_head.rfind("https://", 0) == 0;
    const std::string s_url = (b_scheme ? "" : "http://") + sServer + "/" + sPath;
    char sz_error[CURL_ERROR_SIZE] = {};
    // Always the server's present copy, never a cache's.
    curl_slist* p_headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    if (p_headers) {
        if (curl_slist* p_more = curl_slist_append(p_headers, "Pragma: no-cache"))
            p_headers = p_more;
    }
    curl_easy_setopt(p_curl, CURLOPT_URL, s_url.c_str());
    curl_easy_setopt(p_curl, CURLOPT_USERAGENT, kAgent);
    curl_easy_setopt(p_curl, CURLOPT_HTTPHEADER, p_headers);
    curl_easy_setopt(p_curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(p_curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(p_curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(p_curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(p_curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(p_curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(p_curl, CURLOPT_NOPROGRESS, 1L);
    curl_easy_setopt(p_curl, CURLOPT_ERRORBUFFER, sz_error);
    curl_easy_setopt(p_curl, CURLOPT_WRITEFUNCTION, &CInternetFileAccess::OnData);
    curl_easy_setopt(p_curl, CURLOPT_WRITEDATA, this);

    // The transfer runs in short slices so that the cancel flag is seen
    // promptly even while the server sends nothing.
    CURLcode e_result = CURLE_OK;
    bool b_cancelled = false;
    CURLM* p_multi = curl_multi_init();
    if (!p_multi || curl_multi_add_handle(p_multi, p_curl) != CURLM_OK) {
        e_result = CURLE_OUT_OF_MEMORY;
    } else {
        for (;;) {
            int n_running = 0;
            CURLMcode e_multi = curl_multi_perform(p_multi, &n_running);
            if (e_multi == CURLM_OK && bAbort) {
                b_cancelled = true;
                break;
            }
            if (e_multi == CURLM_OK && n_running > 0)
                e_multi = curl_multi_poll(p_multi, nullptr, 0, kPollMs, nullptr);
            if (e_multi != CURLM_OK) {
                e_result = CURLE_RECV_ERROR;
                std::snprintf(sz_error, sizeof sz_error, "%s", curl_multi_strerror(e_multi));
                break;
            }
            if (n_running == 0) {
                int n_queued = 0;
                e_result = CURLE_RECV_ERROR;
                while (CURLMsg* p_msg = curl_multi_info_read(p_multi, &n_queued)) {
                    if (p_msg->msg == CURLMSG_DONE && p_msg->easy_handle == p_curl)
                        e_result = p_msg->data.result;
                }
                break;
            }
        }
        curl_multi_remove_handle(p_multi, p_curl);
    }
    if (p_multi)
        curl_multi_cleanup(p_multi);
    curl_slist_free_all(p_headers);
    curl_easy_setopt(p_curl, CURLOPT_ERRORBUFFER, nullptr);

    if (b_cancelled || bAbort) {
        Fail(ZelSystemErrorText(ECANCELED));
        return false;
    }
    if (bBadStatus)
        return false; // the status text is set
    if (bOutOfMemory) {
        Fail(ZelSystemErrorText(ENOMEM));
        return false;
    }
    if (bTooBig) {
        Fail(ZelSystemErrorText(EFBIG));
        return false;
    }
    if (e_result != CURLE_OK) {
        Fail(sz_error[0] ? sz_error : curl_easy_strerror(e_result));
        return false;
    }
    // A file without a body never reached OnData.
    if (!bStatusChecked && !AcceptStatus())
        return false;

    lDataLength = static_cast<LONG>(vData.size());
    if (bTextMode && !vData.empty())
        vData.push_back(0);
    return true;
}

bool CInternetFileAccess::AcceptStatus()
{
    bStatusChecked = true;
    long l_status = 0;
    if (curl_easy_getinfo(static_cast<CURL*>(pCurl), CURLINFO_RESPONSE_CODE, &l_status) != CURLE_OK || l_status < 200 ||
        l_status > 399) {
        bBadStatus = true;
        Fail(GetHTTPError(static_cast<DWORD>(l_status)));
        return false;
    }
    SetProgress(reading);
    curl_off_t l_length = -1;
    if (curl_easy_getinfo(static_cast<CURL*>(pCurl), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &l_length) != CURLE_OK || l_length < 0)
        l_length = -1;
    lSize = static_cast<LONG>(std::min<curl_off_t>(l_length, std::numeric_limits<LONG>::max()));
    lAmtRead = 0;
    return true;
}

// Nothing may be thrown through the transfer library's own frames: it would
// leave the transfer half torn down. Running out of memory here, for the
// data or for a progress code the window could not queue, stops the
// transfer instead.
std::size_t CInternetFileAccess::OnData(char* p_data, std::size_t n_size, std::size_t n_count, void* p_user)
try {
    auto* p_access = static_cast<CInternetFileAccess*>(p_user);
    const std::size_t n_bytes = n_size * n_count;
    // Any answer other than n_bytes stops the transfer.
    if (p_access->bAbort)
        return 0;
    if (!p_access->bStatusChecked && !p_access->AcceptStatus())
        return 0;
    std::vector<BYTE>& v_data = p_access->vData;
    if (n_bytes > kMostBytes - v_data.size()) {
        p_access->bTooBig = true;
        return 0;
    }
    try {
        v_data.insert(v_data.end(), p_data, p_data + n_bytes);
    } catch (const std::bad_alloc&) {
        p_access->bOutOfMemory = true;
        return 0;
    }
    p_access->lAmtRead = static_cast<LONG>(v_data.size());
    p_access->SetProgress(bytesRead);
    return n_bytes;
} catch (...) {
    static_cast<CInternetFileAccess*>(p_user)->bOutOfMemory = true;
    return 0;
}

void CInternetFileAccess::Fail(const std::string& s_text)
{
    sErrorText = s_text;
}
