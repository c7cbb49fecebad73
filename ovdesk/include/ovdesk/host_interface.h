// The boundary between ovdesk.dll and the host program that loads it.
//
// The host reaches the plug-in only through the three exports below, hands
// its own callbacks over by slot code (SupplyCallback) and asks for the
// plug-in's entry functions by code (IsFunctionSupported). Exports and entry
// functions use the C calling convention; the host's callbacks use the
// Windows one. Both sides bind through the declarations of this header
// (decltype), never through hand-written pointer types.
#pragma once
#include <windows.h>
#include <cstddef>

struct AnalysisProfile;
struct ScheduleEvent;

#ifdef OVDESK_BUILD
#define OVDESK_HOST_API extern "C" __declspec(dllexport)
#else
#define OVDESK_HOST_API extern "C" __declspec(dllimport)
#endif

// Result codes of the entry functions.
enum HostResult {
    HOST_DONE = 1,
    HOST_CANCELLED = 2,
    HOST_NO_MEMORY = 3, // also: nothing to work on, feature missing
    HOST_END = 5,       // end of an enumeration
    HOST_NOTHING_TO_DO = 6,
};

#pragma pack(push, 1)
// Records handed to the host (ProfileListEntry, ScheduleListEntry) are
// zero-filled blocks of the process heap: whoever owns one last frees it with
// HeapFree(GetProcessHeap(), 0, entry), whichever runtime either side uses.

// One profile as the host lists it. The plug-in allocates it and hands it
// out; the host owns and frees it afterwards.
struct ProfileListEntry {
    DWORD One1;                // always 1
    DWORD One2;                // always 1 (the info panel looks at this word)
    char Description[80];      // profile description
    char ServerText[520];      // protocol prefix and first log path
    char FileName[260];        // base name "." extension
    DWORD LogSizeKB;           // size of the profile's logs
    DWORD FirstLogTime;        // seconds since 1970, or 0
    DWORD LastLogTime;         // seconds since 1970, or 0
    DWORD DatabaseAndRealtime; // history database and realtime analysis both on
    DWORD Realtime;            // realtime analysis on
    AnalysisProfile* Profile;  // owned by the plug-in's loaded list
};

// One scheduled event as the host lists it; allocated by the plug-in.
struct ScheduleListEntry {
    DWORD_PTR HostHandle;  // host handle of the event's profile (slot 8); 4 bytes on 32-bit
    char FilePath[1186];   // the event's .las file; empty for a realtime event
    DWORD Time;            // start, seconds since 1970
    DWORD RepeatType;      // 0..4, or 5 when the event runs once
    DWORD RepeatIncrement; // repeat units between runs
    DWORD Active;          // armed
    DWORD RemoteRequest;   // 1 when the event came from a remote request
    DWORD Immediate;       // handed through from the event
    DWORD RealtimeFlag;    // the realtime event of a profile
    ScheduleEvent* Event;  // the event in the plug-in's list
};

// One scheduled activity; zero-filled when made, texts terminated in place.
// The host's add-event dialog (SchedulerAddDlg) fills a buffer of the
// host's, which knows the fields only by their order: no padding.
struct ScheduleEvent {
    WORD Version; // 256 from the editors
    WORD Immediate;
    WORD Active;
    DWORD Time; // seconds since 1970, entered as local time
    WORD RepeatIncrement;
    WORD RepeatType; // 0 minutes .. 4 months
    char Memorized[41];
    char Server[40];
    char SetName[15];
    char SetExtension[4];
    char SetDescription[80];
    char FilePath[MAX_PATH];
    BYTE Remote;       // EventRemote
    WORD ActivityType; // DefinitionKind
    char SaveAsUsername[41];
    char SaveAsPassword[41];
    char SaveAsFilename[MAX_PATH];
    WORD SaveAsFileType; // 1-based
};
#pragma pack(pop)
static_assert(sizeof(ScheduleEvent) == 801, "ScheduleEvent is 801 bytes");
static_assert(offsetof(ScheduleEvent, Memorized) == 14, "ScheduleEvent layout");
static_assert(offsetof(ScheduleEvent, Remote) == 454, "ScheduleEvent layout");
static_assert(offsetof(ScheduleEvent, SaveAsFileType) == 799, "ScheduleEvent layout");

