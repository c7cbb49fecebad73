#include "mime_text.h"
#include <cstdio>
#include <cstring>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

struct TypeRule {
    const char* marker;
    const char* type;
};

const TypeRule kTypes[] = {
    {".htm", "text/html"},          {".gif", "image/gif"},           {".jpg", "image/jpeg"},
    {".doc", "application/msword"}, {".xls", "application/msexcel"}, {".cma", "text/plain"},
    {".txt", "text/plain"},
};

} // namespace

void AppendBase64(const unsigned char* b, size_t length, std::string& out) {
    size_t i = 0;
    for (; i + 3 <= length; i += 3) {
        unsigned v = b[i] << 16 | b[i + 1] << 8 | b[i + 2];
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += kAlphabet[v >> 6 & 63];
        out += kAlphabet[v & 63];
    }
    size_t left = length - i;
    if (left == 0)
        return;
    unsigned v = b[i] << 16 | (left == 2 ? b[i + 1] << 8 : 0);
    out += kAlphabet[v >> 18 & 63];
    out += kAlphabet[v >> 12 & 63];
    out += left == 2 ? kAlphabet[v >> 6 & 63] : '=';
    out += '=';
}

const char* AttachmentName(const char* path) {
    const char* cut = std::strrchr(path, '\\');
    if (!cut)
        cut = std::strrchr(path, ':');
    return cut ? cut + 1 : path;
}

const char* AttachmentContentType(const char* name, bool* raw) {
    char lower[MAX_PATH];
    lstrcpynA(lower, name, sizeof lower);
    CharLowerA(lower);
    *raw = false;
    for (const TypeRule& rule : kTypes) {
        if (std::strstr(lower, rule.marker)) {
            *raw = rule.marker == kTypes[0].marker;
            return rule.type;
        }
    }
    return "application/unknown";
}

LONG BiasInForce(const TIME_ZONE_INFORMATION& zone, DWORD zoneState) {
    if (zoneState == TIME_ZONE_ID_DAYLIGHT)
        return zone.Bias + zone.DaylightBias;
    if (zoneState == TIME_ZONE_ID_STANDARD)
        return zone.Bias + zone.StandardBias;
    return zone.Bias;
}

std::string DateHeader(const SYSTEMTIME& t, LONG bias) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // A negative bias means local time is ahead of UTC; UTC itself is "+0000".
    char sign = bias <= 0 ? '+' : '-';
    LONG minutes = bias < 0 ? -bias : bias;
    char text[80];
    std::snprintf(text, sizeof text, "Date: %s, %u %s %04u %02u:%02u:%02u %c%02ld%02ld\r\n",
                  kDays[t.wDayOfWeek % 7], t.wDay, kMonths[(t.wMonth + 11) % 12], t.wYear, t.wHour,
                  t.wMinute, t.wSecond, sign, minutes / 60, minutes % 60);
    return text;
}

void DataLineWriter::Append(const char* text, size_t length, std::string& out) {
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c == '\n' && afterCr_) { // the LF of a CR LF already written
            afterCr_ = false;
            continue;
        }
        afterCr_ = c == '\r';
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            atLineStart_ = true;
            continue;
        }
        if (atLineStart_ && c == '.')
            out += '.';
        out += c;
        atLineStart_ = false;
    }
}

void DataLineWriter::Finish(std::string& out) {
    if (!atLineStart_)
        out += "\r\n";
    atLineStart_ = true;
    afterCr_ = false;
}
