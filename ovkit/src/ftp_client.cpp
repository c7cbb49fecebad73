#include "ftp_client.h"
#include "library_resources.h"
#include "ovkit/startup.h"

namespace {

OvkitFtpApi g_api;
char g_lastError[256];

// Holds the library from its first use until this library unloads.
class FtpLibrary {
  public:
    ~FtpLibrary() {
        if (!module_)
            return;
        g_api.FtpRelease();
        FreeLibrary(module_);
    }
    bool Load() {
        if (module_)
            return true;
        HMODULE module = LoadLibraryA("FTP4W32.DLL");
        if (!module)
            return false;
#define OVKIT_FTP_BIND(fn)                                                                         \
    if (!(g_api.fn = reinterpret_cast<decltype(g_api.fn)>(GetProcAddress(module, #fn)))) {         \
        FreeLibrary(module);                                                                       \
        return false;                                                                              \
    }
        FTP4W32_FUNCTIONS(OVKIT_FTP_BIND)
#undef OVKIT_FTP_BIND
        module_ = module;
        g_api.FtpInit(nullptr);
        return true;
    }

  private:
    HMODULE module_ = nullptr;
};

FtpLibrary g_library;

// Codes first to last have the texts of consecutive string ids from firstId.
struct CodeRange {
    int first, last;
    UINT firstId;
};

const CodeRange kRanges[] = {
    {1, 2, 5540},       {-1, -1, 5542},     {1000, 1013, 5543},
    {2001, 2007, 5557}, {3001, 3002, 5564}, {5002, 5005, 5566},
};

} // namespace

const OvkitFtpApi* LoadFtpLibrary() {
    return g_library.Load() ? &g_api : nullptr;
}

const char* FtpLastError() {
    return g_lastError;
}

void FtpClearLastError() {
    g_lastError[0] = 0;
}

void ShowFtpError(int code) {
    for (const CodeRange& r : kRanges)
        if (code >= r.first && code <= r.last) {
            LoadStringA(OVKIT_GetInstance(), r.firstId + (code - r.first), g_lastError,
                        sizeof(g_lastError));
            return;
        }
}
