#include "session.h"
#include "ftp4w32.h"

namespace ftp {

namespace {

const char kAnonymousUser[] = "anonymous";
const char kAnonymousPassword[] = "ostrevane@";

int SendPassword(const char* password) {
    Reply reply;
    int result = TheSession().control.Command(std::string("PASS ") + password, &reply);
    if (result != FTPERR_OK)
        return result;
    if (reply.code == 230 || reply.code == 202)
        return FTPERR_OK;
    return reply.code == 332 ? FTPERR_ACCOUNTNEEDED : FTPERR_LOGINREFUSED;
}

int SendUser(const char* user, const char* password) {
    bool anonymous = !user || !*user;
    if (anonymous)
        user = kAnonymousUser;
    if (!password || !*password)
        password = anonymous || _stricmp(user, kAnonymousUser) == 0 ? kAnonymousPassword : "";
    Reply reply;
    int result = TheSession().control.Command(std::string("USER ") + user, &reply);
    if (result != FTPERR_OK)
        return result;
    switch (reply.code) {
    case 230:
        return FTPERR_OK;
    case 331:
        return *password ? SendPassword(password) : FTPERR_ENTERPASSWORD;
    case 332:
        return FTPERR_ACCOUNTNEEDED;
    default:
        return FTPERR_LOGINREFUSED;
    }
}

// A line must not carry its own line end into the command stream.
bool IsCommandArgument(const char* text) {
    return text && *text && !strpbrk(text, "\r\n");
}

} // namespace

Session& TheSession() {
    static Session session;
    return session;
}

int CheckSession(bool connected) {
    Session& s = TheSession();
    if (s.initCount <= 0)
        return FTPERR_NOTINITIALIZE;
    if (s.busy)
        return FTPERR_CANTCLOSE;
    if (connected && !s.control.IsOpen())
        return FTPERR_NOTCONNECTED;
    return FTPERR_OK;
}

int OpenConnection(const char* host) {
    Session& s = TheSession();
    if (!host || !*host)
        return FTPERR_INVALIDPARAMETER;
    if (s.control.IsOpen())
        return FTPERR_SESSIONUSED;
    JoinWorker();
    sockaddr_in server;
    int result = ResolveHost(host, s.port, &server);
    return result != FTPERR_OK ? result : s.control.Open(server, s.timeoutMs);
}

int Login(const char* host, const char* user, const char* password) {
    if ((user && strpbrk(user, "\r\n")) || (password && strpbrk(password, "\r\n")))
        return FTPERR_INVALIDPARAMETER;
    int result = OpenConnection(host);
    if (result != FTPERR_OK)
        return result;
    result = SendUser(user, password);
    if (result != FTPERR_OK)
        TheSession().control.Close();
    return result;
}

int PrintWorkingFolder(char* buffer, UINT size) {
    if (!buffer || !size)
        return FTPERR_INVALIDPARAMETER;
    buffer[0] = 0;
    Reply reply;
    int result = TheSession().control.Command("PWD", &reply);
    if (result != FTPERR_OK)
        return result;
    if (reply.code != 257)
        return FTPERR_SERVERCANTEXECUTE;
    // 257 "folder" text: a quote inside the name is doubled.
    std::string folder;
    size_t i = reply.text.find('"');
    if (i == std::string::npos)
        return FTPERR_UNEXPECTEDANSWER;
    for (++i; i < reply.text.size(); ++i) {
        if (reply.text[i] == '"') {
            if (i + 1 >= reply.text.size() || reply.text[i + 1] != '"')
                break;
            ++i;
        }
        folder += reply.text[i];
    }
    if (folder.size() >= size)
        return FTPERR_INVALIDPARAMETER;
    memcpy(buffer, folder.c_str(), folder.size() + 1);
    return FTPERR_OK;
}

int ChangeFolder(const char* folder) {
    if (!IsCommandArgument(folder))
        return FTPERR_INVALIDPARAMETER;
    Reply reply;
    int result = TheSession().control.Command(std::string("CWD ") + folder, &reply);
    if (result != FTPERR_OK)
        return result;
    return reply.code == 250 || reply.code == 200 ? FTPERR_OK : FTPERR_SERVERCANTEXECUTE;
}

int CloseConnection() {
    Session& s = TheSession();
    Reply reply;
    int result = s.control.Command("QUIT", &reply);
    s.control.Close();
    // The server may drop the line before its goodbye: the session is over either way.
    return result == FTPERR_CANTCONNECT ? FTPERR_OK : result;
}

void JoinWorker() {
    Session& s = TheSession();
    if (!s.worker)
        return;
    WaitForSingleObject(s.worker, INFINITE);
    CloseHandle(s.worker);
    s.worker = nullptr;
}

void CloseLocally() {
    Session& s = TheSession();
    if (s.worker) {
        InterlockedExchange(&s.abort, 1);
        JoinWorker();
    }
    s.control.Close();
}

} // namespace ftp
