#include "window_classes.h"
#include "controls/control_procs.h"
#include "controls/iebuttons_proc.h"
#include "base/library_resources.h"
#include "ovkit/startup.h"

const char* const OVKIT_ClassNames[5] = {
    "Ostrevane Progress Bar", "Ostrevane Popup",  "Ostrevane Clickable",
    "Ostrevane IEButtons",    "Ostrevane Slider",
};

namespace {

enum class Cursor { Arrow, None, Slider };

struct ClassSpec {
    const char* name;
    Cursor cursor;
    WNDPROC proc;
};

const ClassSpec kClasses[5] = {
    {OVKIT_ClassNames[0], Cursor::Arrow, OvkitProgressBarProc},
    {OVKIT_ClassNames[1], Cursor::Arrow, OvkitPopupProc},
    {OVKIT_ClassNames[2], Cursor::None, OvkitClickableProc},
    {OVKIT_ClassNames[3], Cursor::None, OvkitIEButtonsProc},
    {OVKIT_ClassNames[4], Cursor::Slider, OvkitSliderProc},
};

// The order of unregistration at shut-down.
const int kUnregisterOrder[5] = {0, 3, 4, 1, 2};

HCURSOR LoadClassCursor(HINSTANCE instance, Cursor cursor) {
    switch (cursor) {
    case Cursor::Arrow:
        return LoadCursorA(nullptr, IDC_ARROW);
    case Cursor::Slider:
        return LoadCursorA(instance, MAKEINTRESOURCEA(OVKIT_IDC_SLIDER));
    default:
        return nullptr;
    }
}

bool RegisterOne(HINSTANCE instance, const ClassSpec& spec) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    // No CS_DBLCLKS: the controls take double clicks as two clicks.
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = spec.proc;
    // The first extra slot holds the control's state handle: pointer-sized.
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadClassCursor(instance, spec.cursor);
    wc.lpszClassName = spec.name;
    return RegisterClassExA(&wc) != 0;
}

} // namespace

int OvkitRegisterWindowClasses(HINSTANCE instance) {
    for (int i = 0; i < 5; ++i) {
        if (!RegisterOne(instance, kClasses[i]))
            return i;
    }
    return -1;
}

void OvkitUnregisterWindowClasses(HINSTANCE instance) {
    for (int index : kUnregisterOrder)
        UnregisterClassA(kClasses[index].name, instance);
}
