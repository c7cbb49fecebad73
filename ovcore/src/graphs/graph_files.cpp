#include "graphs/graph_files.h"

#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include "core/vic32_binding.h"
#include "ovcore/settings.h"

static const char* const kExtensions[] = {"gif", "jpg", "wmf"};

// The report file's name without its folder and without its last
// extension (a dotted folder name is left alone).
static void BaseName(const char* outputPath, char* out, size_t size) {
    const char* name = outputPath;
    for (const char* p = outputPath; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    lstrcpynA(out, name, (int)size);
    char* dot = strrchr(out, '.');
    if (dot && dot != out)
        *dot = 0;
}

// The folder of the report file, with its trailing separator (may be empty).
static void FolderOf(const char* outputPath, char* out, size_t size) {
    lstrcpynA(out, outputPath, (int)size);
    char* end = out;
    for (char* p = out; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            end = p + 1;
    *end = 0;
}

static bool Fits(int written, size_t size) {
    return written > 0 && (size_t)written < size;
}

int GetTempGraphFolder(const char* outputPath, DWORD number, int format, GraphFiles* out) {
    memset(out, 0, sizeof *out);
    if (!outputPath || format < GRAPH_FORMAT_GIF || format > GRAPH_FORMAT_METAFILE)
        return 0;
    char reports[MAX_PATH] = "", base[MAX_PATH], folder[MAX_PATH];
    if (!ORB_GetReportsPath(reports))
        reports[0] = 0;
    size_t length = strlen(reports);
    const char* separator = length && reports[length - 1] != '\\' ? "\\" : "";
    char temp[MAX_PATH];
    if (!Fits(snprintf(temp, sizeof temp, "%s%sTempGraphFiles", reports, separator), sizeof temp))
        return 0;
    SHCreateDirectoryExA(NULL, temp, NULL); // with the reports folder when it is missing
    BaseName(outputPath, base, sizeof base);
    FolderOf(outputPath, folder, sizeof folder);
    const char* ext = kExtensions[format];
    if (!Fits(snprintf(out->bitmap, MAX_PATH, "%s\\%s%02lu.%s", temp, base, (unsigned long)number,
                       format == GRAPH_FORMAT_METAFILE ? ext : "bmp"),
              MAX_PATH) ||
        !Fits(snprintf(out->temporary, MAX_PATH, "%s\\%s%02lu.%s", temp, base,
                       (unsigned long)number, ext),
              MAX_PATH) ||
        !Fits(snprintf(out->final, MAX_PATH, "%s%s%02lu.%s", folder, base, (unsigned long)number,
                       ext),
              MAX_PATH))
        return 0;
    DeleteFileA(out->bitmap);
    DeleteFileA(out->temporary);
    DeleteFileA(out->final);
    return 1;
}

// bmpinfo, allocimage, loadbmp and the save: any non-zero result fails.
static bool Convert(const char* bitmap, const char* image, int format) {
    const Vic32Binding* vic = Vic32_Get();
    BITMAPINFOHEADER info = {};
    if (!vic || vic->BmpInfo(bitmap, &info) != 0)
        return false;
    VicImage picture;
    if (vic->AllocImage(&picture, info.biWidth, info.biHeight, 24) != 0)
        return false;
    bool ok = vic->LoadBmp(bitmap, &picture) == 0 &&
              (format == GRAPH_FORMAT_GIF ? vic->SaveGif(image, &picture)
                                          : vic->SaveJpg(image, &picture, 50)) == 0;
    vic->FreeImage(&picture);
    return ok;
}

int ConvertGraphImage(const GraphFiles* files, int format) {
    bool ok = format == GRAPH_FORMAT_METAFILE || Convert(files->bitmap, files->temporary, format);
    if (ok && lstrcmpiA(files->temporary, files->final) != 0)
        ok = CopyFileA(files->temporary, files->final, FALSE) != 0;
    if (lstrcmpiA(files->bitmap, files->final) != 0)
        DeleteFileA(files->bitmap);
    if (lstrcmpiA(files->temporary, files->final) != 0)
        DeleteFileA(files->temporary);
    return ok ? 1 : 0;
}
