// The import steps, each for both layouts of the old installation. A step
// logs what it did per file and never stops the import.
#pragma once

void ImportAdViewsFile(void);
void ImportIntranetFile(void);
void ImportProfiles(void);
void ImportReports(void);
void ImportSchedule(void);
void ImportSettings(void);
void ImportDatabases(void);

// Runs the ticked steps in their fixed order under a please-wait dialog.
void RunImport(void);
