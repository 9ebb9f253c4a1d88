#include "sheets/GroupSheetPort.h"

#include "framework/MessageBox.h"
#include "framework/ui/WxText.h"
#include "sheets/GroupPSheet.h"
#include "shell/lists/GroupViewCore.h"

#include <wx/app.h>

#include <algorithm>

namespace {

// Opens the sheet over a copy of the request's group and hands the copy
// back as the sheet left it, with the sheet's result in the framework's
// codes (IDOK and IDCANCEL; Previous and Next as they are). Apply goes to
// the request's store while the sheet stays open.
class WxGroupSheetPort : public IGroupSheetPort {
public:
    int Run(Request& request) override
    {
        wxWindow* p_parent = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
        GroupPSheet sheet(request.pDoc, request.nMaxStyles, request.nMaxFacilities, p_parent,
                          static_cast<UINT>(std::max(request.iStartPage, 0)), ToWx(request.sCaption));
        sheet.GetWorkingGroup() = *request.pWorking;
        sheet.SetAcceptCheck(request.fAccept);
        if (request.fApply)
            sheet.SetApplyStore([&request, &sheet] { return request.fApply(sheet.GetWorkingGroup()) != FALSE; });
        if (request.nCount > 0)
            sheet.SetItemPosition(request.iPosition, request.nCount);
        const int i_result = sheet.DoModal();
        *request.pWorking = sheet.GetWorkingGroup();
        request.iLastPage = sheet.GetActivePageIndex();
        if (i_result == wxID_OK)
            return IDOK;
        if (i_result == IDC_SHEET_APPLY_NOW || i_result == IDC_SHEET_PREVIOUS || i_result == IDC_SHEET_NEXT)
            return i_result;
        return IDCANCEL;
    }
};

WxGroupSheetPort g_port;

} // namespace

void InstallGroupSheetPort() { SetGroupSheetPort(&g_port); }
