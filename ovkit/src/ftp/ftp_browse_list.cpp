#include "ftp_browse_list.h"
#include "ftp_client.h"
#include "ovkit/ftp.h"

#include <stdlib.h>
#include <string.h>

#include <fstream>

namespace {

std::vector<std::string> ReadLines(const std::string& path, bool* opened) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    *opened = in.is_open();
    for (std::string line; std::getline(in, line);) {
        line.erase(line.find_last_not_of("\r\n") + 1);
        lines.push_back(line);
    }
    return lines;
}

// The last blank-separated field of a line.
std::string LastField(const std::string& line) {
    size_t end = line.find_last_not_of(" \t");
    if (end == std::string::npos)
        return "";
    size_t blank = line.find_last_of(" \t", end);
    size_t start = blank == std::string::npos ? 0 : blank + 1;
    return line.substr(start, end - start + 1);
}

bool IsFolderLine(std::string line) {
    for (char& c : line)
        c = (char)tolower((unsigned char)c);
    if (line.find("<dir>") != std::string::npos)
        return true;
    return line.size() >= 10 && line.find_first_not_of("drwx-") >= 10 && line[0] == 'd';
}

void SplitHost(const char* host, std::string* name, int* port) {
    *name = host;
    *port = 21;
    size_t colon = name->find(':');
    if (colon != std::string::npos) {
        *port = atoi(name->c_str() + colon + 1);
        name->erase(colon);
    }
}

} // namespace

std::string FtpListingPath(bool longListing) {
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(sizeof(folder), folder);
    if (n == 0 || n >= sizeof(folder))
        folder[0] = 0;
    return std::string(folder) + (longListing ? "longdir.ftp" : "shortdir.ftp");
}

int FtpGetListing(const char* host, const char* user, const char* password, std::string* path) {
    FtpClearLastError();
    const OvkitFtpApi* ftp = LoadFtpLibrary();
    if (!ftp) {
        ShowFtpError(FTPERR_NOTINITIALIZE);
        return -1;
    }
    std::string name;
    int port;
    SplitHost(host, &name, &port);
    ftp->FtpSetSynchronousMode();
    ftp->FtpSetDefaultPort(port);
    int code = ftp->FtpLogin(name.c_str(), user, password, nullptr, 0);
    if (code != 0) {
        ShowFtpError(code);
        return -1;
    }
    char current[OVKIT_FTP_ADDRESS_SIZE] = "/";
    if (path->empty() || ftp->FtpCWD(path->c_str()) != 0) {
        if (ftp->FtpPWD(current, sizeof(current)) != 0)
            strcpy(current, "/");
        *path = current;
    }
    code = ftp->FtpDir("", FtpListingPath(false).c_str(), FALSE, nullptr, 0);
    if (code == 0)
        code = ftp->FtpDir("", FtpListingPath(true).c_str(), TRUE, nullptr, 0);
    if (ftp->FtpCloseConnection() != 0)
        ftp->FtpLocalClose();
    if (code != 0) {
        ShowFtpError(code);
        return -1;
    }
    return 0;
}

std::vector<FtpBrowseEntry> FtpReadListing(const std::string& shortPath,
                                           const std::string& longPath, const std::string& path) {
    bool namesOpened = false, linesOpened = false;
    std::vector<std::string> names = ReadLines(shortPath, &namesOpened);
    std::vector<std::string> lines = ReadLines(longPath, &linesOpened);
    std::vector<FtpBrowseEntry> entries;
    if (!namesOpened || !linesOpened)
        return entries;
    if (path.size() > 1)
        entries.push_back({"..", FTP_ENTRY_UP});
    size_t folders = entries.size();
    for (const std::string& line : names) {
        size_t slash = line.find_last_of("/\\");
        std::string name = slash == std::string::npos ? line : line.substr(slash + 1);
        if (name.empty())
            continue;
        bool folder = false;
        for (const std::string& longLine : lines)
            if (LastField(longLine) == name) {
                folder = IsFolderLine(longLine);
                break;
            }
        if (folder)
            entries.insert(entries.begin() + folders++, {name, FTP_ENTRY_FOLDER});
        else
            entries.push_back({name, FTP_ENTRY_FILE});
    }
    return entries;
}
