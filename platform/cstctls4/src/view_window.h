// The window procedure of the view class.
#pragma once
#include <windows.h>

LRESULT CALLBACK TextViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