#if !defined(_WIN64)
static_assert(sizeof(ProfileListEntry) == 892, "ProfileListEntry is 892 bytes");
static_assert(offsetof(ProfileListEntry, LogSizeKB) == 868, "ProfileListEntry layout");
static_assert(offsetof(ProfileListEntry, Profile) == 888, "ProfileListEntry layout");
static_assert(sizeof(ScheduleListEntry) == 1222, "ScheduleListEntry is 1222 bytes");
static_assert(offsetof(ScheduleListEntry, Time) == 1190, "ScheduleListEntry layout");
static_assert(offsetof(ScheduleListEntry, Event) == 1218, "ScheduleListEntry layout");
#endif

// ---- Host callbacks (Windows convention), by SupplyCallback slot ----------
// Slot 1: shows a status text.
typedef void(CALLBACK* HostStatusProc)(const char* text);
// Slot 7: called with a profile's title while the engine refreshes it.
typedef int(CALLBACK* HostRefreshProc)(const char* title);
// Slot 8: the host's handle of a profile; 1 on success.
typedef int(CALLBACK* HostFindProfileProc)(AnalysisProfile* profile, DWORD_PTR* handle);
// Slot 9: adds or replaces a schedule entry.
typedef int(CALLBACK* HostAddScheduleProc)(ScheduleListEntry* entry);
// Slot 10: realtime progress (item, text, reserved, percent, reserved); 7 stops.
typedef int(CALLBACK* HostRealtimeProgressProc)(int item, const char* text, int reserved,
                                                int percent, int reserved2);
// Slot 12: removes the schedule entry of a profile.
typedef int(CALLBACK* HostRemoveScheduleProc)(AnalysisProfile* profile, ScheduleListEntry* entry);
// Slot 13: adds one profile entry to the host's list.
typedef int(CALLBACK* HostAddProfileProc)(ProfileListEntry* entry);
// Any slot as stored; cast to the slot's type above before calling.
typedef void(CALLBACK* HostCallback)(void);

// Slot codes.
enum HostSlot {
    HOST_SLOT_STATUS = 1,
    HOST_SLOT_REFRESH = 7,
    HOST_SLOT_FIND_PROFILE = 8,
    HOST_SLOT_ADD_SCHEDULE = 9,
    HOST_SLOT_REALTIME_PROGRESS = 10,
    HOST_SLOT_REMOVE_SCHEDULE = 12,
    HOST_SLOT_ADD_PROFILE = 13,
};

// Any entry function as handed out; cast to the code's declaration below.
typedef int(__cdecl* HostEntry)(void);

// ---- The three exports ------------------------------------------------------
// Sets the three flags to 1, copies the module title (at most 80 bytes with
// its zero) into title, starts the charting library; returns 1.
OVDESK_HOST_API int __cdecl InitializeSupportLibrary(DWORD_PTR hostValue, int* flag1, int* flag2,
                                                     int* flag3, char* title);
// Stores function in the slot of code 1..10, 12 or 13 and returns 1; any
// other code stores nothing and returns 0.
OVDESK_HOST_API int __cdecl SupplyCallback(int code, HostCallback function);
// The entry function of a code, or null when the plug-in has none.
OVDESK_HOST_API HostEntry __cdecl IsFunctionSupported(int code);

