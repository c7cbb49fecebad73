// The sections of an older report template: "%%Name[...]%%" tokens open and
// close sections and describe their graphs and repeats.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#define MAX_OLD_SECTIONS 100

enum OldSectionKind {
    SECTION_TEXT = 0,
    SECTION_GRAPH = 1,
    SECTION_TABLE = 2,
    SECTION_NOEDIT_GRAPH = 3,
    SECTION_NOEDIT_TABLE = 4,
};

struct OldSection {
    std::string Name; // the opening token's name
    int Kind;
    int GraphType = 2;
    int ThreeD = 1;
    int Start = -1, End = -1;
    int Elements = 0;
};

// The closed sections of the template text, at most MAX_OLD_SECTIONS;
// *dropped receives how many more there were.
std::vector<OldSection> ReadOldReportTemplate(const std::string& text, int* dropped);
// The graph type of a graph token's first word.
int GraphTypeOfWord(const std::string& word);
// An old report's range word as today's range code: bit 15 maps its low 12
// bits through the range table, bit 14 takes them as they are, neither maps
// the whole word; values past the table give 0.
int MapOldRange(WORD word);
