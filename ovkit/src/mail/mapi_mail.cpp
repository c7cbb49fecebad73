#include "mapi_mail.h"
#include "ovkit/dll_binding.h"
#include <mapi.h>
#include <cstring>

namespace {

const int kMaxRecipients = 10;
const int kMaxAttachments = 50;

// Extended MAPI's start and stop, which mapi.h does not declare.
typedef HRESULT(WINAPI* MapiInitializeFn)(LPVOID);
typedef void(WINAPI* MapiUninitializeFn)();

#define OVKIT_MAPI_FUNCTIONS(X)                                                                    \
    X(MAPIInitialize)                                                                              \
    X(MAPILogon)                                                                                   \
    X(MAPIResolveName)                                                                             \
    X(MAPISendMail)                                                                                \
    X(MAPILogoff)                                                                                  \
    X(MAPIFreeBuffer)                                                                              \
    X(MAPIUninitialize)

struct MapiApi {
    MapiInitializeFn MAPIInitialize;
    LPMAPILOGON MAPILogon;
    LPMAPIRESOLVENAME MAPIResolveName;
    LPMAPISENDMAIL MAPISendMail;
    LPMAPILOGOFF MAPILogoff;
    LPMAPIFREEBUFFER MAPIFreeBuffer;
    MapiUninitializeFn MAPIUninitialize;
};

// The library of one send, released (logged off, uninitialised, freed)
// whatever road the send ends by.
class MapiSession {
  public:
    ~MapiSession() {
        if (session_)
            api_.MAPILogoff(session_, 0, 0, 0);
        if (initialized_)
            api_.MAPIUninitialize();
        if (module_)
            FreeLibrary(module_);
    }
    bool Load(const char* libraryName) {
        module_ = LoadLibraryA(libraryName);
        if (!module_)
            return false;
        bool bound = true;
#define OVKIT_MAPI_BIND(fn) bound = bound && OVKIT_BIND_MEMBER(module_, api_, fn, libraryName);
        OVKIT_MAPI_FUNCTIONS(OVKIT_MAPI_BIND)
#undef OVKIT_MAPI_BIND
        if (!bound)
            return false;
        initialized_ = SUCCEEDED(api_.MAPIInitialize(nullptr));
        return initialized_;
    }
    bool Logon(char* profile, char* password) {
        return api_.MAPILogon(0, profile, password, MAPI_NEW_SESSION, 0, &session_) ==
               SUCCESS_SUCCESS;
    }
    // Resolves one name into the recipient, its texts kept in the given buffers.
    bool Resolve(char* name, MapiRecipDesc* to, char* display, char* address) {
        lpMapiRecipDesc found = nullptr;
        if (api_.MAPIResolveName(session_, 0, name, 0, 0, &found) != SUCCESS_SUCCESS || !found)
            return false;
        lstrcpynA(display, found->lpszName ? found->lpszName : name, 260);
        lstrcpynA(address, found->lpszAddress ? found->lpszAddress : name, 260);
        api_.MAPIFreeBuffer(found);
        to->ulRecipClass = MAPI_TO;
        to->lpszName = display;
        to->lpszAddress = address;
        return true;
    }
    bool Send(MapiMessage* message) {
        return api_.MAPISendMail(session_, 0, message, 0, 0) == SUCCESS_SUCCESS;
    }

  private:
    MapiApi api_ = {};
    HMODULE module_ = nullptr;
    bool initialized_ = false;
    LHANDLE session_ = 0;
};

struct Recipients {
    MapiRecipDesc desc[kMaxRecipients] = {};
    char display[kMaxRecipients][260];
    char address[kMaxRecipients][260];
    int count = 0;
};

struct Attachments {
    MapiFileDesc desc[kMaxAttachments] = {};
    int count = 0;
};

bool Readable(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// -1 on failure (error set), else 0.
int ResolveRecipients(MapiSession& mapi, MailRun& run, const char* text, Recipients* out) {
    int result = 0;
    ForEachRecipient(text, [&](const char* piece) {
        char name[260];
        lstrcpynA(name, piece, sizeof name);
        int i = out->count;
        if (!mapi.Resolve(name, &out->desc[i], out->display[i], out->address[i])) {
            result = run.Fail(kMailErrRecipient);
            return false;
        }
        ++out->count;
        if (run.Aborted()) {
            result = -1;
            return false;
        }
        return out->count < kMaxRecipients;
    });
    return result;
}

int CollectAttachments(MailRun& run, int count, const char* const* paths, Attachments* out) {
    for (int i = 0; i < count && out->count < kMaxAttachments; ++i) {
        if (!paths || !paths[i] || !Readable(paths[i]))
            continue;
        MapiFileDesc& file = out->desc[out->count++];
        file.nPosition = static_cast<ULONG>(-1);
        file.lpszPathName = const_cast<char*>(paths[i]);
        if (run.Aborted())
            return -1;
    }
    return 0;
}

} // namespace

int SendMapiMail(const MailSettings& s, MailRun& run, const char* recipients, int count,
                 const char* const* paths, const char* body, const char* libraryName) {
    run.Step(kMailLoadingMapi);
    MapiSession mapi;
    if (!mapi.Load(libraryName))
        return run.Fail(kMailErrMapiLoad);
    char password[41];
    MailMapiPassword(s.mapiPassword, password, sizeof password);
    run.Progress(100);
    if (run.Aborted())
        return -1;
    run.Step(kMailLoggingOnMapi);
    char profile[101];
    lstrcpynA(profile, s.mapiProfile, sizeof profile);
    if (!mapi.Logon(profile, password))
        return run.Fail(kMailErrMapiLogon);
    run.Progress(100);
    if (run.Aborted())
        return -1;
    run.Step(kMailBuilding);
    Recipients to;
    Attachments files;
    if (ResolveRecipients(mapi, run, recipients, &to) != 0 ||
        CollectAttachments(run, count, paths, &files) != 0)
        return -1;
    char subject[201];
    lstrcpynA(subject, s.subject, sizeof subject);
    MapiMessage message = {};
    message.lpszSubject = subject;
    message.lpszNoteText = const_cast<char*>(body);
    message.nRecipCount = static_cast<ULONG>(to.count);
    message.lpRecips = to.desc;
    message.nFileCount = static_cast<ULONG>(files.count);
    message.lpFiles = files.count ? files.desc : nullptr;
    run.Progress(100);
    run.Step(kMailSending);
    if (!mapi.Send(&message))
        return run.Fail(kMailErrMapiSend);
    run.Progress(100);
    return 0;
}
