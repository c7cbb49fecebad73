// Pieces of the mail text: base64 lines, attachment names and types, the
// Date header, and the DATA stream's line rules.
#pragma once
#include <windows.h>
#include <string>

// Input bytes per base64 line (76 characters).
const size_t kBase64LineBytes = 57;
// Appends the base64 form of the bytes (standard alphabet, '=' padding) to out.
void AppendBase64(const unsigned char* bytes, size_t length, std::string& out);

// The attachment's name: the text behind the last '\', else behind the last
// ':', else the whole path.
const char* AttachmentName(const char* path);
// The content type for a name, by the lower-cased name containing ".htm",
// ".gif", ".jpg", ".doc", ".xls", ".cma" or ".txt", tested in that order.
// *raw is set for .htm parts, which go without base64.
const char* AttachmentContentType(const char* name, bool* raw);

// Zone bias in minutes (UTC minus local) in force for the zone state that
// GetTimeZoneInformation answered.
LONG BiasInForce(const TIME_ZONE_INFORMATION& zone, DWORD zoneState);
// "Date: Thu, 10 Dec 2026 18:58:55 +0100\r\n" for a local time and bias.
std::string DateHeader(const SYSTEMTIME& local, LONG biasMinutes);

// Text to go inside DATA: every line end becomes CR LF and a line starting
// with '.' gets a second one, so no text line can end the message. Keeps its
// state across pieces of one text.
class DataLineWriter {
  public:
    void Append(const char* text, size_t length, std::string& out);
    // Ends an unfinished last line with CR LF.
    void Finish(std::string& out);

  private:
    bool atLineStart_ = true;
    bool afterCr_ = false;
};
