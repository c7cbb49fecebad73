// Engine start-up and client registration: client slots, the network and
// charting library bindings, and the engine's texts, which come from the
// client's resource module (the engine carries no resources of its own).
#pragma once
#include "ovcore/ovcore_base.h"

// Callbacks a client hands to the engine; all use the Windows convention.

// Shows (or, on unattended runs, logs) one engine message. The ids are the
// string ids of caption and text where the engine has them, else 0; keep is
// 0 from the engine. Called only when the client gave one (ovcarry gives none).
typedef void(CALLBACK* ORB_ERRORDISPLAYPROC)(HWND owner, const char* caption, const char* text,
                                             UINT captionId, UINT messageId, int keep);
// Dispatches the client's pending window messages while the engine waits;
// nonzero when a WM_QUIT was seen.
typedef int(CALLBACK* ORB_PUMPPROC)(void);
// Progress slot 1 (history updates): (item, text, reserved, percent,
// reserved); an answer of 7 asks to stop.
typedef int(CALLBACK* ORB_UPDATEPROGRESSPROC)(int item, const char* text, int reserved, int percent,
                                              int reserved2);
// Progress slot 2 (summaries): percent, or 65535 between units of work; an
// answer of 0 asks to stop.
typedef int(CALLBACK* ORB_PERCENTPROC)(int percent);

// Text given for every engine string the client module lacks.
#define ORB_STRING_NOT_FOUND "String Not Found!"
// The engine's string ids: 5500 .. 5749.
#define ORB_FIRST_STRING_ID 5500
#define ORB_LAST_STRING_ID 5749

// Registers a client. dataFolder ends in a backslash (doubled backslashes are
// collapsed); timeout and reserved are ignored; clientId is kept as 16 bits;
// networkStatus (may be null) receives 1 when WinSock and the FTP library were
// both bound, else 0; resources is the module the engine loads its texts from
// (0: the calling program); token is kept for the charting library start.
// Result: the slot 0..2, or -1 when no slot is left (three registrations per
// loaded library) or memory runs out.
ORB_EXPORT(short)
ORB_Register(const char* dataFolder, int timeout, int clientId, ORB_PUMPPROC pump,
             DWORD* networkStatus, HINSTANCE resources, DWORD_PTR reserved, HANDLE token,
             ORB_ERRORDISPLAYPROC errorDisplay);
// Unattended (nonzero): engine messages that would show a box go to the debug
// output and the standard error instead, and the box's default answer is
// taken. For clients that run without anyone to answer (scheduled and
// command-line reports); off again with 0.
ORB_EXPORT(void) ORB_SetUnattended(BOOL unattended);
// Releases a slot; engine-wide resources go with the last registered slot.
// Unknown or free slots are ignored.
ORB_EXPORT(void) ORB_DeRegister(short slot);

// Binds WinSock and FTP4W32 (all or nothing) when networkStatus is not null
// and stores 1/0 there; installs the pump as progress slot 3. Always 0.
ORB_EXPORT(short) ACP_Register(WORD ignored, ORB_PUMPPROC pump, DWORD* networkStatus);
// Stops the charting library (mode 1) and unbinds the network libraries. 0.
ORB_EXPORT(short) ACP_DeRegister(WORD ignored);

// Starts the charting library: mode 1 from the plug-in (not on Windows NT
// before 4), mode 0 from each report run (only there). token: opaque
// impersonation token or 0. Failure is shown through the error display and
// leaves graphing off.
ORB_EXPORT(void) InitGSWLibrary(int mode, HANDLE token);
// Nonzero when the charting library was started successfully.
ORB_EXPORT(BOOL) ORB_IsGraphingAvailable(void);

// The text of engine string id (5500..5749), cached until the last client
// leaves; ORB_STRING_NOT_FOUND for other ids or a missing string (not
// cached, so a later call tries again). Never null.
ORB_EXPORT(const char*) LoadCachedString(UINT id);
// A NUL-terminated copy of the client module's "TEXT" resource id, sharing
// the cache with LoadCachedString; ORB_STRING_NOT_FOUND when missing/empty.
ORB_EXPORT(const char*) LoadTextResource(UINT id);

// Fills buffer (room for 8192 characters) with the text of a field or method
// code, or "Unknown StringID=%x". Always 0.
ORB_EXPORT(short) ORB_GetSetString(int code, char* buffer, WORD ignored);

// The error display of the last registration (null when none).
extern "C" OVCORE_API ORB_ERRORDISPLAYPROC glpfnDisplayReportError;
