// ovhost --schedule-picture KIND PICTURE.bmp: the scheduler's dialogs, run
// interactively, pictured once and cancelled. Kinds: "new" (code 7 for a new
// event), "edit" (code 7 on the first stored event), "mail" (a new event
// with a mailto: destination chosen) and "add" (the add-event dialog).
#pragma once
#include "host_session.h"

// 0 when the dialog was shown and its picture written; else 1 with a line on
// stderr. Nothing is stored: every dialog is cancelled.
int PictureScheduleDialog(HostSession& session, const char* kind, const char* picture);
// The whole command: argv[2] the kind, argv[3] the picture; opens the
// plug-in of folder interactively and lists the profiles first. Exit code.
int RunSchedulePictures(int argc, char** argv, const std::string& folder);
