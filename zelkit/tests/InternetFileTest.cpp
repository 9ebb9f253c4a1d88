// The web download against a small HTTP server on 127.0.0.1 that the test
// runs itself; nothing leaves this machine.
#include "zelkit/services/ZelInternetFile.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

bool SendAll(int i_socket, const std::string& s_data)
{
    std::size_t n_sent = 0;
    while (n_sent < s_data.size()) {
        const ssize_t n = ::send(i_socket, s_data.data() + n_sent, s_data.size() - n_sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        n_sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string Response(const std::string& s_status, const std::string& s_body, const std::string& s_headers = {})
{
    return "HTTP/1.1 " + s_status + "\r\nContent-Length: " + std::to_string(s_body.size()) + "\r\nConnection: close\r\n" +
           s_headers + "\r\n" + s_body;
}

// Answers GET requests by path; each answer is a function writing to the
// connection, so a route can also stall or break off.
class TinyHttpServer {
public:
    using Route = std::function<void(int i_socket, const std::atomic<bool>& b_stopping)>;

    TinyHttpServer()
    {
        iListen = ::socket(AF_INET, SOCK_STREAM, 0);
        int i_on = 1;
        ::setsockopt(iListen, SOL_SOCKET, SO_REUSEADDR, &i_on, sizeof i_on);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        if (::bind(iListen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(iListen, 8) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        socklen_t n_len = sizeof addr;
        ::getsockname(iListen, reinterpret_cast<sockaddr*>(&addr), &n_len);
        uPort = ntohs(addr.sin_port);
        tAccept = std::thread([this] { AcceptLoop(); });
    }

    ~TinyHttpServer()
    {
        bStopping = true;
        ::shutdown(iListen, SHUT_RDWR);
        ::close(iListen);
        tAccept.join();
        for (auto& t : vConnections)
            t.join();
    }

    void Add(const std::string& s_path, Route route) { mRoutes[s_path] = std::move(route); }
    void AddFile(const std::string& s_path, const std::string& s_status, const std::string& s_body, const std::string& s_headers = {})
    {
        const std::string s_response = Response(s_status, s_body, s_headers);
        Add(s_path, [s_response](int i_socket, const std::atomic<bool>&) { SendAll(i_socket, s_response); });
    }

    std::string Server() const { return "127.0.0.1:" + std::to_string(uPort); }

    std::string LastRequest()
    {
        std::lock_guard<std::mutex> lock(mMutex);
        return sLastRequest;
    }

private:
    void AcceptLoop()
    {
        for (;;) {
            const int i_socket = ::accept(iListen, nullptr, nullptr);
            if (i_socket < 0)
                return;
            vConnections.emplace_back([this, i_socket] { Serve(i_socket); });
        }
    }

    void Serve(int i_socket)
    {
        std::string s_request;
        char sz_buffer[1024];
        while (s_request.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = ::recv(i_socket, sz_buffer, sizeof sz_buffer, 0);
            if (n <= 0)
                break;
            s_request.append(sz_buffer, static_cast<std::size_t>(n));
        }
        {
            std::lock_guard<std::mutex> lock(mMutex);
            sLastRequest = s_request;
        }
        const std::size_t n_start = s_request.find(' ') + 1;
        const std::string s_path = s_request.substr(n_start, s_request.find(' ', n_start) - n_start);
        const auto it = mRoutes.find(s_path);
        if (it != mRoutes.end())
            it->second(i_socket, bStopping);
        else
            SendAll(i_socket, Response("404 Not Found", "no such file"));
        ::shutdown(i_socket, SHUT_WR);
        ::close(i_socket);
    }

    int iListen = -1;
    unsigned uPort = 0;
    std::atomic<bool> bStopping{false};
    std::map<std::string, Route> mRoutes;
    std::mutex mMutex;
    std::string sLastRequest;
    std::thread tAccept;
    std::vector<std::thread> vConnections; // touched by the accept thread only until it ends
};

// Records what the worker posts and lets the test wait for a code.
class RecordingPoster : public IInternetFilePoster {
public:
    void Post(UINT u_message, LONG l_progress, CInternetFileAccess* p_access) override
    {
        {
            std::lock_guard<std::mutex> lock(mMutex);
            vCodes.push_back(l_progress);
            vMessages.push_back(u_message);
            vObjects.push_back(p_access);
        }
        cvPosted.notify_all();
    }

    bool WaitFor(LONG l_code, std::chrono::milliseconds ms = 10s)
    {
        std::unique_lock<std::mutex> lock(mMutex);
        return cvPosted.wait_for(lock, ms, [&] { return std::find(vCodes.begin(), vCodes.end(), l_code) != vCodes.end(); });
    }

    std::vector<LONG> Codes()
    {
        std::lock_guard<std::mutex> lock(mMutex);
        return vCodes;
    }

    // The codes with the runs of "bytes read" squeezed to one.
    std::vector<LONG> Steps()
    {
        std::vector<LONG> v_steps;
        for (LONG l : Codes()) {
            if (!(l == CInternetFileAccess::bytesRead && !v_steps.empty() && v_steps.back() == l))
                v_steps.push_back(l);
        }
        return v_steps;
    }

    std::vector<UINT> vMessages;
    std::vector<CInternetFileAccess*> vObjects;

private:
    std::mutex mMutex;
    std::condition_variable cvPosted;
    std::vector<LONG> vCodes;
};

constexpr UINT kMessage = 0x0400;

class InternetFileTest : public ::testing::Test {
protected:
    // Runs a download to its end.
    std::unique_ptr<CInternetFileAccess> Fetch(const std::string& s_path, BOOL b_textMode = TRUE, BOOL b_enabled = TRUE)
    {
        std::unique_ptr<CInternetFileAccess> p(
            CInternetFileAccess::ReadInternetFile(&poster, kMessage, server.Server(), s_path, b_textMode, b_enabled));
        EXPECT_TRUE(p);
        if (p) {
            EXPECT_EQ(p->WaitForThreadToClose(10000), CInternetFileAccess::waitEnded);
        }
        return p;
    }

    static std::string Data(const CInternetFileAccess& access)
    {
        if (!access.GetData())
            return {};
        return std::string(reinterpret_cast<const char*>(access.GetData()), static_cast<std::size_t>(access.GetDataLength()));
    }

    TinyHttpServer server;
    RecordingPoster poster;
};

using Codes = std::vector<LONG>;
constexpr LONG kFinding = CInternetFileAccess::findingFile;
constexpr LONG kReading = CInternetFileAccess::reading;
constexpr LONG kRead = CInternetFileAccess::bytesRead;
constexpr LONG kDone = CInternetFileAccess::done;
constexpr LONG kFailed = CInternetFileAccess::failed;

TEST_F(InternetFileTest, ReadsAFileAndReportsEachStep)
{
    std::string s_body;
    for (int i = 0; s_body.size() < 100000; ++i)
        s_body += "Participant " + std::to_string(i) + "\tsoprano\r\n";
    server.AddFile("/list.txt", "200 OK", s_body);

    const auto p = Fetch("list.txt");
    EXPECT_EQ(poster.Steps(), (Codes{kFinding, kReading, kRead, kDone}));
    EXPECT_EQ(Data(*p), s_body);
    EXPECT_EQ(p->GetSize(), static_cast<LONG>(s_body.size()));
    EXPECT_EQ(p->GetAmtRead(), static_cast<LONG>(s_body.size()));
    EXPECT_EQ(p->GetData()[s_body.size()], 0) << "text mode ends the data with a zero byte";
    EXPECT_TRUE(p->GetErrorText().empty());
    EXPECT_EQ(p->GetProgress(), CInternetFileAccess::done);
    EXPECT_TRUE(p->IsClosed());
    for (std::size_t i = 0; i < poster.vMessages.size(); ++i) {
        EXPECT_EQ(poster.vMessages[i], kMessage);
        EXPECT_EQ(poster.vObjects[i], p.get());
    }

    // Always the server's present copy, asked for under the library's name.
    const std::string s_request = server.LastRequest();
    EXPECT_EQ(s_request.rfind("GET /list.txt HTTP/1.1\r\n", 0), 0u) << s_request;
    EXPECT_NE(s_request.find("User-Agent: InternetAccess\r\n"), std::string::npos);
    EXPECT_NE(s_request.find("Cache-Control: no-cache\r\n"), std::string::npos);
}

TEST_F(InternetFileTest, BinaryModeKeepsTheBytesAsTheyAre)
{
    const std::string s_body("\x00\x01\xFFzz\x00", 6);
    server.AddFile("/event.eve", "200 OK", s_body);
    const auto p = Fetch("event.eve", FALSE);
    EXPECT_EQ(Data(*p), s_body);
    EXPECT_EQ(p->GetDataLength(), 6);
}

TEST_F(InternetFileTest, EmptyFileIsDoneWithoutABuffer)
{
    server.AddFile("/empty.txt", "200 OK", "");
    const auto p = Fetch("empty.txt");
    EXPECT_EQ(poster.Codes(), (Codes{kFinding, kReading, kDone}));
    EXPECT_EQ(p->GetData(), nullptr);
    EXPECT_EQ(p->GetSize(), 0);
}

TEST_F(InternetFileTest, RedirectIsFollowed)
{
    server.AddFile("/new.txt", "200 OK", "moved here");
    // The redirect's own page is not part of the file.
    server.AddFile("/old.txt", "302 Found", "<a href=\"/new.txt\">here</a>", "Location: /new.txt\r\n");
    const auto p = Fetch("old.txt");
    EXPECT_EQ(Data(*p), "moved here");
    EXPECT_EQ(poster.Codes().back(), kDone);
}

// Every failure ends with "failed" (then "done"), keeps no data and says why.
TEST_F(InternetFileTest, FailuresAreReportedAsFailures)
{
    server.AddFile("/gone.txt", "404 Not Found", "<html>gone</html>");
    server.AddFile("/error.txt", "503 Service Unavailable", "");
    server.AddFile("/teapot.txt", "418 I'm a teapot", "");
    server.Add("/cut.txt", [](int i_socket, const std::atomic<bool>&) {
        // Promises 5000 bytes, sends 20 and hangs up.
        SendAll(i_socket, "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n01234567890123456789");
    });
    const struct {
        const char* pPath;
        BOOL bEnabled;
        Codes vCodes;
        const char* pError; // null: any text but an empty one
    } a_cases[] = {
        {"gone.txt", TRUE, {kFinding, kFailed, kDone}, "Not Found (404)"},
        {"error.txt", TRUE, {kFinding, kFailed, kDone}, "Service Unavailable (503)"},
        {"teapot.txt", TRUE, {kFinding, kFailed, kDone}, "(418)"},
        {"cut.txt", TRUE, {kFinding, kReading, kRead, kFailed, kDone}, nullptr},
        {"any.txt", FALSE, {kFailed, kDone}, ""},
    };
    for (const auto& c : a_cases) {
        SCOPED_TRACE(c.pPath);
        RecordingPoster recorder;
        std::unique_ptr<CInternetFileAccess> p(
            CInternetFileAccess::ReadInternetFile(&recorder, kMessage, server.Server(), c.pPath, TRUE, c.bEnabled));
        ASSERT_TRUE(p);
        ASSERT_EQ(p->WaitForThreadToClose(10000), CInternetFileAccess::waitEnded);
        EXPECT_EQ(recorder.Steps(), c.vCodes);
        EXPECT_EQ(p->GetData(), nullptr);
        EXPECT_EQ(p->GetDataLength(), 0);
        if (c.pError) {
            EXPECT_EQ(p->GetErrorText(), c.pError);
        } else {
            EXPECT_FALSE(p->GetErrorText().empty());
        }
    }
}

// A window whose queue has no memory left for one code: the download stops
// and says so instead of throwing through the transfer library.
class ExhaustedPoster : public RecordingPoster {
public:
    explicit ExhaustedPoster(LONG l_code) : lRefused(l_code) {}
    void Post(UINT u_message, LONG l_progress, CInternetFileAccess* p_access) override
    {
        if (l_progress == lRefused && !bRefused.exchange(true))
            throw std::bad_alloc();
        RecordingPoster::Post(u_message, l_progress, p_access);
    }

private:
    LONG lRefused;
    std::atomic<bool> bRefused{false};
};

TEST_F(InternetFileTest, ProgressThatCannotBePostedStopsTheDownload)
{
    server.AddFile("/list.txt", "200 OK", std::string(3000, 'p'));
    for (LONG l_code : {kReading, kRead}) {
        SCOPED_TRACE(l_code);
        ExhaustedPoster recorder(l_code);
        std::unique_ptr<CInternetFileAccess> p(
            CInternetFileAccess::ReadInternetFile(&recorder, kMessage, server.Server(), "list.txt", TRUE, TRUE));
        ASSERT_TRUE(p);
        ASSERT_EQ(p->WaitForThreadToClose(10000), CInternetFileAccess::waitEnded);
        const Codes v_codes = recorder.Codes();
        ASSERT_GE(v_codes.size(), 2u);
        EXPECT_EQ(Codes(v_codes.end() - 2, v_codes.end()), (Codes{kFailed, kDone}));
        EXPECT_EQ(p->GetData(), nullptr);
        EXPECT_EQ(p->GetErrorText(), std::strerror(ENOMEM));
        EXPECT_TRUE(p->IsClosed());
    }
}

TEST_F(InternetFileTest, RefusedConnectionFails)
{
    // A port that was just free on this machine: nothing listens there.
    const int i_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(i_socket, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    socklen_t n_len = sizeof addr;
    ::getsockname(i_socket, reinterpret_cast<sockaddr*>(&addr), &n_len);
    ::close(i_socket);

    std::unique_ptr<CInternetFileAccess> p(CInternetFileAccess::ReadInternetFile(
        &poster, kMessage, "127.0.0.1:" + std::to_string(ntohs(addr.sin_port)), "file.txt", TRUE, TRUE));
    ASSERT_TRUE(p);
    ASSERT_EQ(p->WaitForThreadToClose(10000), CInternetFileAccess::waitEnded);
    EXPECT_EQ(poster.Codes(), (Codes{kFinding, kFailed, kDone}));
    EXPECT_FALSE(p->GetErrorText().empty());
    EXPECT_EQ(p->GetData(), nullptr);
    EXPECT_TRUE(p->IsClosed());
}

// A body that trickles until the client goes away.
void Trickle(int i_socket, const std::atomic<bool>& b_stopping)
{
    if (!SendAll(i_socket, "HTTP/1.1 200 OK\r\nContent-Length: 10000000\r\n\r\n" + std::string(700, 'x')))
        return;
    while (!b_stopping) {
        std::this_thread::sleep_for(20ms);
        if (!SendAll(i_socket, "y"))
            return;
    }
}

TEST_F(InternetFileTest, CancelStopsASlowDownloadMidway)
{
    server.Add("/slow.txt", Trickle);
    for (BOOL b_wait : {TRUE, FALSE}) {
        SCOPED_TRACE(b_wait ? "waiting" : "not waiting");
        RecordingPoster recorder;
        std::unique_ptr<CInternetFileAccess> p(
            CInternetFileAccess::ReadInternetFile(&recorder, kMessage, server.Server(), "slow.txt", TRUE, TRUE));
        ASSERT_TRUE(p);
        ASSERT_TRUE(recorder.WaitFor(kRead));
        EXPECT_FALSE(p->IsClosed());
        EXPECT_EQ(p->GetSize(), 10000000);
        EXPECT_EQ(p->WaitForThreadToClose(50), CInternetFileAccess::waitTimeout);

        p->Close(b_wait);
        // The worker sees the flag within its next slice, long before the
        // body could end.
        ASSERT_EQ(p->WaitForThreadToClose(5000), CInternetFileAccess::waitEnded);
        const Codes v_steps = recorder.Steps();
        if (b_wait) {
            EXPECT_EQ(v_steps, (Codes{kFinding, kReading, kRead, kFailed}));
        } else {
            EXPECT_EQ(v_steps, (Codes{kFinding, kReading, kRead, kFailed, kDone}));
        }
        EXPECT_EQ(p->GetData(), nullptr);
        EXPECT_LT(p->GetAmtRead(), 10000000);
        EXPECT_EQ(p->GetErrorText(), std::strerror(ECANCELED));
        EXPECT_TRUE(p->IsClosed());
    }
}

TEST_F(InternetFileTest, DeletingARunningDownloadStopsItsWorker)
{
    server.Add("/slow.txt", Trickle);
    std::unique_ptr<CInternetFileAccess> p(
        CInternetFileAccess::ReadInternetFile(&poster, kMessage, server.Server(), "slow.txt", TRUE, TRUE));
    ASSERT_TRUE(p);
    ASSERT_TRUE(poster.WaitFor(kRead));
    p.reset(); // returns once the worker has ended; nothing posts afterwards
    const std::size_t n_codes = poster.Codes().size();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(poster.Codes().size(), n_codes);
    EXPECT_NE(poster.Codes().back(), kDone);
}

} // namespace
