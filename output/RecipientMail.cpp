#include "output/RecipientMail.h"

#include "framework/Desktop.h"
#include "framework/Encoding.h"
#include "framework/Resources.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

DesktopMailComposer g_desktop;
IMailComposerPort* g_pComposer = &g_desktop;

// -1 not looked up yet, else 0 or 1.
int g_iAvailable = -1;

MailSettings g_settings;
MainThreadPoster g_post;
MailStatusShower g_showStatus;

// The private folders of the attached copies; removed when the program
// ends, since the mail program reads a copy some time after the composer
// has returned.
class MailCopies {
public:
    ~MailCopies() { RemoveAll(); }
    void Add(const std::string& s_dir) { vDirs.push_back(s_dir); }
    void RemoveAll()
    {
        for (const std::string& s_dir : vDirs) {
            std::error_code ec;
            std::filesystem::remove_all(s_dir, ec);
        }
        vDirs.clear();
    }

private:
    std::vector<std::string> vDirs;
};
MailCopies g_copies;

// A new folder only this user can read, in the user's temporary folder;
// empty when none could be made.
std::string MakePrivateFolder()
{
    std::error_code ec;
    std::filesystem::path p_base = std::filesystem::temp_directory_path(ec);
    if (ec)
        p_base = "/tmp";
    std::string s_template = (p_base / "rvxXXXXXX").string();
    if (mkdtemp(s_template.data()) == nullptr)
        return {};
    return s_template;
}

const char* DefaultText(UINT u_id)
{
    switch (u_id) {
    case IDS_MAIL_NO_COMPOSER: return "The mail program cannot be started: xdg-email was not found.";
    case IDS_MAIL_NOT_STARTED: return "The mail program could not be started.";
    case IDS_MAIL_WRITE_YOURSELF: return "Please write to these addresses in your own mail program:";
    case IDS_MAIL_ATTACH_YOURSELF: return "The event file to attach is '%1'.";
    case IDS_MAIL_STARTING: return "Starting the mail program...";
    default: return "The mail could not be handed to the mail program.";
    }
}

void ShowMailMessage(UINT u_id)
{
    ShowMessageBox(LoadResString(u_id, DefaultText(u_id)), MB_OK | MB_ICONEXCLAMATION);
}

void ShowFailure(const std::string& s_text) { ShowMessageBox(s_text, MB_OK | MB_ICONEXCLAMATION); }

// The last line of a tool's error output that says anything.
std::string LastLine(const std::string& s_text)
{
    const std::size_t u_end = s_text.find_last_not_of(" \t\r\n");
    if (u_end == std::string::npos)
        return {};
    const std::size_t u_break = s_text.find_last_of("\r\n", u_end);
    const std::size_t u_start = u_break == std::string::npos ? 0 : u_break + 1;
    return s_text.substr(u_start, u_end + 1 - u_start);
}

// The starts of the mail program not yet over. The text leaves the message
// bar when the last is over; each start holds the busy pointer once.
int g_nStarting = 0;

// The busy pointer and the message bar's text from the mail command until
// the composer's start is over. Over is called on the main thread (the
// pointer and the bar belong to it); a second call does nothing.
class MailStart {
public:
    MailStart()
    {
        ZelGetCursorPort().BeginWaitCursor();
        if (g_nStarting++ == 0 && g_showStatus)
            g_showStatus(LoadResString(IDS_MAIL_STARTING, DefaultText(IDS_MAIL_STARTING)));
    }
    MailStart(const MailStart&) = delete;
    MailStart& operator=(const MailStart&) = delete;

    void Over()
    {
        if (bOver)
            return;
        bOver = true;
        ZelGetCursorPort().EndWaitCursor();
        if (--g_nStarting == 0 && g_showStatus)
            g_showStatus({});
    }

private:
    bool bOver = false;
};

// Hands the addresses and the file to the composer with the start shown
// until it is over; a failure within the call is told by f_failed.
BOOL ComposeShown(IMailComposerPort& composer, const std::vector<std::string>& v_addresses,
                  const std::string& s_file, const IMailComposerPort::LateFailure& f_failed)
{
    auto p_start = std::make_shared<MailStart>();
    const BOOL b_composed = composer.ComposeWatched(v_addresses, s_file, f_failed, [p_start] { p_start->Over(); });
    if (!b_composed) {
        p_start->Over();
        f_failed(composer.GetFailure());
    }
    return b_composed;
}

