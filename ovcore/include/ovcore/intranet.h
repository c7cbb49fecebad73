// The intranet list, OVINTRA.TXT in the install folder: one entry a line,
// six fields separated by commas (no quoting): domain, description, city,
// state, country and the address pattern (a subnet, else an address range,
// else a host-name pattern). Empty fields 2 to 6 are stored as one blank.
#pragma once
#include "ovcore/ovcore_base.h"

// Field widths as the list keeps them, terminator included.
#define INTRANET_DOMAIN_SIZE 50
#define INTRANET_DESCRIPTION_SIZE 100
#define INTRANET_CITY_SIZE 30
#define INTRANET_STATE_SIZE 20
#define INTRANET_COUNTRY_SIZE 40
#define INTRANET_PATTERN_SIZE 50
#define INTRANET_FIELD_COUNT 6
// Longest line read; the rest of a longer line is ignored.
#define INTRANET_LINE_SIZE 1024

#pragma pack(push, 1)
typedef struct IntranetFields {
    char Domain[INTRANET_DOMAIN_SIZE];
    char Description[INTRANET_DESCRIPTION_SIZE];
    char City[INTRANET_CITY_SIZE];
    char State[INTRANET_STATE_SIZE];
    char Country[INTRANET_COUNTRY_SIZE];
    char Pattern[INTRANET_PATTERN_SIZE];
} IntranetFields;
#pragma pack(pop)
static_assert(sizeof(IntranetFields) == 290, "an intranet entry is 290 bytes");

// Splits one line (its line end already cut or not) into fields: empty
// fields between two commas are skipped, so the following ones move up; at
// most six are taken, each cut to its width. Returns the number of fields
// taken, 0 for a line without a comma (not an entry). out is cleared first.
ORB_EXPORT(int) ORB_SplitIntranetLine(const char* line, IntranetFields* out);

// The field of index 0..5 of an entry, and its width.
ORB_EXPORT(char*) ORB_IntranetField(IntranetFields* entry, int index, int* size);
