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
#include "model/DocumentPorts.h"

#include <functional>
#include <string>
#include <vector>

class EventDoc;

class IMailComposerPort {
public:
    virtual ~IMailComposerPort() = default;
    // Whether the desktop has a mail composer at all.
    virtual BOOL IsAvailable() = 0;
    // Opens the composer with the recipients' addresses (code page 1252)
    // and, when the path is not empty, that file attached; FALSE when the
    // composer could not be started.
    virtual BOOL Compose(const std::vector<std::string>& a_addresses, const std::string& s_attachment) = 0;
    // After a Compose that failed: what the composer said about it (code
    // page 1252), or nothing.
    virtual std::string GetFailure() { return {}; }

    // What to do when the composer fails only after Compose returned: it is
    // called on the program's main thread with what the composer said.
    using LateFailure = std::function<void(const std::string& s_said)>;
    // Compose, for a composer that may learn of its failure late. f_over
    // (when set) is called once when the start is over, the composer having
    // ended or handed over to a mail program that stays: before the return
    // when that happened within the call, else later on the main thread,
    // before a late failure is told.
    virtual BOOL ComposeWatched(const std::vector<std::string>& a_addresses, const std::string& s_attachment,
                                const LateFailure& /*f_late*/, const std::function<void()>& f_over = {})
    {
        const BOOL b_composed = Compose(a_addresses, s_attachment);
        if (f_over)
            f_over();
        return b_composed;
    }
};

IMailComposerPort& GetMailComposerPort();
// Installs a port (null puts the desktop's back); returns the previous.
IMailComposerPort* SetMailComposerPort(IMailComposerPort* p_port);

// The desktop's composer, "xdg-email". The tool tells a failure (no mail
// program set up, for one) by its exit status and a line on its error
// output, after it has tried what it knows, which takes seconds; a tool
// still running at the end of the watch has handed over to a mail program
// that stays. Where the program can take a message on its main thread
// (SetMailMainThreadPoster), the window is held only a moment and
// a later failure comes as a message then; else the tool is waited for.
class DesktopMailComposer : public IMailComposerPort {
public:
    static constexpr const char* kTool = "xdg-email";
    // The longest start: waited for without a main thread to tell later; a
    // tool still running then has handed over to a mail program that stays.
    static constexpr int nWaitMs = 10000;
    // Waited for before the window goes on, and watched for after that.
    static constexpr int nQuickMs = 300;
    static constexpr int nLateMs = 120000;

    BOOL IsAvailable() override;
    BOOL Compose(const std::vector<std::string>& a_addresses, const std::string& s_attachment) override;
    BOOL ComposeWatched(const std::vector<std::string>& a_addresses, const std::string& s_attachment,
                        const LateFailure& f_late, const std::function<void()>& f_over = {}) override;
    // The last line the tool wrote to its error output, or its exit status.
    std::string GetFailure() override { return sFailure; }

    // The "mailto:" URI of the addresses (UTF-8, escaped), comma-separated.
    static std::string MailtoUri(const std::vector<std::string>& a_addresses);
    // Whether a program of the name is an executable file in a folder of
    // PATH.
    static bool IsOnPath(const std::string& s_program);
    // Forgets the answer of the PATH lookup (tests that change PATH).
    static void ForgetAvailability();

private:
    std::string sFailure;
};

// The messages of a mail that could not be handed over.
enum : UINT {
    IDS_MAIL_NO_COMPOSER = 61840,
    IDS_MAIL_COMPOSER_INVALID = 61841,
    IDS_MAIL_FAILED = 61842,
    IDS_MAIL_NOT_STARTED = 61843,
    IDS_MAIL_WRITE_YOURSELF = 61844,
    IDS_MAIL_ATTACH_YOURSELF = 61845,
    IDS_MAIL_STARTING = 61846,
};

