// A profile filled from one log that the remote finder found.
#include "log_sources/remote_log_search.h"

#include <cstdio>
#include <cstring>

#include "log_sources/log_source_address.h"
#include "ovcore/profile.h"

namespace {
// The finder's texts come from another library: take each field only up to
// its own size, terminated or not.
#define FIELD(f) (int)strnlen(f, sizeof f), f

const char* DescriptionFormat(WORD kind) {
    switch (kind) {
    case SEEKMOLE_KIND_REFERRER:
        return "Referrer log for %.*s";
    case SEEKMOLE_KIND_AGENT:
        return "Agent log for %.*s";
    }
    return "Access log for %.*s";
}

void AppendHomePageFile(AnalysisProfile* profile, const SeekmoleFoundLog& log) {
    if (!log.HomePageFile[0])
        return;
    char* names = profile->HomePageDefaults;
    size_t used = strlen(names);
    snprintf(names + used, sizeof profile->HomePageDefaults - used, "%s%.*s", used ? " " : "",
             FIELD(log.HomePageFile));
}
} // namespace

int FillProfileFromFoundLog(DWORD_PTR, AnalysisProfile* profile, const SeekmoleRequest* request,
                            int index) {
    // The count comes from the finder: never trust it past the records.
    int count = request->FoundCount < SEEKMOLE_MAX_LOGS ? request->FoundCount : SEEKMOLE_MAX_LOGS;
    if (!profile || index < 0 || index >= count)
        return 0;
    const SeekmoleFoundLog& log = request->Found[index];
    char address[SEEKMOLE_ADDRESS_SIZE + 1];
    snprintf(address, sizeof address, "%.*s", FIELD(log.Address));
    char user[SEEKMOLE_CREDENTIAL_SIZE + 1], password[SEEKMOLE_CREDENTIAL_SIZE + 1];
    snprintf(user, sizeof user, "%.*s", FIELD(log.UserName));
    snprintf(password, sizeof password, "%.*s", FIELD(log.Password));

    ServerList_FreeContents(&profile->Servers);
    ServerList_SetProtocol(&profile->Servers, GetLogSourceType(address));
    if (!ServerList_AddServer(&profile->Servers, "Remote", StripLogSourcePrefix(address), user,
                              password))
        return 0;
    snprintf(profile->Description, sizeof profile->Description, DescriptionFormat(log.Kind),
             FIELD(log.SiteName));
    snprintf(profile->HomePage, sizeof profile->HomePage, "http://%.*s/", FIELD(log.SiteName));
    AppendHomePageFile(profile, log);
    snprintf(profile->HomePageUsername, sizeof profile->HomePageUsername, "%s", user);
    snprintf(profile->HomePagePassword, sizeof profile->HomePagePassword, "%s", password);
    profile->DNSLookup = log.DNSLookup;
    profile->SwiftmereFlag = log.HistoryDatabase;
    profile->HomePageBaseDir[0] = '\0';
    profile->ReportSaveToPath[0] = '\0';
    profile->LogOwner[0] = '\0';
    profile->RealtimeAnalysis = 0;
    return 1;
}
