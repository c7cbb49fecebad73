#include "core/vic32_binding.h"
#include "ovkit/dll_binding.h"

static HMODULE g_vic;
static Vic32Binding g_binding;
static bool g_bound;
static char g_libraryName[MAX_PATH] = "VIC32.DLL";

template <typename Fn> static bool Bind(const char* name, Fn& out) {
    return OvkitBind(g_vic, &out, name, "VIC32.DLL");
}

const Vic32Binding* Vic32_Get(void) {
    if (g_bound)
        return &g_binding;
    if (!g_vic)
        g_vic = LoadLibraryA(g_libraryName);
    if (!g_vic)
        return NULL;
    g_bound = Bind("bmpinfo", g_binding.BmpInfo) && Bind("allocimage", g_binding.AllocImage) &&
              Bind("loadbmp", g_binding.LoadBmp) && Bind("savegif", g_binding.SaveGif) &&
              Bind("savejpg", g_binding.SaveJpg) && Bind("freeimage", g_binding.FreeImage);
    return g_bound ? &g_binding : NULL;
}

void Vic32_Release(void) {
    if (g_vic)
        FreeLibrary(g_vic);
    g_vic = NULL;
    g_bound = false;
}

void Vic32_SetLibraryName(const char* name) {
    Vic32_Release();
    lstrcpynA(g_libraryName, name ? name : "VIC32.DLL", MAX_PATH);
}
