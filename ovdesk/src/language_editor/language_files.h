// The files of the report-language editor, all in the template folder
// (<install>\ovdesk\template\): <name>.RPL, its starting copy <name>.ORG,
// and LANG.TRE; and the default report language ([Language] Report).
#pragma once
#include <string>
#include <vector>

namespace langedit {

std::string TemplateFolder(void);
// The names of the *.RPL files (up to their first "."), in name order.
std::vector<std::string> ListLanguages(void);
std::string LanguagePath(const std::string& name, const char* extension);
// The path with its extension replaced (".RPL" -> ".ORG", any case).
std::string StartingCopyPath(const std::string& rplPath);
bool ReadWhole(const std::string& path, std::string* text);
// Creates the file afresh with text, flushed; false when it cannot be.
bool WriteWhole(const std::string& path, const std::string& text);

std::string DefaultLanguage(void);
void SetDefaultLanguage(const std::string& name);

// A name the user may give a new language: a file name without folder
// parts, dots, wildcards or a device name, at most 63 characters.
bool IsValidLanguageName(const std::string& name);

} // namespace langedit
