// A small report-page toolkit: language (or style) variable files of entries
// "<name>{value}", report styles from a settings file, report templates filled
// with both, and a table-of-contents page for a set of report pages. Failures
// are told in message boxes without owner.
#pragma once
#include "ovkit/ovkit_base.h"

// Loads a variable file (one at a time; the file name is remembered, compared
// without case). 1 when read and indexed; 0 after "Failed to load the
// language/style file" + CRLF + the path in quotes (caption "Ostrevane") when
// it cannot be opened.
OVKIT_EXPORT(BOOL) OVKIT_ReadVarData(const char* path);

// Longest value OVKIT_GetVarData gives, with its NUL.
#define OVKIT_VAR_VALUE_SIZE 1024
// The value of name (exact letter case) from the file at path, loaded first
// when another file is loaded; into value (OVKIT_VAR_VALUE_SIZE bytes, cut to
// fit). 1 when found; 0 with value empty when the name is unknown or the file
// cannot be loaded.
OVKIT_EXPORT(BOOL) OVKIT_GetVarData(const char* name, char* value, const char* path);

// A report style. Colours are "#" and at most 6 characters of the setting.
struct OVKIT_ReportStyle {
    char pageBackground[8];
    char pageText[8];
    char sectionBackground[8];
    char sectionText[8];
    char titleBackground[8];
    char titleText[8];
    char subTitleBackground[8];
    char subTitleText[8];
    char oddRowBackground[8];
    char oddRowText[8];
    char evenRowBackground[8];
    char evenRowText[8];
    char tableFrame[8];
    char standardFont[64];
    char sectionFont[64];
    char titleFont[64];
    char subTitleFont[64];
    char tableFont[64];
    char backgroundFile[260];
    char logoFile[260];
    BOOL tableColumns[4]; // whether the digit 0, 1, 2, 3 occurs in Table Columns
    int sortBy;
    char numberAlignment[8];
    int framePage;
    int frameWidth;
    int longDescription;
};
static_assert(sizeof(OVKIT_ReportStyle) == 984, "OVKIT_ReportStyle layout");

// Reads the style from section of the settings file, with the defaults for
// missing keys.
OVKIT_EXPORT(void)
OVKIT_ReadStyleColors(OVKIT_ReportStyle* style, const char* section, const char* file);

// Fills a report template: drops the long or the short description block (by
// the style's Long Description), replaces LANG_STR<name> by the language
// file's value and %%Style_key%% by the style's values, and writes the result.
// 1 when written; 0 after a message box.
OVKIT_EXPORT(BOOL)
OVKIT_RplAndStyleReplacement(const char* templatePath, const char* languageFile,
                             const char* styleSection, const char* styleFile,
                             const char* outputPath);

// Writes a table-of-contents page with a row for every anchor of the pages
// (paths each ended by a NUL, the list by an empty one), linked into the
// target frame. 1 when written; 0 after a message box (what was written
// stays).
OVKIT_EXPORT(BOOL)
OVKIT_GenerateTocHtml(const char* pages, const char* targetFrame, const char* styleSection,
                      const char* styleFile, const char* outputPath);
