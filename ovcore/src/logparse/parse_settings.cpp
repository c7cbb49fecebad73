#include "logparse/parse_settings.h"
#include "core/engine_state.h"
#include "logparse/parse_common.h"
#include "ovkit/text_copy.h"
#include <string.h>

static LogParseSettings g_settings = {TRUE, TRUE,         FALSE,  0,         '/',
                                      ':',  "Numeric IP", "None", "Unknown", nullptr};

LogParseSettings* LogParse_Settings() {
    return &g_settings;
}

void LogParse_SetCookieOptions(BOOL enable, BOOL validate) {
    g_settings.bCookieEnable = enable;
    g_settings.bCookieValidate = validate;
}

void LogParse_SetDisableColdFusion(BOOL disable) {
    g_settings.bDisableColdFusion = disable;
}

void LogParse_SetIntlDate(int order, char dateSep, char timeSep) {
    g_settings.iIntlDateOrder = (order >= 0 && order <= 2) ? order : 0;
    g_settings.cDateSep = dateSep ? dateSep : '/';
    g_settings.cTimeSep = timeSep ? timeSep : ':';
}

// A null text keeps the current one.
void LogParse_SetNameTexts(LPCSTR numericIP, LPCSTR none, LPCSTR unknown) {
    if (numericIP)
        OvkitCopyText(g_settings.szNumericIP, numericIP);
    if (none)
        OvkitCopyText(g_settings.szNone, none);
    if (unknown)
        OvkitCopyText(g_settings.szUnknown, unknown);
}

void LogParse_SetErrorDisplay(LogParseErrorFn fn) {
    g_settings.pfnShowError = fn;
}

void LogParse_ResetSettings() {
    g_settings.bCookieEnable = TRUE;
    g_settings.bCookieValidate = TRUE;
    g_settings.bDisableColdFusion = FALSE;
    LogParse_SetIntlDate(0, '/', ':');
    LogParse_SetNameTexts("Numeric IP", "None", "Unknown");
    g_settings.pfnShowError = nullptr;
}

void LogParse_SyncFromEngine() {
    const EngineState& e = Engine_State();
    g_settings.bDisableColdFusion = e.disableColdFusion != 0;
    LogParse_SetIntlDate(e.iDate, e.sDate[0], e.sTime[0]);
    LogParse_SetNameTexts(e.numericAddressText, e.noSuffixText, e.unknownCountryText);
}

LogParseErrorFn LogParse_ErrorDisplay() {
    return g_settings.pfnShowError ? g_settings.pfnShowError : glpfnDisplayReportError;
}
