// Reading one SMTP reply: lines "NNN-text" continue it, the line "NNN text"
// (or "NNN" alone) ends it, whatever pieces the bytes arrive in. Only the
// line being read is kept, in a bounded buffer, so a long reply cannot
// overrun it.
#pragma once
#include <cstddef>

class SmtpReplyReader {
  public:
    // Takes received bytes; returns true once the final line has ended. Bytes
    // after the final line are ignored.
    bool Feed(const char* data, size_t length);
    bool Complete() const { return complete_; }
    // The code of the final line; -1 when incomplete or not a number.
    int Code() const { return complete_ ? code_ : -1; }

  private:
    void EndLine();

    static const size_t kLineLimit = 512;
    char line_[kLineLimit];
    size_t lineLength_ = 0;
    int code_ = -1;
    bool complete_ = false;
};
