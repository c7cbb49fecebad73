// Designer templates: each section of a template as an editable item, the
// merge with a user-edited template, and the rewrite of a template from a
// list of items.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "ovcore/designer_template.h"
#include "ovcore/report_template.h"
#include "template_markers.h"

namespace {

struct ItemScan {
    const char* path;
    std::vector<TemplateItem> items;
    bool open = false;
    bool failed = false;

    void Marker(const std::string& text, const TemplateMarker& m) {
        if (m.name.size() < 10 || failed)
            return;
        if (MarkerNameEndsWith(m.name, "BeginSection")) {
            TemplateItem item = {};
            item.Edited = 1;
            item.SectionStart = (DWORD)m.lineStart;
            item.Kind = (WORD)GetTemplateItemKind(m.settings.c_str());
            lstrcpynA(item.Title, BracedField(m.settings).c_str(), sizeof item.Title);
            items.push_back(item);
            open = true;
            return;
        }
        if (!open)
            return;
        TemplateItem& item = items.back();
        size_t close = m.settings.find(']');
        if (MarkerNameEndsWith(m.name, "EndSection")) {
            size_t lineEnd = text.find('\n', m.end);
            size_t end = lineEnd == std::string::npos ? text.size() : lineEnd + 1;
            // A section too long for its 16-bit length, or a source path cut
            // short, cannot be written back.
            if (end - item.SectionStart > 0xFFFF || strlen(path) >= sizeof item.Source)
                failed = true;
            item.SectionLength = (WORD)(end - item.SectionStart);
            item.Edited = 0;
            lstrcpynA(item.Source, path, sizeof item.Source);
            open = false;
        } else if (MarkerNameEndsWith(m.name, "Graph")) {
            item.SettingsOffset = (WORD)(m.settingsStart - item.SectionStart);
            item.SettingsLength = (WORD)(close == std::string::npos ? m.settings.size() : close);
            ParseGraphSpec(m.settings.c_str(), &item.Graph, 0);
        } else if (!MarkerNameEndsWith(m.name, "%EndRepeat") && close != std::string::npos) {
            size_t comma = m.settings.find(',');
            if (comma == std::string::npos || comma > close)
                return;
            item.SettingsOffset = (WORD)(m.settingsStart + comma + 1 - item.SectionStart);
            item.SettingsLength = (WORD)(close - comma - 1);
            item.TopCount = (WORD)strtoul(m.settings.c_str() + comma + 1, NULL, 10);
        }
    }
};

bool ParseItems(const char* path, std::vector<TemplateItem>& items, std::string* header) {
    std::string text;
    if (!ReadTemplateText(path, text))
        return false;
    if (header)
        *header = TemplateHeaderText(text);
    ItemScan scan{path};
    ForEachTemplateMarker(text, [&](const TemplateMarker& m) { scan.Marker(text, m); });
    items.swap(scan.items);
    return !scan.failed;
}

bool Fixed(const TemplateItem& item) {
    return item.Kind == 3 || item.Kind == 4;
}

void Merge(std::vector<TemplateItem>& items, const std::vector<TemplateItem>& edited) {
    for (TemplateItem& item : items) {
        item.Include = 0;
        for (const TemplateItem& other : edited) {
            if (Fixed(other) || other.Kind != item.Kind || _stricmp(other.Title, item.Title) != 0)
                continue;
            item = other;
            item.Include = 1;
            break;
        }
    }
}

// Copies the block out to the caller; false when memory is short.
bool HandOut(const std::vector<TemplateItem>& items, WORD* count, HGLOBAL* block) {
    if (items.empty())
        return true;
    if (items.size() > 0xFFFF)
        return false;
    size_t bytes = items.size() * sizeof(TemplateItem);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* locked = memory ? GlobalLock(memory) : NULL;
    if (!locked) {
        if (memory)
            GlobalFree(memory);
        return false;
    }
    memcpy(locked, items.data(), bytes);
    GlobalUnlock(memory);
    *block = memory;
    *count = (WORD)items.size();
    return true;
}

const char* const kGraphWords[] = {"STACKEDBARS", "BARS", "ZBARS",   "PIE",
                                   "AREA",        "LINE", "SIDEBAR", "SIDESTACKEDBARS"};
const char* const kDataWords[] = {"Hits", "Percent", "Users", "Bytes"};

std::string RebuiltSettings(const TemplateItem& item) {
    char text[512];
    if (item.Kind == 1 || item.Kind == 3) {
        const GraphRequest& g = item.Graph;
        snprintf(text, sizeof text, "%s, {%s}, %s, %s {%s}, %s {%s}, %d-%d,%lx%s",
                 kGraphWords[g.GraphType & 7], g.Title, g.ThreeD ? "3D" : "2D",
                 g.Timeline ? "Timeline" : "Items", g.AxisLabel, kDataWords[g.DataKind & 3],
                 g.DataLabel, g.First, g.Last, (unsigned long)g.Color, g.Total ? ":Total" : "");
    } else {
        snprintf(text, sizeof text, "%d", item.TopCount);
    }
    return text;
}

struct TemplateWriter {
    std::map<std::string, std::string> sources;
    std::string out;

