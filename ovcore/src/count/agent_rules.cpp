// The word tables that tell browsers, platforms and spiders apart.
#include "agent_rules.h"

#include <stdlib.h>
#include <string.h>
#include "ovkit/text_copy.h"

namespace {

const char* const kSpiderWords[] = {
    "CRAWLER", "SPIDER",  "SLURP",    "SCOOTER",       "INFOSEEK", "GULLIVER", "LYCOS",
    "FIDO",    "NETSITE", "SURFBOT",  "WWW-COLLECTOR", "BACKRUB",  "SPYDER",   "ENIGMABOT",
    "LINKBOT", "WEBFIND", "HAPPYBOT", "DOCUMAGIX",     "WHACKER",  "OBOT"};

const struct {
    const char* key;
    const char* name;
} kBrowsers[] = {
    {"MSIE", "Microsoft Internet Explorer"},
    {"MICROSOFT INTERNET EXPLORER", "Microsoft Internet Explorer"},
    {"WEBTV", "WebTV"},
    {"NCSA MOSAIC", "NCSA Mosaic"},
    {"QMOSAIC", "Quarterdeck Mosaic"},
    {"OMNIWEB", "OmniWeb"},
    {"IBM WEBEXPLORER", "IBM WebExplorer"},
    {"LYNX", "Lynx"},
    {"SCOUTGET", "Scoutget"},
    {"OSTREVAN", "Ostrevane"},
    {"AIR_MOSAIC", "Spry AIR Mosaic"},
    {"SPRY_MOSAIC", "Spry AIR Mosaic"},
    {"SPYGLASS_MOSAIC", "SpyGlass Mosaic"},
    {"ENHANCED_MOSAIC", "SpyGlass Mosaic"},
    {"COMPUSERVE", "Compuserve"},
    {"AOLBROWSER", "America Online Browser"},
    {"NETCRUISER", "Netcom NetCruiser"},
    {"IWENG", "IWENG"},
    {"GNNWORK", "GNNworks"},
    {"FFINET", "FFiNet DLL"},
};

const struct {
    const char* key;
    const char* second; // null: the key alone
    const char* name;
} kPlatforms[] = {
    {"WIN95", nullptr, "Windows 95"},
    {"WINDOWS 95", nullptr, "Windows 95"},
    {"WIN98", nullptr, "Windows 98"},
    {"WINDOWS 98", nullptr, "Windows 98"},
    {"WINNT", nullptr, "Windows NT"},
    {"WINDOWS NT", nullptr, "Windows NT"},
    {"WINDOWS X86", nullptr, "Windows 3.x"},
    {"WIN16", nullptr, "Windows 3.x"},
    {"WINDOWS 3.1", nullptr, "Windows 3.x"},
    {"WINDOWS+3.1", nullptr, "Windows 3.x"},
    {"WINDOWS", "16BIT", "Windows 3.x"},
    {"WIN32", nullptr, "Windows Win32s"},
    {"WINDOWS", "32BIT", "Windows Win32s"},
    {"WINDOWS", "32-BIT", "Windows Win32s"},
    {"MACINTOSH", "68K", "Macintosh 68K"},
    {"MACINTOSH", "PPC", "Macintosh PowerPC"},
    {"MACINTOSH", nullptr, "Macintosh"},
    {"MAC_POWERPC", "MAC OS8", "Macintosh OS8 PowerPC"},
    {"MAC_POWERPC", nullptr, "Macintosh PowerPC"},
    {"MAC_PPC", nullptr, "Macintosh PowerPC"},
    {"MAC_68000", nullptr, "Macintosh 68K"},
    {"LINUX", nullptr, "Linux"},
    {"AIR_MOSAIC", "16BIT", "Windows 3.x"},
    {"AIR_MOSAIC", "32BIT", "Windows Win32s"},
    {"SUN", nullptr, "SunOS"},
    {"HP-UX", nullptr, "Hewlett Packard Unix (HP9000)"},
    {"X WINDOW", nullptr, "X Windows"},
    {"OS/2", nullptr, "OS/2"},
};

void Upper(char* out, const char* text, size_t max) {
    size_t i = 0;
    for (; i < max && text[i]; ++i) {
        char c = text[i];
        out[i] = c >= 'a' && c <= 'z' ? char(c - 32) : c;
    }
    out[i] = 0;
}

void NameSpider(const char* agent, const char* upper, AgentNames* names) {
    char first[AGENT_NAME_MAX + 1];
    lstrcpynA(first, upper, sizeof first);
    for (const char* word : kSpiderWords) {
        if (!strstr(first, word))
            continue;
        size_t n = strlen(agent);
        if (_strnicmp(agent, "Mozilla", 7) != 0)
            n = strcspn(agent, "/");
        OvkitCopyPart(names->Spider, AGENT_NAME_MAX + 1, agent, n);
        return;
    }
}

const char* BrowserName(const char* agent, const char* upper, const char* unknown) {
    if (!*agent)
        return unknown;
    bool mozilla = strstr(upper, "MOZILLA") != nullptr;
    if (mozilla && !strstr(upper, "COMPATIBLE"))
        return "Netscape";
    for (const auto& b : kBrowsers)
        if (strstr(upper, b.key))
            return b.name;
    return mozilla ? "Other Netscape Compatible" : nullptr; // null: the agent itself
}

void NameExplorer(const char* agent, const char* upper, AgentNames* names) {
    char version[3] = "1.";
    if (strstr(upper, "MICROSOFT INTERNET EXPLORER/4"))
        lstrcpynA(version, "4.", sizeof version);
    else if (const char* msie = strstr(upper, "MSIE "))
        lstrcpynA(version, agent + (msie - upper) + 5, sizeof version);
    wsprintfA(names->Explorer, "Explorer %sx", version);
}

void NameNetscape(const char* agent, AgentNames* names) {
    const char* slash = strchr(agent, '/');
    const char* dot = slash ? strchr(slash, '.') : nullptr;
    if (!dot) {
        lstrcpynA(names->Netscape, "Netscape", sizeof names->Netscape);
        return;
    }
    size_t n = size_t(dot - slash); // behind the '/' through the '.'
    if (n > AGENT_NAME_MAX - 11)
        n = AGENT_NAME_MAX - 11;
    memcpy(names->Netscape, "Netscape ", 9);
    memcpy(names->Netscape + 9, slash + 1, n);
    lstrcpynA(names->Netscape + 9 + n, "x", 2);
}

const char* PlatformName(const char* upper) {
    for (const auto& p : kPlatforms)
        if (strstr(upper, p.key) && (!p.second || strstr(upper, p.second)))
            return p.name;
    return nullptr;
}

} // namespace

