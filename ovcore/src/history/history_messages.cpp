// What the user is told when the history database cannot be used: through
// the error display, so that an unattended run puts it in its log. The
// database itself is left as it was.
#include <stdio.h>

#include "core/message_sink.h"
#include "history/history_db.h"

static void Tell(const char* text) {
    Engine_ReportError(nullptr, "Ostrevane", text, 0, 0, 0);
}

static const char* MasterProblem(MasterState state) {
    switch (state) {
    case MASTER_DAMAGED:
        return "is damaged (it is not an index of stored days); it was left as it is. Move it "
               "away to build the database again from the logs";
    case MASTER_UNREADABLE:
        return "cannot be read; it was left as it is";
    case MASTER_UNWRITABLE:
        return "could not be written (is the disk full?); it was left as it was";
    default:
        return nullptr;
    }
}

void TellHistoryOpenFailure(void) {
    char text[MAX_PATH + 300];
    const char* folder = HistoryOpenFolder();
    const char* problem = MasterProblem(HistoryOpenMasterState());
    switch (HistoryOpenFailure()) {
    case HISTORY_OPEN_OK:
        return;
    case HISTORY_OPEN_LOCKED:
        Tell("The history database is being updated by another program; try again when it has "
             "finished.");
        return;
    case HISTORY_OPEN_NO_MEMORY:
        Tell("There is not enough memory to open the history database.");
        return;
    case HISTORY_OPEN_NO_FOLDER:
        snprintf(text, sizeof(text),
                 "The history database folder \"%s\" cannot be made or opened; the history "
                 "database was not updated.",
                 folder);
        Tell(text);
        return;
    case HISTORY_OPEN_MASTER:
        // Without a master state the ODBC form failed, and it has said why.
        if (!problem)
            return;
        snprintf(text, sizeof(text),
                 "The history database index \"%s\\master.dat\" %s. Nothing was stored.", folder,
                 problem);
        Tell(text);
        return;
    }
}

void TellUnreadablePeriod(const HistoryDatabase* handle, const MasterEntry* entry) {
    char text[MAX_PATH + 300], path[MAX_PATH];
    // The ODBC reader says why itself.
    if (!handle || handle->Type != SWIFTMERE_FILES)
        return;
    if (!PeriodFilePath(handle, entry, path))
        lstrcpynA(path, entry->Name, MAX_PATH);
    snprintf(text, sizeof(text),
             "The stored day \"%s\" of the history database cannot be read; it was left as it is. "
             "Nothing was stored, and no report can include that day until the file is mended "
             "or the database is built again.",
             path);
    Tell(text);
}
