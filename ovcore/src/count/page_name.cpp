// The page name of a hit: server prefix, folder, file and query of its URL
// in one buffer of the run (valid until the next hit), and the home-page
// counter that compares it with the run's home page.
#include "hit_updaters.h"
#include "ovcore/logread.h"

#include <string.h>

#include "core/engine_settings.h"
#include "ovkit/pathutil.h"
#include "ovkit/urlutil.h"
#include "run/url_types.h"
#include "ovkit/text_copy.h"

#define PAGE_NAME_MAX 1299 // characters of the page name
#define PAGE_PART_MAX 259  // characters of its folder, file name and extension
#define QUERY_MAX 1023

namespace {

// Bounded appends to the page name.
struct PageWriter {
    char* text;
    size_t length;
    void Append(const char* part, size_t n) {
        if (n > PAGE_NAME_MAX - length)
            n = PAGE_NAME_MAX - length;
        memcpy(text + length, part, n);
        length += n;
        text[length] = 0;
    }
    void Append(const char* part) { Append(part, strlen(part)); }
    // A '/' unless the name is empty or already ends in a separator.
    void EnsureEndSlash() {
        if (length && text[length - 1] != '/' && text[length - 1] != '\\')
            Append("/", 1);
    }
};

// Folder (through its last separator), file name and extension of a path,
// each cut at PAGE_PART_MAX characters.
void SplitPath(const char* path, char* folder, char* name, char* extension) {
    const char* file = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\' || *p == ':')
            file = p + 1;
    OvkitCopyPart(folder, PAGE_PART_MAX + 1, path, size_t(file - path));
    const char* dot = strrchr(file, '.');
    OvkitCopyPart(name, PAGE_PART_MAX + 1, file, dot ? size_t(dot - file) : strlen(file));
    OvkitCopyPart(extension, PAGE_PART_MAX + 1, dot ? dot + 1 : "", dot ? strlen(dot + 1) : 0);
}

// The server prefix of a page taken from the home page: "http://" + host
// for an http home page, else the home-page prefix whole. Made once a run.
const char* HomeServerPrefix(RunContext* run) {
    AccumulateState& s = run->Accum;
    if (!s.HomeServerPrefixMade) {
        char scheme[MAX_PATH], host[MAX_PATH];
        if (OVKIT_ParseURL(run->HomePagePrefix, scheme, host, nullptr, nullptr) &&
            _stricmp(scheme, "http") == 0 && host[0])
            wsprintfA(s.HomeServerPrefix, "http://%s", host);
        else
            lstrcpynA(s.HomeServerPrefix, run->HomePagePrefix, MAX_PATH);
        s.HomeServerPrefixMade = TRUE;
    }
    return s.HomeServerPrefix;
}

bool ServerFromHomePage(const RunContext* run, const HitRecord* hit) {
    return !hit->szServerAddr[0] || run->OverrideMultiHome;
}

void AppendServerPrefix(PageWriter& w, RunContext* run, const HitRecord* hit) {
    if (ServerFromHomePage(run, hit)) {
        w.Append(HomeServerPrefix(run));
        return;
    }
    const char* protocol = hit->lpszProtocol ? hit->lpszProtocol : "";
    w.Append(SameTextPrefix(protocol, "FTP", 3) ? "ftp://" : "http://");
    w.Append(hit->szServerAddr);
}

// name + "." + extension equals an entry of the home-page list.
bool IsDefaultDocument(RunContext* run, const char* name, const char* extension) {
    size_t n = strlen(name);
    for (const FilterString* f = run->HomePageList; f; f = f->Next)
        if (f->lpszText && SameTextPrefix(f->lpszText, name, n) && f->lpszText[n] == '.' &&
            SameText(f->lpszText + n + 1, extension))
            return true;
    return false;
}

} // namespace

void BuildPageName(HitPass* pass) {
    RunContext* run = pass->run;
    const HitRecord* hit = pass->hit;
    RunHitState& h = run->Hits;
    char url[PAGE_NAME_MAX + 2], query[QUERY_MAX + 1] = "";
    OvkitCopyText(url, PAGE_NAME_MAX + 1, hit->lpszUrl ? hit->lpszUrl : "");
    if (char* mark = strchr(url, '?')) {
        OvkitCopyText(query, sizeof query, mark);
        *mark = 0;
    } else if (size_t n = strlen(url)) {
        if (url[n - 1] != '/' && url[n - 1] != '\\') {
            const char* p = url + n;
            while (p > url && !strchr(".\\/:|", p[-1]))
                --p;
            if (p == url || p[-1] != '.') // a last part without a dot is a folder
                OvkitCopyText(url + n, 2, "/");
        }
    }
    char folder[PAGE_PART_MAX + 1], name[PAGE_PART_MAX + 1];
    SplitPath(url, folder, name, pass->extension);

    PageWriter w = {h.PageName, 0};
    h.PageName[0] = 0;
    AppendServerPrefix(w, run, hit);
    h.PathPosition = DWORD(w.length);
    h.ExtensionPosition = -1;
    if (folder[0] != '/' && folder[0] != '\\')
        w.EnsureEndSlash();
    w.Append(folder);
    if (!IsDefaultDocument(run, name, pass->extension)) {
        w.Append(name);
        if (pass->extension[0]) {
            w.Append(".", 1);
            h.ExtensionPosition = int(w.length);
            w.Append(pass->extension);
        }
        w.Append(query);
    }
    if (!name[0] && !pass->extension[0])
        w.EnsureEndSlash();

    pass->isUpload = hit->wMethod == HIT_METHOD_PUT;
    pass->isForm = hit->wMethod == HIT_METHOD_POST ||
                   (hit->wMethod == HIT_METHOD_GET && hit->lpszUrl && strchr(hit->lpszUrl, '?'));
    // A page without an extension (a folder such as "/") is a document
    // unless it carries a query.
    pass->isDocument = IsDocumentUrl(run, hit->lpszUrl ? hit->lpszUrl : "", pass->extension);
}

void CountHomePage(HitPass* pass) {
    RunContext* run = pass->run;
    const HitRecord* hit = pass->hit;
    if (pass->interval >= ANALYSIS_INTERVALS)
        return;
    const char* page = run->Hits.PageName;
    bool home;
    if (hit->wFormat == LOGFMT_COMMA && !Engine_Settings().defaults.overrideIISHomePage) {
        const char* path = page + run->Hits.PathPosition;
        while (*path == '/' || *path == '\\')
            ++path;
        home = !*path;
    } else {
        size_t prefix = strlen(run->HomePagePrefix);
        home = OVKIT_stricmpf(page, run->HomePage) == 0 &&
               (ServerFromHomePage(run, hit) ||
                (prefix && SameTextPrefix(page, run->HomePagePrefix, prefix)));
    }
    if (home)
        ++run->Period.HomePageHits[pass->interval];
}
