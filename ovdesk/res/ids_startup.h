// Resource ids of start-up and the shared services.
#pragma once

// Icon table of the plug-in.
#define IDI_DESK_MAIN 116
#define IDI_DESK_906 906
#define IDI_DESK_907 907
#define IDI_DESK_908 908
#define IDI_DESK_909 909

// Texts.
#define IDS_NOT_AVAILABLE 9100 // "N/A"
#define IDS_NONE_SELECTED 9257 // "<< None Selected >>"
