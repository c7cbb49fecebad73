// A hit listing's life: opened with the run, fed hit by hit, closed with it.
#include "hit_listing.h"

#include <string.h>
#include "ovkit/text_copy.h"

static const int kColumnWidths[] = {9, 6, 12, 9};

int HitListing_Open(HitListing* listing, const HitListingSetup* setup) {
    memset(listing, 0, sizeof(*listing));
    listing->kind = setup->kind;
    listing->option = setup->option;
    listing->lineWidth = setup->lineWidth;
    memcpy(listing->columnWidths, kColumnWidths, sizeof(kColumnWidths));
    OvkitCopyText(listing->profileFileName, sizeof(listing->profileFileName),
                  setup->profileFileName);
    OvkitCopyText(listing->logPath, sizeof(listing->logPath), setup->logPath);
    OvkitCopyText(listing->callerText, sizeof(listing->callerText), setup->callerText);
    listing->start = setup->start;
    listing->end = setup->end;
    listing->now = setup->now;
    BOOL engineFolder = setup->outputFolder && setup->outputFolder[0];
    ViewBuffers_Init(&listing->buffers, engineFolder);
    if (ViewBuffers_Create(&listing->buffers) != 0) {
        ViewBuffers_Free(&listing->buffers, FALSE);
        return -1;
    }
    // The run opens even when the header could not be written.
    HitListing_StartBuffer(listing);
    return 0;
}

int HitListing_AddHit(HitListing* listing, const HitRecord* hit) {
    ViewBufferSet* set = &listing->buffers;
    if (set->count == 0)
        return 0;
    DWORD lines = 0;
    DWORD size = HitListing_FormatHit(listing, hit, &lines);
    if (size == 0)
        return 1;
    DWORD target = set->writeTarget;
    set->table[target]->lineCount += lines;
    if (!ViewBuffers_SeekEnd(set, target))
        return 0;
    return ViewBuffers_Write(set, target, listing->hitText, (WORD)size) ? 1 : 0;
}

void HitListing_Close(HitListing* listing) {
    ViewBuffers_Free(&listing->buffers, listing->kind == LISTING_KIND_BUFFERS);
}
