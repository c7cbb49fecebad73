// Older-layout profiles (*.ov): fixed-layout records of three versions,
// converted field by field into a new profile.
#pragma once
#include "file_image.h"
#include "ovcore/profile.h"
#include <string>
#include <vector>

#define OLD_TITLE_SIZE 81

// The advertisement names of the program folder's ADVIEWS.TXT.
typedef std::vector<std::string> AdNames;
AdNames LoadAdNames(void);

// Fills profile from the old record; title receives the old title (empty
// for the versions that keep none). False when the record's filter table
// is damaged (a count past its end) or memory ran short.
bool ConvertOldProfileRecord(const FileImage& image, const AdNames& ads, AnalysisProfile* profile,
                             char* title);
// Appends the old filter table at offset table to the profile. False when it
// is damaged or memory ran short.
bool ConvertOldFilters(const FileImage& image, DWORD table, const AdNames& ads,
                       AnalysisProfile* profile);
