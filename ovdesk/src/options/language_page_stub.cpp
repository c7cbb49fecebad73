// Stand-in for the Language page until the report-language editor lands:
// its template is not in the resources, so the sheet leaves the page out.
#include "options/options_sheet.h"

INT_PTR CALLBACK LanguageOptionsPage(HWND page, UINT message, WPARAM, LPARAM lParam) {
    OptionsPageCommon(page, message, lParam, OPTIONS_ROWS);
    return FALSE;
}
