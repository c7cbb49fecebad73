// Saved report definitions ("memorized reports"): one INI-style text file
// each in the data-files folder, named by eight hexadecimal digits and the
// kind's extension.
#pragma once
#include "desk_types.h"

enum {
    DEFINITION_KINDS = 4,
    DEFINITION_BUFFER_SIZE = 30360, // whole-file buffer of reader and writer
};

// List modes of ListReportDefinitions.
enum { LIST_COMBO_WITH_NONE = 0, LIST_LISTBOX = 1, LIST_COMBO = 2 };

// The data-files folder (created) into folder, and folder + the kind's
// pattern ("*.mss") into pattern when it is not null; both MAX_PATH. 0 for
// an unknown kind or a path that does not fit, else 1.
int GetReportDefinitionDir(char* folder, char* pattern, int kind);
// The next free file name of the kind (one above the highest), with folder.
// 0 when it cannot be made, else 1.
int NewReportDefinitionName(int kind, char* path);
// Writes the record to path (replaced). 1, or 0 when the file cannot be
// written (no partial file is left). Neither reading nor writing touches the
// dialog's report title: applying a definition to the pages does.
int WriteReportDefinition(const char* path, const ReportDefinition* record);
// Reads path into record (a scratch record when null). With server, set
// name and extension all null the result is 1; otherwise each non-empty one
// given and a non-empty description must equal (without case) the record's,
// and description (DEFINITION_DESCRIPTION_SIZE bytes) then receives the record's Description. 1 or
// 0.
int ReadReportDefinition(const char* path, const char* server, const char* setName,
                         const char* extension, char* description, ReportDefinition* record);
// Fills a combo or list box with the Descriptions of the kind's files and
// selects select (combo modes); 1 when at least one was listed.
int ListReportDefinitions(HWND control, int mode, int kind, const char* select);
// A combo of the summary definitions, select (or item 0) selected.
int FillReportDefinitionCombo(HWND combo, const char* select);
// The output-format kind of combo item index of the last combo listing.
int GetListedDefinitionFormat(int index);
// Finds the first definition of the kind whose Description equals
// description (without case) and reads it; with byFileName set a file named
// description is taken first, whatever its Description. path (MAX_PATH, may
// be null) receives the file. 1 when found and read, else 0.
int FindReportDefinition(int kind, const char* server, const char* setName, const char* extension,
                         const char* description, ReportDefinition* record, char* path,
                         int byFileName);
// Deletes a definition file; 1 when it was deleted.
int DeleteReportDefinition(const char* path);
