// Log generators of the read benchmark. A fixed-seed generator picks every
// field, so two runs write the same bytes.
#include "bench_logs.h"
#include <stdio.h>
#include <string.h>
#include <time.h>

namespace {

const __time64_t kStart = 1704067200; // 2024-01-01 00:00:00
const int kLineMax = 1024;            // longer than any generated line

struct Dice {
    unsigned state = 20240101u;
    unsigned Next() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    }
    unsigned Below(unsigned n) { return Next() % n; }
};

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char* const kAgents[] = {
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/120.0.0.0 Safari/537.36",
    "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 (KHTML, like Gecko) "
    "Version/17.1 Safari/605.1.15",
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:121.0) Gecko/20100101 Firefox/121.0",
    "Mozilla/5.0 (iPhone; CPU iPhone OS 17_1 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like "
    "Gecko) Version/17.1 Mobile/15E148 Safari/604.1",
    "Mozilla/5.0 (Linux; Android 14; SM-S918B) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/120.0.6099.144 Mobile Safari/537.36",
    "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)",
    "Mozilla/5.0 (compatible; bingbot/2.0; +http://www.bing.com/bingbot.htm)",
    "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)",
};
const unsigned kAgentCount = sizeof(kAgents) / sizeof(kAgents[0]);

const char* const kWords[] = {"garden", "chair", "lamp",   "winter", "coat",
                              "travel", "guide", "coffee", "table",  "oak"};

// One request path of a shop-like site (a query, when any, goes to *query).
void PickUrl(Dice& d, char* url, size_t size, char* query, size_t querySize) {
    query[0] = 0;
    switch (d.Below(8)) {
    case 0:
        snprintf(url, size, "/");
        break;
    case 1:
        snprintf(url, size, "/products/category-%u/item-%u.html", d.Below(40), d.Below(5000));
        break;
    case 2:
        snprintf(url, size, "/images/catalog/photo-%u-large.jpg", d.Below(20000));
        break;
    case 3:
        snprintf(url, size, "/static/css/site.min.css");
        snprintf(query, querySize, "v=%u", d.Below(100));
        break;
    case 4:
        snprintf(url, size, "/search");
        snprintf(query, querySize, "q=%s+%s&page=%u", kWords[d.Below(10)], kWords[d.Below(10)],
                 1 + d.Below(5));
        break;
    case 5:
        snprintf(url, size, "/blog/2023/%02u/how-to-choose-a-%s-for-your-%s/", 1 + d.Below(12),
                 kWords[d.Below(10)], kWords[d.Below(10)]);
        break;
    case 6:
        snprintf(url, size, "/static/js/app.bundle.%x.js", d.Next() & 0xFFFFFF);
        break;
    default:
        snprintf(url, size, "/account/orders/%u", d.Below(90000));
        break;
    }
}

void PickReferrer(Dice& d, char* text, size_t size) {
    switch (d.Below(4)) {
    case 0:
        snprintf(text, size, "-");
        break;
    case 1:
        snprintf(text, size, "https://www.google.com/search?q=%s+%s&hl=en", kWords[d.Below(10)],
                 kWords[d.Below(10)]);
        break;
    default:
        snprintf(text, size, "https://shop.example.com/products/category-%u/", d.Below(40));
        break;
    }
}

void PickClient(Dice& d, char* text, size_t size) {
    unsigned n = d.Below(5000);
    snprintf(text, size, "%u.%u.%u.%u", 20 + n % 200, (n / 7) % 256, (n / 3) % 256, 1 + n % 254);
}

int PickStatus(Dice& d) {
    unsigned r = d.Below(100);
    return r < 82 ? 200 : r < 90 ? 304 : r < 95 ? 404 : r < 98 ? 301 : 500;
}

const char* PickMethod(Dice& d) {
    unsigned r = d.Below(100);
    return r < 90 ? "GET" : r < 98 ? "POST" : "HEAD";
}

FILE* OpenForWrite(const char* path, char* buffer, size_t size) {
    FILE* f = fopen(path, "wb");
    if (f)
        setvbuf(f, buffer, _IOFBF, size);
    return f;
}

