// Estimates the disk space of each item and the free space of the program
// folder's drive.
#pragma once

// Fills g_carry.SizeKB and FreeKB; 1 when anything but the settings would be
// imported, else 0.
int RunSizeSurvey(void);
// Whether a profile file name is one of the layout's shipped samples.
bool IsSampleProfile(const char* name, int newer);
