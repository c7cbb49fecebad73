// The message handling every element page shares.
#include "filter_wizard/list_page.h"
#include "filter_wizard/pick_list.h"

INT_PTR ElementPageMessage(const ElementPage& kind, HWND page, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    FilterPageCommon(page, message, lParam, kind.Row);
    if (message == WM_INITDIALOG) {
        if (kind.Picks)
            FillPickCombo(page, kind.Field, kind.Picks);
        return TRUE;
    }
    if (kind.Picks && PickListMessage(page, message, wParam, lParam, kind.Field, kind.Picks))
        return TRUE;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && kind.Clicked) {
        kind.Clicked(page, LOWORD(wParam));
        return TRUE;
    }
    ProfileFilter* filter = FilterSheetData().Filter;
    UINT code = FilterNotifyCode(message, lParam);
    if (!filter || !code)
        return FALSE;
    if (IsShowingFilterPage(code)) {
        kind.Show(page, filter);
        return TRUE;
    }
    if (IsLeavingFilterPage(code)) {
        if (kind.Leave(page, filter, code))
            AcceptFilterPage(page);
        else
            RefuseFilterPage(page, code);
        return TRUE;
    }
    return FALSE;
}
