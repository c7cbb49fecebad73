// What the viewer's files share.
#pragma once
#include "viewer/viewer_request.h"
#include "printing/print_layout.h"

enum { VIEWER_FACE_SIZE = 30 };

struct ViewerState {
    ViewerRequest* Request = nullptr;
    HWND Dialog = nullptr;
    LRESULT ShownId = 0; // the control's buffer shown
    BOOL Multi = FALSE;  // two or more sections seen
    DWORD LastCount = 0;
    HFONT Font = nullptr;
    RECT Client = {}; // client rectangle before the last resize
    POINT MinTrack = {};
    char FileName[MAX_PATH] = ""; // a multi save's file
    int FileType = 0;
};
ViewerState& Viewer(void);
HWND ViewerText(void);

// Fonts (viewer_fonts.cpp).
void FillFaceList(HWND dialog, const char* face);
void FillSizeList(HWND dialog, const char* face, int size);
// The face and size chosen in the lists (defaults "Arial" and 8).
void ReadFontChoice(HWND dialog, char* face, int* size);
int FacePitchAndFamily(const char* face);
// Defines attributes 1-16 for face and size (entry 0 left empty).
void BuildAttributes(const char* face, int size, CstTextAttribute* attributes);
// Applies face and size to the text view; 0 when the font could not be made.
int ApplyViewerFont(HWND dialog, const char* face, int size);
void OnFontChoice(HWND dialog, int control);

// Refresh and sections (viewer_refresh.cpp).
void RefreshViewer(HWND dialog);
void ShowPageNumbers(HWND dialog);
void CompleteViewer(HWND dialog);
void DrawBuildProgress(const DRAWITEMSTRUCT* item);
// Switches to section index (or by step -1 / +1 when index is negative).
void SwitchSection(HWND dialog, int command, int index);
// The status caption of the current section.
void ShowSectionCaption(HWND dialog);

// Print and save (viewer_output.cpp).
void PrintOrSave(HWND dialog, BOOL print);
void FindNext(HWND dialog);

// Placement (viewer_place.cpp).
void RememberLayout(HWND dialog);
void PlaceViewer(HWND dialog);
void StorePlacement(HWND dialog);
void ResizeViewer(HWND dialog);
