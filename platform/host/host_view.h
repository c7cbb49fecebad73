// ovhost --view: the View Log File dialog of a profile (host code 15), run
// interactively; given picture files, the host takes a picture of the
// dialog, presses Start, and takes one of the finished viewer before it
// closes it.
#pragma once
#include "host_session.h"

// 0 when the dialog ran (and every picture asked for was written), else 1.
int ViewLogFile(HostSession& session, const ProfileListEntry& entry, const char* dialogPicture,
                const char* viewerPicture);
