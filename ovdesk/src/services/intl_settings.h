// The [intl] values behind the plug-in's date and time texts (read and made
// by ovkit's one reader, ovkit/intl_texts.h), and the texts read back with
// given values (the public functions read the values at each call).
#pragma once
#include "ovkit/intl_texts.h"
#include <ctime>

typedef OvkitIntlSettings IntlSettings;

// ParseDateTimeText with given settings and today's date.
void ParseIntlTexts(const IntlSettings& settings, const struct tm& today, const char* timeText,
                    const char* dateText, int* hour, int* minute, int* second, int* month, int* day,
                    int* year);
// IsValidDateText with given settings.
int IsValidIntlDate(const IntlSettings& settings, const char* dateText);
