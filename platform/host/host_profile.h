// ovhost --new, --edit, --copy and --maintain: the profile sheet (host codes
// 2 and 4) and the database maintenance dialog (code 21), run
// interactively. Given a picture prefix, the host takes a picture of each
// page it can reach (prefix + "1.bmp", "2.bmp", ...), then presses OK on an
// edited profile and Cancel on a new or copied one; the maintenance dialog
// gets one picture (prefix + "1.bmp") and is closed.
#pragma once
#include "host_session.h"

// Code 2 (entry null: new profile; else edit) or 4 (copy of entry). The
// plug-in saves what the sheet made with ORB_UpdateOrbisEntry. 0 when the
// profile was saved, or in picture mode when every page's picture was
// written; else 1.
int EditProfileByCode(HostSession& session, int code, ProfileListEntry* entry,
                      const char* picturePrefix);
// Code 21; 0 when the dialog ran (and its picture was written), else 1.
int MaintainDatabases(HostSession& session, const char* picturePrefix);
