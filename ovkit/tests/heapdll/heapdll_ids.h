// String-table ids of the test-only DLL (read by its resource script too).
#pragma once
#define IDS_HEAPDLL_COUNT 1
#define IDS_HEAPDLL_LONG 2
#define IDS_HEAPDLL_MISSING 99
