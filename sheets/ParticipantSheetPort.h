// The participant sheet as the participant pane opens it: the sheet over a
// copy of the participant, whose OK, Apply, Next and Previous also ask the
// pane whether the edited participant may be stored (a name another
// participant has is refused there, and the sheet stays open with every
// edit). Apply goes to the pane's store while the sheet stays open.
#pragma once

#include "sheets/ParticipantPSheet.h"
#include "shell/lists/ParticipantViewCore.h"

#include <functional>

class ParticipantChangePSheet : public ParticipantPSheet {
public:
    using ParticipantPSheet::ParticipantPSheet;

    std::function<BOOL(const Participant&)> fAccept;

protected:
    bool ApplyPages() override;
};

class WxParticipantSheetPort : public IParticipantSheetPort {
public:
    int Run(Request& request) override;
};

// Installs the port for the program's life.
void InstallParticipantSheetPort();
