#include "shell/frame/MailSetup.h"
#include "framework/PortSlot.h"

#include "model/EventDoc.h"
#include "output/RecipientMail.h"
#include "shell/frame/AppSettings.h"

namespace {

DesktopDocumentMail g_documentMail;

} // namespace

void InstallDocumentMail()
{
    MailSettings settings;
    settings.fPrependSMTP = [] { return AppSettings::GetPrependSMTP(); };
    // An event never saved goes by the document's name, as the frame's
    // title shows it.
    settings.fTitle = [](const EventDoc&) { return AppSettings::GetDocString(AppSettings::e_doc_name); };
    settings.sExtension = AppSettings::GetDocString(AppSettings::e_filter_ext);
    SetMailSettings(settings);
    SetMailPort(&g_documentMail);
}

void RemoveDocumentMail()
{
    RemovePortIfOurs(GetMailPort, SetMailPort, g_documentMail);
}
