// The Summary page's text, and the default name of a new filter.
#include "filter_wizard/filter_checks.h"
#include "filter_wizard/filter_texts.h"
#include <cstdio>
#include <cstring>

namespace {
const char kLineEnd[] = "\r\n";

const char* FirstText(const FilterString* list) {
    return list && list->lpszText ? list->lpszText : nullptr;
}

void AddBlock(std::string& text, const char* label, const std::string& value) {
    text += label;
    text += " = ";
    text += value;
    text += kLineEnd;
    text += kLineEnd;
}

std::string WithNote(std::string value, bool on, const char* note) {
    if (on)
        value += std::string(kLineEnd) + note;
    return value;
}

std::string ReturnCodeValue(const ProfileFilter* filter) {
    char text[FILTER_RETURNCODE_SLOTS * 12];
    ReturnCodeStructToString(filter, text, sizeof text);
    return text;
}

std::string DayValue(DWORD days) {
    if ((days & ALL_DAYS) == ALL_DAYS)
        return "*";
    // Saturday first, then Sunday to Friday.
    const int order[] = {6, 0, 1, 2, 3, 4, 5};
    const char* const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string value;
    for (int day : order) {
        if (!(days & (1u << day)))
            continue;
        if (!value.empty())
            value += ' ';
        value += names[day];
    }
    return value;
}

std::string HourValue(const ProfileFilter* filter) {
    if (filter->HourAll)
        return filter->Type == FILTER_EXCLUDE ? "None" : "All";
    char text[48];
    snprintf(text, sizeof text, "between %lu:00 and %lu:00", (unsigned long)filter->HourBegin,
             (unsigned long)filter->HourEnd);
    return text;
}

std::string UsernameValue(const ProfileFilter* filter) {
    if (filter->UsernameAll)
        return filter->Type == FILTER_EXCLUDE ? "(all authenticated users)"
                                              : "(authenticated users only)";
    return WithNote(ListText(filter->Username), filter->UsernameCaseSensitive != 0,
                    "(case sensitive)");
}

std::string AdValue(const ProfileFilter* filter, const std::vector<AdEntry>& ads) {
    const char* view = FirstText(filter->AdView);
    const char* click = FirstText(filter->AdClick);
    if (filter->Type == FILTER_INCLUDE && view && click && strcmp(view, "*") == 0 &&
        strcmp(click, "*") == 0)
        return "*";
    if (const AdEntry* entry = FindAdEntry(ads, view, click))
        return entry->Description;
    // An entry no longer in the list: its texts say what the filter matches.
    return click ? click : view ? view : "";
}

std::string DirectoryValue(const ProfileFilter* filter) {
    std::string value =
        ListText(filter->Directory) + kLineEnd +
        (filter->IncludeSubDirs ? "(including subdirectories)" : "(NOT including subdirectories)");
    return WithNote(value, filter->DirectoryCaseSensitive != 0, "(case sensitive)");
}

std::string FileValue(const ProfileFilter* filter) {
    const char* note = filter->Type == FILTER_EXCLUDE ? "(also exclude requests without filenames)"
                                                      : "(also include requests without filenames)";
    std::string value = WithNote(ListText(filter->Files), filter->IncludeDefaultPages != 0, note);
    return WithNote(value, filter->FilesCaseSensitive != 0, "(case sensitive)");
}
} // namespace

std::string BuildFilterSummary(const ProfileFilter* filter, const std::vector<AdEntry>& ads) {
    bool include = filter->Type != FILTER_EXCLUDE;
    std::string text = include ? "This filter will INCLUDE" : "This filter will EXCLUDE";
    text += " log activity that matches at least one value from each of the following filter "
            "elements:";
    text += kLineEnd;
    text += kLineEnd;
    DWORD flags = filter->dwFlags;
    if (flags == 0 || (flags & ENABLE_DEFAULT))
        return text + (include ? "All activity included" : "No activity excluded");
    if (flags & FILTER_RETURNCODES)
        AddBlock(text, "Return Code", ReturnCodeValue(filter));
    if (flags & FILTER_DIRECTORY)
        AddBlock(text, "Directory", DirectoryValue(filter));
    if (flags & FILTER_FILES)
        AddBlock(text, "File", FileValue(filter));
    if (flags & FILTER_REFERRER)
        AddBlock(text, "Referrer", ListText(filter->Referrer));
    if (flags & FILTER_ENTRYPAGE)
        AddBlock(text, "Entry Page", EntryPageText(filter->EntryPage));
    if (flags & FILTER_DAYS)
        AddBlock(text, "Day", DayValue(filter->Days));
    if (flags & FILTER_HOURS)
        AddBlock(text, "Hour", HourValue(filter));
    if (flags & FILTER_USERNAME)
        AddBlock(text, "Username", UsernameValue(filter));
    if (flags & FILTER_USERS)
        AddBlock(text, "User Address", UserAddressText(filter));
    if (flags & FILTER_MULTIHOMEDOMAIN)
        AddBlock(text, "Domain", ListText(filter->MultiHomeDomain));
    if (flags & FILTER_ADS)
        AddBlock(text, "Ad", AdValue(filter, ads));
    if (flags & FILTER_BROWSER)
        AddBlock(text, "Browser", ListText(filter->Browser));
    return text;
}

std::string DefaultFilterName(const ProfileFilter* chain, DWORD type) {
    const char* format = type == FILTER_EXCLUDE ? "Exclude Filter %d" : "Include Filter %d";
    char name[FILTER_NAME_SIZE];
    for (int n = 1;; ++n) {
        snprintf(name, sizeof name, format, n);
        bool taken = false;
        for (const ProfileFilter* filter = chain; filter && !taken; filter = filter->Next)
            taken = _stricmp(filter->Name, name) == 0;
        if (!taken)
            return name;
    }
}
