// The option word: its rules, and where it is kept.
#pragma once
#include <windows.h>

namespace bandolet {

// The display as the rules see it.
struct Display {
    bool more256; // more than 256 colours (16 bits per pixel and up count)
    bool few16;   // 16 colours or fewer
};
Display CurrentDisplay();

constexpr DWORD kDefaultOptions = 0x54E;

// The rules applied whenever options are read or set.
DWORD NormaliseOptions(DWORD options, const Display& display);
// A toggle, preset or restore command applied to old, with its own rules;
// old unchanged for another command.
DWORD ApplyOptionCommand(DWORD old, UINT command, const Display& display);
bool IsOptionCommand(UINT command);

// The settings file: ownFile when the options carry the own-file bit and a
// name is set, else TOOLBAR.INI beside the library. Fills path (MAX_PATH).
void SettingsPath(DWORD options, const char* ownFile, char* path);
// Options from the settings file (bits 0x800 and up from given); given,
// normalised, when its own file was never written.
DWORD ReadToolbarOptions(DWORD given, const char* ownFile);
void WriteToolbarOptions(DWORD options, const char* ownFile, UINT leftmost);
void WriteLeftmost(DWORD options, const char* ownFile, UINT leftmost);

// The library's own folder, ending in '\'.
void LibraryFolder(char* path);
HINSTANCE LibraryModule();
void SetLibraryModule(HINSTANCE module);

} // namespace bandolet
