// Runs ovcarry.exe in a throw-away install and drives its windows from
// outside its process: the choose dialog and the message boxes it shows.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "temp_install.h"

namespace carrytest {

// What the user does in the choose dialog.
enum ChooseAnswer { CHOOSE_OK, CHOOSE_CANCEL };

struct CarryRun {
    DWORD exitCode = ~0u;
    bool sawChoose = false;
    std::vector<std::string> boxes; // texts of the message boxes, in order
};

class CarryInstall {
  public:
    CarryInstall();
    const ovtest::TempInstall& Install() const { return install_; }
    // The program folder without its final backslash.
    std::string Folder() const;
    // Copies fixture <name> of the fixture builder into a fresh old folder
    // and returns its path.
    std::string PlaceOld(const std::string& name);
    // Runs ovcarry.exe with the arguments; answers the choose dialog, then
    // presses OK on each message box until the program ends (bounded).
    CarryRun Run(const std::string& arguments, ChooseAnswer answer = CHOOSE_OK,
                 const std::vector<int>& untick = {});
    // Runs ovhost.exe of the install with the arguments; its exit code and
    // what it printed go to *output.
    DWORD RunHost(const std::string& arguments, std::string* output);
    // The shipped report content (templates, styles) into the install.
    void CopyContent();
    std::string Results() const { return install_.Read("ImportResults.txt"); }
    // The program's folder (bin) of the test.
    static std::string BinFolder();

  private:
    ovtest::TempInstall install_;
    ovtest::TempInstall old_;
};

// A settings-file value, "" when missing.
std::string IniValue(const std::string& file, const char* section, const char* key);
// The files matching pattern in folder (names only).
std::vector<std::string> FilesIn(const std::string& folder, const char* pattern);

} // namespace carrytest
