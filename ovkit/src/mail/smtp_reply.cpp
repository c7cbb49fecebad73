#include "smtp_reply.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool SmtpReplyReader::Feed(const char* data, size_t length) {
    for (size_t i = 0; i < length && !complete_; ++i) {
        char c = data[i];
        if (c == '\n')
            EndLine();
        else if (c != '\r' && lineLength_ < kLineLimit)
            line_[lineLength_++] = c; // the rest of an over-long line is dropped
    }
    return complete_;
}

void SmtpReplyReader::EndLine() {
    size_t n = lineLength_;
    lineLength_ = 0;
    if (n < 3 || !IsDigit(line_[0]) || !IsDigit(line_[1]) || !IsDigit(line_[2]))
        return; // not a reply line: keep waiting for one
    if (n > 3 && line_[3] == '-')
        return; // a continuation line
    code_ = (line_[0] - '0') * 100 + (line_[1] - '0') * 10 + (line_[2] - '0');
    complete_ = true;
}
