// ovhost --intranet | --adviews | --language [PICTURES]: the intranet list
// (host code 17), the ad-views list (code 18) and the report-language
// editor, run interactively. Given a picture prefix, the host takes a
// picture of the editor (PICTURES1.bmp) and of its add or find dialog
// (PICTURES2.bmp), then closes both.
#pragma once
#include "host_session.h"

// True for the three options above.
bool IsListEditorCommand(const char* option);
// 0 when the editor ran (and, in picture mode, both pictures were written).
int OpenListEditor(HostSession& session, const char* option, const char* picturePrefix);
