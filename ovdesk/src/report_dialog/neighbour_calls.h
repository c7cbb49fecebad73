// Functions of neighbouring areas that the dialog calls but that are not in
// the tree yet (saved report definitions, log-source addresses). Their
// placeholders live in neighbour_calls_stub.cpp until those areas land.
#pragma once
#include "desk_types.h"

// Log-source address of a path: the type's prefix added (0 file, 1 FTP,
// 2 HTTP, 3 mail, 4 ODBC). 1 on success, 0 for a path the type rejects.
int BuildLogSourceUrl(int type, const char* path, char* address);
// The path of an address without its scheme (MAX_PATH bytes); the type.
int SplitLogSourceUrl(char* path, const char* address);

// Saved report definitions. Each answers 1 on success, 0 otherwise.
int ReadReportDefinition(const char* path, const char* server, const char* setName,
                         const char* extension, char* description, ReportDefinition* record);
int WriteReportDefinition(const char* path, const ReportDefinition* record);
// The first definition of kind whose Description matches (path MAX_PATH).
int FindReportDefinition(int kind, const char* server, const char* setName, const char* extension,
                         const char* description, ReportDefinition* record, char* path,
                         int byFileName);
// Fills a combo (mode 0: "<< None Selected >>" first) with the Descriptions
// of kind, selecting selectName or item 0; 1 when any was listed.
int ListReportDefinitions(HWND control, int mode, int kind, const char* selectName);
// The next free file name of kind, with its folder (MAX_PATH).
int NewReportDefinitionName(int kind, char* path);
// Output format kind of combo item index of the last ListReportDefinitions.
int GetListedDefinitionFormat(int index);
