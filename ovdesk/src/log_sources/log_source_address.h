// Log-source addresses: a bare path with a type code, and the same path
// written with its scheme ("file:///", "ftp://", "http://", "mailto:",
// "odbc:").
#pragma once

// Type codes of a log source.
enum LogSourceType {
    LOG_SOURCE_FILE = 0,
    LOG_SOURCE_FTP = 1,
    LOG_SOURCE_HTTP = 2,
    LOG_SOURCE_MAIL = 3,
    LOG_SOURCE_ODBC = 4,
};

// The type of an address by its scheme (any case): odbc, file, http, ftp;
// LOG_SOURCE_FILE for anything else.
int GetLogSourceType(const char* address);
// The address past its "odbc:", "file:///", "http://" or "ftp://" scheme
// (any case), or the address itself.
const char* StripLogSourcePrefix(const char* address);
// Writes the address of path into address (MAX_PATH bytes). A path that
// already starts with a scheme (any case) is copied; type 0 and 4 get their
// scheme; 1, 2 and 3 too, but a path without "/" (mail: "@"), with a
// backslash or starting with "/" is refused; other types copy the path.
// 1 on success; 0 when refused or when the address would not fit.
int BuildLogSourceUrl(int type, const char* path, char* address);
// Writes the path of address into path (MAX_PATH bytes, cut to fit) and
// returns its type. A drive or relative path is copied as it is; a
// "file:///C|/dir/" address gives "C:\dir\".
int SplitLogSourceUrl(char* path, const char* address);
