// Whether a report of the profile can run without the network libraries.
#include "report_dialog/create_report_dialog.h"
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include "desk_services.h"

namespace {
enum { PROTOCOL_FTP = 1, PROTOCOL_HTTP = 2, DNS_LOOKUP_ON = 1 };

void Tell(HWND dialog, UINT caption, UINT text) {
    char captionText[LOADTEXT_SLOT_SIZE];
    DeskMessageBox(dialog, LoadTextSlot(text, 0),
                   LoadText(caption, captionText, sizeof captionText), MB_OK);
}
} // namespace

BOOL CheckNetworkForProfile(HWND dialog, AnalysisProfile* profile) {
    if (GetEngineNetworkWord() || !profile)
        return TRUE;
    DWORD protocol = ServerList_GetProtocol(&profile->Servers);
    if (protocol == PROTOCOL_HTTP || _strnicmp(profile->HomePageBaseDir, "http://", 7) == 0) {
        Tell(dialog, IDS_NO_WINSOCK, IDS_NO_HTTP_REPORT);
        return FALSE;
    }
    if (protocol == PROTOCOL_FTP || _strnicmp(profile->HomePageBaseDir, "ftp://", 6) == 0) {
        Tell(dialog, IDS_NO_WINSOCK_FTP, IDS_NO_FTP_REPORT);
        return FALSE;
    }
    if (profile->DNSLookup == DNS_LOOKUP_ON)
        Tell(dialog, IDS_NO_WINSOCK_DNS, IDS_DNS_DISABLED);
    return TRUE;
}
