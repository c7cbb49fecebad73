// The words of a search text: the value of the engine's query parameter, cut
// at its '&' before it is decoded, so that an escaped '&' stays part of the
// words and an escaped '%' is decoded only once.
#include "search_engines.h"

#include <string.h>

namespace {

// The text's '&' was cut off before decoding; a decoded one is a character.
bool EndsText(char c) {
    return c == 0;
}

bool SplitsWords(char c) {
    return c == '"' || c == '=' || c == ' ' || c == '+';
}

bool IsTrimmed(char c) {
    return c == ' ' || c == '\t' || c == '"';
}

} // namespace

void StartSearchWords(SearchWords* words, char* searchText) {
    words->Next = searchText;
    if (!searchText)
        return;
    char* end = strchr(searchText, '&');
    if (end)
        *end = 0;
    UnescapeURLText(searchText);
}

int NextSearchWord(SearchWords* words, char* buffer, DWORD size) {
    if (!words->Next || !buffer || size == 0)
        return 0;
    DWORD limit = size - 1 < SEARCH_WORD_MAX ? size - 1 : SEARCH_WORD_MAX;
    const char* p = words->Next;
    while (!EndsText(*p)) {
        const char* start = p;
        while (!EndsText(*p) && !SplitsWords(*p))
            ++p;
        const char* end = p;
        if (SplitsWords(*p))
            ++p;
        while (start < end && IsTrimmed(*start))
            ++start;
        while (end > start && IsTrimmed(end[-1]))
            --end;
        DWORD length = (DWORD)(end - start);
        if (length < 2)
            continue;
        if (length > limit)
            length = limit;
        memcpy(buffer, start, length);
        buffer[length] = 0;
        words->Next = (char*)p;
        return 1;
    }
    words->Next = (char*)p;
    return 0;
}
