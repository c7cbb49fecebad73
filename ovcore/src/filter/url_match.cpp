// Directory, file and entry-page tests of the filters. Every part is cut at
// FILTER_PART_MAX characters and worked on in fixed buffers.
#include "hit_filter.h"

#include <string.h>

typedef char UrlPart[FILTER_PART_MAX + 1];

static BOOL IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// Copies the next segment (cut at FILTER_PART_MAX) into out and returns the
// text after it; null when no segment is left. Empty segments are skipped.
static const char* NextSegment(const char* p, UrlPart out) {
    while (*p && IsSeparator(*p))
        ++p;
    if (!*p)
        return NULL;
    size_t n = 0;
    for (; *p && !IsSeparator(*p); ++p)
        if (n < FILTER_PART_MAX)
            out[n++] = *p;
    out[n] = 0;
    return p;
}

int MatchDirectory(const char* pattern, const char* directory, BOOL includeSubDirs,
                   BOOL caseSensitive) {
    if (!pattern || !directory)
        return 0;
    if (IsSeparator(*pattern))
        ++pattern;
    if (*directory == '/')
        ++directory;
    UrlPart want, have;
    for (;;) {
        pattern = NextSegment(pattern, want);
        if (!pattern)
            return NextSegment(directory, have) ? (includeSubDirs ? 1 : 0) : 1;
        const char* rest = NextSegment(directory, have);
        if (!rest)
            have[0] = 0;
        if (!MatchWildcard(want, have, TRUE, caseSensitive))
            return 0;
        directory = rest ? rest : "";
    }
}

struct UrlParts {
    UrlPart dir, name, ext;
};

// The URL as the directory and file tests see it: no leading "/" or
// "http://", no query or fragment, at most FILTER_PART_MAX characters.
static void PrepareUrl(const char* url, UrlParts* parts) {
    parts->dir[0] = parts->name[0] = parts->ext[0] = 0;
    if (!url)
        return;
    if (*url == '/')
        ++url;
    if (_strnicmp(url, "http://", 7) == 0)
        url += 7;
    UrlPart text;
    lstrcpynA(text, url, sizeof(text));
    char* cut = strchr(text, '?');
    if (cut)
        *cut = 0;
    cut = strrchr(text, '#');
    if (cut)
        *cut = 0;
    SplitURLPath(text, parts->dir, sizeof(parts->dir), parts->name, sizeof(parts->name), parts->ext,
                 sizeof(parts->ext));
}

static BOOL PartEquals(const char* a, const char* b, size_t n, BOOL caseSensitive) {
    return caseSensitive ? strncmp(a, b, n) == 0 : _strnicmp(a, b, n) == 0;
}

// One name or extension pattern of a file pattern: a leading "*" tests the
// end, a "*" elsewhere tests the start up to it, no "*" tests equality.
static BOOL MatchFilePart(const char* pattern, size_t patternLen, const char* part,
                          BOOL caseSensitive) {
    size_t partLen = strlen(part);
    if (patternLen > 0 && pattern[0] == '*') {
        size_t rest = patternLen - 1;
        return rest <= partLen &&
               PartEquals(part + partLen - rest, pattern + 1, rest, caseSensitive);
    }
    const char* star = (const char*)memchr(pattern, '*', patternLen);
    if (!star)
        return patternLen == partLen && PartEquals(part, pattern, patternLen, caseSensitive);
    size_t head = (size_t)(star - pattern);
    return head <= partLen && PartEquals(part, pattern, head, caseSensitive);
}

static BOOL MatchFilePattern(const char* pattern, const UrlParts* url, BOOL caseSensitive) {
    const char* dot = strrchr(pattern, '.');
    size_t nameLen = dot ? (size_t)(dot - pattern) : strlen(pattern);
    BOOL nameMatches = (nameLen == 1 && pattern[0] == '*') || !url->name[0] ||
                       MatchFilePart(pattern, nameLen, url->name, caseSensitive);
    if (!nameMatches || !url->ext[0] || !dot)
        return nameMatches;
    const char* ext = dot + 1;
    return strcmp(ext, "*") == 0 || MatchFilePart(ext, strlen(ext), url->ext, caseSensitive);
}

static BOOL MatchFiles(const ProfileFilter* filter, const UrlParts* url) {
    const char* first = filter->Files->lpszText;
    if (first && (strcmp(first, "*.*") == 0 || strcmp(first, "*") == 0))
        return TRUE;
    if (!url->name[0] && !url->ext[0])
        return filter->IncludeDefaultPages != 0;
    for (const FilterString* f = filter->Files; f; f = f->Next)
        if (f->lpszText && MatchFilePattern(f->lpszText, url, filter->FilesCaseSensitive))
            return TRUE;
    return FALSE;
}

static BOOL MatchDirectories(const ProfileFilter* filter, const UrlParts* url) {
    for (const FilterString* d = filter->Directory; d; d = d->Next) {
        const char* p = d->lpszText ? d->lpszText : "";
        if (filter->IncludeSubDirs && (strcmp(p, "/") == 0 || strcmp(p, "\\") == 0 || !*p))
            return TRUE;
        if (MatchDirectory(p, url->dir, filter->IncludeSubDirs, filter->DirectoryCaseSensitive))
            return TRUE;
    }
    return FALSE;
}

int MatchDirectoryAndFiles(const ProfileFilter* filter, const char* url) {
    if (filter->IncludeSubDirs && filter->Directory && filter->Files &&
        filter->Directory->lpszText && strcmp(filter->Directory->lpszText, "/") == 0 &&
        filter->Files->lpszText && strcmp(filter->Files->lpszText, "*.*") == 0)
        return 1;
    UrlParts parts;
    PrepareUrl(url, &parts);
    if ((filter->dwFlags & FILTER_DIRECTORY) && filter->Directory &&
        !MatchDirectories(filter, &parts))
        return 0;
    if ((filter->dwFlags & FILTER_FILES) && filter->Files)
        return MatchFiles(filter, &parts) ? 1 : 0;
    return 1;
}

// A pattern part against a URL part: an empty pattern matches only an empty part.
static BOOL MatchEntryPart(const char* pattern, const char* part, BOOL caseSensitive) {
    if (!pattern[0])
        return !part[0];
    return MatchWildcard(pattern, part, TRUE, caseSensitive);
}

static BOOL MatchEntryNode(const EntryPageFilter* node, const char* url, const UrlParts* parts,
                           BOOL caseSensitive) {
    const char* star = strchr(node->szDirectory, '*');
    size_t dirLen = strlen(node->szDirectory);
    if (!node->szName[0] && !node->szExtension[0] && star && star == node->szDirectory + dirLen - 1)
        return MatchWildcard(node->szDirectory, url, TRUE, caseSensitive);
    if (node->szDirectory[0] &&
        !MatchDirectory(node->szDirectory, parts->dir, FALSE, caseSensitive))
        return FALSE;
    return MatchEntryPart(node->szName, parts->name, caseSensitive) &&
           MatchEntryPart(node->szExtension, parts->ext, caseSensitive);
}

int MatchEntryPage(const ProfileFilter* filter, const char* url) {
    if (!url)
        url = "";
    UrlParts parts;
    parts.dir[0] = parts.name[0] = parts.ext[0] = 0;
    SplitURLPath(url, parts.dir, sizeof(parts.dir), parts.name, sizeof(parts.name), parts.ext,
                 sizeof(parts.ext));
    for (const EntryPageFilter* node = filter->EntryPage; node; node = node->Next)
        if (MatchEntryNode(node, url, &parts, filter->EntryPageCaseSensitive))
            return 1;
    return 0;
}
