// Writing a saved report definition: the whole text built in one buffer and
// written at once.
#include "definitions/report_definitions.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
struct TextBuilder {
    char* Text;
    size_t Length;
    bool Overflow;
};

void Add(TextBuilder& b, const char* format, ...) {
    if (b.Overflow)
        return;
    va_list args;
    va_start(args, format);
    size_t room = DEFINITION_BUFFER_SIZE - 1 - b.Length;
    int n = vsnprintf(b.Text + b.Length, room + 1, format, args);
    va_end(args);
    if (n < 0 || (size_t)n > room)
        b.Overflow = true;
    else
        b.Length += n;
}

void AddSections(TextBuilder& b, const ReportDefinition* r) {
    Add(b, "ContentCount=%d\r\n", r->ContentCount);
    Add(b, "ReportTitle=%s\r\n", r->ReportTitle);
    for (int i = 0; i < r->ContentCount; ++i) {
        const TemplateSection& s = r->Sections[i];
        Add(b, "Section%d_Name=%s\r\n", i, s.Name);
        Add(b, "Section%d_ItemType=%d\r\n", i, s.Kind);
        Add(b, "Section%d_GraphType=%d\r\n", i, s.GraphType);
        Add(b, "Section%d_3D=%s\r\n", i, s.ThreeD == 1 ? "1" : "0");
        Add(b, "Section%d_Elements=%d\r\n", i, s.Rows);
        Add(b, "\r\n");
        if (s.Columns != 0)
            Add(b, "Section%d_SubElements=%d\r\n", i, (short)s.Columns);
        Add(b, "\r\n");
    }
}

void BuildText(TextBuilder& b, const ReportDefinition* r) {
    Add(b, "[General]\r\nDescription=%s\r\n\r\n", r->Description);
    Add(b, "[Range]\r\nOrderBy=%d\r\nReportRange=%d\r\n", r->OrderBy, r->ReportRange);
    Add(b, "StartTime=%s\r\nStopTime=%s\r\nStartDate=%s\r\nStopDate=%s\r\n\r\n", r->StartTime,
        r->StopTime, r->StartDate, r->StopDate);
    Add(b, "[Style]\r\nReportLanguage=%s\r\nReportStyle=%s\r\n\r\n", r->ReportLanguage,
        r->ReportStyle);
    Add(b, "[SaveAs]\r\nSaveReportAs=%s\r\nSaveToUserName=%s\r\nSaveToPassword=%s\r\n\r\n",
        r->SaveReportAs, r->SaveToUserName, r->SaveToPassword);
    Add(b, "[Content]\r\n");
    if (r->ContentCount >= 1 && r->ContentCount <= 99)
        AddSections(b, r);
}
} // namespace

int WriteReportDefinition(const char* path, const ReportDefinition* record) {
    TextBuilder b = {(char*)calloc(1, DEFINITION_BUFFER_SIZE), 0, false};
    if (!b.Text)
        return 0;
    BuildText(b, record);
    int written = 0;
    HANDLE file = b.Overflow ? INVALID_HANDLE_VALUE
                             : CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD done = 0;
        written = WriteFile(file, b.Text, (DWORD)b.Length, &done, nullptr) && done == b.Length;
        CloseHandle(file);
        if (!written)
            DeleteFileA(path);
    }
    free(b.Text);
    return written;
}
