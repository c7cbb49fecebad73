// Library start-up and shut-down of ovkit, and the process-wide drawing state
// that start-up makes: the pattern brush, the library font, the five combo-box
// icons, the window classes of the custom controls and the display settings.
// Called from ovkit's DllMain, and by tests, which link the library statically.
#pragma once
#include "ovkit/ovkit_base.h"

// Makes the drawing state and registers the five window classes, each step
// only when the one before succeeded. Returns TRUE on success; on failure shows
// the library's message box (no owner, error icon) and returns FALSE, and the
// load must fail. A failed attach is undone by OvkitProcessDetach.
BOOL OvkitProcessAttach(HINSTANCE instance);
// Deletes the drawing state, empties the resource cache and unregisters the
// window classes. Safe after a failed or partial attach.
void OvkitProcessDetach();

// The module handle given at attach (the test executable when linked statically).
HINSTANCE OVKIT_GetInstance();

// Names of the five window classes, in the order of registration.
extern const char* const OVKIT_ClassNames[5];

// [RepaintInfoSection] of the library's OSTREVAN.INI, read once at attach.
struct OvkitDisplaySettings {
    int drawSubliminals;  // 0..2, anything else read as 2
    int drawBitmaps;      // 0..1, anything else read as 1
    int quickHelpDelayMs; // 0 turns quick help off
    int quickHelpDurationMs;
    int force16Color;
};
// Reads the settings from the given file; a missing file gives the defaults
// (2, 1, 1000 ms, 4000 ms, 0).
void OvkitReadDisplaySettings(const char* iniPath, OvkitDisplaySettings* out);
// The settings read at attach (the defaults before attach).
const OvkitDisplaySettings& OvkitGetDisplaySettings();

// The drawing state made at attach; null before attach or after detach.
HBRUSH OvkitGetPatternBrush();
HFONT OvkitGetLibraryFont();
// One row of the icon table: the resource id and the loaded icon (null when
// the icon is missing). Five rows, ids 109, 108, 107, 106, 105.
struct OvkitIconRow {
    WORD id;
    HICON icon;
};
const OvkitIconRow* OvkitGetIconTable();
