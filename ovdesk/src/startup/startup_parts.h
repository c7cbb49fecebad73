// The pieces of start-up and shut-down, each undone by its partner.
#pragma once
#include <windows.h>

#define CUSTOM_TEXT_CLASS "Ostrevane Custom Text"
#define SLIDER_CLASS "Ostrevane Slider"

// Registers "ovdesk Progress Bar" and "Ostrevane Custom Text"; 1 when both
// are registered, else 0 after a box (a failure of the first skips the second).
int RegisterPluginWindowClasses(HINSTANCE instance);
void UnregisterPluginWindowClasses(void);

// The five icons of the icon table (ids 116, 906..909).
enum { ICON_TABLE_SIZE = 5 };
void LoadIconTable(void);
void FreeIconTable(void);
// Icon of table row index (0..4), or null.
HICON GetTableIcon(int index);

// Display settings of [RepaintInfoSection] (base settings file).
struct RepaintSettings {
    int DrawSubliminals; // 0..2, default 2
    int DrawBitmaps;     // 0..1, default 1
    int QuickHelpDelay;  // milliseconds
    int QuickHelpDuration;
    int Force16Color;
};
void ReadRepaintSettings(void);
const RepaintSettings& GetRepaintSettings(void);
// Colour count of the display (16 with Force16Color); bits per pixel and
// palette size through the optional out arguments.
DWORD GetDisplayColorCount(int* bitsPerPixel, int* paletteSize);

// Completes [Main] Author and Company of the module settings from the
// registered owner and organisation when they are empty.
void GetAuthorCompanyDefaults(char* author, int authorSize, char* company, int companySize);

// Frees the resource cache's copies and clears it.
void FreeResourceCache(void);
// Frees a loaded language module; texts then come from the plug-in itself.
void FreeLanguageModule(void);
// Frees the saved-definition list buffer when one is held.
void FreeDefinitionListBuffer(void);
// Frees the filter the profile sheet's filter page keeps (heap only).
void FreeEditedFilter(void);

// Window procedure of the banner text control.
LRESULT CALLBACK CustomTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
