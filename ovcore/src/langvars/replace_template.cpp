// ReplaceLanguageVar: fills the "LANG_STR<name>" markers of a report
// template copy with the words of the report's language.
#include "langvars/var_table.h"
#include "core/message_sink.h"
#include "core/template_io.h"
#include "ovcore/langvars.h"
#include "ovcore/settings.h"
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

const char kMarker[] = "LANG_STR<";
const DWORD kPumpEveryMs = 50;
const int kNameSize = 300;

bool WriteAll(HANDLE file, const std::string& text) {
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    DWORD wrote = 0;
    if (!text.empty() && (!WriteFile(file, text.data(), DWORD(text.size()), &wrote, nullptr) ||
                          wrote != text.size()))
        return false;
    return SetEndOfFile(file) && FlushFileBuffers(file);
}

// Lets the thread's waiting messages run now and then during a long file.
void PumpNowAndThen(DWORD& lastPump) {
    DWORD now = GetTickCount();
    if (now - lastPump < kPumpEveryMs)
        return;
    lastPump = now;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string Replace(const std::string& text, void* run, LangVarNameHook hook) {
    std::string out;
    out.reserve(text.size());
    DWORD lastPump = GetTickCount();
    size_t pos = 0;
    for (;;) {
        size_t at = text.find(kMarker, pos);
        size_t nameStart = at + sizeof kMarker - 1;
        size_t close = at == std::string::npos ? at : text.find('>', nameStart);
        if (close == std::string::npos)
            break; // an unclosed marker stays as it is
        PumpNowAndThen(lastPump);
        out.append(text, pos, at - pos);
        std::string name = text.substr(nameStart, close - nameStart);
        char chosen[kNameSize];
        lstrcpynA(chosen, name.c_str(), sizeof chosen);
        if (hook)
            hook(run, name.c_str(), chosen, sizeof chosen);
        const char* value = langvars::FindValue(chosen);
        if (value)
            out.append(value);
        pos = close + 1;
    }
    out.append(text, pos, std::string::npos);
    return out;
}

} // namespace

ORB_EXPORT(int)
ReplaceLanguageVar(const char* path, const char* language, void* run, LangVarNameHook hook) {
    if (!path)
        return 0;
    char varFile[MAX_PATH] = "";
    char folder[MAX_PATH] = "";
    ORB_GetTemplatePath(folder);
    snprintf(varFile, sizeof varFile, "%s%s.RPL", folder,
             language && *language ? language : "ENGLISH");
    fetchvar_ReadVarData(varFile);

    DWORD error = 0;
    HANDLE file = OpenTemplateFile(path, GENERIC_READ | GENERIC_WRITE, &error);
    if (file == INVALID_HANDLE_VALUE) {
        char text[80];
        snprintf(text, sizeof text, "Can't load template file (err = %d)", int(error));
        Engine_MessageBox(nullptr, text, "Load", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    std::string text;
    bool ok = ReadWholeFile(file, text) && WriteAll(file, Replace(text, run, hook));
    CloseHandle(file);
    return ok ? 1 : 0;
}
