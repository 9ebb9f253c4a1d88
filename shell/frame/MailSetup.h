// The program's mail: the desktop's composer for the document's mail
// commands and the list views', with the "PrependSMTP" option and the
// event's title for an attached copy.
#pragma once

void InstallDocumentMail();
// Puts the stand-in back when the program's port is in use.
void RemoveDocumentMail();