void NameAgent(const char* agent, const ReportIniSettings* language, AgentNames* names) {
    memset(names, 0, sizeof *names);
    size_t length = strlen(agent);
    char upperBuffer[1024];
    char* upper = length < sizeof upperBuffer ? upperBuffer : (char*)malloc(length + 1);
    if (!upper) { // memory short: the agent's first part decides
        upper = upperBuffer;
        length = sizeof upperBuffer - 1;
    }
    Upper(upper, agent, length);
    NameSpider(agent, upper, names);
    const char* unknownBrowser = language ? language->Generic[GEN_UNKNOWNBROWSER] : nullptr;
    const char* browser = BrowserName(agent, upper, unknownBrowser ? unknownBrowser : "");
    if (browser)
        lstrcpynA(names->Browser, browser, sizeof names->Browser);
    else
        OvkitCopyPart(names->Browser, AGENT_NAME_MAX + 1, agent, length);
    if (browser && strcmp(browser, "Microsoft Internet Explorer") == 0)
        NameExplorer(agent, upper, names);
    if (browser && strcmp(browser, "Netscape") == 0)
        NameNetscape(agent, names);
    const char* platform = PlatformName(upper);
    const char* unknown = language ? language->Legends[LEG_UNKNOWN] : nullptr;
    lstrcpynA(names->Platform,
              platform  ? platform
              : unknown ? unknown
                        : "",
              sizeof names->Platform);
    if (upper != upperBuffer)
        free(upper);
}
