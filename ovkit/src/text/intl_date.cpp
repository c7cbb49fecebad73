#include "ovkit/schedlog.h"

void OVKIT_FormatIntlDate(int local, char* timeText, char* dateText, time_t value) {
    const struct tm* when = local == 1 ? std::localtime(&value) : std::gmtime(&value);
    OvkitFormatIntlTexts(when, OvkitReadIntlSettings(), timeText, dateText);
}
