// Profile files: each analysis profile is stored as one ".wlp" text file in
// the data folder. The engine reads and writes it with its own text routines,
// in one piece.
//
// Path buffers hold at least MAX_PATH characters. The 16-bit entry results
// are 0 on success and 0xFFFF on failure.
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovcore/profile.h"

#define ORB_ENTRY_FAILED ((WORD)0xFFFF)
#define PROFILE_FILE_EXTENSION "wlp"

// Reads a profile file into a new (or freed) record: the record is set to its
// defaults first, so anything it owned would be lost. 4 when the file was
// read; 0 when not (the record is then partly filled and must not be used,
// only freed).
ORB_EXPORT(short) ReadOrbisFile(const char* szPath, AnalysisProfile* lpProfile);
// Writes the profile to szPath. The text goes to a temporary file in the same
// folder, which then replaces the old file, so a failed write leaves the old
// file as it was. 1 on success, 0 on failure.
ORB_EXPORT(int) WriteOrbisFile(const char* szPath, const AnalysisProfile* lpProfile);

// Registered data folder + BaseName + "." + Extension. Returns szOut, or null
// (szOut empty) when the path does not fit.
ORB_EXPORT(char*) BuildLogProfileFilename(char* szOut, const AnalysisProfile* lpProfile);
// Install folder + "ovdesk\datfiles\" + BaseName + "." + Extension. Returns
// szOut, or null (szOut empty) when the path does not fit.
ORB_EXPORT(char*) GenerateOrbisFilePath(char* szOut, const AnalysisProfile* lpProfile);
// The name of a new profile file in the registered data folder: base name of
// eight hexadecimal digits one above the largest in use, extension "wlp";
// szFullPath (may be null) receives the full path. szBaseName and szExtension
// hold PROFILE_BASENAME_SIZE and PROFILE_EXTENSION_SIZE bytes. 1, or 0 when
// the data folder is unknown or the path does not fit.
ORB_EXPORT(int) _BuildUniqueOrbisFileName(char* szFullPath, char* szBaseName, char* szExtension);

// Gives the profile a new unique name, adds the filter "Include Everything"
// when it has none, and writes its file.
ORB_EXPORT(WORD) ORB_CreateOrbisEntry(AnalysisProfile* lpProfile);
// Writes the profile's file under its present name.
ORB_EXPORT(WORD) ORB_UpdateOrbisEntry(AnalysisProfile* lpProfile);
// Gives lpNew a new unique name and copies the source's file to it (the
// record of lpNew is not written).
ORB_EXPORT(WORD) ORB_DuplicateOrbisEntry(const AnalysisProfile* lpSource, AnalysisProfile* lpNew);

// A new record read from registered data folder + fileName, or null when it
// cannot be read. Free with AnalysisProfile_Free.
ORB_EXPORT(AnalysisProfile*) ORB_GetSet(const char* fileName);
// Writes the profile to its file: 0, or 0xFFFF when the write failed.
ORB_EXPORT(WORD) ORB_PutSet(AnalysisProfile* lpProfile);
// Deletes registered data folder + fileName (and, for a ".wlp" name, the
// ".DIR" beside it); with flag 1 the profile's history database first. The
// profile-list change counter goes up by one. 0.
ORB_EXPORT(WORD)
ORB_DeleteSet(AnalysisProfile* lpProfile, const char* fileName, int flag, WORD ignored);
// The profile-list change counter.
ORB_EXPORT(DWORD) ORB_QuerySetListChange(void);
// The main report template, in the template folder.
#define MAIN_TEMPLATE_NAME "cluster.var"
// MAIN_TEMPLATE_NAME: the template-variables file of the report settings.
ORB_EXPORT(const char*) ORB_GetTemplateFilename(void);
