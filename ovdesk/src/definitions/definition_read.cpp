// Reading a saved report definition: the whole file in one buffer, each key
// looked up below its section header.
#include "definitions/report_definitions.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
enum { NUMBER_TEXT_SIZE = 33 };

// The value of key below header: from the "=" after the key to the line's
// end. The key must begin a line, so a value never passes for a key.
const char* FindValue(const char* text, const char* header, const char* key, size_t* length) {
    const char* section = strstr(text, header);
    if (!section)
        return nullptr;
    char pattern[64];
    snprintf(pattern, sizeof pattern, "\n%s=", key);
    const char* at = strstr(section, pattern);
    if (!at)
        return nullptr;
    const char* value = at + strlen(pattern);
    *length = strcspn(value, "\r\n");
    return value;
}

template <size_t N>
void ReadText(const char* text, const char* header, const char* key, char (&field)[N]) {
    size_t length = 0;
    const char* value = FindValue(text, header, key, &length);
    if (!value)
        return;
    if (length >= N)
        length = N - 1;
    memcpy(field, value, length);
    field[length] = '\0';
}

// A decimal value of at most 32 characters; -1 when the key is missing.
int ReadNumber(const char* text, const char* header, const char* key) {
    size_t length = 0;
    const char* value = FindValue(text, header, key, &length);
    if (!value)
        return -1;
    char number[NUMBER_TEXT_SIZE];
    if (length >= sizeof number)
        length = sizeof number - 1;
    memcpy(number, value, length);
    number[length] = '\0';
    return atoi(number);
}

void ReadSection(const char* text, int i, TemplateSection& s) {
    char key[40];
    s.Include = 1;
    snprintf(key, sizeof key, "Section%d_Name", i);
    ReadText(text, "[Content]", key, s.Name);
    snprintf(key, sizeof key, "Section%d_ItemType", i);
    s.Kind = (WORD)ReadNumber(text, "[Content]", key);
    snprintf(key, sizeof key, "Section%d_GraphType", i);
    s.GraphType = (WORD)ReadNumber(text, "[Content]", key);
    snprintf(key, sizeof key, "Section%d_3D", i);
    s.ThreeD = ReadNumber(text, "[Content]", key) == 1 ? 1 : 0;
    snprintf(key, sizeof key, "Section%d_Elements", i);
    int elements = ReadNumber(text, "[Content]", key);
    if (elements != -1)
        s.Rows = (WORD)elements;
    snprintf(key, sizeof key, "Section%d_SubElements", i);
    s.Columns = (WORD)ReadNumber(text, "[Content]", key);
}

void Parse(const char* text, ReportDefinition* r) {
    ReadText(text, "[General]", "Description", r->Description);
    r->OrderBy = (WORD)ReadNumber(text, "[Range]", "OrderBy");
    r->ReportRange = (WORD)ReadNumber(text, "[Range]", "ReportRange");
    ReadText(text, "[Range]", "StartTime", r->StartTime);
    ReadText(text, "[Range]", "StopTime", r->StopTime);
    ReadText(text, "[Range]", "StartDate", r->StartDate);
    ReadText(text, "[Range]", "StopDate", r->StopDate);
    ReadText(text, "[Style]", "ReportLanguage", r->ReportLanguage);
    ReadText(text, "[Style]", "ReportStyle", r->ReportStyle);
    ReadText(text, "[SaveAs]", "SaveReportAs", r->SaveReportAs);
    ReadText(text, "[SaveAs]", "SaveToUserName", r->SaveToUserName);
    ReadText(text, "[SaveAs]", "SaveToPassword", r->SaveToPassword);
    int count = ReadNumber(text, "[Content]", "ContentCount");
    r->ContentCount = (WORD)(count > 100 || count < 0 ? 0 : count);
    if (r->ContentCount < 1 || r->ContentCount > 99)
        return;
    ReadText(text, "[Content]", "ReportTitle", r->ReportTitle);
    for (int i = 0; i < r->ContentCount; ++i)
        ReadSection(text, i, r->Sections[i]);
}

// Reads the file into a zero-filled buffer; the text stays empty when it
// cannot be read.
void LoadFile(const char* path, char* text) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD done = 0;
    ReadFile(file, text, DEFINITION_BUFFER_SIZE - 1, &done, nullptr);
    CloseHandle(file);
}

bool Differs(const char* given, const char* field) {
    return given && *given && _stricmp(given, field) != 0;
}
} // namespace

int ReadReportDefinition(const char* path, const char* server, const char* setName,
                         const char* extension, char* description, ReportDefinition* record) {
    char* text = (char*)calloc(1, DEFINITION_BUFFER_SIZE);
    ReportDefinition* scratch = nullptr;
    if (!record)
        record = scratch = (ReportDefinition*)malloc(sizeof(ReportDefinition));
    if (!text || !record) {
        free(text);
        free(scratch);
        return 0;
    }
    LoadFile(path, text);
    memset(record, 0, sizeof *record);
    Parse(text, record);
    free(text);
    memset(record->DisplayFlags, 1, sizeof record->DisplayFlags);
    if (!record->SaveReportAs[0])
        strcpy(record->SaveReportAs, ".\\REPORT.HTM");
    int result = 1;
    if (server || setName || extension) {
        result = !Differs(server, record->Server) && !Differs(setName, record->SetName) &&
                 !Differs(extension, record->SetExtension) &&
                 !Differs(description, record->Description);
        if (result && description)
            snprintf(description, DEFINITION_DESCRIPTION_SIZE, "%s", record->Description);
    }
    free(scratch);
    return result;
}
