// Reading the network, mail, cookie and FTP values from the two settings
// files (the engine's settings loader calls it at each settings reload).
#pragma once
#include "ovcore/netsettings.h"

// Fills every field; the resolved proxy address is forgotten.
void NetSettings_Read(NetSettings* settings);
