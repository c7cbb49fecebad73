#include "ovkit/schedlog.h"
#include "module_folder.h"
#include <cstdio>
#include <cstring>

namespace {

const UINT kHeaderStringId = 8013;
const size_t kSecondTextLimit = 395;

bool WriteAll(HANDLE file, const char* bytes, size_t length) {
    DWORD written = 0;
    return WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr) &&
           written == length;
}

bool WriteText(HANDLE file, const char* text) {
    return WriteAll(file, text, std::strlen(text));
}

bool WriteEntry(HANDLE file, const char* first, const char* second) {
    if (first && !(WriteText(file, first) && WriteText(file, "\r\n")))
        return false;
    if (second) {
        size_t length = strnlen(second, kSecondTextLimit);
        if (!(WriteText(file, "\t") && WriteAll(file, second, length) &&
              WriteText(file, "\r\n\r\n")))
            return false;
    }
    return true;
}

bool WriteHeader(HANDLE file, HINSTANCE module) {
    char format[256] = "";
    LoadStringA(module, kHeaderStringId, format, sizeof format);
    char timeText[OVKIT_INTL_TEXT_SIZE];
    char dateText[OVKIT_INTL_TEXT_SIZE];
    OVKIT_FormatIntlDate(1, timeText, dateText, std::time(nullptr));
    char header[512];
    std::snprintf(header, sizeof header, format, dateText, timeText);
    return WriteText(file, header) && WriteText(file, "\r\n\r\n");
}

HANDLE OpenLog(const char* path, DWORD disposition) {
    return CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

int OVKIT_FileExists(const char* path) {
    return path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

char* OVKIT_CALL OVKIT_GetScheduleLogFilename(HINSTANCE, char* out) {
    OvkitPathBesideLibrary("SCHEDLOG.TXT", out, MAX_PATH);
    return out;
}

int OVKIT_CALL OVKIT_CreateSchedulerLogFile(HINSTANCE module) {
    char path[MAX_PATH];
    OVKIT_GetScheduleLogFilename(module, path);
    if (OVKIT_FileExists(path))
        return 1;
    HANDLE file = OpenLog(path, CREATE_NEW);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    bool ok = WriteHeader(file, module);
    CloseHandle(file);
    return ok ? 1 : -1;
}

int OVKIT_CALL OVKIT_WriteSchedulerLogFile(HINSTANCE module, const char* first,
                                           const char* second) {
    char path[MAX_PATH];
    OVKIT_GetScheduleLogFilename(module, path);
    HANDLE file = OpenLog(path, OPEN_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    bool ok = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
              WriteEntry(file, first, second);
    CloseHandle(file);
    return ok ? 1 : -1;
}
