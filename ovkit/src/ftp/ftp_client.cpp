#include "ftp_client.h"
#include "base/library_resources.h"
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
        if (!OvkitBindFtpClient(module, &g_api)) {
            FreeLibrary(module);
            return false;
        }
        module_ = module;
        g_api.FtpInit(nullptr);
        return true;
    }

  private:
    HMODULE module_ = nullptr;
};

FtpLibrary g_library;

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
    int index = Ftp4w32_ErrorTextIndex(code);
    if (index >= 0)
        LoadStringA(OVKIT_GetInstance(), OVKIT_IDS_FTP_ERROR_FIRST + index, g_lastError,
                    sizeof(g_lastError));
}
