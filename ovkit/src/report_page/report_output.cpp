#include "report_output.h"
#include "files/whole_file.h"
#include <cstdio>

void OvkitReportBox(const char* format, const char* path, const char* caption) {
    char text[MAX_PATH + 128];
    std::snprintf(text, sizeof text, format, path);
    MessageBoxA(nullptr, text, caption, MB_ICONERROR);
}

bool OvkitLoadPage(const char* path, std::string& out) {
    if (OvkitReadWholeFile(path, out))
        return true;
    OvkitReportBox("Cannot Load %s file", path, "Load Error");
    return false;
}

OvkitOutputFile::OvkitOutputFile(const char* path)
    : file_(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {}

OvkitOutputFile::~OvkitOutputFile() {
    if (IsOpen())
        CloseHandle(file_);
}

bool OvkitOutputFile::Write(const std::string& text) {
    DWORD written = 0;
    return IsOpen() &&
           WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

void OvkitOutputFile::Finish() {
    if (IsOpen())
        SetEndOfFile(file_);
}
