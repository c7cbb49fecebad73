// Placeholder until delivery lands: messages go through the plug-in's sink.
#include "report_run/report_delivery.h"
#include "desk_services.h"
#include "host/profile_list.h"
#include <cstring>

const OutputFormatRow g_OutputFormats[FORMAT_COUNT] = {
    {".HTM", 32017}, {".DOC", 32018}, {".XLS", 32019}, {".CMA", 32020}, {".TXT", 32021}};

volatile DocumentHandOverState g_DocumentHandOverState = HANDOVER_IDLE;

int FormatKindOfName(const char* name) {
    const char* dot = name ? strrchr(name, '.') : nullptr;
    if (!dot || strlen(name) < 4)
        return FORMAT_UNKNOWN;
    if (_stricmp(dot, ".HTML") == 0)
        return FORMAT_HTML;
    for (int kind = 0; kind < FORMAT_COUNT; ++kind)
        if (_stricmp(dot, g_OutputFormats[kind].Extension) == 0)
            return kind;
    return FORMAT_UNKNOWN;
}

void CALLBACK DisplayReportError(HWND owner, const char* caption, const char* text, UINT captionId,
                                 UINT messageId, int) {
    // Engine messages about single profiles during the host's listing stay quiet.
    if (IsProfileEnumerationRunning())
        return;
    char captionText[96];
    char messageText[496];
    if (!caption || !*caption)
        caption = captionId ? LoadText(captionId, captionText, sizeof captionText) : "";
    if (!*caption)
        caption = OVDESK_CAPTION;
    if (!text || !*text)
        text = messageId ? LoadText(messageId, messageText, sizeof messageText) : "";
    if (!*text)
        text = "Report failed";
    DeskMessageBox(owner, text, caption, MB_OK);
}
