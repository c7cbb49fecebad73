// The one reporter of a report run's messages, and the output format table.
#include "report_run/report_delivery.h"
#include "report_run/file_names.h"
#include "report_run/run_state.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "ovkit/schedlog.h"
#include <cstring>

const OutputFormatRow g_OutputFormats[FORMAT_COUNT] = {{".HTM", IDS_FORMAT_HTML},
                                                       {".DOC", IDS_FORMAT_DOC},
                                                       {".XLS", IDS_FORMAT_XLS},
                                                       {".CMA", IDS_FORMAT_CMA},
                                                       {".TXT", IDS_FORMAT_TXT}};

volatile DocumentHandOverState g_DocumentHandOverState = HANDOVER_IDLE;

namespace {
enum { CAPTION_CHARS = 95, MESSAGE_CHARS = 495 };

// A remote request's answer is its output file: the message replaces it.
void WriteRemoteOutput(const ScheduleEvent* event, const char* message) {
    HANDLE file = CreateFileA(event->SaveAsFilename, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, message, (DWORD)strlen(message) + 1, &written, nullptr);
    CloseHandle(file);
}
} // namespace

int FormatKindOfName(const char* name) {
    if (!name || strlen(name) < 4)
        return FORMAT_UNKNOWN;
    // Only the file-name part may hold the extension's dot.
    const char* dot = strrchr(FileNamePart(name), '.');
    if (!dot)
        return FORMAT_UNKNOWN;
    if (_stricmp(dot, ".HTML") == 0)
        return FORMAT_HTML;
    for (int kind = 0; kind < FORMAT_COUNT; ++kind)
        if (_stricmp(dot, g_OutputFormats[kind].Extension) == 0)
            return kind;
    return FORMAT_UNKNOWN;
}

void CALLBACK DisplayReportError(HWND owner, const char* caption, const char* text, UINT captionId,
                                 UINT messageId, int keep) {
    char captionText[CAPTION_CHARS + 1];
    char message[MESSAGE_CHARS + 3];
    if (caption && *caption)
        lstrcpynA(captionText, caption, sizeof captionText);
    else if (!captionId || !*LoadText(captionId, captionText, sizeof captionText))
        lstrcpyA(captionText, OVDESK_CAPTION);
    if (text && *text)
        lstrcpynA(message, text, MESSAGE_CHARS + 1);
    else if (!messageId || !*LoadText(messageId, message, MESSAGE_CHARS + 1))
        lstrcpyA(message, "Report failed");

    const ReportRunRequest* request = RunState().Request;
    const ScheduleEvent* event = request ? request->Event : nullptr;
    if (event && event->Remote == EVENT_REMOTE_REQUEST) {
        if (!keep) {
            lstrcatA(message, "\r\n");
            WriteRemoteOutput(event, message);
        }
    } else if (event || (request && request->RunMode == RUN_MODE_REALTIME)) {
        // Nobody answers a box during a scheduled run: the log keeps the message.
        OVKIT_WriteSchedulerLogFile(GetPluginInstance(), nullptr, message);
    } else {
        DeskMessageBox(owner, message, captionText, MB_OK);
    }
    SetLastRunMessage(message);
}