// One formatted line in one write (formatting straight into the file
// costs a lock per character).
void WriteLine(FILE* f, const char* line, int length) {
    if (length > 0)
        fwrite(line, 1, length < kLineMax ? (size_t)length : kLineMax - 1, f);
}

BOOL Finish(FILE* f, ULONGLONG* bytes) {
    BOOL ok = !ferror(f);
    *bytes = (ULONGLONG)_ftelli64(f);
    return fclose(f) == 0 && ok;
}

char g_writeBuffer[1 << 20];

} // namespace

BOOL WriteCombinedLog(const char* path, DWORD lines, ULONGLONG* bytes) {
    FILE* f = OpenForWrite(path, g_writeBuffer, sizeof(g_writeBuffer));
    if (!f)
        return FALSE;
    Dice d;
    __time64_t now = kStart;
    char client[32], url[160], query[80], referrer[160], line[kLineMax];
    for (DWORD i = 0; i < lines; i++) {
        now += d.Below(3);
        struct tm t;
        _gmtime64_s(&t, &now);
        PickClient(d, client, sizeof(client));
        PickUrl(d, url, sizeof(url), query, sizeof(query));
        PickReferrer(d, referrer, sizeof(referrer));
        int status = PickStatus(d);
        const char* user = d.Below(20) == 0 ? "alice" : "-";
        const char* method = PickMethod(d);
        char size[16] = "-";
        if (status != 304)
            snprintf(size, sizeof(size), "%u", 200 + d.Below(60000));
        int n = snprintf(
            line, sizeof(line),
            "%s - %s [%02d/%s/%04d:%02d:%02d:%02d +0100] \"%s %s%s%s HTTP/1.1\" %d %s \"%s\" "
            "\"%s\"\n",
            client, user, t.tm_mday, kMonths[t.tm_mon], t.tm_year + 1900, t.tm_hour, t.tm_min,
            t.tm_sec, method, url, query[0] ? "?" : "", query, status, size, referrer,
            kAgents[d.Below(kAgentCount)]);
        WriteLine(f, line, n);
    }
    return Finish(f, bytes);
}

BOOL WriteW3CLog(const char* path, DWORD lines, ULONGLONG* bytes) {
    FILE* f = OpenForWrite(path, g_writeBuffer, sizeof(g_writeBuffer));
    if (!f)
        return FALSE;
    fputs("#Software: Microsoft Internet Information Services 10.0\r\n"
          "#Version: 1.0\r\n"
          "#Date: 2024-01-01 00:00:00\r\n"
          "#Fields: date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
          "cs(User-Agent) cs(Referer) sc-status sc-substatus sc-win32-status sc-bytes "
          "time-taken\r\n",
          f);
    Dice d;
    __time64_t now = kStart;
    char client[32], url[160], query[80], referrer[160], agent[200], line[kLineMax];
    for (DWORD i = 0; i < lines; i++) {
        now += d.Below(3);
        struct tm t;
        _gmtime64_s(&t, &now);
        PickClient(d, client, sizeof(client));
        PickUrl(d, url, sizeof(url), query, sizeof(query));
        PickReferrer(d, referrer, sizeof(referrer));
        lstrcpynA(agent, kAgents[d.Below(kAgentCount)], sizeof(agent));
        for (char* p = agent; *p; p++)
            if (*p == ' ')
                *p = '+';
        int status = PickStatus(d);
        const char* method = PickMethod(d);
        const char* user = d.Below(20) == 0 ? "alice" : "-";
        unsigned size = status == 304 ? 0 : 200 + d.Below(60000);
        unsigned taken = d.Below(900);
        int n = snprintf(
            line, sizeof(line),
            "%04d-%02d-%02d %02d:%02d:%02d 10.0.0.5 %s %s %s 443 %s %s %s %s %d 0 0 %u %u\r\n",
            t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, method, url,
            query[0] ? query : "-", user, client, agent, referrer, status, size, taken);
        WriteLine(f, line, n);
    }
    return Finish(f, bytes);
}
