// Window procedures of the library's custom control classes, registered at
// start-up. Private to ovkit.
#pragma once
#include "ovkit/ovkit_base.h"

LRESULT CALLBACK OvkitProgressBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK OvkitPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK OvkitClickableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK OvkitSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
