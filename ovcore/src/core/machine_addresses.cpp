// The local machine's IPv4 addresses, through the WinSock bound at
// registration.
#include "ovcore/machine.h"

#include "core/net_binding.h"

// Room for the host name.
#define MACHINE_HOST_NAME 300

ORB_EXPORT(int) GetMachineIPAddresses(char* buffer, int maxCount) {
    const WinsockApi& ws = NetBinding_Winsock();
    if (!buffer || maxCount <= 0 || !ws.gethostname || !ws.gethostbyname || !ws.inet_ntoa)
        return 0;
    char host[MACHINE_HOST_NAME];
    if (ws.gethostname(host, sizeof(host)) != 0)
        return 0;
    hostent* entry = ws.gethostbyname(host);
    if (!entry || !entry->h_addr_list)
        return 0;
    int count = 0;
    while (count < maxCount && entry->h_addr_list[count])
        ++count;
    for (int i = 0; i < count; ++i) {
        in_addr address;
        CopyMemory(&address, entry->h_addr_list[i], sizeof(address));
        const char* text = ws.inet_ntoa(address);
        lstrcpynA(buffer + i * ORB_IPADDRESS_ENTRY, text ? text : "", ORB_IPADDRESS_ENTRY);
    }
    return count;
}
