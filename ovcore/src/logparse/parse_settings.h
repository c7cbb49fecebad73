// Engine settings the line parsers read per hit, kept as plain values so that
// no hit reads a settings file. Registration and the settings reload fill
// them; until then they hold the documented defaults.
#pragma once
#include "ovcore/registration.h"

// Error-display callback of the client (see registration.h).
typedef ORB_ERRORDISPLAYPROC LogParseErrorFn;

struct LogParseSettings {
    BOOL bCookieEnable;           // [Cookie] Enable, default 1
    BOOL bCookieValidate;         // [Cookie] Validate, default 1
    BOOL bDisableColdFusion;      // [Defaults] DisableColdFusion, default 0
    int iIntlDateOrder;           // [intl] iDate: 0 month first, 1 day first, 2 year first
    char cDateSep;                // [intl] sDate, default '/'
    char cTimeSep;                // [intl] sTime, default ':'
    char szNumericIP[60];         // string 5614
    char szNone[50];              // string 5615
    char szUnknown[50];           // string 5616
    LogParseErrorFn pfnShowError; // null: the registered client's display
};

// The engine-wide values (never null).
LogParseSettings* LogParse_Settings();
void LogParse_SetCookieOptions(BOOL enable, BOOL validate);
void LogParse_SetDisableColdFusion(BOOL disable);
void LogParse_SetIntlDate(int order, char dateSep, char timeSep);
// Null texts keep the current ones; longer texts are cut to the field size.
void LogParse_SetNameTexts(LPCSTR numericIP, LPCSTR none, LPCSTR unknown);
void LogParse_SetErrorDisplay(LogParseErrorFn fn);
// Back to the defaults (engine start, tests).
void LogParse_ResetSettings();
// Takes what registration read (DisableColdFusion, the [intl] date order and
// separators, strings 5614-5616) into the parse settings. Registration and
// the settings reload call it, whenever they have (re)read those values;
// never per line.
void LogParse_SyncFromEngine();
// The error display to use: the one set here, else the registered client's
// (null when neither).
LogParseErrorFn LogParse_ErrorDisplay();
