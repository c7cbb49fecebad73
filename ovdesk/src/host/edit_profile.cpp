#include "host/edit_profile.h"
#include "host/profile_list.h"
#include "profile_sheet/profile_sheet.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"

namespace {
AnalysisProfile* CopyOf(const AnalysisProfile* source) {
    AnalysisProfile* copy = AnalysisProfile_New();
    if (copy && !AnalysisProfile_CopyNonRuntime(copy, source)) {
        AnalysisProfile_Free(copy);
        return nullptr;
    }
    return copy;
}

// The database option was switched off: its files may go too.
void OfferDatabaseDelete(HWND host, AnalysisProfile* old, const AnalysisProfile* edited) {
    if (!old->SwiftmereFlag || edited->SwiftmereFlag)
        return;
    if (DeskMessageBox(host,
                       "You are about to turn off the database option for a report profile. Do "
                       "you want to delete the database files that have been built for this "
                       "report profile?",
                       "Delete Report Profile Database?",
                       MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES)
        ORB_DeleteRealtimeDatabase(old);
}
} // namespace

int EditHostProfile(HWND host, ProfileListEntry* entry) {
    AnalysisProfile* stored = entry->Profile;
    AnalysisProfile* edited = CopyOf(stored);
    AnalysisProfile* old = CopyOf(stored);
    if (!edited || !old) {
        AnalysisProfile_Free(edited);
        AnalysisProfile_Free(old);
        return HOST_NO_MEMORY;
    }
    int sheet = ShowProfileSheet(host, 0, edited, PROFILE_SHEET_LAST_PAGE, GetLoadedProfiles(),
                                 GetLoadedProfileCount(), stored);
    int result = sheet == PROFILE_SHEET_OK          ? HOST_DONE
                 : sheet == PROFILE_SHEET_CANCELLED ? HOST_CANCELLED
                                                    : HOST_NO_MEMORY;
    if (result == HOST_DONE) {
        OfferDatabaseDelete(host, old, edited);
        // The stored record takes the edits; its schedule entry stays.
        void* clientData = stored->ClientData;
        if (AnalysisProfile_CopyNonRuntime(stored, edited)) {
            stored->ClientData = clientData;
            ORB_UpdateOrbisEntry(stored);
            FillProfileListEntry(entry, stored);
        } else {
            stored->ClientData = clientData;
            result = HOST_NO_MEMORY;
        }
    }
    AnalysisProfile_Free(edited);
    AnalysisProfile_Free(old);
    return result;
}
