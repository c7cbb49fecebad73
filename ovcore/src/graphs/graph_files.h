// The files of one report graph: the drawn bitmap and the temporary image in
// TempGraphFiles below the reports folder, the final image beside the
// report's pages.
#pragma once
#include <windows.h>

#define GRAPH_FORMAT_GIF 0
#define GRAPH_FORMAT_JPEG 1
#define GRAPH_FORMAT_METAFILE 2

struct GraphFiles {
    char bitmap[MAX_PATH];    // what the charting library draws (metafiles: the image itself)
    char temporary[MAX_PATH]; // the converted image before it is copied
    char final[MAX_PATH];     // beside the report's pages
};

// Names graph number (01 for the first) of the report at outputPath in
// format (GRAPH_FORMAT_), deleting files left under those names; creates
// TempGraphFiles when missing. 1, or 0 when a name does not fit.
int GetTempGraphFolder(const char* outputPath, DWORD number, int format, GraphFiles* out);

// Turns the bitmap into the final image (GIF, or JPEG of quality 50),
// through the imaging library; a metafile is copied as drawn. The
// intermediate files are deleted. 1 on success, 0 on failure.
int ConvertGraphImage(const GraphFiles* files, int format);
