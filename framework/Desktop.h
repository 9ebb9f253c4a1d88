// Hand-offs to the desktop: opening a document, a link or a mail address in
// the user's chosen application. Reached through a port so tests can record
// what would have been opened.
#pragma once

#include <string>
#include <vector>

class IDesktopPort {
public:
    virtual ~IDesktopPort() = default;
    // Opens s_target (a UTF-8 path or URL) with the desktop's handler; true
    // when the handler could be started.
    virtual bool Open(const std::string& s_target) = 0;
};

IDesktopPort& GetDesktopPort();
IDesktopPort* SetDesktopPort(IDesktopPort* p_port);

// Starts a program found on PATH with the given arguments, without a shell
// and without waiting for it; true when it started.
bool SpawnDetached(const std::string& s_program, const std::vector<std::string>& a_args);

// Records targets instead of opening them; installs itself for its lifetime.
class RecordingDesktop : public IDesktopPort {
public:
    RecordingDesktop();
    ~RecordingDesktop() override;
    RecordingDesktop(const RecordingDesktop&) = delete;
    RecordingDesktop& operator=(const RecordingDesktop&) = delete;

    bool Open(const std::string& s_target) override;
    const std::vector<std::string>& Opened() const { return vOpened; }

private:
    std::vector<std::string> vOpened;
    IDesktopPort* pPrevious;
};