// ---- Entry functions (C convention), by IsFunctionSupported code ----------
// They are not exported: the host gets them from IsFunctionSupported and
// casts with decltype(&Name).
extern "C" {
// 1: Create Report dialog for a profile entry.
int __cdecl HostCreateReport(HWND host, ProfileListEntry* entry, int runMode);
// 2: new (entry null) or edit profile.
int __cdecl HostEditProfile(HWND host, ProfileListEntry* entry, ProfileListEntry** newEntry);
// 3: delete profile.
int __cdecl HostDeleteProfile(HWND host, ProfileListEntry* entry);
// 4: copy profile.
int __cdecl HostCopyProfile(HWND host, ProfileListEntry* entry, ProfileListEntry** newEntry);
// 5: one call per profile: 1 with an entry, 3 out of memory, 5 at the end.
int __cdecl LogFindProfile(HWND host, DWORD_PTR unused1, DWORD_PTR unused2,
                           ProfileListEntry** entry);
// 7: edit (entry) or create (null) a schedule event.
int __cdecl EditScheduleEvent(HWND owner, ScheduleListEntry* entry, ScheduleListEntry** out);
// 8: delete a schedule event.
int __cdecl DeleteScheduleEvent(DWORD_PTR unused, ScheduleListEntry* entry);
// 9: one call per schedule event: 1 with an entry, 3 out of memory, 5 at the end.
int __cdecl LogFindScheduleEvent(DWORD_PTR unused1, DWORD_PTR unused2, ScheduleListEntry** entry);
// 11: runs a scheduled event.
int __cdecl HostRunScheduledEvent(HWND host, ScheduleListEntry* entry);
// 12: log-file information panel.
int __cdecl HostLogInfoPanel(HWND host, ProfileListEntry* entry, ProfileListEntry* previous,
                             int showMode);
// 13: realtime update of a profile.
int __cdecl HostRealtimeUpdate(HWND host, ProfileListEntry* entry);
// 14: shuts the plug-in down; 1.
int __cdecl HostShutDown(void);
// 15: View Log File dialog for a profile entry; 1, or 3 without a profile.
int __cdecl HostViewLogFile(HWND host, ProfileListEntry* entry);
// 17: intranet address list dialog; 0, or -1 without memory for the list.
int __cdecl HostIntranetList(HWND owner);
// 18: ad-views list dialog; 0, or -1 without memory for the list.
int __cdecl HostAdViewsList(HWND owner);
// 21: database maintenance dialog; 0.
int __cdecl HostDatabaseMaintenance(HWND owner);
// (25: RemoteCommandHandler, declared in remote_request.h.)
// 19: makes profiles of the logs of the web servers found on this machine;
// 1 when a server was found, 2 when none was.
int __cdecl FindLocalServerLogs(HWND host);
// The host's add-event dialog procedure (exported by name): its
// initialisation parameter is the host's ScheduleEvent buffer, filled on OK
// with a saved report definition and the profile chosen (the dialog then
// ends with 1; Cancel ends it with 2). The plug-in's template
// IDD_SCHEDULER_ADD (ids_schedule.h) holds the controls it uses.
OVDESK_HOST_API INT_PTR CALLBACK SchedulerAddDlg(HWND dialog, UINT message, WPARAM wParam,
                                                 LPARAM lParam);
// 20: command-line scheduled report ("/r" or "/rf" and quoted arguments).
int __cdecl HostCommandLineReport(DWORD_PTR unused, const char* command);
// 24: stops a running realtime update; 1.
int __cdecl HostStopRealtime(DWORD_PTR unused, DWORD_PTR value);
// 26: the plug-in's one-line description.
const char* __cdecl LogGetProfileHelp(DWORD_PTR unused1, DWORD_PTR unused2);
// 28: refreshes one entry; 1.
int __cdecl LogRefreshProfile(DWORD_PTR unused, ProfileListEntry* entry);
// 33: title, template folder and settings path (MAX_PATH buffers); 1.
int __cdecl HostTemplateFolder(char* title, char* templateFolder, char* settingsPath);
// 34: always 0.
int __cdecl HostReturnZero(void);
// 37: 1 when the entry's profile is a cluster.
int __cdecl HostClusterFlag(ProfileListEntry* entry);
// 22: builds the options sheet as a child of owner and returns its window at
// once (null when it could not be made). The sheet reports OK and Cancel to
// owner as WM_COMMAND IDOK / IDCANCEL; the host's loop passes messages
// through ovkit's IsPropertySheetMessage. Outputs (each may be null): the
// header picture (the plug-in's; do not delete it), its rectangle, and two
// title texts that stay valid while the plug-in is loaded.
HWND __cdecl ShowOptionsSheet(HWND owner, HBITMAP* header, RECT* headerRect, const char** title,
                              const char** subtitle);
// 23: the host closed the sheet (it destroys the sheet's window, else this
// does): releases what the sheet held; with reload set, the engine rereads
// its settings. 1.
int __cdecl OptionsSheetClosed(int reload);
}
