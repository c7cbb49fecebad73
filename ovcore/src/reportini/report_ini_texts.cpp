// Weekday and month names and the single texts of REPORT.INI.
#include "reportini/report_ini_file.h"
#include "reportini/text_words.h"
#include <stdlib.h>
#include <string.h>

namespace reportini {
namespace {

const int kTextMax = 249;
const int kListMax = 299;

// Splits a name list into at most n heap words in slots; the slots left over
// get the matching words of the built-in list.
bool ReadNames(const ReportIniFile& ini, const TextKey& key, char** slots, int n) {
    char value[kWorkSize];
    ini.Read(key, value, kListMax);
    char* words[12];
    int got = SplitWords(value, " ,\t", words, n);
    char defaults[kWorkSize];
    lstrcpynA(defaults, key.def, sizeof defaults);
    char* builtIn[12];
    SplitWords(defaults, " ,\t", builtIn, n);
    for (int i = 0; i < n; ++i) {
        slots[i] = DupText(i < got ? words[i] : builtIn[i]);
        if (!slots[i])
            return false;
    }
    return true;
}

bool ReadTexts(const ReportIniFile& ini, const TextKey* keys, int n, char** slots) {
    for (int i = 0; i < n; ++i) {
        char value[kWorkSize];
        ini.Read(keys[i], value, kTextMax);
        TrimBlanks(value);
        slots[i] = DupText(value);
        if (!slots[i])
            return false;
    }
    return true;
}

} // namespace

bool ReadNameLists(const ReportIniFile& ini, ReportIniSettings* s) {
    return ReadNames(ini, kShortWeekdaysKey, s->ShortWeekdays, 7) &&
           ReadNames(ini, kLongWeekdaysKey, s->LongWeekdays, 7) &&
           ReadNames(ini, kShortMonthsKey, s->ShortMonths, 12) &&
           ReadNames(ini, kLongMonthsKey, s->LongMonths, 12);
}

bool ReadSingleTexts(const ReportIniFile& ini, ReportIniSettings* s) {
    char* intl[4] = {};
    bool ok = ReadTexts(ini, kReturnCodeKeys, RC_COUNT, s->ReturnCodes) &&
              ReadTexts(ini, kGenericKeys, GEN_COUNT, s->Generic) &&
              ReadTexts(ini, kIpTypeKeys, IPT_COUNT, s->IpTypes) &&
              ReadTexts(ini, kSuffixKeys, SUF_COUNT, s->Suffixes) &&
              ReadTexts(ini, kLegendKeys, LEG_COUNT, s->Legends);
    if (ok)
        ok = ReadTexts(ini, kIntlKeys, 4, intl);
    s->DateSeparator = intl[0];
    s->TimeSeparator = intl[1];
    s->GeneratedOnFormat = intl[2];
    s->ActivityTimeFormat = intl[3];
    if (!ok)
        return false;
    // The unknown-code text is used as a printf format with the code.
    if (!IsOneIntegerFormat(s->ReturnCodes[RC_UNKNOWN])) {
        char* builtIn = DupText(kReturnCodeKeys[RC_UNKNOWN].def);
        if (!builtIn)
            return false;
        free(s->ReturnCodes[RC_UNKNOWN]);
        s->ReturnCodes[RC_UNKNOWN] = builtIn;
    }
    return true;
}

} // namespace reportini
