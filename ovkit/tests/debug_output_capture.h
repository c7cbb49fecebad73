// Records what the code under test sends to OutputDebugStringA (the channel
// of ovkit's assertions) while the object lives. One at a time.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace ovkittest {

class DebugOutputCapture {
  public:
    DebugOutputCapture() {
        active_ = this;
        handler_ = AddVectoredExceptionHandler(1, &DebugOutputCapture::Handler);
    }
    ~DebugOutputCapture() {
        RemoveVectoredExceptionHandler(handler_);
        active_ = nullptr;
    }
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    const std::vector<std::string>& Texts() const { return texts_; }
    // True when some recorded text contains part.
    bool Saw(const std::string& part) const {
        for (const std::string& text : texts_)
            if (text.find(part) != std::string::npos)
                return true;
        return false;
    }

  private:
    // OutputDebugStringA raises DBG_PRINTEXCEPTION_C with the text as the
    // second argument; continuing the exception swallows it.
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* info) {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (record->ExceptionCode != DBG_PRINTEXCEPTION_C || !active_ ||
            record->NumberParameters < 2)
            return EXCEPTION_CONTINUE_SEARCH;
        active_->texts_.push_back(reinterpret_cast<const char*>(record->ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_EXECUTION;
    }

    static inline DebugOutputCapture* active_ = nullptr;
    PVOID handler_ = nullptr;
    std::vector<std::string> texts_;
};

} // namespace ovkittest
