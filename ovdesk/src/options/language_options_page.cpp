// The Language page of the options sheet: the report-language editor, with
// the sheet's common page steps (bold heading, page last shown).
#include "options/options_sheet.h"
#include "language_editor/language_page.h"

INT_PTR CALLBACK LanguageOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    OptionsPageCommon(page, message, lParam, OPT_ROW_LANGUAGE);
    return LanguagePageProc(page, message, wParam, lParam);
}
