// The text of one hit, for the buffer its grouping value selects.
#include "hit_listing_format.h"
#include "ovcore/registration.h"

#define STRING_FAILED 5529
#define STRING_STATUS_OTHER 5590

void Listing_FormatHitTime(char* out, const char* format, const HitRecord* hit) {
    FormatIntlDateTime(out, LISTING_DATE_SIZE, format, TimeToGmTm(&hit->dwTime), NULL);
}

static UINT StatusTextId(DWORD status) {
    static const struct {
        DWORD status;
        UINT id;
    } kTexts[] = {{400, 5581}, {401, 5582}, {402, 5583}, {403, 5584}, {404, 5585},
                  {500, 5586}, {501, 5587}, {502, 5588}, {503, 5589}};
    for (const auto& entry : kTexts)
        if (entry.status == status)
            return entry.id;
    return STRING_STATUS_OTHER;
}

void Listing_AddResult(ListingText* t, const HitRecord* hit) {
    ListingText_Add(t, MARK_ERROR);
    ListingText_Format(t, "%s, %03lu - ", LoadCachedString(STRING_FAILED),
                       (unsigned long)hit->dwStatus);
    ListingText_Add(t, LoadCachedString(StatusTextId(hit->dwStatus)));
}

void Listing_AddSize(ListingText* t, const char* format, DWORD bytes) {
    ListingText_Format(t, format, (unsigned long)(bytes / 1024),
                       (unsigned long)(bytes % 1024 / 10));
}

DWORD HitListing_FormatHit(HitListing* listing, const HitRecord* hit, DWORD* lines) {
    ListingText t;
    ListingText_Init(&t, listing->hitText, sizeof(listing->hitText));
    *lines = 0;
    if (listing->buffers.count == 0 || !HitListing_SelectBuffer(listing, hit))
        return 0;
    if (listing->kind == LISTING_KIND_HITS)
        Listing_FormatHitBlock(listing, hit, &t);
    else if (listing->kind == LISTING_KIND_VISITORS)
        Listing_FormatVisitorLine(listing, hit, &t);
    *lines = t.lines;
    return (DWORD)t.length;
}
