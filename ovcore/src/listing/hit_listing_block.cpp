// Kind 2: one block of labelled lines per hit.
#include <string.h>

#include "hit_listing_format.h"
#include "ovcore/registration.h"

#define STRING_BLOCK_DATE_FORMAT 5670

static void AddItem(ListingText* t, const char* label, const char* value) {
    ListingText_Format(t, "%s\t", label);
    ListingText_Add(t, value ? value : "");
    ListingText_EndLine(t);
}

static void AddItemIfAny(ListingText* t, const char* label, const char* value) {
    if (value && value[0])
        AddItem(t, label, value);
}

// The URL with the file-name mark before the part behind its last "/" (or,
// without one, its last "\").
static void AddFile(ListingText* t, const char* url) {
    ListingText_Format(t, "%s\t", "File:");
    const char* slash = strrchr(url, '/');
    if (!slash)
        slash = strrchr(url, '\\');
    if (slash) {
        ListingText_AddCount(t, url, (size_t)(slash - url) + 1);
        ListingText_Add(t, MARK_FILE);
        ListingText_Add(t, slash + 1);
    } else {
        ListingText_Add(t, url);
    }
    ListingText_EndLine(t);
}

void Listing_FormatHitBlock(HitListing*, const HitRecord* hit, ListingText* t) {
    ListingText_Format(t, "%s\t", "Event:");
    ListingText_Add(t, MARK_VALUE);
    ListingText_Add(t, hit->lpszMethod ? hit->lpszMethod : "");
    ListingText_EndLine(t);
    char date[LISTING_DATE_SIZE];
    Listing_FormatHitTime(date, LoadCachedString(STRING_BLOCK_DATE_FORMAT), hit);
    AddItem(t, "Date:", date);
    AddItem(t, "Address:", hit->szClientAddr);
    AddItem(t, "Domain:", hit->szDomain);
    AddItem(t, "Suffix:", hit->szDomainType);
    AddItem(t, "Country:", hit->szCountry);
    AddItemIfAny(t, "Referrer:", hit->lpszReferrer);
    AddItemIfAny(t, "Browser:", hit->lpszUserAgent);
    AddItem(t, "Protocol:", hit->lpszProtocol);
    AddFile(t, hit->lpszUrl ? hit->lpszUrl : "");
    ListingText_Format(t, "%s\t", "Size:");
    Listing_AddSize(t, "%lu.%1luK", hit->dwBytes);
    ListingText_EndLine(t);
    AddItemIfAny(t, "User:", hit->lpszUserName);
    AddItemIfAny(t, "Server:", hit->szServerAddr);
    if (!hit->bSuccess) {
        ListingText_Format(t, "%s\t", "Result:");
        Listing_AddResult(t, hit);
        ListingText_EndLine(t);
    }
    ListingText_EndLine(t);
    ListingText_EndLine(t);
}
