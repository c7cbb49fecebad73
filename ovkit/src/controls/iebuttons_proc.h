// Window procedure of "Ostrevane IEButtons". Private to ovkit.
#pragma once
#include <windows.h>

LRESULT CALLBACK OvkitIEButtonsProc(HWND bar, UINT message, WPARAM w, LPARAM l);