// The composer's addresses of the recipients.
std::vector<std::string> ComposerAddresses(const std::vector<std::string>& a_addresses,
                                           const std::vector<std::string>& a_names)
{
    const BOOL b_prepend = g_settings.fPrependSMTP ? g_settings.fPrependSMTP() : FALSE;
    std::vector<std::string> v_addresses;
    for (const MailRecipient& recipient : BuildMapiRecipients(a_addresses, a_names, b_prepend))
        v_addresses.push_back(ComposerAddress(recipient.sAddress));
    return v_addresses;
}

} // namespace

std::string DesktopMailComposer::MailtoUri(const std::vector<std::string>& a_addresses)
{
    // The addresses travel as one URI, so that an address can never be
    // taken for an option of the tool, and every byte outside the plain
    // address characters is escaped.
    static const char a_hex[] = "0123456789ABCDEF";
    std::string s_uri = "mailto:";
    bool b_first = true;
    for (const std::string& s_address : a_addresses) {
        if (s_address.empty())
            continue;
        if (!b_first)
            s_uri += ',';
        b_first = false;
        for (unsigned char c : Cp1252ToUtf8(s_address)) {
            const bool b_plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
                || c == '@' || c == '.' || c == '-' || c == '_' || c == '~' || c == '+';
            if (b_plain) {
                s_uri += static_cast<char>(c);
            } else {
                s_uri += '%';
                s_uri += a_hex[c >> 4];
                s_uri += a_hex[c & 0xF];
            }
        }
    }
    return s_uri;
}

IMailComposerPort& GetMailComposerPort() { return *g_pComposer; }

IMailComposerPort* SetMailComposerPort(IMailComposerPort* p_port)
{
    IMailComposerPort* p_old = g_pComposer;
    g_pComposer = p_port != nullptr ? p_port : &g_desktop;
    return p_old;
}

bool DesktopMailComposer::IsOnPath(const std::string& s_program)
{
    const char* p_path = std::getenv("PATH");
    if (p_path == nullptr || s_program.empty())
        return false;
    std::string_view s_path(p_path);
    while (true) {
        const std::size_t i_colon = s_path.find(':');
        // An empty entry of PATH names the current folder.
        std::string_view s_dir = s_path.substr(0, i_colon);
        if (s_dir.empty())
            s_dir = ".";
        const std::string s_file = std::string(s_dir) + "/" + s_program;
        if (access(s_file.c_str(), X_OK) == 0)
            return true;
        if (i_colon == std::string_view::npos)
            return false;
        s_path.remove_prefix(i_colon + 1);
    }
}

void DesktopMailComposer::ForgetAvailability() { g_iAvailable = -1; }

BOOL DesktopMailComposer::IsAvailable()
{
    if (g_iAvailable < 0)
        g_iAvailable = IsOnPath(kTool) ? 1 : 0;
    return g_iAvailable;
}

namespace {

// What a failed tool said: the last line of its error output, else its
// exit status.
std::string FailureSaid(const SpawnOutcome& outcome)
{
    const std::string s_said = LastLine(outcome.sErrors);
    if (!s_said.empty())
        return Utf8ToCp1252(s_said).value_or(s_said);
    if (outcome.eKind == SpawnOutcome::e_exited)
        return std::string(DesktopMailComposer::kTool) + " ended with status " + std::to_string(outcome.iStatus) + ".";
    return {};
}

} // namespace

BOOL DesktopMailComposer::Compose(const std::vector<std::string>& a_addresses, const std::string& s_attachment)
{
    return ComposeWatched(a_addresses, s_attachment, {});
}

