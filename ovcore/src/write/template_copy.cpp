// The template's text goes to the page as it stands; each marker's keyword
// goes to the resolver, whose value is written or whose layout marker edits
// the page through the bookmarks. The template is read in chunks; a marker
// cut by a chunk's end is read again at the start of the next chunk.
#include <string.h>

#include "core/progress_callback.h"
#include "page_writer.h"
#include "summary_error.h"
#include "write/report_output.h"

namespace {

LONGLONG Position(HANDLE file) {
    LARGE_INTEGER zero = {}, at = {};
    SetFilePointerEx(file, zero, &at, FILE_CURRENT);
    return at.QuadPart;
}

void SeekTo(HANDLE file, LONGLONG position) {
    LARGE_INTEGER at;
    at.QuadPart = position < 0 ? 0 : position;
    SetFilePointerEx(file, at, NULL, FILE_BEGIN);
}

void CutTo(HANDLE file, LONGLONG position) {
    SeekTo(file, position);
    SetEndOfFile(file);
}

// What this template line wrote is written over by what follows.
void DropLine(PageWriter& w) {
    SeekTo(w.out, Position(w.out) - w.lineBytes);
}

// Cuts back to a bookmark on the current line; the line shrinks by the cut.
void CutLineTo(PageWriter& w, LONGLONG mark) {
    LONGLONG cut = Position(w.out) - mark;
    CutTo(w.out, mark);
    w.lineBytes -= cut;
    if (w.lineBytes < 0)
        w.lineBytes = 0;
}

// Carries out one layout action; FALSE when a page switch failed.
BOOL ApplyLayout(PageWriter& w, int action) {
    LONGLONG* marks = w.bookmarks;
    switch (action) {
    case LAYOUT_BOOKMARK:
        DropLine(w);
        marks[BOOKMARK_GENERAL] = Position(w.out);
        return TRUE;
    case LAYOUT_REMOVE:
        DropLine(w);
        CutTo(w.out, marks[BOOKMARK_GENERAL]);
        return TRUE;
    case LAYOUT_BOOKMARK_LINE:
        marks[BOOKMARK_LINE] = Position(w.out);
        w.lineBytes = 0;
        w.markerFlag = 0;
        return TRUE;
    case LAYOUT_REMOVE_LINE:
        CutLineTo(w, marks[BOOKMARK_LINE]);
        w.markerFlag = 0;
        return TRUE;
    case LAYOUT_BOOKMARK_COLUMN:
        marks[BOOKMARK_COLUMN] = Position(w.out);
        w.markerFlag = 0;
        return TRUE;
    case LAYOUT_REMOVE_COLUMN:
        CutLineTo(w, marks[BOOKMARK_COLUMN]);
        w.markerFlag = 0;
        return TRUE;
    case LAYOUT_BOOKMARK_CHAPTER:
        DropLine(w);
        marks[BOOKMARK_CHAPTER] = Position(w.out);
        return TRUE;
    case LAYOUT_REMOVE_CHAPTER:
        DropLine(w);
        CutTo(w.out, marks[BOOKMARK_CHAPTER]);
        return TRUE;
    case LAYOUT_TOP_OF_FILE:
        DropLine(w);
        return SwitchPage(w);
    default: // "%%Keep%%" and any value that is not a marker
        DropLine(w);
        return TRUE;
    }
}

struct ChunkCopy {
    PageWriter& w;
    char* text;
    DWORD length;   // bytes in the chunk
    BOOL lastChunk; // the chunk reaches the template's end
    DWORD writeFrom = 0;
    DWORD lineStart = 0;
    DWORD used = 0; // bytes of the chunk consumed

    BOOL Write(DWORD from, DWORD to) {
        if (to <= from || w.markerFlag)
            return TRUE;
        DWORD written = 0;
        if (!WriteFile(w.out, text + from, to - from, &written, NULL) || written != to - from) {
            SetSummaryError(SUMMARY_TEXT_FAILED_WRITE, NULL);
            return FALSE;
        }
        return TRUE;
    }

    // Writes the text before a marker at i and counts it into the line.
    BOOL WriteUpTo(DWORD i) {
        if (!Write(writeFrom, i))
            return FALSE;
        if (i > lineStart)
            w.lineBytes += i - lineStart;
        writeFrom = lineStart = i;
        return TRUE;
    }

