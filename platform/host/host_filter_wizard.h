// ovhost --filters "profile.wlp" PICTURES: the filter wizard's pictures.
// The host opens the profile's sheet (code 2), turns to its Filters tab and
// presses Add; in the wizard it ticks every element, so that every page
// comes up, and takes a picture of each page (PICTURES1.bmp, ...) on its
// way to the Summary; then it cancels the wizard and the sheet.
#pragma once
#include "host_session.h"

// 0 when a picture of every wizard page was written, else 1.
int FilterWizardPictures(HostSession& session, ProfileListEntry* entry, const char* prefix);
