// The profile's log files as the hit source of an update.
#include <stdlib.h>

#include "history/database_update.h"
#include "ovcore/fileinfo.h"

namespace {

struct LogFileSource {
    AnalysisProfile* profile;
    HitRecord* last; // handed out by Next, freed on the following call
    // The span of the whole logs, taken before any positioning: once the
    // files are opened for a day, they answer for that day only (and the
    // day's last second would pass for the newest of the logs).
    int spanKnown;
    ORB_TIME first, lastTime;
    // A file whose last line is older than its first is out of order beyond
    // what finding a time's place by halves can follow: it is read whole.
    BOOL outOfOrder;
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
    if (s->outOfOrder) {
        from = 0;
        end = (ORB_TIME)-1;
    }
    return FileInfo_Open(s->profile->LogFileFormat, &s->profile->LogFiles, from, end, nullptr,
                         &stop, nullptr) > 0;
}

int TimeRange(void* context, ORB_TIME* first, ORB_TIME* last) {
    LogFileSource* s = (LogFileSource*)context;
    if (!s->spanKnown)
        return 0;
    *first = s->first;
    *last = s->lastTime;
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
    DWORD a = 0, b = 0;
    if (s) {
        s->profile = profile;
        s->spanKnown = FileInfo_GetTimeSpan(profile->LogFileFormat, &profile->LogFiles, &a, &b,
                                            &s->outOfOrder);
        s->first = a;
        s->lastTime = b;
    }
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
