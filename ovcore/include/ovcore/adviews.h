// The advertising views-and-clicks list, ADVIEWS.TXT in the install folder:
// one advertisement a line, three double-quoted fields
// ("view file name","click id","description").
#pragma once
#include "ovcore/ovcore_base.h"
#include <stdio.h>

// Field sizes of one entry as the readers keep them, terminator included.
#define ADVIEW_DESCRIPTION_SIZE 100
#define ADVIEW_VIEWNAME_SIZE 50
#define ADVIEW_CLICKID_SIZE 256

// Opens install folder + "ADVIEWS.TXT" for reading and writing, or for
// reading alone when the file is read-only. The stream, or null when the file
// cannot be opened. Close it with ORB_CloseAdViewsDataFile.
ORB_EXPORT(FILE*) ORB_OpenAdViewsDataFile();

// Reads the next line. 1: an entry was read (description receives the third
// field, at most 99 characters; viewName the first, at most 49; clickId the
// second, at most 255), or a line without any double quote was skipped (the
// buffers are left as they were). 0: end of the file. -1: a line with fewer
// than three quoted fields; a message box says so and the stream is closed,
// so the caller must not close it again.
ORB_EXPORT(int) ORB_GetAdViewsEntry(FILE* stream, char* description, char* viewName, char* clickId);

// Closes the stream; the result of fclose (0 on success). Null gives EOF.
ORB_EXPORT(int) ORB_CloseAdViewsDataFile(FILE* stream);
