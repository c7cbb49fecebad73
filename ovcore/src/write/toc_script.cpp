#include "toc_script.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "core/message_sink.h"
#include "core/template_io.h"

namespace {

struct TocBuilder {
    std::string chapterLines;
    std::string itemLines;
    std::string previousChapter;
    bool anyChapter = false;
    int chapterCount = 0;
    int itemCount = 0;
    std::string counts; // "CHAPTERS[c] = n" per chapter
    int currentChapterItems = 0;

    void CloseChapter() {
        if (!anyChapter)
            return;
        char line[64];
        snprintf(line, sizeof line, "CHAPTERS[%d] = %d\r\n", chapterCount, currentChapterItems);
        counts += line;
    }

    static std::string ItemLine(const char* array, int number, const std::string& page,
                                const std::string& anchor, const std::string& title) {
        char head[64];
        snprintf(head, sizeof head, "%s[%d] = new anItem(", array, number);
        return head + ("\"" + page + "#" + anchor + "\",\"" + title + "\")\r\n");
    }

    void Add(const std::string& page, const std::string& anchor, const std::string& chapter,
             const std::string& item) {
        if (!anyChapter || chapter != previousChapter) {
            CloseChapter();
            anyChapter = true;
            previousChapter = chapter;
            ++chapterCount;
            currentChapterItems = 0;
            chapterLines += ItemLine("VOLUMES", chapterCount, page, anchor, chapter);
        }
        ++itemCount;
        ++currentChapterItems;
        itemLines += ItemLine("ITEMS", itemCount, page, anchor, item);
    }

    // Text between from and the next mark, or false when there is none.
    static bool Cut(const std::string& text, size_t& from, const char* mark, std::string& out) {
        size_t end = text.find(mark, from);
        if (end == std::string::npos)
            return false;
        out.assign(text, from, end - from);
        from = end + strlen(mark);
        return true;
    }

    void ScanPage(const std::string& page, const std::string& text) {
        size_t at = 0;
        while ((at = text.find("<a name", at)) != std::string::npos) {
            size_t from = text.find('"', at);
            std::string anchor, chapter, item, skipped;
            if (from == std::string::npos)
                return;
            ++from;
            if (!Cut(text, from, "\"", anchor) || !Cut(text, from, "<!--", skipped) ||
                !Cut(text, from, "::", chapter) || !Cut(text, from, "-->", item))
                return;
            Add(page, anchor, chapter, item);
            at = from;
        }
    }
};

// The page's name after its last backslash.
std::string BareName(const char* path) {
    const char* slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

} // namespace

bool BuildTocScript(const char* pageList, std::string& out) {
    out.clear();
    TocBuilder toc;
    for (const char* page = pageList; page && *page; page += strlen(page) + 1) {
        HANDLE file = CreateFileA(page, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        char message[MAX_PATH + 64];
        if (file == INVALID_HANDLE_VALUE) {
            snprintf(message, sizeof message, "Cannot Load %s file", page);
            Engine_MessageBox(NULL, message, "Load Error", MB_OK);
            return false;
        }
        std::string text;
        bool read = ReadWholeFile(file, text);
        CloseHandle(file);
        if (!read)
            return true; // silently: the script stays empty
        toc.ScanPage(BareName(page), text);
    }
    toc.CloseChapter();
    if (toc.chapterCount > 0)
        out = toc.counts + "\r\n" + toc.itemLines + "\r\n" + toc.chapterLines;
    return true;
}
