#include "logread/w3c_places.h"
#include "logread/log_file_raw.h"
#include "logread/parser_call.h"
#include "logparse/line_end.h"
#include "logparse/w3c_map.h"
#include "logparse/w3c_warning.h"
#include <algorithm>
#include <new>
#include <string.h>

namespace {

const DWORD kLeadIn = 512;   // bytes before a chunk that tell whether its first line starts there
const DWORD kNameLength = 9; // "#Fields: ", the longer of the two names
const DWORD kShortLine = 1024;
const ULONGLONG kNone = (ULONGLONG)-1;

bool IsUnprintable(char c) {
    return (unsigned char)c < 32 || (unsigned char)c >= 128;
}

// Whether text[at] begins a line as the reader sees it: behind an LF (or at
// the file's start) with only unprintable bytes between, which the reader
// skips. The UTF-8 mark before a first line is such bytes too.
bool AtLineStart(const char* text, DWORD at, bool textAtFileStart) {
    while (at > 0 && text[at - 1] != '\n' && IsUnprintable(text[at - 1]))
        --at;
    return at == 0 ? textAtFileStart : text[at - 1] == '\n';
}

// The last entry of v in [low, high), or kNone.
ULONGLONG LastIn(const std::vector<ULONGLONG>& v, ULONGLONG low, ULONGLONG high) {
    auto it = std::lower_bound(v.begin(), v.end(), high);
    return it != v.begin() && *(it - 1) >= low ? *(it - 1) : kNone;
}

// found: ascending positions of a stretch scanned for the first time.
void InsertSorted(std::vector<ULONGLONG>& v, const std::vector<ULONGLONG>& found) {
    if (!found.empty())
        v.insert(std::lower_bound(v.begin(), v.end(), found.front()), found.begin(), found.end());
}

} // namespace

const W3CPlaces::Span* W3CPlaces::SpanEndingAt(ULONGLONG position) const {
    for (const Span& s : spans_)
        if (s.low < position && position <= s.high)
            return &s;
    return nullptr;
}

void W3CPlaces::AddSpan(ULONGLONG low, ULONGLONG high) {
    spans_.push_back({low, high});
    std::sort(spans_.begin(), spans_.end(),
              [](const Span& a, const Span& b) { return a.low < b.low; });
    size_t kept = 0;
    for (size_t i = 1; i < spans_.size(); ++i) {
        if (spans_[i].low <= spans_[kept].high)
            spans_[kept].high = std::max(spans_[kept].high, spans_[i].high);
        else
            spans_[++kept] = spans_[i];
    }
    spans_.resize(kept + 1);
}

// Scans the stretch below high, down to the span beneath it and at most
// kChunk bytes, for directives at line starts.
BOOL W3CPlaces::ScanBelow(ULONGLONG high) {
    ULONGLONG floor = 0;
    for (const Span& s : spans_)
        if (s.high <= high && s.high > floor)
            floor = s.high;
    ULONGLONG low = high - floor > kChunk ? high - kChunk : floor;
    ULONGLONG lead = low > kLeadIn ? low - kLeadIn : 0;
    ULONGLONG size = file_->qwFileSize;
    ULONGLONG to = high + kNameLength < size ? high + kNameLength : size;
    DWORD count = (DWORD)(to - lead);
    buffer_.resize(kChunk + kLeadIn + kNameLength);
    if (LogFile_ReadRaw(file_, lead, buffer_.data(), count) != count)
        return FALSE;
    const char* text = buffer_.data();
    std::vector<ULONGLONG> fields, dates;
    DWORD stop = (DWORD)(high - lead);
    // A log whose directives stand only at its top is scanned whole to read
    // its last record: the C runtime's memchr goes a byte at a time.
    for (DWORD i = (DWORD)(low - lead); i < stop; ++i) {
        i += (DWORD)FindAnyOf3(text + i, stop - i, '#', '#', '#');
        if (i >= stop)
            break;
        const char* hash = text + i;
        if (!AtLineStart(text, i, lead == 0))
            continue;
        if (count - i >= 9 && memcmp(hash, "#Fields: ", 9) == 0)
            fields.push_back(lead + i);
        else if (count - i >= 7 && memcmp(hash, "#Date: ", 7) == 0)
            dates.push_back(lead + i);
    }
    InsertSorted(fields_, fields);
    InsertSorted(dates_, dates);
    AddSpan(low, high);
    return TRUE;
}

// Reads want bytes at `at` into the buffer; *end: the offset of the first
// CR, LF or NUL there (want when there is none).
BOOL W3CPlaces::ReadLine(ULONGLONG at, DWORD want, DWORD* end) {
    char* line = buffer_.data();
    if (LogFile_ReadRaw(file_, at, line, want) != want)
        return FALSE;
    line[want] = 0;
    *end = 0;
    while (*end < want && line[*end] != '\r' && line[*end] != '\n' && line[*end] != 0)
        ++*end;
    return TRUE;
}

// Applies the directive line at `at` to the file's map.
BOOL W3CPlaces::ApplyLine(ULONGLONG at, BOOL quiet) {
    ULONGLONG left = file_->qwFileSize - at;
    buffer_.resize(std::max<size_t>(buffer_.size(), LOGFILE_BUFFER_SIZE + 1));
    // Most directives fit the short read. The reader takes lines up to its
    // buffer's size; a longer one counts as cut there.
    DWORD want = left < kShortLine ? (DWORD)left : kShortLine, end = 0;
    if (!ReadLine(at, want, &end))
        return FALSE;
    if (end == want && want < left) {
        want = left < LOGFILE_BUFFER_SIZE ? (DWORD)left : LOGFILE_BUFFER_SIZE;
        if (!ReadLine(at, want, &end))
            return FALSE;
    }
    W3C_SetWarningSource(file_->szPath);
    BOOL applied = W3C_ApplyDirective(&file_->lpW3CMap, buffer_.data(), end, quiet);
    W3C_SetWarningSource(nullptr);
    return applied;
}

BOOL W3CPlaces::ApplyUnguarded(ULONGLONG position, BOOL quiet) {
    if (position > file_->qwFileSize)
        position = file_->qwFileSize;
    ULONGLONG fields = kNone, date = kNone;
    for (ULONGLONG at = position; at > 0 && (fields == kNone || date == kNone);) {
        const Span* s = SpanEndingAt(at);
        if (!s) {
            if (!ScanBelow(at))
                return FALSE;
            continue;
        }
        if (fields == kNone)
            fields = LastIn(fields_, s->low, at);
        if (date == kNone)
            date = LastIn(dates_, s->low, at);
        at = s->low;
    }
    BOOL ok = fields != kNone ? ApplyLine(fields, quiet) : ParserCall_RestoreOpeningW3C(file_);
    if (ok && date != kNone)
        return ApplyLine(date, quiet);
    if (ok && file_->lpW3CMap)
        file_->lpW3CMap->szDate[0] = 0;
    return ok;
}

BOOL W3CPlaces::Apply(ULONGLONG position, BOOL quiet) {
    try {
        return ApplyUnguarded(position, quiet);
    } catch (const std::bad_alloc&) {
        return FALSE; // no room for what the scans found
    }
}
