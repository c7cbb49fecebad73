// Reads a view buffer's file as it grows and cuts it into lines.
#include "view_text.h"
#include "cstctls4.h"

namespace {
// Reads the bytes from offset to the end of file, leaving the file pointer
// where the writer left it (the engine appends through the same handle).
bool ReadFrom(HANDLE file, size_t offset, std::string& out) {
    LARGE_INTEGER zero = {}, saved = {}, at = {};
    if (!SetFilePointerEx(file, zero, &saved, FILE_CURRENT))
        return false;
    at.QuadPart = (LONGLONG)offset;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    char chunk[16384];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        out.append(chunk, got);
    SetFilePointerEx(file, saved, nullptr, FILE_BEGIN);
    return true;
}
} // namespace

long ViewText::ReadMore() {
    if (!file_ || file_ == INVALID_HANDLE_VALUE)
        return 0;
    long before = LineCount();
    size_t from = bytes_.size();
    if (!ReadFrom(file_, from, bytes_) || bytes_.size() == from)
        return 0;
    // A line that had no end yet is cut again with what followed it.
    if (lastOpen_) {
        from = starts_.back();
        starts_.pop_back();
        ends_.pop_back();
    }
    AddLines(from);
    return LineCount() - before;
}

// Cuts the bytes from offset from into lines. An LF that is the byte of a
// code (the file-name mark is 1 followed by 10) ends no line; nor does a CR
// that is one belong to the line end.
void ViewText::AddLines(size_t from) {
    size_t at = from;
    while (at < bytes_.size()) {
        starts_.push_back(at);
        size_t content = std::string::npos; // where the line's text ends
        size_t i = at;
        for (; i < bytes_.size(); ++i) {
            char c = bytes_[i];
            if (c == CSTV_CODE_ATTRIBUTE || c == CSTV_CODE_TAB) {
                ++i;
            } else if (c == '\n') {
                content = i > at && bytes_[i - 1] == '\r' && content == i - 1 ? i - 1 : i;
                break;
            } else if (c == '\r') {
                content = i; // a plain CR: the end if an LF follows at once
            }
        }
        lastOpen_ = i >= bytes_.size();
        if (lastOpen_)
            content = bytes_.size();
        ends_.push_back(content);
        if ((long)(content - at) > longest_)
            longest_ = (long)(content - at);
        at = lastOpen_ ? bytes_.size() : i + 1;
    }
}

std::string ViewText::RawLine(long n) const {
    if (n < 0 || n >= LineCount())
        return std::string();
    return bytes_.substr(starts_[n], ends_[n] - starts_[n]);
}

std::string ViewText::Plain(const std::string& raw) {
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == CSTV_CODE_ATTRIBUTE || raw[i] == CSTV_CODE_TAB) {
            ++i; // the code's byte
            continue;
        }
        out += raw[i];
    }
    return out;
}
