// TitleCaseName: company names and places as they are written.
#include "ovcore/company.h"
#include <string.h>

namespace {

void Upper(char& c) {
    if (c >= 'a' && c <= 'z')
        c = char(c - 'a' + 'A');
}

} // namespace

ORB_EXPORT(void) TitleCaseName(char* text) {
    if (!text || !*text)
        return;
    bool kv = _strnicmp(text, "k.v.", 4) == 0;
    if (!kv)
        Upper(text[0]);
    for (size_t i = 1; text[i]; ++i) {
        if (strchr(" ,-&", text[i - 1]))
            Upper(text[i]);
        // Abbreviations with dots: look two places on only within the text.
        if (!kv && text[i] == '.' && text[i + 1] && text[i + 2] == '.') {
            Upper(text[i - 1]);
            Upper(text[i + 1]);
        }
    }
}
