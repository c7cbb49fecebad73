// GetTemplateItemKind: the kind word at the start of a section's settings.
#include "ovcore/report_template.h"
#include <ctype.h>
#include <string.h>

namespace {

bool StartsWithWord(const char* text, const char* word, bool whole) {
    size_t n = strlen(word);
    if (_strnicmp(text, word, n) != 0)
        return false;
    return !whole || !isalnum(static_cast<unsigned char>(text[n]));
}

} // namespace

ORB_EXPORT(int) GetTemplateItemKind(const char* text) {
    if (!text)
        return 0;
    if (StartsWithWord(text, "NOEDITGRAPH", true))
        return 3;
    if (StartsWithWord(text, "NOEDITTABLE", true))
        return 4;
    if (StartsWithWord(text, "GRAPH", false))
        return 1;
    if (StartsWithWord(text, "TABLE", false))
        return 2;
    return 0;
}
