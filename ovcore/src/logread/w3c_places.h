// Where a W3C log's "#Fields:" and "#Date:" directives stand, so that a read
// at any position starts with the field map and date in force there, as a
// read from the file's start would have them. The directives are found by
// scanning backwards from the positions asked about; what a scan has seen is
// kept, so the probes of one search (bisection, stepping back line by line)
// scan each byte of the log at most once.
#pragma once
#include "ovcore/logfile.h"
#include <vector>

class W3CPlaces {
  public:
    static const DWORD kChunk = 65536; // bytes scanned per read

    explicit W3CPlaces(LogFile* file) : file_(file) {}
    W3CPlaces(const W3CPlaces&) = delete;
    W3CPlaces& operator=(const W3CPlaces&) = delete;

    // Sets the file's W3C map to the columns of the last "#Fields:" before
    // position (the opening columns when there is none) and its date to the
    // last "#Date:" before it (none when there is none). position is the
    // start of a line. quiet: a bad "#Fields:" shows no message. FALSE when
    // the log cannot be read or memory runs out.
    BOOL Apply(ULONGLONG position, BOOL quiet);

  private:
    struct Span {
        ULONGLONG low, high; // [low, high) has been scanned
    };
    BOOL ApplyUnguarded(ULONGLONG position, BOOL quiet);
    BOOL ScanBelow(ULONGLONG high);
    const Span* SpanEndingAt(ULONGLONG position) const;
    void AddSpan(ULONGLONG low, ULONGLONG high);
    BOOL ReadLine(ULONGLONG at, DWORD want, DWORD* end);
    BOOL ApplyLine(ULONGLONG at, BOOL quiet);

    LogFile* file_;
    std::vector<Span> spans_;       // sorted, neither overlapping nor touching
    std::vector<ULONGLONG> fields_; // line starts of "#Fields:" found, sorted
    std::vector<ULONGLONG> dates_;  // line starts of "#Date:" found, sorted
    std::vector<char> buffer_;
};
