#include "sheets/ParticipantSheetPort.h"

#include "model/Participant.h"

#include <wx/app.h>

bool ParticipantChangePSheet::ApplyPages()
{
    if (!ParticipantPSheet::ApplyPages())
        return false;
    if (fAccept && !fAccept(GetParticipant())) {
        // Refused by the caller (a name another participant has): the user
        // mends the name in place, with everything else kept.
        ShowRefusedField(&GetDetailsPage(), IDC_PART_FIRST_NAME);
        return false;
    }
    return true;
}

int WxParticipantSheetPort::Run(Request& request)
{
    ParticipantChangePSheet sheet(request.pDoc, wxTheApp->GetTopWindow(), static_cast<UINT>(request.iStartPage),
                                  request.sCaption);
    sheet.GetParticipant() = *request.pWorking;
    sheet.fAccept = request.fAccept;
    if (request.fApply)
        sheet.SetApplyStore([&request, &sheet] { return request.fApply(sheet.GetParticipant()) != FALSE; });
    sheet.SetItemPosition(request.iPosition, request.nCount);
    const int i_result = sheet.ShowModal();
    request.iLastPage = sheet.GetActivePageIndex();
    if (i_result == wxID_CANCEL)
        return IDCANCEL;
    *request.pWorking = sheet.GetParticipant();
    return i_result == wxID_OK ? static_cast<int>(IDOK) : i_result;
}

void InstallParticipantSheetPort()
{
    static WxParticipantSheetPort port;
    SetParticipantSheetPort(&port);
}
