// Resource ids of the scheduler's dialogs.
#pragma once

#define IDD_SCHEDULE_SUMMARY 740
#define IDC_SCHED_MEMORIZED 15230
#define IDC_SCHED_NEW 15045
#define IDC_SCHED_PROFILE 15240
#define IDC_SCHED_TIME 15700
#define IDC_SCHED_DATE 15710
#define IDC_SCHED_REPEAT 15720
#define IDC_SCHED_UNIT 15730
#define IDC_SCHED_KIND 15470
#define IDC_SCHED_TARGET 15430
#define IDC_SCHED_BROWSE 15460
#define IDC_SCHED_EXAMPLE 15480
#define IDC_SCHED_MAIL_LABEL 32002
#define IDC_SCHED_MAIL 32003
#define IDC_SCHED_MAIL_EXAMPLE 32004
#define IDC_SCHED_PICTURE 1133
#define IDC_SCHED_HELP 16200
// Captions set bold with the dialog's title font.
#define IDC_SCHED_TITLE_REPORT 30001
#define IDC_SCHED_TITLE_PROFILE 30002

// The add-event dialog: the host's own template has these ids; this one
// serves the stand-in host and the tests.
#define IDD_SCHEDULER_ADD 745
#define IDC_ADD_KIND_MR 15200
#define IDC_ADD_KIND_MSS 15205
#define IDC_ADD_KIND_MG 15210
#define IDC_ADD_KIND_ME 15220
