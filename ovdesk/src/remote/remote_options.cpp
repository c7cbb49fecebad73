// The option keywords of a remote page: four groups of settings.
#include "remote/remote_handler.h"
#include "ovcore/settings.h"
#include <cstdio>
#include <cstring>

namespace {
enum { VALUE_SIZE = 64 };

BOOL SaysOn(const char* text) {
    return _strnicmp(text, "on", 2) == 0;
}

void StoreNumber(BOOL base, const char* section, const char* key, unsigned long value) {
    char text[16];
    snprintf(text, sizeof text, "%lu", value);
    if (base)
        WriteBaseProfileString(section, key, text);
    else
        WriteModuleProfileString(section, key, text);
}

int PageInt(RemoteRequest* request, const char* name) {
    int value = 0;
    if (request->Ops && request->Ops->ReadPageNumber &&
        !request->Ops->ReadPageNumber(request, name, &value))
        value = 0;
    return value;
}

// A page number scaled into a setting: outside [low, high] (after scaling)
// it becomes fallback.
void SaveScaled(RemoteRequest* request, const char* field, BOOL base, const char* key,
                long long scale, long long low, long long high, long long fallback) {
    long long value = (long long)PageInt(request, field) * scale;
    if (value < low || value > high)
        value = fallback;
    StoreNumber(base, "Defaults", key, (unsigned long)value);
}

void LoadFlag(RemoteRequest* request, const char* field, const char* section, const char* key,
              const char* fallback) {
    char value[VALUE_SIZE];
    GetModuleProfileString(section, key, fallback, value, sizeof value);
    SetRemotePage(request, field, value);
}

void SaveFlag(RemoteRequest* request, const char* field, const char* section, const char* key) {
    char value[VALUE_SIZE];
    ReadRemotePage(request, field, value, sizeof value);
    WriteModuleProfileString(section, key, SaysOn(value) ? "1" : "0");
}

void LoadGeneral(RemoteRequest* request) {
    SetRemotePageNumber(request, "DNSCacheSize",
                        GetModuleProfileInt("Defaults", "DNSCacheEntries", 0) / 1000);
    SetRemotePageNumber(request, "LogRefreshRate",
                        GetBaseProfileInt("Defaults", "ListRefreshRate", 0) / 60);
    SetRemotePageNumber(request, "UserSessionTimeout",
                        GetModuleProfileInt("Defaults", "CachedTime", 0) / 60);
    char value[VALUE_SIZE];
    GetModuleProfileString("Defaults", "NoHTMLTitles", "0", value, sizeof value);
    SetRemotePage(request, "HTMLTitlePage", strcmp(value, "1") == 0 ? "0" : "1");
    LoadFlag(request, "GifImage", "Report", "Graph Type", "0");
}

void SaveGeneral(RemoteRequest* request) {
    SaveScaled(request, "DNSCacheSize", FALSE, "DNSCacheEntries", 1000, 1000, 250000, 50000);
    SaveScaled(request, "LogRefreshRate", TRUE, "ListRefreshRate", 60, 60, 3600, 60);
    SaveScaled(request, "UserSessionTimeout", FALSE, "CachedTime", 60, 60, 86400, 1800);
    char value[VALUE_SIZE];
    ReadRemotePage(request, "HTMLTitlePage", value, sizeof value);
    WriteModuleProfileString("Defaults", "NoHTMLTitles", SaysOn(value) ? "0" : "1");
    StoreNumber(FALSE, "Report", "Graph Type", (unsigned long)PageInt(request, "GifImage"));
}

const struct {
    const char* Field;
    const char* Key;
} kOfficeFlags[] = {
    {"MSGlossary", "Glossary"}, {"MSGraph", "Descriptions"}, {"MSExcelGraph", "ExcelGraphs"}};
const struct {
    const char* Field;
    const char* Key;
} kOfficeTexts[] = {{"MSAuthor", "Author"}, {"MSCompany", "Company"}};

void LoadOffice(RemoteRequest* request) {
    for (const auto& row : kOfficeTexts)
        LoadFlag(request, row.Field, "Main", row.Key, "");
    for (const auto& row : kOfficeFlags)
        LoadFlag(request, row.Field, "Defaults", row.Key, "1");
}

void SaveOffice(RemoteRequest* request) {
    for (const auto& row : kOfficeTexts) {
        char value[REMOTE_TEXT_MAX];
        ReadRemotePage(request, row.Field, value, sizeof value);
        WriteModuleProfileString("Main", row.Key, value);
    }
    for (const auto& row : kOfficeFlags)
        SaveFlag(request, row.Field, "Defaults", row.Key);
}

void LoadLogCache(RemoteRequest* request) {
    char value[VALUE_SIZE];
    GetModuleProfileString("Defaults", "FTPDownload", "Always", value, sizeof value);
    SetRemotePage(request, "LogCache",
                  strcmp(value, "Once") == 0     ? "1"
                  : strcmp(value, "Detect") == 0 ? "2"
                                                 : "0");
}

void SaveLogCache(RemoteRequest* request) {
    char value[VALUE_SIZE];
    ReadRemotePage(request, "LogCache", value, sizeof value);
    WriteModuleProfileString("Defaults", "FTPDownload",
                             strcmp(value, "1") == 0   ? "Once"
                             : strcmp(value, "2") == 0 ? "Detect"
                                                       : "Always");
}
} // namespace

void LoadRemoteOptions(RemoteRequest* request, int group) {
    switch (group) {
    case 0:
        LoadGeneral(request);
        break;
    case 1:
        LoadOffice(request);
        break;
    case 2:
        LoadFlag(request, "CookieEnable", "Cookie", "Enable", "1");
        LoadFlag(request, "CookieValidate", "Cookie", "Validate", "0");
        break;
    default:
        LoadLogCache(request);
        break;
    }
}

void SaveRemoteOptions(RemoteRequest* request, int group) {
    switch (group) {
    case 0:
        SaveGeneral(request);
        break;
    case 1:
        SaveOffice(request);
        break;
    case 2:
        SaveFlag(request, "CookieEnable", "Cookie", "Enable");
        SaveFlag(request, "CookieValidate", "Cookie", "Validate");
        break;
    default:
        SaveLogCache(request);
        break;
    }
}
