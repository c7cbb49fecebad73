// The two settings files and the application paths.
//
// Base settings file: <install>\ostrevan.ini. Module settings file:
// <install>\ovdesk\ovdesk.ini. Every accessor opens the file afresh with the
// Windows private-profile functions (section and key names compare without
// case; a missing file or key gives the default).
#pragma once
#include "ovcore/ovcore_base.h"

// Sets the install folder from the module's file name (its folder, with the
// trailing backslash). A null module means the calling program.
ORB_EXPORT(void) ORB_InitApplicationPath(HMODULE module);

// Path builders. buffer holds at least MAX_PATH characters. When the path
// would not fit in MAX_PATH the buffer is left empty and the failure result
// given.
// Install folder; returns buffer, or null.
ORB_EXPORT(char*) ORB_GetExePath(char* buffer);
// Install folder + "ovdesk\"; returns buffer, or null.
ORB_EXPORT(char*) ORB_GetMainPath(char* buffer);
// Install folder + "ovdesk\datfiles\"; returns 0, or -1.
ORB_EXPORT(int) ORB_GetDatfilesPath(char* buffer);
// Install folder + "reports\Web Analysis\"; returns buffer, or null.
ORB_EXPORT(char*) ORB_GetReportsPath(char* buffer);
// Install folder + "ovdesk\template\"; returns buffer, or null.
ORB_EXPORT(char*) ORB_GetTemplatePath(char* buffer);
// Base settings file path (the install folder is taken from the engine's own
// module when still unset); returns the file-name part inside buffer, or
// null.
ORB_EXPORT(char*) GetBaseIniPath(char* buffer);
// Module settings file path; returns buffer, or null.
ORB_EXPORT(char*) GetModuleIniPath(char* buffer);

// Reads: the integer value (a stored 4294967291 reads as -5); the string
// reads return the number of characters copied.
ORB_EXPORT(int) GetBaseProfileInt(const char* section, const char* key, int def);
ORB_EXPORT(DWORD)
GetBaseProfileString(const char* section, const char* key, const char* def, char* buffer,
                     DWORD size);
ORB_EXPORT(int) GetModuleProfileInt(const char* section, const char* key, int def);
ORB_EXPORT(DWORD)
GetModuleProfileString(const char* section, const char* key, const char* def, char* buffer,
                       DWORD size);

// Writes: nonzero on success. A null key removes the section, a null value
// the key. Integers are stored as unsigned decimal ("%lu": -5 is 4294967291).
ORB_EXPORT(BOOL) WriteBaseProfileString(const char* section, const char* key, const char* value);
ORB_EXPORT(BOOL) WriteBaseProfileInt(const char* section, const char* key, int value);
ORB_EXPORT(BOOL) WriteModuleProfileString(const char* section, const char* key, const char* value);
ORB_EXPORT(BOOL) WriteModuleProfileInt(const char* section, const char* key, int value);
