// The service's declarations of the extension-agent exports, marked for export
// here so that the definitions must match them.
#pragma once
#include <windows.h>
#include <snmp.h>

#define OVBEACON_EXPORT extern "C" __declspec(dllexport)
