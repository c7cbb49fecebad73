// The invalid-format message of W3C logs, shown once per file.
#pragma once
#include "logparse/w3c_map.h"

#define IDS_W3C_INVALID_TEXT 5738
#define IDS_W3C_INVALID_TITLE 5739

// Shows the message through the client's error display unless it was
// already shown for this map (file).
void W3C_WarnInvalidFormat(W3CFieldMap* map);
