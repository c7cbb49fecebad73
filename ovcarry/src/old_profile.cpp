#include "old_profile.h"
#include "ovcore/serverlist.h"
#include "ovkit/strutil.h"
#include <string.h>

// Where the fields of each version lie; 0 for a field the version lacks.
struct OldProfileLayout {
    DWORD User, Password, HomePage, HomeUser, HomePassword, Dns, Filters;
    bool Extended; // the database and realtime fields of 0x0300 on
};

static const OldProfileLayout kVersion0 = {164, 205, 246, 327, 368, 710, 913, false};
static const OldProfileLayout kVersion1 = {384, 425, 466, 547, 588, 629, 913, false};
static const OldProfileLayout kVersion3 = {384, 425, 466, 547, 588, 629, 2013, true};

#define OLD_TITLE_OFFSET 2
#define OLD_LOGPATH_OFFSET 83
#define OLD_PATH_WIDTH 81
#define OLD_CREDENTIAL_WIDTH 41

struct LogPrefix {
    const char* Text;
    DWORD Protocol;
};

static const LogPrefix kPrefixes[] = {{"odbc:", SERVER_PROTOCOL_ODBC},
                                      {"file:///", SERVER_PROTOCOL_FILE},
                                      {"http://", SERVER_PROTOCOL_HTTP},
                                      {"ftp://", SERVER_PROTOCOL_FTP}};

static bool AddOldServer(const FileImage& image, const OldProfileLayout& at,
                         AnalysisProfile* profile) {
    char path[OLD_PATH_WIDTH], user[OLD_CREDENTIAL_WIDTH], password[OLD_CREDENTIAL_WIDTH];
    image.Text(OLD_LOGPATH_OFFSET, OLD_PATH_WIDTH, path, sizeof path);
    image.Text(at.User, OLD_CREDENTIAL_WIDTH, user, sizeof user);
    image.Text(at.Password, OLD_CREDENTIAL_WIDTH, password, sizeof password);
    for (char* c = path; *c; ++c)
        if (*c == ' ')
            *c = '|';
    const char* rest = path;
    DWORD protocol = SERVER_PROTOCOL_FILE;
    for (const LogPrefix& p : kPrefixes)
        if (_strnicmp(path, p.Text, strlen(p.Text)) == 0) {
            protocol = p.Protocol;
            rest = path + strlen(p.Text);
            break;
        }
    ServerList_SetProtocol(&profile->Servers, protocol);
    return ServerList_AddServer(&profile->Servers, "", rest, user, password) != 0;
}

// The home page whole, and split into folder and document as the profile
// file keeps it.
static void SetHomePage(const FileImage& image, DWORD offset, AnalysisProfile* profile) {
    char page[OLD_PATH_WIDTH];
    image.Text(offset, OLD_PATH_WIDTH, page, sizeof page);
    OVKIT_BufCopy(profile->HomePage, page, sizeof profile->HomePage);
    char* cut = nullptr;
    for (char* c = page; *c; ++c)
        if (*c == '\\' || *c == '/' || *c == ':')
            cut = c;
    OVKIT_BufCopy(profile->HomePageDefaults, cut ? cut + 1 : page,
                  sizeof profile->HomePageDefaults);
    if (cut)
        cut[1] = '\0';
    OVKIT_BufCopy(profile->HomePageBaseDir, cut ? page : "", sizeof profile->HomePageBaseDir);
}

static void SetExtendedFields(const FileImage& image, AnalysisProfile* p) {
    p->SwiftmereFlag = image.Byte(632);
    p->RealtimeAnalysis = image.Byte(633);
    p->wRangeCode = image.Word(634);
    p->IncrementalUpdate = image.Byte(662);
    p->RealtimeReportFrequency = image.Byte(663);
    p->RealtimeReportInterval = image.Dword(664);
    p->RealtimeReports = image.Byte(668);
    // The old fields are wider than today's: keep what fits.
    image.Text(669, 989 - 669, p->ReportSaveToPath, sizeof p->ReportSaveToPath);
    image.Text(989, 1290 - 989, p->ODBCDataSource, sizeof p->ODBCDataSource);
    image.Text(1290, 1390 - 1290, p->LogOwner, sizeof p->LogOwner);
    image.Text(1390, 2013 - 1390, p->ODBCSwiftmere, sizeof p->ODBCSwiftmere);
}

static const OldProfileLayout* LayoutOf(WORD version) {
    if (version == 0)
        return &kVersion0;
    if (version < 0x0210)
        return &kVersion1;
    if (version < 0x0300)
        return nullptr;
    return &kVersion3;
}

bool ConvertOldProfileRecord(const FileImage& image, const AdNames& ads, AnalysisProfile* profile,
                             char* title) {
    title[0] = '\0';
    profile->Version = PROFILE_VERSION;
    profile->SwiftmereFlag = SWIFTMERE_NONE;
    const OldProfileLayout* at = LayoutOf(image.Word(0));
    if (!at)
        return ConvertOldFilters(image, 913, ads, profile);
    image.Text(OLD_TITLE_OFFSET, OLD_TITLE_SIZE, title, OLD_TITLE_SIZE);
    OVKIT_BufCopy(profile->Description, title, sizeof profile->Description);
    if (!AddOldServer(image, *at, profile))
        return false;
    SetHomePage(image, at->HomePage, profile);
    image.Text(at->HomeUser, OLD_CREDENTIAL_WIDTH, profile->HomePageUsername,
               sizeof profile->HomePageUsername);
    image.Text(at->HomePassword, OLD_CREDENTIAL_WIDTH, profile->HomePagePassword,
               sizeof profile->HomePagePassword);
    profile->DNSLookup = image.Byte(at->Dns);
    if (at->Extended)
        SetExtendedFields(image, profile);
    return ConvertOldFilters(image, at->Filters, ads, profile);
}
