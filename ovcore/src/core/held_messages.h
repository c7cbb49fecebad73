// Messages a worker thread of the engine raises while it works for the
// client's thread (the run's log reader): the client's callbacks and boxes
// belong to the client's thread alone, so such a message is held in a list
// and shown there, when the work it belongs to is taken over. A message of
// work that is never taken over (a stopped run's read-ahead) is never shown.
#pragma once
#include "ovcore/registration.h"

struct HeldMessage {
    HeldMessage* next;
    ORB_ERRORDISPLAYPROC display; // null: an engine error (Engine_ReportError)
    HWND owner;
    char* caption; // null or a copy
    char* text;    // null or a copy
    UINT captionId;
    UINT messageId;
    int keep;
};

// Where the calling thread's messages go from now on, appended in order to
// *list (which the caller empties between units of work); null shows them
// again as they come.
void Engine_HoldMessagesOfThread(HeldMessage** list);
// 1 when the calling thread holds its messages: the message went onto its
// list (or, with no memory for it, a note that one was lost); 0 when it is
// to be shown now.
BOOL Engine_HoldMessage(ORB_ERRORDISPLAYPROC display, HWND owner, const char* caption,
                        const char* text, UINT captionId, UINT messageId, int keep);
// Shows the list's messages in order on the calling thread and frees them.
void Engine_ShowHeldMessages(HeldMessage* list);
// Frees the list's messages unseen.
void Engine_FreeHeldMessages(HeldMessage* list);
