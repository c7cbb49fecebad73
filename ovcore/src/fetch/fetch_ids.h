// Engine string ids of the fetch texts.
#pragma once

// Status texts (followed by a source or file name).
#define IDS_FETCH_ACCESSING 5600
#define IDS_FETCH_FTP_LOGIN 5601
#define IDS_FETCH_RETRIEVING 5603
#define IDS_FETCH_HTTP_LOGIN 5607

// Error texts of the engine's own (one %s each).
#define IDS_FETCH_REMOTE_UNAVAILABLE 5608
#define IDS_FETCH_NAME_TOO_LONG 5609
#define IDS_FETCH_PROFILE_UNREADABLE 5610
#define IDS_FETCH_NO_MEMORY 5611

// Errors of the HTTP and FTP roads (one %s each: the profile, or the remote
// name).
#define IDS_FETCH_FILE_FAILED 5570 // the remote name, then the reason
#define IDS_FETCH_ONE_SERVER 5571
#define IDS_FETCH_HTTP_STATUS 5572 // %d then %s
#define IDS_FETCH_CUT_SHORT 5573
#define IDS_FETCH_HEAD_TOO_LONG 5574
#define IDS_FETCH_REQUEST_TOO_LONG 5575
#define IDS_FETCH_NO_CONNECTION 5576
#define IDS_FETCH_WRITE_FAILED 5577
#define IDS_FETCH_BAD_ANSWER 5578
