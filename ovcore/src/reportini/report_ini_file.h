// Reading REPORT.INI values with the language's words put in (private).
#pragma once
#include "reportini/report_ini_defaults.h"
#include "ovcore/report_ini.h"

namespace reportini {

// Room for a value while its language markers are replaced.
const int kWorkSize = 1024;

class ReportIniFile {
  public:
    explicit ReportIniFile(const char* path) : path_(path) {}
    // Reads section/key (def when missing) into value (kWorkSize bytes),
    // replaces "<name>" markers and cuts the result to max characters.
    void Read(const char* section, const char* key, const char* def, char* value, int max) const;
    void Read(const TextKey& key, char* value, int max) const {
        Read(key.section, key.key, key.def, value, max);
    }
    // An integer value (markers replaced first); def when missing.
    int ReadInt(const char* section, const char* key, int def) const;

  private:
    const char* path_;
};

// True when format holds exactly one integer conversion (flags, width,
// precision and "l" allowed) and otherwise only "%%".
bool IsOneIntegerFormat(const char* format);

// The parts of the record, each false when memory ran short.
bool ReadNameLists(const ReportIniFile& ini, ReportIniSettings* s);
bool ReadSingleTexts(const ReportIniFile& ini, ReportIniSettings* s);
void ReadHourList(const ReportIniFile& ini, const char* key, const char* def, HourList* list);
bool ReadIntervalScales(const ReportIniFile& ini, ReportIniSettings* s);
bool ReadCodeList(const ReportIniFile& ini, const char* section, CodeNameList* list);

} // namespace reportini
