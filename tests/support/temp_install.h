// A throw-away install folder with the layout the programs expect:
//   <root>\ostrevan.ini
//   <root>\ovdesk\ovdesk.ini
//   <root>\ovdesk\datfiles\ (folder)
//   <root>\ovdesk\template\ (folder)
// Removed with everything in it when the object goes.
#pragma once
#include <string>
#include "copy_tree.h"

namespace ovtest {

class TempInstall {
  public:
    TempInstall();
    ~TempInstall();
    TempInstall(const TempInstall&) = delete;
    TempInstall& operator=(const TempInstall&) = delete;

    // Folder paths end with a backslash.
    const std::string& Root() const { return root_; }
    std::string Module() const { return root_ + "ovdesk\\"; }
    std::string Data() const { return root_ + "ovdesk\\datfiles\\"; }
    std::string Templates() const { return root_ + "ovdesk\\template\\"; }
    std::string BaseIni() const { return root_ + "ostrevan.ini"; }
    std::string ModuleIni() const { return root_ + "ovdesk\\ovdesk.ini"; }

    // Path of a file below the root ("ovdesk\\datfiles\\a.wlp").
    std::string Path(const std::string& relative) const { return root_ + relative; }
    // Writes (creating folders) a file below the root; returns false on failure.
    bool Write(const std::string& relative, const std::string& bytes) const;
    // Reads a file below the root; empty when missing.
    std::string Read(const std::string& relative) const;

  private:
    std::string root_;
};

// Whole-file helpers on absolute paths, for tests.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExistsAt(const std::string& path);
// The Linux folder an environment variable names (the build passes the
// shipped content and fixture folders so), as a Wine path ending in a
// backslash; "" when the variable is unset.
std::string WineFolderFromEnv(const char* variable);
// Deletes a folder and everything in it.
void RemoveTree(const std::string& path);
using ovfiles::CopyTree;
// The folder an environment variable names, with backslashes, made when
// missing and ending in a backslash; "" when the variable is not set.
std::string EnvironmentFolder(const char* variable);

} // namespace ovtest
