// Resource ids of the import program's dialogs.
#pragma once
#define IDD_CHOOSE 101
#define IDD_PLEASE_WAIT 102

// Choose dialog: the check boxes in item order, then the sizes.
#define IDC_FIRST_ITEM 1000
#define IDC_LAST_ITEM 1006
#define IDC_SIZE_PROFILES 1007
#define IDC_SPACE_LABEL 1008
#define IDC_SIZE_REPORTS 1009
#define IDC_SIZE_SCHEDULE 1010
#define IDC_SIZE_ADVIEWS 1012
#define IDC_SIZE_SETTINGS 1013
#define IDC_SIZE_INTRANET 1014
#define IDC_SIZE_DATABASES 1015
#define IDC_SIZE_TOTAL 1017
#define IDC_SIZE_FREE 1018

// Please-wait dialog.
#define IDC_WAIT_FILE 1009
#define IDC_WAIT_STEP 1010
