#include "mail_run.h"
#include "files/module_folder.h"
#include "ovkit/mail.h"
#include <cstdio>
#include <cstring>

namespace {

char g_lastError[256];

void LoadText(UINT id, char* out, int size) {
    if (LoadStringA(OvkitLibraryModule(), id, out, size) <= 0)
        out[0] = '\0';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

const char* MailLastError() {
    return g_lastError;
}

void MailSetLastError(const char* text) {
    lstrcpynA(g_lastError, text, sizeof g_lastError);
}

MailRun::MailRun(HWND window, int* abortFlag) : window_(window), abort_(abortFlag) {
    stepText_[0] = '\0';
    MailSetLastError("");
}

void MailRun::Step(MailStringId text, const char* arg) {
    char format[200];
    LoadText(text, format, sizeof format);
    if (arg)
        std::snprintf(stepText_, sizeof stepText_, format, arg);
    else
        lstrcpynA(stepText_, format, sizeof stepText_);
    Progress(0);
}

void MailRun::Progress(int percent) {
    if (window_)
        SendMessageA(window_, OVKIT_WM_MAILPROGRESS, static_cast<WPARAM>(percent),
                     reinterpret_cast<LPARAM>(stepText_));
}

bool MailRun::Aborted() {
    if (!abort_ || !*abort_)
        return false;
    MailSetLastError("Aborted!");
    return true;
}

int MailRun::Fail(MailStringId text) {
    LoadText(text, g_lastError, sizeof g_lastError);
    return -1;
}

bool TrimmedPiece(const char* begin, const char* end, char* out, size_t size) {
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    size_t length = static_cast<size_t>(end - begin);
    if (length == 0 || size == 0)
        return false;
    if (length >= size)
        length = size - 1;
    std::memcpy(out, begin, length);
    out[length] = '\0';
    return true;
}