BOOL DesktopMailComposer::ComposeWatched(const std::vector<std::string>& a_addresses, const std::string& s_attachment,
                                         const LateFailure& f_late, const std::function<void()>& f_over)
{
    sFailure.clear();
    // Whatever way the call ends without a watch going on, the start is
    // over when it returns.
    struct OverOnReturn {
        std::function<void()> fOver;
        ~OverOnReturn()
        {
            if (fOver)
                fOver();
        }
    } over{f_over};
    if (!IsAvailable())
        return FALSE;
    std::vector<std::string> a_args = {"--utf8"};
    if (!s_attachment.empty()) {
        a_args.push_back("--attach");
        a_args.push_back(s_attachment);
    }
    // Without an address the user fills in the recipients.
    bool b_any = false;
    for (const std::string& s_address : a_addresses)
        b_any = b_any || !s_address.empty();
    if (b_any)
        a_args.push_back(MailtoUri(a_addresses));

    std::unique_ptr<WatchedProgram> p_tool = WatchedProgram::Start(kTool, a_args);
    if (!p_tool) {
        sFailure = std::string(kTool) + " could not be run.";
        return FALSE;
    }
    const MainThreadPoster f_post = g_post;
    const bool b_later = f_late && f_post;
    const SpawnOutcome outcome = p_tool->Wait(b_later ? nQuickMs : nWaitMs);
    if (outcome.eKind == SpawnOutcome::e_running && b_later) {
        // The start goes on after the return: it is over when the tool
        // ends, or when it has run long enough to have handed over.
        std::shared_ptr<WatchedProgram> p_watched(std::move(p_tool));
        std::function<void()> f_overLater = std::move(over.fOver);
        over.fOver = nullptr;
        std::thread([p_watched, f_late, f_post, f_overLater] {
            const SpawnOutcome started = p_watched->Wait(nWaitMs - nQuickMs);
            const bool b_failed = !started.Succeeded();
            const std::string s_said = b_failed ? FailureSaid(started) : std::string();
            f_post([f_late, f_overLater, b_failed, s_said] {
                if (f_overLater)
                    f_overLater();
                if (b_failed)
                    f_late(s_said);
            });
            if (started.eKind != SpawnOutcome::e_running)
                return;
            const SpawnOutcome late = p_watched->Wait(nLateMs - nWaitMs);
            if (late.Succeeded())
                return;
            const std::string s_lateSaid = FailureSaid(late);
            f_post([f_late, s_lateSaid] { f_late(s_lateSaid); });
        }).detach();
        return TRUE;
    }
    if (outcome.Succeeded())
        return TRUE;
    sFailure = FailureSaid(outcome);
    return FALSE;
}

std::vector<MailRecipient> BuildMapiRecipients(const std::vector<std::string>& a_addresses,
                                               const std::vector<std::string>& a_names, BOOL b_prependSMTP)
{
    std::vector<MailRecipient> v_recipients;
    v_recipients.reserve(a_addresses.size());
    for (std::size_t i = 0; i < a_addresses.size(); ++i) {
        MailRecipient recipient;
        recipient.sAddress = a_addresses[i];
        if (b_prependSMTP && recipient.sAddress.compare(0, 5, "SMTP:") != 0)
            recipient.sAddress.insert(0, "SMTP:");
        if (i < a_names.size())
            recipient.sName = a_names[i];
        v_recipients.push_back(std::move(recipient));
    }
    return v_recipients;
}

std::string ComposerAddress(const std::string& s_address)
{
    return s_address.compare(0, 5, "SMTP:") == 0 ? s_address.substr(5) : s_address;
}

std::string MailAttachmentName(const std::string& s_path, const std::string& s_title, const std::string& s_extension)
{
    if (!s_path.empty()) {
        const std::size_t i_slash = s_path.find_last_of('/');
        return i_slash == std::string::npos ? s_path : s_path.substr(i_slash + 1);
    }
    std::string s_name = s_title;
    if (s_name.find('.') == std::string::npos)
        s_name += s_extension;
    // The name becomes a file's name in the copy's folder.
    for (char& c : s_name)
        if (c == '/')
            c = '_';
    return s_name;
}

