// One OVINTRA.TXT line into its six fields: the one rule that the engine's
// run and the plug-in's list editor both read the file by.
#include "ovcore/intranet.h"
#include <string.h>

namespace {
const int kSizes[INTRANET_FIELD_COUNT] = {INTRANET_DOMAIN_SIZE,  INTRANET_DESCRIPTION_SIZE,
                                          INTRANET_CITY_SIZE,    INTRANET_STATE_SIZE,
                                          INTRANET_COUNTRY_SIZE, INTRANET_PATTERN_SIZE};
} // namespace

ORB_EXPORT(char*) ORB_IntranetField(IntranetFields* entry, int index, int* size) {
    if (!entry || index < 0 || index >= INTRANET_FIELD_COUNT)
        return nullptr;
    char* field = reinterpret_cast<char*>(entry);
    for (int i = 0; i < index; ++i)
        field += kSizes[i];
    if (size)
        *size = kSizes[index];
    return field;
}

ORB_EXPORT(int) ORB_SplitIntranetLine(const char* line, IntranetFields* out) {
    if (!out)
        return 0;
    memset(out, 0, sizeof *out);
    if (!line)
        return 0;
    size_t length = strcspn(line, "\r\n");
    if (length >= INTRANET_LINE_SIZE)
        length = INTRANET_LINE_SIZE - 1;
    if (!memchr(line, ',', length))
        return 0;
    int taken = 0;
    for (size_t at = 0; at < length && taken < INTRANET_FIELD_COUNT;) {
        const char* comma = static_cast<const char*>(memchr(line + at, ',', length - at));
        size_t end = comma ? size_t(comma - line) : length;
        if (end > at) { // an empty field is skipped: the next one moves up
            int size = 0;
            char* field = ORB_IntranetField(out, taken++, &size);
            size_t n = end - at < size_t(size) ? end - at : size_t(size) - 1;
            memcpy(field, line + at, n);
            field[n] = '\0';
        }
        at = end + 1;
    }
    return taken;
}
