// Hour lists, interval scales and country and state lists of REPORT.INI.
#include "reportini/report_ini_file.h"
#include "reportini/text_words.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace reportini {
namespace {

const int kListMax = 299;

// Splits at every comma (empty fields count) and trims blanks, tabs and
// double quotes from each field; returns the number of fields (at most max).
int SplitFields(char* text, char** fields, int max) {
    int count = 0;
    char* p = text;
    while (count < max) {
        char* comma = strchr(p, ',');
        if (comma)
            *comma = '\0';
        TrimChars(p, " \t\"");
        fields[count++] = p;
        if (!comma)
            break;
        p = comma + 1;
    }
    return count;
}

bool KeepText(char** slot, const char* text) {
    *slot = DupText(text ? text : "");
    return *slot != nullptr;
}

bool ReadScale(const ReportIniFile& ini, int number, IntervalScale* scale) {
    char key[16];
    snprintf(key, sizeof key, "Scale%d", number);
    char value[kWorkSize];
    ini.Read("Interval", key, "", value, kListMax);
    char* f[5] = {};
    int n = SplitFields(value, f, 5);
    scale->Count = WORD(n > 1 ? atoi(f[1]) : 0);
    scale->Seconds = DWORD(n > 2 ? strtoul(f[2], nullptr, 10) : 0);
    return KeepText(&scale->Name, n > 0 ? f[0] : nullptr) &&
           KeepText(&scale->LabelFormat, n > 3 ? f[3] : nullptr) &&
           KeepText(&scale->RangeFormat, n > 4 ? f[4] : nullptr);
}

bool CopyDefaultScales(ReportIniSettings* s) {
    s->Intervals = static_cast<IntervalScale*>(calloc(kDefaultScaleCount, sizeof(IntervalScale)));
    if (!s->Intervals)
        return false;
    s->IntervalCount = WORD(kDefaultScaleCount);
    for (int i = 0; i < kDefaultScaleCount; ++i) {
        const DefaultScale& d = kDefaultScales[i];
        IntervalScale& scale = s->Intervals[i];
        scale.Count = d.count;
        scale.Seconds = d.seconds;
        if (!KeepText(&scale.Name, d.name) || !KeepText(&scale.LabelFormat, d.labelFormat) ||
            !KeepText(&scale.RangeFormat, d.rangeFormat))
            return false;
    }
    return true;
}

int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

} // namespace

void ReadHourList(const ReportIniFile& ini, const char* key, const char* def, HourList* list) {
    char value[kWorkSize];
    ini.Read("intl", key, def, value, kListMax);
    char* items[64];
    int n = SplitWords(value, " ;,", items, 64);
    list->Count = 0;
    for (int i = 0; i < n && list->Count < REPORTINI_MAX_HOURS; ++i) {
        char* end = nullptr;
        long hour = strtol(items[i], &end, 10);
        if (end != items[i] && *end == '\0' && hour >= 0 && hour <= 23)
            list->Hours[list->Count++] = WORD(hour);
    }
}

bool ReadIntervalScales(const ReportIniFile& ini, ReportIniSettings* s) {
    int count = Clamp(ini.ReadInt("Interval", "Count", 0), 0, REPORTINI_MAX_SCALES);
    if (count == 0)
        return CopyDefaultScales(s);
    s->Intervals = static_cast<IntervalScale*>(calloc(size_t(count), sizeof(IntervalScale)));
    if (!s->Intervals)
        return false;
    s->IntervalCount = WORD(count);
    for (int i = 0; i < count; ++i)
        if (!ReadScale(ini, i + 1, &s->Intervals[i]))
            return false;
    return true;
}

bool ReadCodeList(const ReportIniFile& ini, const char* section, CodeNameList* list) {
    int count = Clamp(ini.ReadInt(section, "Count", 0), 0, REPORTINI_MAX_CODES);
    list->Count = 0;
    if (count == 0)
        return true;
    list->Items = static_cast<CodeName*>(calloc(size_t(count), sizeof(CodeName)));
    if (!list->Items)
        return false;
    for (int i = 1; i <= count; ++i) {
        char key[16];
        snprintf(key, sizeof key, "Item%d", i);
        char value[kWorkSize];
        ini.Read(section, key, "", value, kListMax);
        char* f[2] = {};
        int n = SplitFields(value, f, 2);
        // A code that does not fit its field could only match wrongly.
        if (n < 2 || !*f[0] || !*f[1] || strlen(f[1]) >= REPORTINI_CODE_SIZE)
            continue;
        CodeName& entry = list->Items[list->Count];
        if (!KeepText(&entry.Name, f[0]))
            return false;
        lstrcpynA(entry.Code, f[1], sizeof entry.Code);
        ++list->Count;
    }
    return true;
}

} // namespace reportini
