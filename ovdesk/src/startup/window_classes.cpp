// The plug-in's own window classes.
#include "startup/startup_parts.h"
#include "desk_services.h"
#include "report_run/progress_dialog.h"

namespace {
BOOL RegisterOne(HINSTANCE instance, const char* name, WNDPROC procedure, int extraBytes) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}
} // namespace

int RegisterPluginWindowClasses(HINSTANCE instance) {
    // The plug-in's dialogs post many messages at once; take the largest queue we can.
    for (int size = 512; size > 0 && !SetMessageQueue(size); --size) {
    }
    if (!RegisterOne(instance, PROGRESS_BAR_CLASS, ProgressBarProc, 32)) {
        DeskMessageBox(nullptr, "Unable to register the progress bar window class.", OVDESK_CAPTION,
                       MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!RegisterOne(instance, CUSTOM_TEXT_CLASS, CustomTextProc, 4)) {
        DeskMessageBox(nullptr, "Unable to register the custom text control window class.",
                       OVDESK_CAPTION, MB_OK | MB_ICONERROR);
        return 0;
    }
    return 1;
}

void UnregisterPluginWindowClasses(void) {
    HINSTANCE instance = GetPluginInstance();
    UnregisterClassA(PROGRESS_BAR_CLASS, instance);
    UnregisterClassA(SLIDER_CLASS, instance);
    UnregisterClassA(CUSTOM_TEXT_CLASS, instance);
}
