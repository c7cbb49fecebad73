#include "style_settings.h"

#include <stdio.h>
#include <string.h>

#include "ovcore/settings.h"
#include "ovkit/style_keys.h"

static_assert(STYLE_COLOR_COUNT == OVKIT_STYLE_COLOR_COUNT, "one colour per style.ini key");
static_assert(STYLE_FONT_COUNT == OVKIT_STYLE_FONT_COUNT, "one font per style.ini key");

BOOL GetStyleIniPath(char* path) {
    if (!ORB_GetExePath(path))
        return FALSE;
    if (strlen(path) + sizeof("style.ini") > MAX_PATH) {
        path[0] = 0;
        return FALSE;
    }
    strcat(path, "style.ini");
    return TRUE;
}

void ReadReportStyle(const char* styleName, ReportStyle* style) {
    char ini[MAX_PATH];
    if (!GetStyleIniPath(ini))
        ini[0] = 0;
    const char* section = styleName ? styleName : "";
    for (int i = 0; i < STYLE_COLOR_COUNT; ++i) {
        char value[STYLE_COLOR_SIZE];
        GetPrivateProfileStringA(section, kOvkitStyleColorKeys[i].key,
                                 kOvkitStyleColorKeys[i].fallback, value, sizeof value, ini);
        snprintf(style->Colors[i], sizeof style->Colors[i], "#%s", value);
    }
    for (int i = 0; i < STYLE_FONT_COUNT; ++i)
        GetPrivateProfileStringA(section, kOvkitStyleFontKeys[i].key,
                                 kOvkitStyleFontKeys[i].fallback, style->Fonts[i], STYLE_FONT_SIZE,
                                 ini);
    GetPrivateProfileStringA(section, "Background Filename", "", style->BackgroundFilename,
                             MAX_PATH, ini);
    GetPrivateProfileStringA(section, "Logo Filename", "ovlogoss.gif", style->LogoFilename,
                             MAX_PATH, ini);
    if (!style->LogoFilename[0])
        strcpy(style->LogoFilename, "ovlogoss.gif");
    GetPrivateProfileStringA(section, "Table Columns", "012", style->TableColumns,
                             sizeof style->TableColumns, ini);
    GetPrivateProfileStringA(section, "Number Alignment", "CENTER", style->NumberAlignment,
                             sizeof style->NumberAlignment, ini);
    style->FramePage = (int)GetPrivateProfileIntA(section, "Frame Page", 0, ini);
    GetPrivateProfileStringA(section, "Separate Files", "PER_REPORT", style->SeparateFiles,
                             sizeof style->SeparateFiles, ini);
    style->TocWidth = (int)GetPrivateProfileIntA(section, "TOC Width", 20, ini);
    style->FrameWidth = (int)GetPrivateProfileIntA(section, "Frame Width", 1, ini);
    style->LongDescription = (int)GetPrivateProfileIntA(section, "Long Description", 1, ini);
    GetPrivateProfileStringA(section, "Sort By", "0", style->SortBy, sizeof style->SortBy, ini);

    style->NoHTMLTitles = GetModuleProfileInt("Defaults", "NoHTMLTitles", 0);
    style->Debug = GetBaseProfileInt("Main", "Debug", 0);
    style->FullPath = GetBaseProfileInt("Report", "Full Path", 0);
    style->GraphType = GetModuleProfileInt("Report", "Graph Type", 0);
}
