// Bounded text-to-number conversions of record fields.
#include "ovcore/dates.h"

#include <stdlib.h>
#include <string.h>

// Only this many leading characters of a field are read.
#define FIELD_DIGITS 20

static void CopyField(const char* text, char* out) {
    size_t n = 0;
    while (n < FIELD_DIGITS && text[n])
        ++n;
    memcpy(out, text, n);
    out[n] = 0;
}

ORB_EXPORT(int) FieldToInt(const char* text) {
    if (!text)
        return 0;
    char field[FIELD_DIGITS + 1];
    CopyField(text, field);
    return atoi(field);
}

ORB_EXPORT(long) FieldToLong(const char* text) {
    if (!text)
        return 0;
    char field[FIELD_DIGITS + 1];
    CopyField(text, field);
    return atol(field);
}
