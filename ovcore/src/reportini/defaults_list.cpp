// ReadDefaultsList: a [Defaults] value of a settings file as a word list.
#include "reportini/text_words.h"
#include "ovcore/filetypes.h"
#include <stdlib.h>

ORB_EXPORT(char**)
ReadDefaultsList(const char* iniPath, int /*unused*/, int* count, const char* key,
                 const char* def) {
    if (count)
        *count = 0;
    char value[300] = "";
    GetPrivateProfileStringA("Defaults", key, def ? def : "", value, sizeof value, iniPath);
    char** words = static_cast<char**>(calloc(FILETYPE_SLOTS, sizeof(char*)));
    if (!words)
        return nullptr;
    char* found[FILETYPE_SLOTS];
    int n = reportini::SplitWords(value, " ;,", found, FILETYPE_SLOTS);
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        char* copy = reportini::DupText(found[i]);
        if (copy) // a word that cannot be copied is skipped
            words[kept++] = copy;
    }
    if (count)
        *count = kept;
    return words;
}

ORB_EXPORT(void) FreeDefaultsList(char** words) {
    if (!words)
        return;
    for (int i = 0; i < FILETYPE_SLOTS; ++i)
        free(words[i]);
    free(words);
}
