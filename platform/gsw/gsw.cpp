#include "gsw.h"

static LONG g_opens = 0;

GSW_API int WINAPI GswOpen(const char*, const char*) {
    InterlockedIncrement(&g_opens);
    return 0;
}

GSW_API int WINAPI GswClose(void) {
    if (InterlockedDecrement(&g_opens) < 0)
        InterlockedExchange(&g_opens, 0);
    return 0;
}

GSW_API int WINAPI GswAttach(void) {
    return 0;
}

GSW_API int WINAPI GswDetach(void) {
    return 0;
}
