#include "shell/lists/VenueSheetPort.h"

namespace {

class NoVenueSheet : public IVenueSheetPort {
public:
    int Run(VenueSheetRequest&) override { return VSR_CANCEL; }
};

NoVenueSheet g_noSheet;
IVenueSheetPort* g_pSheet = &g_noSheet;

} // namespace

IVenueSheetPort& GetVenueSheetPort() { return *g_pSheet; }

IVenueSheetPort* SetVenueSheetPort(IVenueSheetPort* p_port)
{
    IVenueSheetPort* p_old = g_pSheet;
    g_pSheet = p_port != nullptr ? p_port : &g_noSheet;
    return p_old;
}

ScriptedVenueSheet::ScriptedVenueSheet() : pPrevious(SetVenueSheetPort(this)) {}

ScriptedVenueSheet::~ScriptedVenueSheet() { SetVenueSheetPort(pPrevious); }

int ScriptedVenueSheet::Run(VenueSheetRequest& request)
{
    vOpened.push_back({request.Working, request.sCaption, request.iPage, request.iItem, request.nItems});
    while (iNext < vSteps.size()) {
        const int i_code = vSteps[iNext++](request);
        const bool b_checked = i_code == VSR_OK || i_code == VSR_APPLY || i_code == VSR_NEXT || i_code == VSR_PREVIOUS;
        if (b_checked && request.fAccept && !request.fAccept(request.Working)) {
            ++nRefused;
            continue;
        }
        return i_code;
    }
    return VSR_CANCEL;
}
