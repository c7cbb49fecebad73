// Reads made only for a record's time at some position of a log: the first
// and last records, the steps of the time-range bisection and the samples
// of the profile probes. A W3C log is read with the "#Fields:" and "#Date:"
// in force at the position, as reading it from its start would be.
#pragma once
#include "ovcore/logfile.h"
#include "logread/w3c_places.h"

class RecordProbe {
  public:
    explicit RecordProbe(LogFile* file) : file_(file), places_(file) {}
    ~RecordProbe() { HitRecord_Free(record_); }
    RecordProbe(const RecordProbe&) = delete;
    RecordProbe& operator=(const RecordProbe&) = delete;

    // The next record from position (a line start) within window bytes:
    // TRUE with Record(), Start() and After() set.
    BOOL ReadAt(ULONGLONG position, DWORD window);
    // The last record of the log: steps back line by line from its end, each
    // line read once, until a line holds a record or a line that reaches
    // back to floor has been tried. TRUE with Record(), Start() and After().
    BOOL ReadLast(ULONGLONG floor);

    const HitRecord* Record() const { return record_; }
    ULONGLONG Start() const { return start_; } // line start of the record
    ULONGLONG After() const { return after_; } // position behind it
    // Hands the record to the caller (who frees it); null when none.
    HitRecord* Take();

  private:
    BOOL IsW3C() const;
    BOOL Read(ULONGLONG position, DWORD window);

    LogFile* file_;
    W3CPlaces places_;
    HitRecord* record_ = nullptr;
    ULONGLONG start_ = 0;
    ULONGLONG after_ = 0;
    ULONGLONG inForce_ = LOGFILE_NO_POSITION; // the map holds the directives in force here
};
