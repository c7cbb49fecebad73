// The FTP browser's folder listing: fetched from the server into the
// listing files and read into list entries.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

enum FtpEntryKind { FTP_ENTRY_UP = 12, FTP_ENTRY_FOLDER = 13, FTP_ENTRY_FILE = 14 };

struct FtpBrowseEntry {
    std::string name;
    FtpEntryKind kind;
};

// The listing files "shortdir.ftp" and "longdir.ftp" in the temp folder.
std::string FtpListingPath(bool longListing);

// Logs in to host ("name[:port]"), goes to path (empty: the server's current
// folder, which then replaces path; a folder the server refuses is replaced
// by its current one), writes both listing files and logs out. 0, or -1
// with the last FTP error kept.
int FtpGetListing(const char* host, const char* user, const char* password, std::string* path);

// Reads the two listing files into entries: ".." first unless path is the
// top, then the folders, then the files, each group in listing order. A name
// takes the long line whose last blank-separated field it is; that line
// makes it a folder when it holds "<dir>" or starts with a 10-character mode
// of "drwx-" beginning with "d". Missing files give no entries.
std::vector<FtpBrowseEntry> FtpReadListing(const std::string& shortPath,
                                           const std::string& longPath, const std::string& path);
