// Grouping: each hit's grouping value selects the buffer that holds it; a new
// value begins a new buffer.
#include <string.h>

#include "hit_listing.h"
#include "ovcore/registration.h"

#define STRING_FAILED 5529
#define STRING_SUCCEEDED 5530
#define STRING_GROUP_DATE_FORMAT 5669

static const char* const kMethodValues[] = {"GET", "PUT", "POST", "HEAD"};
static const char* const kMethodNames[] = {"Get", "Put", "Post", "Head", "Error"};

// Default display name of an empty value, by option (0: none).
static UINT DefaultNameId(int option) {
    switch (option) {
    case LISTING_GROUP_SUFFIX:
        return 5534;
    case LISTING_GROUP_COUNTRY:
        return 5535;
    case LISTING_GROUP_PROTOCOL:
        return 5531;
    case LISTING_GROUP_DATE:
        return 5537;
    case LISTING_GROUP_RESULT:
        return 5538;
    case LISTING_GROUP_CLIENT:
        return 5532;
    case LISTING_GROUP_DOMAIN:
        return 5533;
    default:
        return 0;
    }
}

// The hit's grouping value, cut to the record's field; its length counting
// the terminator, or 0 when the option has no value.
static DWORD GroupValue(int option, const HitRecord* hit, char* value) {
    const char* text;
    char date[VIEW_BUFFER_GROUP_SIZE];
    switch (option) {
    case LISTING_GROUP_SUFFIX:
        text = hit->szDomainType;
        break;
    case LISTING_GROUP_COUNTRY:
        text = hit->szCountry;
        break;
    case LISTING_GROUP_PROTOCOL:
        text = hit->lpszProtocol;
        break;
    case LISTING_GROUP_METHOD:
        text = hit->wMethod < 4 ? kMethodValues[hit->wMethod] : "Error, Unknown";
        break;
    case LISTING_GROUP_DATE:
        FormatIntlDateTime(date, sizeof(date), LoadCachedString(STRING_GROUP_DATE_FORMAT),
                           TimeToGmTm(&hit->dwTime), NULL);
        text = date;
        break;
    case LISTING_GROUP_RESULT:
        text = LoadCachedString(hit->bSuccess ? STRING_SUCCEEDED : STRING_FAILED);
        break;
    case LISTING_GROUP_CLIENT:
        text = hit->szClientAddr;
        break;
    case LISTING_GROUP_DOMAIN:
        text = hit->szDomain;
        break;
    default:
        value[0] = 0;
        return 0;
    }
    lstrcpynA(value, text ? text : "", VIEW_BUFFER_GROUP_SIZE);
    return (DWORD)strlen(value) + 1;
}

static BOOL SameGroup(const ViewReportBuffer* b, const char* value, DWORD length) {
    return b->groupLength == length && memcmp(b->group, value, length) == 0;
}

static void AssignGroup(ViewReportBuffer* b, int option, WORD method, const char* value,
                        DWORD length) {
    b->groupAssigned = 1;
    memcpy(b->group, value, length ? length : 1);
    b->groupLength = length;
    const char* name = value;
    if (option == LISTING_GROUP_METHOD)
        name = kMethodNames[method < 4 ? method : 4];
    else if (!value[0] && DefaultNameId(option))
        name = LoadCachedString(DefaultNameId(option));
    lstrcpynA(b->displayName, name, VIEW_BUFFER_DISPLAY_SIZE);
}

// The buffer holding value, or the count when none does.
static DWORD FindGroup(const ViewBufferSet* set, const char* value, DWORD length) {
    for (DWORD i = 0; i < set->count; ++i)
        if (set->table[i]->groupAssigned && SameGroup(set->table[i], value, length))
            return i;
    return set->count;
}

BOOL HitListing_SelectBuffer(HitListing* listing, const HitRecord* hit) {
    if (listing->option == LISTING_GROUP_NONE)
        return TRUE;
    ViewBufferSet* set = &listing->buffers;
    char value[VIEW_BUFFER_GROUP_SIZE];
    DWORD length = GroupValue(listing->option, hit, value);
    ViewReportBuffer* target = set->table[set->writeTarget];
    // A value of length 0 matches every buffer.
    if (target->groupAssigned && length && !SameGroup(target, value, length)) {
        DWORD found = FindGroup(set, value, length);
        if (found < set->count) {
            set->writeTarget = found;
        } else if (ViewBuffers_Create(set) != 0 || HitListing_StartBuffer(listing) != 0) {
            return FALSE;
        }
        target = set->table[set->writeTarget];
    }
    if (!target->groupAssigned)
        AssignGroup(target, listing->option, hit->wMethod, value, length);
    return TRUE;
}
