// The text steps of template filling. Private to ovkit.
#pragma once
#include "ovkit/report_page.h"
#include <string>

// Removes the description block named drop ("Short" or "Long") with its
// markers, and the markers of every other block, keeping their content. A
// Begin marker without its End loses only itself.
std::string OvkitDropDescription(const std::string& text, const char* drop);
// Replaces every LANG_STR<name> by the name's value in the language file
// (empty when unknown).
std::string OvkitFillLanguage(const std::string& text, const char* languageFile);
// Replaces every %%Style_key%% by the style's value for the key.
std::string OvkitFillStyle(const std::string& text, const OVKIT_ReportStyle& style);
// Case-insensitive search from from; npos when absent.
size_t OvkitFindNoCase(const std::string& text, const char* what, size_t from);