// The message of a mail the composer did not take: the reason (the text of
// u_id, then what the composer said), and what the user needs to send it
// by hand: the addresses, one a line, and the file to attach.
std::string MailFailureText(UINT u_id, const std::string& s_said, const std::vector<std::string>& a_addresses,
                            const std::string& s_attachment);

// One recipient as the mail system takes it.
struct MailRecipient {
    std::string sName;
    std::string sAddress;
};

// One recipient per address, in order; with b_prependSMTP every address
// whose first five characters are not exactly "SMTP:" gets that prefix. The
// name of recipient i is names[i] when the names list is that long,
// otherwise empty.
std::vector<MailRecipient> BuildMapiRecipients(const std::vector<std::string>& a_addresses,
                                               const std::vector<std::string>& a_names, BOOL b_prependSMTP);
// The address the composer gets: "SMTP:" names the mail system's address
// type, not a part of the address, so one leading "SMTP:" is taken off.
std::string ComposerAddress(const std::string& s_address);
// The name an attached event file is shown under: the file-name part of the
// path; for an event without a path its title, with the extension appended
// when the title has no ".".
std::string MailAttachmentName(const std::string& s_path, const std::string& s_title, const std::string& s_extension);

// What the program tells the mail code: the "PrependSMTP" setting, the
// title of a document and the event file's extension. Unset: no prefix, the
// title "Event", ".EVE".
struct MailSettings {
    std::function<BOOL()> fPrependSMTP;
    std::function<std::string(const EventDoc&)> fTitle;
    std::string sExtension = ".EVE";
};
void SetMailSettings(const MailSettings& settings);
const MailSettings& GetMailSettings();

// How a call reaches the program's main thread from any thread; unset where
// there is no main loop (a failing composer is then waited for). Returns the
// one it replaces.
using MainThreadPoster = std::function<void(std::function<void()>)>;
MainThreadPoster SetMailMainThreadPoster(MainThreadPoster f_post);
// Where the mail code tells the user, on the main thread, that the mail
// program is being started: the text goes into the program's message bar,
// and an empty text puts back what the bar showed before. Unset: no text.
// Returns the one it replaces.
using MailStatusShower = std::function<void(const std::string& s_text)>;
MailStatusShower SetMailStatusShower(MailStatusShower f_show);

// A message without attachment to the recipients, in the composer. A
// recipient's name goes with its address when the names list is that
// long; the composer's address line carries addresses only, so names are
// not handed over. FALSE when the composer is missing or did not start
// (message 61840 or 61843, with the addresses). Until the composer's start
// is over (see ComposeWatched) the pointer is busy and the message bar
// says that the mail program is starting, so a tool that takes seconds to
// find that there is no mail program is not taken for a command that did
// nothing.
BOOL SendRecipientMail(const std::vector<std::string>& a_addresses, const std::vector<std::string>& a_names);
// Whether a mail command to recipients is enabled: only while the desktop
// has a composer.
BOOL CanSendRecipientMail();

// The event file as an attachment, in the composer. An event never saved or
// modified is first saved, through the document's save, into a private
// temporary folder under the name it is shown under; the document keeps its
// path and modified flag. The composer returns before the mail program has
// read the file, so the copies stay until the program ends. FALSE when
// nothing was handed over (61840 or 61843 with the addresses and the file,
// 61842, or the save failed and said so).
BOOL SendEventFileMail(EventDoc& doc, const std::vector<std::string>& a_addresses,
                       const std::vector<std::string>& a_names);
// Removes the temporary copies made so far (the program's end does it).
void RemoveMailCopies();

// The document's mail port over the composer (the program installs it with
// SetMailPort).
class DesktopDocumentMail : public IMailPort {
public:
    BOOL IsAvailable() override { return GetMailComposerPort().IsAvailable(); }
    BOOL SendDocument(EventDoc& doc, const std::vector<std::string>& a_addresses,
                      const std::vector<std::string>& a_names) override
    {
        return SendEventFileMail(doc, a_addresses, a_names);
    }
};
