// Report-page files: reading with the toolkit's failure boxes, and an output
// file written piece by piece. Private to ovkit.
#pragma once
#include <windows.h>
#include <string>

// Shows text (a format with one %s, the path) in a box without owner.
void OvkitReportBox(const char* format, const char* path, const char* caption);
// Reads a template or page whole; "Cannot Load %s file" ("Load Error") when it
// cannot be read.
bool OvkitLoadPage(const char* path, std::string& out);

// An output file created or truncated; what was written stays on failure.
class OvkitOutputFile {
  public:
    explicit OvkitOutputFile(const char* path);
    ~OvkitOutputFile();
    OvkitOutputFile(const OvkitOutputFile&) = delete;
    OvkitOutputFile& operator=(const OvkitOutputFile&) = delete;
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    bool Write(const std::string& text);
    // Ends the file at the current position.
    void Finish();

  private:
    HANDLE file_;
};
