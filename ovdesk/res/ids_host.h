// Resource ids of the host interface.
#pragma once

#define IDD_LOG_INFO_PANEL 119
#define IDC_INFO_SIZE 30010
#define IDC_INFO_FIRST 30011
#define IDC_INFO_LAST 30012

#define IDS_KILOBYTES 5729       // "K"
#define IDS_PROFILE_HELP 5740    // the plug-in's one-line description
#define IDS_COULD_NOT_BUILD 9250 // "Could NOT build the summary."
