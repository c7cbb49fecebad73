// Trimming of a template: the text held in memory, and the file to file
// trimming that TrimSections does for a run.
#pragma once
#include "ovcore/report_template.h"
#include <string>

namespace report {

// Most characters of a section marker's name; a longer one matches nothing.
const size_t kMarkerNameMax = 260;

// Appends text without its trailing CR and LF characters, then CR LF.
void AppendTemplateLine(std::string& out, const std::string& text);

// Appends one kept chapter with its repeat blocks written out for section.
// Returns 0 when the chapter holds no repeat block, 1 otherwise.
int ExpandRepeatBlocks(const TemplateSection& section, const std::string& chapter,
                       std::string& out);

// The trimmed copy of a whole template text (lines end in CR LF or LF).
std::string TrimTemplateText(const std::string& text, const TemplateSection* sections, int count);

// Writes the trimmed copy of the template file templatePath to outputPath,
// as TrimSections does (same messages, same result).
int TrimTemplateFile(const char* outputPath, const char* templatePath,
                     const TemplateSection* sections, int count);

} // namespace report