std::string MailFailureText(UINT u_id, const std::string& s_said, const std::vector<std::string>& a_addresses,
                            const std::string& s_attachment)
{
    std::string s_text = LoadResString(u_id, DefaultText(u_id));
    if (!s_said.empty())
        s_text += "\n" + s_said;
    std::string s_addresses;
    for (const std::string& s_address : a_addresses) {
        if (!s_address.empty())
            s_addresses += "\n" + s_address;
    }
    if (!s_addresses.empty())
        s_text += "\n\n" + LoadResString(IDS_MAIL_WRITE_YOURSELF, DefaultText(IDS_MAIL_WRITE_YOURSELF)) + s_addresses;
    if (!s_attachment.empty()) {
        const std::string s_path = Utf8ToCp1252(s_attachment).value_or(s_attachment);
        const std::string s_format = LoadResString(IDS_MAIL_ATTACH_YOURSELF, DefaultText(IDS_MAIL_ATTACH_YOURSELF));
        s_text += "\n\n" + FormatMessageText(s_format, {s_path});
    }
    return s_text;
}

void SetMailSettings(const MailSettings& settings) { g_settings = settings; }
const MailSettings& GetMailSettings() { return g_settings; }

MainThreadPoster SetMailMainThreadPoster(MainThreadPoster f_post)
{
    MainThreadPoster f_old = std::move(g_post);
    g_post = std::move(f_post);
    return f_old;
}

MailStatusShower SetMailStatusShower(MailStatusShower f_show)
{
    MailStatusShower f_old = std::move(g_showStatus);
    g_showStatus = std::move(f_show);
    return f_old;
}

BOOL SendRecipientMail(const std::vector<std::string>& a_addresses, const std::vector<std::string>& a_names)
{
    ZelWaitCursor wait;
    IMailComposerPort& composer = GetMailComposerPort();
    const std::vector<std::string> v_addresses = ComposerAddresses(a_addresses, a_names);
    if (!composer.IsAvailable()) {
        ShowFailure(MailFailureText(IDS_MAIL_NO_COMPOSER, {}, v_addresses, {}));
        return FALSE;
    }
    const auto f_failed = [v_addresses](const std::string& s_said) {
        ShowFailure(MailFailureText(IDS_MAIL_NOT_STARTED, s_said, v_addresses, {}));
    };
    return ComposeShown(composer, v_addresses, {}, f_failed);
}

BOOL SendEventFileMail(EventDoc& doc, const std::vector<std::string>& a_addresses,
                       const std::vector<std::string>& a_names)
{
    ZelWaitCursor wait;
    IMailComposerPort& composer = GetMailComposerPort();
    const std::vector<std::string> v_addresses = ComposerAddresses(a_addresses, a_names);
    if (!composer.IsAvailable()) {
        ShowFailure(MailFailureText(IDS_MAIL_NO_COMPOSER, {}, v_addresses, doc.GetPathName()));
        return FALSE;
    }
    const std::string s_title = g_settings.fTitle ? g_settings.fTitle(doc) : std::string("Event");
    const std::string s_shown = MailAttachmentName(doc.GetPathName(), s_title, g_settings.sExtension);
    std::string s_file = doc.GetPathName();
    if (s_file.empty() || doc.IsModified()) {
        const std::string s_dir = MakePrivateFolder();
        if (s_dir.empty()) {
            ShowMailMessage(IDS_MAIL_FAILED);
            return FALSE;
        }
        g_copies.Add(s_dir);
        s_file = s_dir + "/" + s_shown;
        // The copy is no save of the event: its path and modified flag
        // stay what they were.
        const BOOL b_modified = doc.IsModified() ? TRUE : FALSE;
        const std::string s_path = doc.GetPathName();
        const BOOL b_saved = doc.OnSaveDocument(s_file);
        doc.SetModifiedFlag(b_modified != FALSE);
        doc.SetPathName(s_path);
        if (!b_saved)
            return FALSE;
    }
    // A copy stays until the program ends, so the user can attach it.
    const auto f_failed = [v_addresses, s_file](const std::string& s_said) {
        ShowFailure(MailFailureText(IDS_MAIL_NOT_STARTED, s_said, v_addresses, s_file));
    };
    return ComposeShown(composer, v_addresses, s_file, f_failed);
}

void RemoveMailCopies() { g_copies.RemoveAll(); }

BOOL CanSendRecipientMail() { return GetMailComposerPort().IsAvailable(); }
