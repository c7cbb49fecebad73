// The buttons a bar can be built from: the built-in set and those the host
// adds with Bandolet_AddButton (kept for the library's lifetime).
#pragma once
#include "bar.h"

namespace bandolet {

// The built-in set in its order, separators included; modules filled in.
const ButtonSpec* BuiltInButtons(int* count);
ButtonSpec SeparatorSpec();
// The definition for a command id: added buttons first, then the built-in set;
// null when neither knows it.
ButtonSpec* FindButtonSpec(UINT command);
bool AddButtonSpec(const ButtonSpec& spec);
// The picture of kind for an added button's definition, made once and kept
// for every bar; with more than 16 colours it comes from ovkit's cache. False
// when spec is not an added definition (the bar loads its own); *picture may
// be null when the resource is missing.
bool SharedPicture(const ButtonSpec& spec, int kind, bool manyColors, HBITMAP* picture);
// Releases the definitions' pictures (library unload).
void FreeButtonDefs();
// Fills the modules of the built-in set with the library's own.
void InitBuiltInButtons(HINSTANCE module);
// Whether the id is one of the library's own (scroll, separator, menu, splash).
bool IsOwnCommand(UINT command);

} // namespace bandolet
