#include "temp_install.h"

#include <stdlib.h>
#include <windows.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace ovtest {

namespace {

std::atomic<int> g_counter{0};

void MakeFolders(const std::string& path) {
    for (size_t i = 3; i < path.size(); ++i)
        if (path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

} // namespace

TempInstall::TempInstall() {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%sovtest_%lu_%d\\", tmp, GetCurrentProcessId(),
                  g_counter.fetch_add(1));
    root_ = name;
    RemoveTree(root_);
    MakeFolders(Data());
    MakeFolders(Templates());
    WriteFileBytes(BaseIni(), "");
    WriteFileBytes(ModuleIni(), "");
}

TempInstall::~TempInstall() {
    RemoveTree(root_);
}

bool TempInstall::Write(const std::string& relative, const std::string& bytes) const {
    std::string path = root_ + relative;
    MakeFolders(path);
    return WriteFileBytes(path, bytes);
}

std::string TempInstall::Read(const std::string& relative) const {
    return ReadFileBytes(root_ + relative);
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() ||
              WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string out;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        out.append(buf, got);
    CloseHandle(h);
    return out;
}

bool FileExistsAt(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string EnvironmentFolder(const char* variable) {
    const char* value = getenv(variable);
    std::string folder = value ? value : "";
    if (folder.empty())
        return folder;
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    CreateDirectoryA(folder.c_str(), NULL);
    return folder.back() == '\\' ? folder : folder + "\\";
}

void RemoveTree(const std::string& path) {
    std::string dir = path;
    if (!dir.empty() && dir.back() != '\\')
        dir += '\\';
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((dir + "*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = dir + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string WineFolderFromEnv(const char* variable) {
    const char* folder = getenv(variable);
    if (!folder)
        return "";
    std::string path = std::string("Z:") + folder + "/";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace ovtest
