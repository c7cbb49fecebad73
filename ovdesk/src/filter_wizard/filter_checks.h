// The filter pages' checks and the summary text, apart from the pages so
// that they can be tested on their own.
#pragma once
#include <string>
#include <vector>
#include "ovcore/ovcore.h"

// One entry of the ad-views list.
struct AdEntry {
    std::string ViewName;
    std::string ClickId;
    std::string Description;
};
// The entries of ADVIEWS.TXT in file order (empty when there is no file).
std::vector<AdEntry> ReadAdEntries(void);
// The first entry whose view name equals view or whose click id equals
// click (without case; null texts match nothing); null when none.
const AdEntry* FindAdEntry(const std::vector<AdEntry>& entries, const char* view,
                           const char* click);

// Return-code text: 0 accepted, 1 "*" mixed with codes, 2 another character.
enum { RETURN_CODES_OK = 0, RETURN_CODES_MIXED = 1, RETURN_CODES_INVALID = 2 };
int CheckReturnCodeText(const std::string& text);
// "*" with anything but blanks and commas (the browser page's refusal).
bool HasMixedWildcard(const std::string& text);
// A directory text that probably needed quotes: its first blank (else its
// first comma) is not followed by "/" or "\", and it holds no quote.
bool DirectoryNeedsQuotes(const std::string& text);
// The requests-without-file-names option changes nothing for these files.
bool NoFilenamesOptionIsVoid(DWORD type, const FilterString* files);
// The first referrer item that is not a URL with its protocol, a wildcard
// or "(No Referrer)"; null when every item is fine.
const char* SuspectReferrer(const FilterString* referrers);
// The hour text as a number 0..23, or -1.
int ParseHour(const std::string& text);

// The Summary page's text for the filter.
std::string BuildFilterSummary(const ProfileFilter* filter, const std::vector<AdEntry>& ads);
// "Include Filter n" or "Exclude Filter n" with the lowest n from 1 up that
// no filter of the chain bears (names compared without case).
std::string DefaultFilterName(const ProfileFilter* chain, DWORD type);
