// Pieces shared by the kind-2 and kind-3 hit texts.
#pragma once
#include "hit_listing.h"
#include "listing_text.h"

#define LISTING_DATE_SIZE 100

// Hit time through FormatIntlDateTime, read as universal time.
void Listing_FormatHitTime(char* out, const char* format, const HitRecord* hit);
// Error mark, "<failed>, <status> - " and the status description.
void Listing_AddResult(ListingText* t, const HitRecord* hit);
// The byte count as whole kilobytes and, behind the point, (bytes mod 1024) / 10.
void Listing_AddSize(ListingText* t, const char* format, DWORD bytes);

void Listing_FormatHitBlock(HitListing* listing, const HitRecord* hit, ListingText* t);
void Listing_FormatVisitorLine(HitListing* listing, const HitRecord* hit, ListingText* t);
