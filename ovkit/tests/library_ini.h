// Sets one value of the library's own OSTREVAN.INI (beside the test program)
// for one test and puts the old state back afterwards.
#pragma once
#include "ovkit/settings_file.h"
#include <string>

namespace ovkittest {

class ScopedLibraryIni {
  public:
    ScopedLibraryIni(const char* section, const char* key, const char* value)
        : section_(section), key_(key) {
        OVKIT_GetConfigFilePath(path_);
        fileExisted_ = GetFileAttributesA(path_) != INVALID_FILE_ATTRIBUTES;
        char old[1024];
        const char kAbsent[] = "\001absent";
        GetPrivateProfileStringA(section, key, kAbsent, old, sizeof old, path_);
        had_ = std::string(old) != kAbsent;
        old_ = old;
        WritePrivateProfileStringA(section, key, value, path_);
    }
    ~ScopedLibraryIni() {
        WritePrivateProfileStringA(section_.c_str(), key_.c_str(), had_ ? old_.c_str() : nullptr,
                                   path_);
        if (!fileExisted_)
            DeleteFileA(path_);
    }
    ScopedLibraryIni(const ScopedLibraryIni&) = delete;
    ScopedLibraryIni& operator=(const ScopedLibraryIni&) = delete;

  private:
    std::string section_, key_, old_;
    bool had_ = false;
    bool fileExisted_ = false;
    char path_[MAX_PATH] = "";
};

} // namespace ovkittest