    BOOL Resolve(const char* keyword, DWORD length) {
        if (length > TEMPLATE_KEYWORD_MAX)
            return TRUE; // an unknown keyword: nothing to write
        char name[TEMPLATE_KEYWORD_MAX + 1];
        memcpy(name, keyword, length);
        name[length] = 0;
        DWORD flag = 0;
        int action = 0;
        WORD result = w.resolve(w.report, w.out, name, w.run, &flag, &action, w.status);
        if (result == 0xFFFF) {
            SetSummaryError(SUMMARY_TEXT_FAILED_WRITE, NULL);
            return FALSE;
        }
        w.lineBytes += result;
        if (!flag)
            return TRUE;
        w.markerFlag = 1;
        return ApplyLayout(w, action);
    }

    // A marker opening at i. 0 failure, 1 handled (i moved past it), 2 the
    // chunk ends here and the marker is read again with the next chunk.
    int Marker(DWORD& i, LONGLONG chunkStart, LONGLONG templateSize) {
        // A stop asked for here does not end the writing: the report is
        // finished without the slow parts (page titles).
        if (templateSize > 0 &&
            CallProgressCallback(FALSE, 0, "", 0, (int)((chunkStart + i) * 100 / templateSize),
                                 0) == PROGRESS_STOP)
            w.run->Output->Keywords.Cancelled = TRUE;
        if (!WriteUpTo(i))
            return 0;
        const char* close = strstr(text + i + 2, "%%");
        if (!close) {
            if (!lastChunk && i > 0)
                return 2;
            // No closing pair within reach: the text stays as it is.
            w.literalMarker = TRUE;
            i += 2;
            return 1;
        }
        DWORD end = (DWORD)(close - text);
        if (!Resolve(text + i + 2, end - i - 2))
            return 0;
        i = writeFrom = lineStart = end + 2;
        return 1;
    }

    // Writes what is left of the chunk before end; the next chunk starts
    // there.
    BOOL EndAt(DWORD end) {
        used = end;
        if (w.stopped)
            return TRUE;
        if (!Write(writeFrom, end))
            return FALSE;
        if (!w.markerFlag && end > lineStart)
            w.lineBytes += end - lineStart;
        return TRUE;
    }

    BOOL Run(LONGLONG chunkStart, LONGLONG templateSize) {
        DWORD i = 0;
        while (i < length && !w.stopped) {
            char c = text[i];
            if (i + 1 == length && !lastChunk && i > 0 && (c == '%' || c == '\\'))
                return EndAt(i); // perhaps the first half of a pair: read again
            if (c == '\\' && i + 1 < length && text[i + 1] == 'n') {
                text[i] = '\r';
                text[i + 1] = '\n';
                c = '\r';
            }
            if (w.markerFlag) {
                if (c == '\n') {
                    w.markerFlag = 0;
                    w.lineBytes = 0;
                    writeFrom = lineStart = i + 1;
                }
                ++i;
                continue;
            }
            if (c == '\n') {
                lineStart = i + 1;
                w.lineBytes = 0;
                ++i;
                continue;
            }
            if (c == '%' && i + 1 < length && text[i + 1] == '%') {
                int handled = Marker(i, chunkStart, templateSize);
                if (handled == 0)
                    return FALSE;
                if (handled == 2)
                    return EndAt(i);
                continue;
            }
            ++i;
        }
        return EndAt(length);
    }
};

} // namespace

BOOL CopyTemplate(PageWriter& w, HANDLE source, char* chunk) {
    LARGE_INTEGER size = {};
    GetFileSizeEx(source, &size);
    LONGLONG position = 0;
    while (!w.stopped && position < size.QuadPart) {
        LARGE_INTEGER at;
        at.QuadPart = position;
        SetFilePointerEx(source, at, NULL, FILE_BEGIN);
        DWORD got = 0;
        if (!ReadFile(source, chunk, TEMPLATE_CHUNK_SIZE, &got, NULL) || got == 0) {
            SetSummaryError(SUMMARY_TEXT_FAILED_WRITE, NULL);
            return FALSE;
        }
        BOOL lastChunk = position + got >= size.QuadPart;
        chunk[got] = 0;
        ChunkCopy copy{w, chunk, got, lastChunk};
        if (!copy.Run(position, size.QuadPart))
            return FALSE;
        position += copy.used;
    }
    if (w.literalMarker)
        SetSummaryError(SUMMARY_TEXT_FAILED_READ, NULL);
    return TRUE;
}
