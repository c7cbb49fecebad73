// Language resources: menus, dialog templates and "TEXT" resources of a
// resource module (the plug-in's language module), found once and kept in a
// process-wide cache of 1000 entries; the run-time language name; and the
// library's own shared pictures.
#pragma once
#include "ovkit/ovkit_base.h"

// Sets the language the look-ups ask for (0: no language, the module's own
// choice). Returns 1.
OVKIT_EXPORT(int) OVKIT_Register(LANGID language);
// Does nothing. Returns 1.
OVKIT_EXPORT(int) OVKIT_Unregister();

// The loaded RT_MENU resource (for LoadMenuIndirectA); null when not found.
// Only the low 16 bits of the id name the resource.
OVKIT_EXPORT(HGLOBAL) OVKIT_LANGMENU_MAKEINTRESOURCE(UINT id, HINSTANCE module);
// The same as OVKIT_LANGMENU_MAKEINTRESOURCE.
OVKIT_EXPORT(HGLOBAL) OVKIT_PRODMENU_MAKEINTRESOURCE(UINT id, HINSTANCE module);
// The loaded RT_DIALOG template (for the indirect dialog calls); null when not found.
OVKIT_EXPORT(HGLOBAL) OVKIT_LANGDLGBOX_MAKEINTRESOURCE(UINT id, HINSTANCE module);
// A new copy of the dialog template, size + 1 bytes ending in a NUL, that the
// caller may change and frees with OVKIT_MyFree; a fresh copy on every call.
// The template's size in bytes goes to *size (0 on failure). Null when not found.
OVKIT_EXPORT(void*) OVKIT_LANGDLGBOX_MAKEINTRESOURCE_WRITABLE(UINT id, int* size, HINSTANCE module);
// A new copy of the "TEXT" resource with a NUL after it, freed with
// OVKIT_MyFree; its size without the NUL goes to *size (0 on failure).
// Null when not found.
OVKIT_EXPORT(char*) OVKIT_LANGSTRING_MAKEINTRESOURCE(UINT id, int* size, HINSTANCE module);

// Reads [Language] Program from ostrevan.ini in the folder of the module's
// file (default "ENGLISH", at most 29 characters) into buffer (30 bytes or
// more). Returns the length read.
OVKIT_EXPORT(int) OVKIT_ReadRuntimeLanguage(HINSTANCE module, char* buffer);

// The module that holds the library's shared bitmaps (ovkit itself).
OVKIT_EXPORT(HINSTANCE) OVKIT_GetBitmapInstance();
// The bitmap resource id of picture 1..22 in that module; 0 for other numbers.
OVKIT_EXPORT(int) OVKIT_GetBitmapResource(int picture);

// Internal, run at shut-down: frees the cache's copies and clears all entries.
void OVKIT_FreeResourceCache();
