#include "ovcore/ovcore.h"

// The format version of the engine's records.
ORB_EXPORT(int) ORB_GetEngineVersion() { return 4; }
