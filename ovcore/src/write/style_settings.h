// Reading a report's style (style.ini in the install folder, section = the
// style's name) and the engine-wide report switches.
#pragma once
#include "report_style.h"

// Fills style from the style's section (defaults for what is missing) and
// the engine's settings files.
void ReadReportStyle(const char* styleName, ReportStyle* style);
// style.ini in the install folder (MAX_PATH characters); FALSE when the
// path does not fit.
BOOL GetStyleIniPath(char* path);
