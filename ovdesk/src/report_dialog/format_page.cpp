// The Format page: the output format, and the extension rules it applies to
// the Save As page's path.
#include "report_dialog/report_pages.h"
#include "report_run/report_delivery.h"
#include "resource_ids.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include "ovkit/ui_helpers.h"
#include <cstdio>
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
enum { DOCUMENT_TYPES_SIZE = 1001 };

const char* FormatName(int format, char* buffer, size_t size) {
    LoadText(g_OutputFormats[format].NameId, buffer, size);
    // Without the language's name the extension still tells the formats apart.
    if (!buffer[0])
        OvkitCopyText(buffer, size, g_OutputFormats[format].Extension + 1);
    return buffer;
}

// The extension of one DocumentTypes token: between "{" and the next ",",
// or the whole token.
void TokenExtension(const char* token, size_t length, char* out, size_t size) {
    const char* brace = (const char*)memchr(token, '{', length);
    const char* begin = brace ? brace + 1 : token;
    const char* limit = token + length;
    const char* comma = brace ? (const char*)memchr(begin, ',', limit - begin) : nullptr;
    const char* stop = comma ? comma : limit;
    size_t n = (size_t)(stop - begin);
    if (n >= size)
        n = size - 1;
    memcpy(out, begin, n);
    out[n] = '\0';
}

// Rewrites the Save As page's path for the chosen format.
void ApplyFormatToSaveAsPath(int format) {
    HWND saveAs = g_ReportPages[PAGE_SAVEAS];
    char path[MAX_PATH];
    if (saveAs) {
        GetItemTextBounded(saveAs, IDC_SAVEAS_PATH, path, sizeof path);
        if (ChangeExtensionForFormat(path, sizeof path, format))
            SetDlgItemTextA(saveAs, IDC_SAVEAS_PATH, path);
        return;
    }
    // In memorize mode there is no Save As page: the settings text follows alone.
    ChangeExtensionForFormat(g_ReportSettings.SaveAsText, sizeof g_ReportSettings.SaveAsText,
                             format);
}
} // namespace

int IsDocumentTypeExtension(const char* extension) {
    if (!extension || strlen(extension) <= 1)
        return 0;
    char types[DOCUMENT_TYPES_SIZE];
    GetModuleProfileString("Defaults", "DocumentTypes", "", types, sizeof types);
    const char* p = types;
    while (*p) {
        while (*p == ' ')
            ++p;
        size_t length = strcspn(p, " ");
        if (length) {
            char token[DOCUMENT_TYPES_SIZE];
            TokenExtension(p, length, token, sizeof token);
            if (_stricmp(token, extension + 1) == 0)
                return 1;
        }
        p += length;
    }
    return 0;
}

int ChangeExtensionForFormat(char* path, size_t size, int format) {
    if (format < 0 || format >= FORMAT_COUNT)
        return 0;
    char* dot = strrchr(path, '.');
    if (format == FORMAT_HTML && dot && IsDocumentTypeExtension(dot))
        return 1;
    size_t keep = dot ? (size_t)(dot - path) : strlen(path);
    const char* extension = g_OutputFormats[format].Extension;
    if (keep + strlen(extension) >= size)
        return 0;
    strcpy(path + keep, extension);
    return 1;
}

void SelectFormatByName(HWND page, const char* name) {
    int format = FormatKindOfName(name);
    if (format >= 0 && format < FORMAT_COUNT)
        SendDlgItemMessageA(page, IDC_FORMAT_COMBO, CB_SETCURSEL, format, 0);
}

int GetSelectedFormat(HWND page) {
    LRESULT index = page ? SendDlgItemMessageA(page, IDC_FORMAT_COMBO, CB_GETCURSEL, 0, 0) : 0;
    return index == CB_ERR ? FORMAT_HTML : (int)index;
}

INT_PTR CALLBACK FormatPageDlg(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        static const int bold[] = {IDC_FORMAT_LABEL};
        SetBoldItems(page, bold, 1);
        for (int format = 0; format < FORMAT_COUNT; ++format) {
            char name[LOADTEXT_SLOT_SIZE];
            SendDlgItemMessageA(page, IDC_FORMAT_COMBO, CB_ADDSTRING, 0,
                                (LPARAM)FormatName(format, name, sizeof name));
        }
        SendDlgItemMessageA(page, IDC_FORMAT_COMBO, CB_SETCURSEL, 0, 0);
        return TRUE;
    }
    case WM_MEASUREITEM:
        OVKIT_MeasureCustomComboBox(page, IDC_FORMAT_COMBO, (MEASUREITEMSTRUCT*)lParam,
                                    g_ReportBoldFont);
        return TRUE;
    case WM_DRAWITEM:
        OVKIT_DrawCustomComboBox(page, IDC_FORMAT_COMBO, (const DRAWITEMSTRUCT*)lParam,
                                 (HFONT)SendMessageA(page, WM_GETFONT, 0, 0));
        return TRUE;
    case WM_COMBO_ICON_INDEX:
        // Each format's icon is the one of its own index.
        return AnswerComboIcon(page, lParam, (int)wParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_FORMAT_COMBO && HIWORD(wParam) == CBN_SELCHANGE) {
            ApplyFormatToSaveAsPath(GetSelectedFormat(page));
            return TRUE;
        }
        break;
    }
    return DefaultPageMessage(page, message, wParam);
}
