// The domain, suffix and country of a hit, from its client's host name.
#include "dns_ring.h"

#include <string.h>

#include "ovcore/profile.h"
#include "ovcore/registration.h"
#include "ovkit/text_copy.h"

#define STRING_COUNTRY_CODE 5617
#define STRING_FIRST_SUFFIX 5618
#define STRING_UNITED_STATES 5626
#define TEXT_COUNTRY_LIST 5613

static const char* const kSuffixWords[] = {"gov",  "mil", "net", "org", "int",
                                           "arpa", "edu", "com", "us"};

// Copies at most n characters of text into a field of size bytes.
// A display text, its terminator, then a short code, all within the field.
static void PutPair(char* field, size_t size, const char* display, size_t displayLen,
                    const char* code) {
    OvkitCopyPart(field, size, display, displayLen);
    size_t used = strlen(field) + 1;
    if (used < size)
        OvkitCopyPart(field + used, size - used, code, strlen(code));
}

// The display text of the first country-list line ("display,code") whose
// code equals the label, without case over the code's length.
static BOOL FindCountry(const char* label, const char** display, size_t* displayLen) {
    const char* list = LoadTextResource(TEXT_COUNTRY_LIST);
    if (strcmp(list, ORB_STRING_NOT_FOUND) == 0)
        return FALSE;
    for (const char* line = list; *line && *line != '\r' && *line != '\n';) {
        size_t lineLen = strcspn(line, "\r\n");
        const char* comma = NULL;
        for (const char* p = line; p < line + lineLen; ++p)
            if (*p == ',')
                comma = p;
        if (comma) {
            size_t codeLen = (size_t)(line + lineLen - comma - 1);
            if (codeLen > 0 && _strnicmp(comma + 1, label, codeLen) == 0) {
                *display = line;
                *displayLen = (size_t)(comma - line);
                return TRUE;
            }
        }
        line += lineLen;
        if (*line == '\r')
            ++line;
        if (*line == '\n')
            ++line;
    }
    return FALSE;
}

// Suffix and country from the last label. TRUE when the name counts as a
// country name (its domain then keeps one more label).
static BOOL NameLastLabel(HitRecord* hit, const char* label) {
    for (int i = 0; i < (int)(sizeof(kSuffixWords) / sizeof(kSuffixWords[0])); ++i) {
        if (_strnicmp(label, kSuffixWords[i], strlen(kSuffixWords[i])) != 0)
            continue;
        const char* suffix = LoadCachedString(STRING_FIRST_SUFFIX + i);
        PutPair(hit->szDomainType, sizeof(hit->szDomainType), suffix, strlen(suffix), label);
        const char* us = LoadCachedString(STRING_UNITED_STATES);
        PutPair(hit->szCountry, sizeof(hit->szCountry), us, strlen(us), "US");
        return strcmp(kSuffixWords[i], "us") == 0;
    }
    const char* code = LoadCachedString(STRING_COUNTRY_CODE);
    OvkitCopyPart(hit->szDomainType, sizeof(hit->szDomainType), code, strlen(code));
    OvkitCopyPart(hit->szCountry, sizeof(hit->szCountry), label, strlen(label));
    const char* display;
    size_t displayLen;
    if (!FindCountry(label, &display, &displayLen))
        return FALSE;
    PutPair(hit->szCountry, sizeof(hit->szCountry), display, displayLen, label);
    return TRUE;
}

void SplitHostName(HitRecord* hit) {
    const char* name = hit->szClientAddr;
    size_t length = strnlen(name, sizeof(hit->szClientAddr));
    int dots = 0;
    BOOL countryName = FALSE;
    for (size_t i = length; i-- > 0;) {
        if (name[i] != '.')
            continue;
        ++dots;
        const char* after = name + i + 1;
        if (dots == 1) {
            countryName = NameLastLabel(hit, after);
        } else if (dots == 2) {
            OvkitCopyPart(hit->szDomain, sizeof(hit->szDomain), after, strlen(after));
            if (!countryName)
                return;
            OvkitCopyPart(hit->szDomain, sizeof(hit->szDomain), name, length);
        } else {
            OvkitCopyPart(hit->szDomain, sizeof(hit->szDomain), after, strlen(after));
            return;
        }
    }
    OvkitCopyPart(hit->szDomain, sizeof(hit->szDomain), name, length);
    if (dots == 0) {
        const EngineState& s = Engine_State();
        OvkitCopyText(hit->szDomainType, sizeof(hit->szDomainType), s.noSuffixText);
        OvkitCopyText(hit->szCountry, sizeof(hit->szCountry), s.unknownCountryText);
    }
}

void SetHitNames(int state, HitRecord* hit, int dnsMode) {
    if (state == DNS_STATE_NAME) {
        SplitHostName(hit);
        return;
    }
    if (dnsMode != DNS_MODE_OFF) {
        if ((state == DNS_STATE_RESOLVED || state == DNS_STATE_CACHED || state == DNS_STATE_KEPT) &&
            !IsItAnIPAddr(hit->szClientAddr))
            SplitHostName(hit);
        return;
    }
    const EngineState& s = Engine_State();
    OvkitCopyText(hit->szDomain, sizeof(hit->szDomain), s.numericAddressText);
    OvkitCopyText(hit->szDomainType, sizeof(hit->szDomainType), s.noSuffixText);
    OvkitCopyText(hit->szCountry, sizeof(hit->szCountry), s.unknownCountryText);
}
