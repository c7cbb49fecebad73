// Starting an office program and waiting for its macro's answer.
#include "office/office_handover.h"
#include "report_run/report_delivery.h"
#include "desk_services.h"
#include <cstdio>

BOOL RunOfficeProgramAndWait(HWND progress, const char* program, const char* commandLine) {
    char line[2 * MAX_PATH + 128];
    lstrcpynA(line, commandLine, sizeof line);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process = {};
    g_DocumentHandOverState = HANDOVER_WAITING;
    if (!CreateProcessA(program, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        g_DocumentHandOverState = HANDOVER_IDLE;
        char text[MAX_PATH + 32];
        snprintf(text, sizeof text, "Unable to start %s.", program);
        DisplayReportError(progress, OVDESK_CAPTION, text, 0, 0, 0);
        return FALSE;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The dialog's no-answer timer, its Stop and the macro end the wait; a
    // dialog that is gone can end it no more.
    while (g_DocumentHandOverState == HANDOVER_WAITING) {
        if (!progress || !IsWindow(progress)) {
            g_DocumentHandOverState = HANDOVER_FAILED;
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpMessages();
    }
    BOOL success = g_DocumentHandOverState == HANDOVER_FINISHED;
    g_DocumentHandOverState = HANDOVER_IDLE;
    return success;
}
