// Readers of single values of saved-definition files.
#include "report_dialog/definition_values.h"
#include <cstdlib>
#include <cstring>

namespace {
// The value's first character and its length; null when not found.
const char* FindValue(const char* section, const char* key, const char* text, size_t* length) {
    const char* at = text ? strstr(text, section) : nullptr;
    at = at ? strstr(at, key) : nullptr;
    at = at ? strchr(at, '=') : nullptr;
    const char* end = at ? strstr(at, "\r\n") : nullptr;
    if (!end)
        return nullptr;
    *length = (size_t)(end - (at + 1));
    return at + 1;
}
} // namespace

int GetDefinitionDescription(char* buffer, const char* path) {
    return (int)GetPrivateProfileStringA("General", "Description", "", buffer,
                                         DEFINITION_VALUE_SIZE, path);
}

int GetDefinitionSaveAs(char* buffer, const char* path) {
    return (int)GetPrivateProfileStringA("SaveAs", "SaveReportAs", "", buffer,
                                         DEFINITION_VALUE_SIZE, path);
}

int GetDefinitionTextValue(const char* section, const char* key, char* buffer, size_t size,
                           const char* fileText) {
    size_t length = 0;
    const char* value = FindValue(section, key, fileText, &length);
    if (!value || size == 0)
        return 1;
    if (length >= size)
        length = size - 1;
    memcpy(buffer, value, length);
    buffer[length] = '\0';
    return 1;
}

int GetDefinitionIntValue(const char* section, const char* key, const char* fileText) {
    size_t length = 0;
    const char* value = FindValue(section, key, fileText, &length);
    if (!value)
        return -1;
    char number[DEFINITION_NUMBER_SIZE + 1];
    if (length > DEFINITION_NUMBER_SIZE)
        length = DEFINITION_NUMBER_SIZE;
    memcpy(number, value, length);
    number[length] = '\0';
    return atoi(number);
}
