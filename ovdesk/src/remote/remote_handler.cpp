// Host code 25: the keywords of a remote web page.
#include "remote/remote_handler.h"
#include "host/host_callbacks.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
enum Action {
    ACTION_CLUSTER,
    ACTION_LOAD,
    ACTION_SAVE,
    ACTION_ADD,
    ACTION_DELETE,
    ACTION_SUBMIT,
    ACTION_LOAD_OPTIONS,
    ACTION_SAVE_OPTIONS,
};

struct KeywordRow {
    const char* Keyword;
    Action Act;
    int Group;
};
const KeywordRow kKeywords[] = {
    {"%logcheckclusterprofile%", ACTION_CLUSTER, 0},
    {"%LoadLogProfile%", ACTION_LOAD, 0},
    {"%SaveLogProfile%", ACTION_SAVE, 0},
    {"%AddLogProfile%", ACTION_ADD, 0},
    {"%DeleteLogProfile%", ACTION_DELETE, 0},
    {"%SubmitLogReport%", ACTION_SUBMIT, 0},
    {"%LoadLogOptGeneral%", ACTION_LOAD_OPTIONS, 0},
    {"%SaveLogOptGeneral%", ACTION_SAVE_OPTIONS, 0},
    {"%LoadLogOptMicrosoft%", ACTION_LOAD_OPTIONS, 1},
    {"%SaveLogOptMicrosoft%", ACTION_SAVE_OPTIONS, 1},
    {"%LoadLogOptCookie%", ACTION_LOAD_OPTIONS, 2},
    {"%SaveLogOptCookie%", ACTION_SAVE_OPTIONS, 2},
    {"%LoadLogOptLogCache%", ACTION_LOAD_OPTIONS, 3},
    {"%SaveLogOptLogCache%", ACTION_SAVE_OPTIONS, 3},
};

// 0 only when memory ran out in a submission.
int Act(const KeywordRow& row, RemoteRequest* request) {
    switch (row.Act) {
    case ACTION_CLUSTER:
        CheckRemoteCluster(request);
        break;
    case ACTION_LOAD:
        LoadRemoteProfile(request);
        break;
    case ACTION_SAVE:
        SaveRemoteProfile(request, 0);
        break;
    case ACTION_ADD:
        SaveRemoteProfile(request, 1);
        break;
    case ACTION_DELETE:
        DeleteRemoteProfile(request);
        break;
    case ACTION_SUBMIT:
        return SubmitRemoteReport(request);
    case ACTION_LOAD_OPTIONS:
        LoadRemoteOptions(request, row.Group);
        break;
    case ACTION_SAVE_OPTIONS:
        SaveRemoteOptions(request, row.Group);
        break;
    }
    return 1;
}

// A host text read into scratch of REMOTE_TEXT_MAX, then copied bounded into text.
void ReadHostText(int(CALLBACK* read)(RemoteRequest*, const char*, char*), RemoteRequest* request,
                  const char* name, char* text, size_t size) {
    static char scratch[REMOTE_TEXT_MAX];
    scratch[0] = '\0';
    if (read && !read(request, name, scratch))
        scratch[0] = '\0';
    scratch[REMOTE_TEXT_MAX - 1] = '\0';
    if (!size)
        return;
    size_t length = strnlen(scratch, REMOTE_TEXT_MAX - 1);
    if (length >= size)
        length = size - 1;
    memcpy(text, scratch, length);
    text[length] = '\0';
}
} // namespace

void ReadRemoteForm(RemoteRequest* request, const char* name, char* text, size_t size) {
    ReadHostText(request->Ops ? request->Ops->ReadFormField : nullptr, request, name, text, size);
}

void ReadRemotePage(RemoteRequest* request, const char* name, char* text, size_t size) {
    ReadHostText(request->Ops ? request->Ops->ReadPageText : nullptr, request, name, text, size);
}

DWORD ReadRemotePageNumber(RemoteRequest* request, const char* name) {
    char text[32];
    ReadRemotePage(request, name, text, sizeof text);
    return (DWORD)strtoul(text, nullptr, 10);
}

void SetRemotePage(RemoteRequest* request, const char* name, const char* text) {
    if (request->Ops && request->Ops->SetPageText)
        request->Ops->SetPageText(request, name, text ? text : "");
}

void SetRemotePageNumber(RemoteRequest* request, const char* name, int value) {
    if (request->Ops && request->Ops->SetPageNumber)
        request->Ops->SetPageNumber(request, name, value);
}

void SetRemoteStatus(RemoteRequest* request, DWORD status, const char* text) {
    request->Status = status;
    if (text)
        lstrcpynA(request->StatusText, text, sizeof request->StatusText);
}

ProfileListEntry* FindRemoteProfile(RemoteRequest* request, int exact) {
    HWND host = GetHostWindow();
    if (!host)
        return nullptr;
    RemoteProfileList list = {0, nullptr};
    SendMessageA(host, REMOTE_LIST_MESSAGE, 0, (LPARAM)&list);
    char wanted[REMOTE_FILE_NAME_SIZE];
    lstrcpynA(wanted, request->ProfileFileName, sizeof wanted);
    for (DWORD i = 0; list.Entries && i < list.Count; ++i) {
        ProfileListEntry* entry = list.Entries[i];
        if (!entry)
            continue;
        const char* name = entry->FileName;
        if (exact ? strcmp(name, wanted) == 0 : _stricmp(name, wanted) == 0)
            return entry;
    }
    return nullptr;
}

void ReloadRemoteProfiles(void) {
    if (HWND host = GetHostWindow())
        PostMessageA(host, REMOTE_RELOAD_MESSAGE, 0, 0);
}

int IsSafeRemoteUserName(const char* name) {
    return name[0] && !strpbrk(name, "\\/:") && !strstr(name, "..");
}

int __cdecl RemoteCommandHandler(const char* keyword, RemoteRequest* request) {
    if (!keyword || !request)
        return 0;
    if (keyword[0] == '~') {
        char token[REMOTE_TOKEN_SIZE];
        lstrcpynA(token, request->Token, sizeof token);
        return _stricmp(keyword, token) == 0 ? 1 : 0;
    }
    for (const KeywordRow& row : kKeywords) {
        size_t length = strlen(row.Keyword);
        if (_strnicmp(keyword, row.Keyword, length) != 0)
            continue;
        return Act(row, request) ? (int)length : 0;
    }
    return 0;
}
