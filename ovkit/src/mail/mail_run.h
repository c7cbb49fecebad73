// One mail send as the caller sees it: step texts and percentages sent to
// the progress window, the abort flag, and the library's last mail error.
#pragma once
#include <windows.h>

// Step texts and error texts of the library's string table.
enum MailStringId : UINT {
    kMailLoadingMapi = 8014,
    kMailLoggingOnMapi = 8015,
    kMailBuilding = 8016,
    kMailSending = 8017,
    kMailLookingForServer = 8018,
    kMailConnecting = 8019,
    kMailBuildingAttachments = 8020,
    kMailErrMapiLoad = 5708,
    kMailErrMapiLogon = 5709,
    kMailErrMapiSend = 5710,
    kMailErrWinsock = 5711,
    kMailErrConnect = 5712,
    kMailErrReply = 5713,
    kMailErrResolve = 5715,
    kMailErrRecipient = 5732,
};

class MailRun {
  public:
    // Clears the last mail error.
    MailRun(HWND window, int* abortFlag);
    // Starts a step: its text (a format taking arg when arg is given) at 0 %.
    void Step(MailStringId text, const char* arg = nullptr);
    // Moves the bar; the message carries the current step text.
    void Progress(int percent);
    // True (and the error "Aborted!") when the caller asked to stop.
    bool Aborted();
    // Sets the last mail error to the string's text; returns -1.
    int Fail(MailStringId text);

  private:
    HWND window_;
    int* abort_;
    char stepText_[256];
};

// The library's last mail error ("" when the last send succeeded).
const char* MailLastError();
void MailSetLastError(const char* text);
// The recipient text's addresses: split at ';', '|' and ',', blanks around
// each removed, empty pieces skipped. Calls take(address) for each, in order,
// until it returns false.
template <class Take> void ForEachRecipient(const char* text, Take take);
// Copies [begin, end) without surrounding blanks into out (size bytes, cut to
// fit); false when nothing is left.
bool TrimmedPiece(const char* begin, const char* end, char* out, size_t size);

template <class Take> void ForEachRecipient(const char* text, Take take) {
    if (!text)
        return;
    const char* piece = text;
    for (const char* p = text;; ++p) {
        if (*p == ';' || *p == '|' || *p == ',' || *p == '\0') {
            char address[260];
            if (TrimmedPiece(piece, p, address, sizeof address) && !take(address))
                return;
            if (!*p)
                return;
            piece = p + 1;
        }
    }
}
