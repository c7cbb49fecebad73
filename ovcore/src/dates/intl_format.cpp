// The strftime-like formatter behind the report's date and time texts.
#include "ovcore/dates.h"

#include <stdio.h>
#include <string.h>

#include "dates/intl_names.h"

namespace {

// Appends to a fixed buffer, cutting what does not fit.
class BoundedText {
  public:
    BoundedText(char* out, int size) : out_(out), room_(size > 0 ? (size_t)size - 1 : 0) {
        if (size > 0)
            out_[0] = 0;
    }
    void Add(const char* text) {
        size_t n = strlen(text);
        if (n > room_ - length_)
            n = room_ - length_;
        memcpy(out_ + length_, text, n);
        length_ += n;
        if (room_)
            out_[length_] = 0;
    }
    void AddChar(char c) {
        char text[2] = {c, 0};
        Add(text);
    }
    void AddNumber(const char* format, int value) {
        char text[16];
        snprintf(text, sizeof(text), format, value);
        Add(text);
    }
    int Length() const { return (int)length_; }

  private:
    char* out_;
    size_t room_;
    size_t length_ = 0;
};

const char* NameAt(const char* const* names, int index, int count) {
    return index >= 0 && index < count && names[index] ? names[index] : "";
}

void AddDate(BoundedText& text, const struct tm& t, const IntlNames& names) {
    int month = t.tm_mon + 1, day = t.tm_mday, year = (t.tm_year + 1900) % 100;
    int first = month, second = day, third = year;
    if (names.iDate == 1) {
        first = day;
        second = month;
    } else if (names.iDate == 2) {
        first = year;
        second = month;
        third = day;
    }
    text.AddNumber("%02d", first);
    text.Add(names.sDate);
    text.AddNumber("%02d", second);
    text.Add(names.sDate);
    text.AddNumber("%02d", third);
}

void AddTime(BoundedText& text, const struct tm& t, const IntlNames& names) {
    text.AddNumber("%02d", t.tm_hour);
    text.Add(names.sTime);
    text.AddNumber("%02d", t.tm_min);
    text.Add(names.sTime);
    text.AddNumber("%02d", t.tm_sec);
}

// One conversion; FALSE when c names none (the caller copies it literally).
bool AddConversion(BoundedText& text, char c, const struct tm& t, const IntlNames& names) {
    switch (c) {
    case '%':
        text.AddChar('%');
        break;
    case 'A':
        text.Add(NameAt(names.longDay, t.tm_wday, 7));
        break;
    case 'a':
        text.Add(NameAt(names.shortDay, t.tm_wday, 7));
        break;
    case 'B':
        text.Add(NameAt(names.longMonth, t.tm_mon, 12));
        break;
    case 'b':
        text.Add(NameAt(names.shortMonth, t.tm_mon, 12));
        break;
    case 'D':
        AddDate(text, t, names);
        break;
    case 'T':
        AddTime(text, t, names);
        break;
    case 'H':
        text.AddNumber("%02d", t.tm_hour);
        break;
    case 'M':
        text.AddNumber("%02d", t.tm_min);
        break;
    case 'S':
        text.AddNumber("%02d", t.tm_sec);
        break;
    case 'd':
        text.AddNumber("%02d", t.tm_mday);
        break;
    case 'm':
        text.AddNumber("%02d", t.tm_mon + 1);
        break;
    case 'y':
        text.AddNumber("%02d", (t.tm_year + 1900) % 100);
        break;
    case 'Y':
        text.AddNumber("%04d", t.tm_year + 1900);
        break;
    case 'j':
        text.AddNumber("%03d", t.tm_yday + 1);
        break;
    case 'p':
        text.Add(t.tm_hour >= 12 ? "pm" : "am");
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

ORB_EXPORT(int)
FormatIntlDateTime(char* out, int size, const char* format, const struct tm* t,
                   const ReportIniSettings* settings) {
    if (!out || size <= 0)
        return 0;
    BoundedText text(out, size);
    if (!t || !format)
        return 0;
    IntlNames names;
    IntlNames_FromEngine(&names);
    if (settings)
        IntlNames_FromReportSettings(settings, &names);
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            text.AddChar(*p);
            continue;
        }
        if (!p[1]) {
            text.AddChar('%');
            break;
        }
        ++p;
        if (!AddConversion(text, *p, *t, names)) {
            text.AddChar('%');
            text.AddChar(*p);
        }
    }
    return text.Length();
}
