// The profile's log files as the hit source of an update.
#include <stdlib.h>

#include "history/database_update.h"
#include "ovcore/fileinfo.h"

namespace {

struct LogFileSource {
    AnalysisProfile* profile;
    HitRecord* last; // handed out by Next, freed on the following call
};

void DropLast(LogFileSource* s) {
    if (s->last)
        HitRecord_Free(s->last);
    s->last = nullptr;
}

int Position(void* context, ORB_TIME from, ORB_TIME end) {
    LogFileSource* s = (LogFileSource*)context;
    DropLast(s);
    FileInfo_CloseAll(&s->profile->LogFiles);
    int stop = 0;
    return FileInfo_Open(s->profile->LogFileFormat, &s->profile->LogFiles, from, end, nullptr,
                         &stop, nullptr) > 0;
}

int TimeRange(void* context, ORB_TIME* first, ORB_TIME* last) {
    LogFileSource* s = (LogFileSource*)context;
    DWORD a = 0, b = 0;
    if (!FileInfo_GetTimeRange(s->profile->LogFileFormat, &s->profile->LogFiles, &a, &b))
        return 0;
    *first = a;
    *last = b;
    return 1;
}

int Next(void* context, HitRecord** hit) {
    LogFileSource* s = (LogFileSource*)context;
    DropLast(s);
    HitRecord* record = nullptr;
    if (FileInfo_ReadNext(nullptr, &s->profile->LogFiles, &record) != 3 || !record)
        return 0;
    *hit = s->last = record;
    return 1;
}

DWORD DonePercent(void* context) {
    return FileInfo_GetDonePercent(&((LogFileSource*)context)->profile->LogFiles);
}

} // namespace

void MakeLogFileSource(AnalysisProfile* profile, PeriodHitSource* source) {
    LogFileSource* s = (LogFileSource*)calloc(1, sizeof(LogFileSource));
    if (s)
        s->profile = profile;
    *source = {s, Position, TimeRange, Next, DonePercent};
}

void CloseLogFileSource(PeriodHitSource* source) {
    LogFileSource* s = (LogFileSource*)source->Context;
    if (!s)
        return;
    DropLast(s);
    FileInfo_CloseAll(&s->profile->LogFiles);
    free(s);
    source->Context = nullptr;
}
