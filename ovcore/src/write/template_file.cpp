// TrimSections: reads a template whole, trims it in memory to a run's
// sections and writes the working copy; a copy that could not be written
// completely is removed.
#include "template_text.h"
#include "core/message_sink.h"
#include "core/template_io.h"
#include "ovcore/settings.h"
#include "run/report_handle.h"
#include <stdio.h>

namespace {

bool WriteAll(HANDLE file, const std::string& text) {
    DWORD wrote = 0;
    return text.empty() || (WriteFile(file, text.data(), DWORD(text.size()), &wrote, nullptr) &&
                            wrote == text.size());
}

void Report(const char* format, DWORD error, const char* caption) {
    char text[80];
    snprintf(text, sizeof text, format, int(error));
    Engine_MessageBox(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

int report::TrimTemplateFile(const char* outputPath, const char* templatePath,
                             const TemplateSection* sections, int count) {
    if (!outputPath || !templatePath || !sections || count <= 0)
        return 0;
    DWORD error = 0;
    HANDLE in = OpenTemplateFile(templatePath, GENERIC_READ, &error);
    if (in == INVALID_HANDLE_VALUE) {
        Report("Can't load template file (err = %d)", error, "Load");
        return 0;
    }
    std::string text;
    bool read = ReadWholeFile(in, text);
    CloseHandle(in);
    HANDLE out = CreateFileA(outputPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        Report("Can't Save template file (err = %d)", GetLastError(), "Save");
        return 0;
    }
    bool ok = read && WriteAll(out, report::TrimTemplateText(text, sections, count));
    CloseHandle(out);
    if (!ok)
        DeleteFileA(outputPath);
    return ok ? 1 : 0;
}

ORB_EXPORT(int)
TrimSections(const char* outputPath, ReportHandle* handle, const char* templateName) {
    if (!handle || !templateName)
        return 0;
    char folder[MAX_PATH], path[MAX_PATH];
    if (!ORB_GetTemplatePath(folder))
        return 0;
    int n = snprintf(path, sizeof path, "%s%s", folder, templateName);
    if (n <= 0 || n >= (int)sizeof path)
        return 0;
    return report::TrimTemplateFile(outputPath, path, handle->Sections, handle->SectionCount);
}
