#include "logread/record_probe.h"
#include "ovcore/logread.h"

BOOL RecordProbe::IsW3C() const {
    return file_->lpW3CMap || file_->dwFormatHint == LOGFMT_W3C || file_->dwLogFormat == LOGFMT_W3C;
}

BOOL RecordProbe::Read(ULONGLONG position, DWORD window) {
    if (!record_ && !(record_ = HitRecord_New()))
        return FALSE;
    BOOL ok = LogRecord_ReadNextCounted(file_, position, record_, &after_, window, 1, nullptr,
                                        &start_) == LOGREAD_RECORD;
    // A read applies the directives it passes: behind a record they are in force.
    inForce_ = ok ? after_ : LOGFILE_NO_POSITION;
    return ok;
}

BOOL RecordProbe::ReadAt(ULONGLONG position, DWORD window) {
    BOOL w3c = IsW3C();
    if (w3c && position != inForce_ && !places_.Apply(position, TRUE))
        return FALSE;
    BOOL ok = Read(position, window);
    if (!w3c && IsW3C()) { // this read found the log to be W3C: read it again, rightly
        if (!places_.Apply(position, TRUE))
            return FALSE;
        ok = Read(position, window);
    }
    return ok;
}

BOOL RecordProbe::ReadLast(ULONGLONG floor) {
    for (ULONGLONG behind = LogFile_GetSize(file_); behind > floor;) {
        ULONGLONG start = FindLineStartBefore(file_, behind);
        DWORD window = (DWORD)(behind - start);
        if (ReadAt(start, window ? window : 1))
            return TRUE;
        if (start == 0)
            break;
        behind = start;
    }
    return FALSE;
}

HitRecord* RecordProbe::Take() {
    HitRecord* r = record_;
    record_ = nullptr;
    return r;
}
