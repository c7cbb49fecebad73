#include "core/held_messages.h"

#include "core/message_sink.h"
#include <stdlib.h>
#include <string.h>

namespace {

thread_local HeldMessage** t_list = nullptr;

// Shown in place of a message that could not be kept for want of memory.
const char kLostText[] = "A message of the log reader was lost: not enough memory.";

char* CopyOrNull(const char* text, BOOL* failed) {
    if (!text)
        return nullptr;
    size_t n = strlen(text) + 1;
    char* copy = (char*)malloc(n);
    if (copy)
        memcpy(copy, text, n);
    else
        *failed = TRUE;
    return copy;
}

void Append(HeldMessage* message) {
    HeldMessage** at = t_list;
    while (*at)
        at = &(*at)->next;
    *at = message;
}

// The note of a lost message, from memory kept for it: one per process is
// enough, since only the first of a run of failures needs saying.
HeldMessage* LostNote() {
    static HeldMessage note;
    if (note.next || note.text)
        return nullptr;
    note.text = const_cast<char*>(kLostText);
    note.caption = const_cast<char*>("Ostrevane");
    return &note;
}

BOOL IsLostNote(const HeldMessage* message) {
    return message->text == kLostText;
}

void FreeOne(HeldMessage* message) {
    if (IsLostNote(message)) {
        message->text = nullptr;
        message->next = nullptr;
        return;
    }
    free(message->caption);
    free(message->text);
    free(message);
}

} // namespace

void Engine_HoldMessagesOfThread(HeldMessage** list) {
    t_list = list;
}

BOOL Engine_HoldMessage(ORB_ERRORDISPLAYPROC display, HWND owner, const char* caption,
                        const char* text, UINT captionId, UINT messageId, int keep) {
    if (!t_list)
        return FALSE;
    BOOL failed = FALSE;
    HeldMessage* message = (HeldMessage*)calloc(1, sizeof(HeldMessage));
    if (message) {
        message->display = display;
        message->owner = owner;
        message->caption = CopyOrNull(caption, &failed);
        message->text = CopyOrNull(text, &failed);
        message->captionId = captionId;
        message->messageId = messageId;
        message->keep = keep;
    }
    if (!message || failed) {
        if (message)
            FreeOne(message);
        message = LostNote();
    }
    if (message)
        Append(message);
    return TRUE;
}

void Engine_ShowHeldMessages(HeldMessage* list) {
    while (list) {
        HeldMessage* next = list->next;
        if (list->display)
            list->display(list->owner, list->caption, list->text, list->captionId, list->messageId,
                          list->keep);
        else
            Engine_ReportError(list->owner, list->caption, list->text, list->captionId,
                               list->messageId, list->keep);
        FreeOne(list);
        list = next;
    }
}

void Engine_FreeHeldMessages(HeldMessage* list) {
    while (list) {
        HeldMessage* next = list->next;
        FreeOne(list);
        list = next;
    }
}
