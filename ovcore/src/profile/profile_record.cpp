// The analysis profile record: defaults, copy and release.
#include "ovcore/profile.h"
#include "ovkit/text_copy.h"
#include <cstdlib>
#include <cstring>

AnalysisProfile* ORB_CALL AnalysisProfile_New() {
    AnalysisProfile* profile =
        static_cast<AnalysisProfile*>(std::calloc(1, sizeof(AnalysisProfile)));
    if (profile)
        AnalysisProfile_Init(profile);
    return profile;
}

void ORB_CALL AnalysisProfile_Init(AnalysisProfile* lpProfile) {
    if (!lpProfile)
        return;
    std::memset(lpProfile, 0, sizeof *lpProfile);
    lpProfile->Version = PROFILE_VERSION;
    ServerList_Init(&lpProfile->Servers);
    lpProfile->wReserved2 = 33;
    lpProfile->wReserved4 = 33;
    FileInfo_Init(&lpProfile->LogFiles);
    lpProfile->SourceFlags = SOURCE_PLAIN;
}

void ORB_CALL AnalysisProfile_FreeInternals(AnalysisProfile* lpProfile) {
    if (!lpProfile)
        return;
    FreeFiltersForProfile(lpProfile);
    FreeRowmere(lpProfile->RowmereIP);
    lpProfile->RowmereIP = nullptr;
    FreeRowmere(lpProfile->RowmereAuthUser);
    lpProfile->RowmereAuthUser = nullptr;
    FileInfo_Clear(&lpProfile->LogFiles);
    ServerList_FreeContents(&lpProfile->Servers);
}

void ORB_CALL AnalysisProfile_Free(AnalysisProfile* lpProfile) {
    AnalysisProfile_FreeInternals(lpProfile);
    std::free(lpProfile);
}

// Re-copies every text field bounded, so that the copy's texts always end
// within their fields.
static void CopyTextFields(AnalysisProfile* t, const AnalysisProfile* s) {
    OvkitCopyField(t->BaseName, s->BaseName);
    OvkitCopyField(t->Extension, s->Extension);
    OvkitCopyField(t->Description, s->Description);
    OvkitCopyField(t->HomePage, s->HomePage);
    OvkitCopyField(t->HomePageDefaults, s->HomePageDefaults);
    OvkitCopyField(t->HomePageBaseDir, s->HomePageBaseDir);
    OvkitCopyField(t->HomePageUsername, s->HomePageUsername);
    OvkitCopyField(t->HomePagePassword, s->HomePagePassword);
    OvkitCopyField(t->szReserved, s->szReserved);
    OvkitCopyField(t->ReportSaveToPath, s->ReportSaveToPath);
    OvkitCopyField(t->ODBCDataSource, s->ODBCDataSource);
    OvkitCopyField(t->SwiftmereRepository, s->SwiftmereRepository);
    OvkitCopyField(t->LogOwner, s->LogOwner);
    OvkitCopyField(t->ODBCSwiftmere, s->ODBCSwiftmere);
}

// Deep copies of what the profile owns; the target's pointers are null on entry.
static int CopyOwnedParts(AnalysisProfile* t, const AnalysisProfile* s) {
    if (!ServerList_Copy(&t->Servers, &s->Servers))
        return 0;
    if (s->Filters) {
        t->Filters = MakeCopyOfFilterList(s->Filters);
        if (!t->Filters)
            return 0;
    }
    t->RowmereIP = MakeCopyOfRowmere(s->RowmereIP);
    t->RowmereAuthUser = MakeCopyOfRowmere(s->RowmereAuthUser);
    return t->RowmereIP && t->RowmereAuthUser;
}

int ORB_CALL AnalysisProfile_CopyNonRuntime(AnalysisProfile* lpTarget,
                                            const AnalysisProfile* lpSource) {
    if (!lpTarget || !lpSource)
        return 0;
    if (lpTarget == lpSource)
        return 1;
    AnalysisProfile_FreeInternals(lpTarget);
    std::memcpy(lpTarget, lpSource, sizeof *lpTarget);
    CopyTextFields(lpTarget, lpSource);
    ServerList_Init(&lpTarget->Servers);
    std::memset(&lpTarget->LogFiles, 0, sizeof lpTarget->LogFiles);
    FileInfo_Init(&lpTarget->LogFiles);
    lpTarget->ClientData = nullptr;
    lpTarget->Filters = nullptr;
    lpTarget->RowmereIP = nullptr;
    lpTarget->RowmereAuthUser = nullptr;
    return CopyOwnedParts(lpTarget, lpSource);
}

int ORB_CALL IsItAnIPAddr(const char* szText) {
    if (!szText || !*szText)
        return 0;
    int dots = 0;
    for (const char* p = szText; *p; p++) {
        if (*p == '.')
            dots++;
        else if (*p < '0' || *p > '9')
            return 0;
    }
    return dots == 3;
}
