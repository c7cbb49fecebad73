// The banner text control "Ostrevane Custom Text".
#include "startup/startup_parts.h"

LRESULT CALLBACK CustomTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
