// Shared by the host's picture modes: finding the dialog on screen and
// writing the screen's picture.
#pragma once
#include <windows.h>

// A visible window of this thread that holds a child of that id; null when
// there is none.
HWND WindowWithItem(int item);
// Writes the screen to picture (through a partial file, so a reader never
// sees half a picture); false with a line on stderr.
bool WritePicture(const char* picture);
