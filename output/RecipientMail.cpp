#include "output/RecipientMail.h"

#include "framework/Desktop.h"
#include "framework/Encoding.h"

#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace {

DesktopMailComposer g_desktop;
IMailComposerPort* g_pComposer = &g_desktop;

// -1 not looked up yet, else 0 or 1.
int g_iAvailable = -1;

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
        std::string s_dir(s_path.substr(0, i_colon));
        if (s_dir.empty())
            s_dir = ".";
        const std::string s_file = s_dir + "/" + s_program;
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

BOOL DesktopMailComposer::Compose(const std::vector<std::string>& a_addresses, const std::string& s_attachment)
{
    if (!IsAvailable())
        return FALSE;
    std::vector<std::string> a_args = {"--utf8"};
    if (!s_attachment.empty()) {
        a_args.push_back("--attach");
        a_args.push_back(s_attachment);
    }
    a_args.push_back(MailtoUri(a_addresses));
    return SpawnDetached(kTool, a_args) ? TRUE : FALSE;
}

BOOL SendRecipientMail(const std::vector<std::string>& a_addresses, const std::vector<std::string>& /*a_names*/)
{
    IMailComposerPort& composer = GetMailComposerPort();
    if (!composer.IsAvailable())
        return FALSE;
    return composer.Compose(a_addresses, {});
}

BOOL CanSendRecipientMail() { return GetMailComposerPort().IsAvailable(); }
