// The output-format kinds of the last listed definitions, one per combo item.
#include "startup/startup_parts.h"
#include <cstdlib>

WORD* g_DefinitionFormatKinds = nullptr;
int g_DefinitionFormatCount = 0;

void FreeDefinitionListBuffer(void) {
    free(g_DefinitionFormatKinds);
    g_DefinitionFormatKinds = nullptr;
    g_DefinitionFormatCount = 0;
}