    const std::string* Source(const char* path) {
        auto found = sources.find(path);
        if (found != sources.end())
            return &found->second;
        std::string text;
        if (!ReadTemplateText(path, text))
            return nullptr;
        return &(sources[path] = text);
    }

    // Appends a byte range of text; false when it lies outside.
    bool Range(const std::string& text, size_t from, size_t length) {
        if (from > text.size() || length > text.size() - from)
            return false;
        out.append(text, from, length);
        return true;
    }

    bool Item(const TemplateItem& item) {
        const std::string* text = Source(item.Source);
        if (!text)
            return false;
        if (!item.Edited || (!item.SettingsOffset && !item.SettingsLength))
            return Range(*text, item.SectionStart, item.SectionLength);
        size_t afterSettings = (size_t)item.SettingsOffset + item.SettingsLength;
        if (afterSettings > item.SectionLength)
            return false;
        out += text->substr(item.SectionStart, item.SettingsOffset);
        out += RebuiltSettings(item);
        return Range(*text, item.SectionStart + afterSettings, item.SectionLength - afterSettings);
    }
};

bool WriteWhole(const char* path, const std::string& text) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok =
        WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL) && written == text.size();
    CloseHandle(file);
    if (!ok)
        DeleteFileA(path);
    return ok;
}

} // namespace

ORB_EXPORT(int)
ORB_ReadTemplateItemList(const char* path, const char* second, WORD* count, HGLOBAL* block,
                         char* header) {
    *count = 0;
    *block = NULL;
    std::vector<TemplateItem> items, edited;
    std::string headerText;
    if (!ParseItems(path, items, &headerText))
        return 0;
    if (header)
        lstrcpynA(header, headerText.c_str(), MAX_PATH);
    if (second) {
        if (!ParseItems(second, edited, NULL))
            return 0;
        Merge(items, edited);
    } else {
        for (TemplateItem& item : items)
            item.Include = Fixed(item) ? 0 : 1;
    }
    return HandOut(items, count, block) ? 1 : 0;
}

ORB_EXPORT(int)
ORB_WriteTemplateItemList(const char* path, WORD count, HGLOBAL block, const char* header) {
    const TemplateItem* items = block ? static_cast<const TemplateItem*>(GlobalLock(block)) : NULL;
    if (!items || count == 0) {
        if (items)
            GlobalUnlock(block);
        return 0;
    }
    TemplateWriter w;
    const std::string* first = w.Source(items[0].Source);
    bool ok = first && items[0].SectionStart <= first->size();
    if (ok) {
        std::string head = first->substr(0, items[0].SectionStart);
        size_t from = std::string::npos, to = 0;
        TemplateHeaderText(head, &from, &to);
        if (header && from != std::string::npos)
            head.replace(from, to - from, header);
        w.out = head;
    }
    for (WORD i = 0; ok && i < count; ++i)
        if (items[i].Include == 1)
            ok = w.Item(items[i]);
    const TemplateItem& last = items[count - 1];
    const std::string* lastText = ok ? w.Source(last.Source) : nullptr;
    size_t after = (size_t)last.SectionStart + last.SectionLength;
    ok = lastText && after <= lastText->size() &&
         w.Range(*lastText, after, lastText->size() - after);
    GlobalUnlock(block);
    return ok && WriteWhole(path, w.out) ? 1 : 0;
}
