// Bounded text-to-number conversions of record fields.
#include "ovcore/dates.h"

#include <stdlib.h>
#include <string.h>
#include "ovkit/text_copy.h"

// Only this many leading characters of a field are read.
#define FIELD_DIGITS 20

ORB_EXPORT(int) FieldToInt(const char* text) {
    if (!text)
        return 0;
    char field[FIELD_DIGITS + 1];
    OvkitCopyText(field, text);
    return atoi(field);
}

ORB_EXPORT(long) FieldToLong(const char* text) {
    if (!text)
        return 0;
    char field[FIELD_DIGITS + 1];
    OvkitCopyText(field, text);
    return atol(field);
}
