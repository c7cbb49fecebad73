// Look-ups in the text of a profile file. Sections and keys are matched only
// at line starts (behind blanks or tabs that indent them), and a key is looked
// for only inside its section, so a value that holds a section or key name
// cannot be mistaken for one. A UTF-8 mark before the first line is passed over.
#pragma once
#include <cstddef>

// The lines of one section: from the line behind its header to the line
// before the next line that begins with "[" (or the end of the text).
struct ProfileSection {
    const char* begin;
    const char* end;
};

// Finds the section whose header line is "[" name "]". A bracketed name
// ("[Filter1]") is also found as a header line on its own. False when missing.
bool FindProfileSection(const char* text, const char* name, ProfileSection* section);
// True when the section has a line "key=...".
bool HasProfileKey(const ProfileSection& section, const char* key);
// The value of "key=" up to its line end, at most size - 1 characters; the
// default when the key or its line end is missing. Returns the length copied.
size_t GetProfileTextString(const ProfileSection& section, const char* key, const char* def,
                            char* out, size_t size);
// The value as a signed decimal number (at most 32 characters are looked at);
// the default when the key or its line end is missing.
long GetProfileTextInt(const ProfileSection& section, const char* key, long def);
// A heap copy (malloc) of the value of "key=" of any length; an empty text
// when the key or its line end is missing; null when memory is short.
char* GetProfileTextAlloc(const ProfileSection& section, const char* key);
