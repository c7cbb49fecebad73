// A temporary file path for one test, deleted afterwards.
#pragma once
#include <windows.h>
#include <string>

namespace ovkittest {

class ScratchFile {
  public:
    ScratchFile() {
        char folder[MAX_PATH];
        char name[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        GetTempFileNameA(folder, "ovk", 0, name);
        path_ = name;
    }
    ~ScratchFile() {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path_.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const char* Path() const { return path_.c_str(); }

  private:
    std::string path_;
};

} // namespace ovkittest
