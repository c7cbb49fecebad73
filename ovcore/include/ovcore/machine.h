// The local machine's addresses.
#pragma once
#include "ovcore/ovcore_base.h"

// Width of one entry of GetMachineIPAddresses' buffer.
#define ORB_IPADDRESS_ENTRY 40

// Writes the dotted IPv4 addresses of this machine into consecutive
// ORB_IPADDRESS_ENTRY-character entries of buffer, at most maxCount of them.
// Returns the count; 0 (buffer untouched) when WinSock is not bound at
// registration, or the host name cannot be resolved.
ORB_EXPORT(int) GetMachineIPAddresses(char* buffer, int maxCount);
