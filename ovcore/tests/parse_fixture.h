// Feeding log text through one format's parser the way the record reader does
// (defined in parsers_test.cpp, shared by the parser and W3C tests).
#pragma once
#include "ovcore/hitrecord.h"
#include "logparse/w3c_map.h"
#include <string>
#include <vector>

// The hits a text gave, freed with the object, and the lines it skipped.
struct ParsedLog {
    std::vector<HitRecord*> hits;
    int skipped = 0;
    ParsedLog() = default;
    ParsedLog(const ParsedLog&) = delete;
    ~ParsedLog() {
        for (HitRecord* h : hits)
            HitRecord_Free(h);
    }
};

// The text at the position (up to two lines) goes into a fresh record, and
// the position moves by what the parser consumed.
void ParseLogText(DWORD code, const std::string& text, W3CFieldMap** map, BOOL initialRead,
                  ParsedLog* out);
// A hit time as "YYYY-MM-DD HH:MM:SS".
std::string HitTimeText(DWORD value);
