#include "ovkit/startup.h"

namespace {
HINSTANCE g_instance = nullptr;
}

BOOL OvkitProcessAttach(HINSTANCE instance) {
    g_instance = instance;
    return TRUE;
}

void OvkitProcessDetach() { g_instance = nullptr; }

HINSTANCE OVKIT_CALL OVKIT_GetInstance() { return g_instance; }
