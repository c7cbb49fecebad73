// Log paths: relative paths and date variables, the source prefixes and
// their protocol codes, the parts of a source URL, and the quick probes of
// the profile list (log times, size and source kind of a profile).
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovcore/profile.h"
#include <time.h>

// Longest text one path variable expands to.
#define LOGPATH_VARIABLE_MAX 19

// Makes a relative path ("..\", "../", ".\", "./") full against baseFolder
// (given with its trailing separator) and expands the date variables
// ("%yy%", "%mm%", "%dd%", "%date-N%", ...) in place, in local time. The
// result is bounded to MAX_PATH characters with the terminator, so that it
// fits every caller's buffer; when it would not fit, or baseFolder is null
// for a relative path, the path is left as it was. Returns path.
ORB_EXPORT(char*) NormalizeLogPath(char* path, const char* baseFolder);
// The same with the caller's buffer size and the reference time given
// ("now", seconds since 1970). 1 when the path was rewritten, 0 when it was
// left unchanged because the result would not fit (or path is null).
BOOL NormalizeLogPathAt(char* path, DWORD size, const char* baseFolder, time_t now);

// "file:///", "ftp://", "http://", "odbc:", or "unkProtocol://".
const char* LogProtocolToPrefix(DWORD protocol);
// 4 "odbc:", 0 "file:///", 2 "http://", 1 "ftp://" (without case), else 0.
DWORD LogPrefixToProtocol(const char* text);
// The text behind a known prefix, the whole text when there is none.
const char* SkipLogPrefix(const char* text);

// Splits a log source into its path (pathSize bytes), host (hostSize bytes;
// may be null) and port (may be null; 21 for FTP, 80 for HTTP unless the
// source names one, 0 otherwise) and answers its protocol code. A part that
// does not fit its buffer is left empty, and the answer is then -1.
int ParseUrlSource(char* path, DWORD pathSize, const char* source, char* host, DWORD hostSize,
                   int* port);

// Called with the profile's title while it is refreshed; the answer is not
// used.
typedef int(CALLBACK* LOGREFRESHPROC)(const char* title);

// Quick refresh of one profile for the profile list: log size, first and
// last log times, the logs-present flag (LogInfoValid) and the source kind
// in SourceFlags. loaded and count are the caller's loaded profiles (not
// used); progress may be null. Always 1.
ORB_EXPORT(int)
LogFastRefresh(AnalysisProfile* profile, AnalysisProfile** loaded, DWORD count,
               LOGREFRESHPROC progress);
// The next profile file ("*.wlp") of the data folder, loaded into a new
// record (the caller frees it with AnalysisProfile_Free); null at the end of
// the walk, which the next call starts again. Files that cannot be read are
// passed over. A loaded profile of the same file name (among count loaded)
// hands its refresh results (logs-present flag, size, log times) to the new
// record. unused is ignored.
ORB_EXPORT(AnalysisProfile*)
LogGetNextProfile(AnalysisProfile** loaded, DWORD count, DWORD_PTR unused);

// No source kind was found (ProbeLogSource).
#define LOGPROBE_KIND_NONE 0xFFFF

// The quick look at a profile's logs (archives are not unpacked): the size
// in KB, and the first and last log times when the oldest and newest files
// are plain logs. *kind (may be null) receives the FILEINFO_KIND_* that the
// file list found, or LOGPROBE_KIND_NONE when it found no file. 1 when both
// records were found, else 0. The current date-format code is 0 afterwards.
BOOL ProbeLogSource(AnalysisProfile* profile, const ServerList* servers, WORD* kind);

// Settles the date-format code of a profile's logs by sampling them, and
// keeps their file list in the profile (LogFiles): the profile gets its
// first and last log times, size and, when a new code was found, the code
// (the profile file is then rewritten). reserved1 and reserved2 are not
// used; unpack 1 reads zip and gzip archives through their unpacked copies.
// 0 when the servers hold no log file (the kept list is then emptied), else
// 1, also when no code read every file.
BOOL DetectLogDateFormat(HWND hostArg, AnalysisProfile* profile, const ServerList* servers,
                         DWORD reserved1, DWORD reserved2, BOOL unpack);
