#include "reportini/report_ini_defaults.h"

namespace reportini {

const TextKey kReturnCodeKeys[21] = {
    {"ReturnCodes", "200", "200 OK"},
    {"ReturnCodes", "201", "201 Created"},
    {"ReturnCodes", "202", "202 Accepted"},
    {"ReturnCodes", "203", "203 Partial Info"},
    {"ReturnCodes", "204", "204 No Response"},
    {"ReturnCodes", "205", "205 Cached"},
    {"ReturnCodes", "300", "300 Redirection"},
    {"ReturnCodes", "301", "301 Moved"},
    {"ReturnCodes", "302", "302 Found"},
    {"ReturnCodes", "303", "303 Method"},
    {"ReturnCodes", "304", "304 Cached"},
    {"ReturnCodes", "400", "400 Bad Request"},
    {"ReturnCodes", "401", "401 Unauthorized Access"},
    {"ReturnCodes", "402", "402 Payment Required"},
    {"ReturnCodes", "403", "403 Forbidden Access"},
    {"ReturnCodes", "404", "404 Page or File Not Found"},
    {"ReturnCodes", "500", "500 Internal Error"},
    {"ReturnCodes", "501", "501 Not Implemented"},
    {"ReturnCodes", "502", "502 Temporarily Overloaded"},
    {"ReturnCodes", "503", "503 Gateway Timeout"},
    {"ReturnCodes", "UK", "%03d Incomplete / Undefined"},
};

const TextKey kGenericKeys[5] = {
    {"Generic", "NoReferrer", "No Referrer"},
    {"Generic", "UnknownBrowser", "Unknown Browser"},
    {"Generic", "Others", "Others"},
    {"Generic", "FailedForms", "Failed Forms Submitted"},
    {"Generic", "SuccessfulForms", "Successful Forms Submitted"},
};

const TextKey kIpTypeKeys[4] = {
    {"IP Types", "NumericIP", "Numeric IP"},
    {"IP Types", "None", "None"},
    {"IP Types", "Unknown", "Unknown"},
    {"IP Types", "CountryCode", "Country Code"},
};

const TextKey kSuffixKeys[9] = {
    {"Suffixes", "gov", "Government (.gov)"},  {"Suffixes", "mil", "Military (.mil)"},
    {"Suffixes", "net", "Network (.net)"},     {"Suffixes", "org", "Organization (.org)"},
    {"Suffixes", "int", "Company (.int)"},     {"Suffixes", "arpa", "Arpanet (.arpa)"},
    {"Suffixes", "edu", "Education (.edu)"},   {"Suffixes", "com", "Company (.com)"},
    {"Suffixes", "us", "United States (.us)"},
};

const TextKey kLegendKeys[9] = {
    {"Legends", "Total", "Total"},
    {"Legends", "Unknown", "Unknown"},
    {"Legends", "International", "International"},
    {"Legends", "Domestic", "Domestic"},
    {"Legends", "UserSessions", "User Sessions"},
    {"Legends", "Percent", "Percent of Total Hits"},
    {"Legends", "Hits", "Total Hits"},
    {"Legends", "Bytes", "Total K Bytes"},
    {"Legends", "TopItems", "Top Items"},
};

const TextKey kIntlKeys[4] = {
    {"intl", "sDate", "/"},
    {"intl", "sTime", ":"},
    {"intl", "ReportGeneratedOnTimeFmt", "%A %B %d, %Y - %T"},
    {"intl", "ReportActivityTimeFmt", "%B %d, %Y"},
};

const TextKey kShortWeekdaysKey = {"Weekdays", "Short", "Sun, Mon, Tue, Wed, Thu, Fri, Sat"};
const TextKey kLongWeekdaysKey = {"Weekdays", "Long",
                                  "Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday"};
const TextKey kShortMonthsKey = {"Months", "Short",
                                 "Jan, Feb, Mar, Apr, May, Jun, Jul, Aug, Sep, Oct, Nov, Dec"};
const TextKey kLongMonthsKey = {"Months", "Long",
                                "January, February, March, April, May, June, July, August, "
                                "September, October, November, December"};

const char kDefaultAfterHours[] = "1,2,3,4,5,6,7,17,18,19,20,21,22,23,0";
const char kDefaultWorkHours[] = "8,9,10,11,12,13,14,15,16";

// Rows 0-8 and 13-16 grow in coverage (count x length) so that the first row
// covering a report's span is the finest that fits; the shipped REPORT.INI
// holds the same table.
const DefaultScale kDefaultScales[] = {
    {"Minutes", 30, 60, "%H:%M", "%D %T"},         // 0: half an hour
    {"2 Minutes", 30, 120, "%H:%M", "%D %T"},      // 1: one hour
    {"5 Minutes", 24, 300, "%H:%M", "%D %T"},      // 2: two hours
    {"10 Minutes", 24, 600, "%H:%M", "%D %T"},     // 3: four hours
    {"15 Minutes", 32, 900, "%H:%M", "%D %T"},     // 4: eight hours
    {"30 Minutes", 24, 1800, "%H:%M", "%D %T"},    // 5: twelve hours
    {"Hours", 24, 3600, "%H:%M", "%D %T"},         // 6: one day
    {"2 Hours", 24, 7200, "%m/%d %H:%M", "%D %T"}, // 7: two days
    {"Days", 31, 86400, "%m/%d", "%D"},            // 8: 31 days
    {"Days", 7, 86400, "%a %m/%d", "%D"},          // 9: under 8 days
    {"Days", 14, 86400, "%a %m/%d", "%D"},         // 10: under 15 days
    {"Days", 28, 86400, "%m/%d", "%D"},            // 11: under 29 days
    {"Days", 31, 86400, "%m/%d", "%D"},            // 12: 29 days and more
    {"Weeks", 26, 604800, "%m/%d/%y", "%D"},       // 13: 26 weeks
    {"2 Weeks", 27, 1209600, "%m/%d/%y", "%D"},    // 14: 54 weeks
    {"4 Weeks", 28, 2419200, "%m/%d/%y", "%D"},    // 15: 112 weeks
    {"Quarters", 32, 7776000, "%b %Y", "%D"},      // 16: eight years
    {"Months", 12, 2592000, "%b", "%B %Y"},        // 17: one year
    {"Months", 24, 2592000, "%b %y", "%B %Y"},     // 18: two years
};
const int kDefaultScaleCount = sizeof kDefaultScales / sizeof kDefaultScales[0];

} // namespace reportini
