// The page operations of the stand-in host's remote request: every text
// handed back is cut to the size the boundary allows.
#include "remote_host.h"
#include <cstdlib>
#include <cstring>

namespace {
// The host serves one request at a time.
RemotePage* g_page = nullptr;

RemotePage* PageOf(RemoteRequest*) {
    return g_page;
}

int CopyOut(const std::map<std::string, std::string>& fields, const char* name, char* text) {
    auto found = name ? fields.find(name) : fields.end();
    const std::string value = found == fields.end() ? std::string() : found->second;
    size_t length = value.size() < REMOTE_TEXT_MAX - 1 ? value.size() : REMOTE_TEXT_MAX - 1;
    if (text) {
        memcpy(text, value.data(), length);
        text[length] = '\0';
    }
    return found != fields.end();
}

int CALLBACK ReadFormField(RemoteRequest* request, const char* name, char* text) {
    return CopyOut(PageOf(request)->Form, name, text);
}

int CALLBACK ReadPageNumber(RemoteRequest* request, const char* name, int* value) {
    char text[REMOTE_TEXT_MAX];
    int found = CopyOut(PageOf(request)->Fields, name, text);
    if (value)
        *value = found ? atoi(text) : 0;
    return found;
}

int CALLBACK ReadPageText(RemoteRequest* request, const char* name, char* text) {
    return CopyOut(PageOf(request)->Fields, name, text);
}

int CALLBACK SetPageNumber(RemoteRequest* request, const char* name, int value) {
    if (!name)
        return 0;
    PageOf(request)->Fields[name] = std::to_string(value);
    return 1;
}

int CALLBACK SetPageText(RemoteRequest* request, const char* name, const char* text) {
    if (!name)
        return 0;
    PageOf(request)->Fields[name] =
        text ? std::string(text, strnlen(text, REMOTE_TEXT_MAX - 1)) : std::string();
    return 1;
}

const RemoteRequestOps kOps = {ReadFormField, ReadPageNumber, ReadPageText, SetPageNumber,
                               SetPageText};
} // namespace

RemotePage::RemotePage() {
    g_page = this;
    Request.Ops = &kOps;
    Request.User = &User;
    Request.Server = &Server;
}

RemotePage::~RemotePage() {
    if (g_page == this)
        g_page = nullptr;
}
