// Mail to chosen recipients (the list views' mail commands) through the
// desktop's mail composer: the user writes and sends the message there; the
// program only hands over the recipients.
//
// The composer is reached through a port. The program's is the desktop's
// "xdg-email", available when that tool is on PATH (looked up once per
// run); tests put a recording stand-in of the tool on PATH, or install a
// port of their own.
#pragma once

#include "framework/Types.h"

#include <string>
#include <vector>

class IMailComposerPort {
public:
    virtual ~IMailComposerPort() = default;
    // Whether the desktop has a mail composer at all.
    virtual BOOL IsAvailable() = 0;
    // Opens the composer with the recipients' addresses (code page 1252)
    // and, when the path is not empty, that file attached; FALSE when the
    // composer could not be started.
    virtual BOOL Compose(const std::vector<std::string>& a_addresses, const std::string& s_attachment) = 0;
};

IMailComposerPort& GetMailComposerPort();
// Installs a port (null puts the desktop's back); returns the previous.
IMailComposerPort* SetMailComposerPort(IMailComposerPort* p_port);

// The desktop's composer, "xdg-email".
class DesktopMailComposer : public IMailComposerPort {
public:
    static constexpr const char* kTool = "xdg-email";

    BOOL IsAvailable() override;
    BOOL Compose(const std::vector<std::string>& a_addresses, const std::string& s_attachment) override;

    // The "mailto:" URI of the addresses (UTF-8, escaped), comma-separated.
    static std::string MailtoUri(const std::vector<std::string>& a_addresses);
    // Whether a program of the name is an executable file in a folder of
    // PATH.
    static bool IsOnPath(const std::string& s_program);
    // Forgets the answer of the PATH lookup (tests that change PATH).
    static void ForgetAvailability();
};

// A message without attachment to the recipients, in the composer. A
// recipient's name goes with its address when the names list is that
// long; the composer's address line carries addresses only, so names are
// not handed over. FALSE when the composer is missing or did not start.
BOOL SendRecipientMail(const std::vector<std::string>& a_addresses, const std::vector<std::string>& a_names);
// Whether a mail command to recipients is enabled: only while the desktop
// has a composer.
BOOL CanSendRecipientMail();
