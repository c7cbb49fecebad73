// Date and time texts in the Windows [intl] order, read at each call.
#include "ovcore/dates.h"
#include "ovkit/intl_texts.h"

ORB_EXPORT(void) FormatUtcDateTime(char* timeText, char* dateText, ORB_TIME value) {
    if (timeText && dateText)
        OvkitFormatIntlTexts(TimeToGmTm(&value), OvkitReadIntlSettings(), timeText, dateText);
}

ORB_EXPORT(void) FormatLocalDateTime(char* timeText, char* dateText, ORB_TIME value) {
    if (timeText && dateText)
        OvkitFormatIntlTexts(TimeToLocalTm(&value), OvkitReadIntlSettings(), timeText, dateText);
}
