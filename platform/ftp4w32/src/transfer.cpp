#include "transfer.h"
#include "data_channel.h"
#include "ftp4w32.h"
#include "session.h"
#include <cstring>
#include <string>

namespace ftp {

namespace {

const DWORD kProgressEveryMs = 50;
// How long the server may take to answer ABOR before the line counts as settled.
const DWORD kAbortQuietMs = 300;
// A resumed receive fetches again this many bytes before the local end and
// compares them: a local copy that is not a head of the remote file (a log
// rotated since) is then fetched whole instead of being extended.
const long long kOverlap = 4096;
// ReceiveData's answer when the overlap differs.
const int kFetchWhole = 0x10000;

struct Job {
    bool receive = true;
    std::string remote;
    char type = 'I';
    HANDLE file = INVALID_HANDLE_VALUE;
    bool createdFile = false; // the local file did not exist before this receive
    std::string localPath;
    long long done = 0;      // bytes in the local file (receive) or sent
    long long expected = -1; // the server's SIZE, -1 unknown
    std::string overlap;     // local bytes the resumed data must begin with
    bool post = false;
    HWND window = nullptr;
    UINT message = 0;
    DataChannel data;
    DWORD lastProgress = 0;
};

int Command(const std::string& line, Reply* reply) {
    return TheSession().control.Command(line, reply);
}

// Counts go out as 32-bit values: a file past 2 GB shows as 2 GB.
LONG Clamped(long long count) {
    return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(count);
}

void PostProgress(Job& job, bool force) {
    if (!job.post || (!force && GetTickCount() - job.lastProgress < kProgressEveryMs))
        return;
    job.lastProgress = GetTickCount();
    PostMessageA(job.window, job.message, 0, Clamped(job.done));
}

long long RemoteSize(const std::string& remote) {
    Reply reply;
    if (Command("SIZE " + remote, &reply) != FTPERR_OK || reply.code != 213 ||
        reply.text.size() < 5)
        return -1;
    return _strtoi64(reply.text.c_str() + 4, nullptr, 10);
}

long long FileSize(HANDLE file) {
    LARGE_INTEGER size;
    return GetFileSizeEx(file, &size) ? size.QuadPart : 0;
}

// Opens the local file, asks for the size and, when the local file is a
// shorter head of the remote one, for a restart behind it; then RETR.
// Asks for the remote file from offset on (REST), or whole when offset is 0
// or the server cannot restart; job.done becomes where the data begins.
int RequestFile(Job& job, long long offset) {
    Session& s = TheSession();
    int result = job.data.Prepare(s.control, s.passive);
    if (result != FTPERR_OK)
        return result;
    Reply reply;
    job.done = 0;
    if (offset > 0) {
        result = Command("REST " + std::to_string(offset), &reply);
        if (result != FTPERR_OK)
            return result;
        job.done = reply.code == 350 ? offset : 0;
    }
    if (job.done == 0)
        job.overlap.clear();
    result = Command("RETR " + job.remote, &reply);
    return result != FTPERR_OK ? result : TransferAnswer(reply, FTPERR_NOREMOTEFILE);
}

// Empties the local file for a whole fetch; a resumed one writes at its end.
void PositionLocalFile(Job& job) {
    LARGE_INTEGER at = {};
    SetFilePointerEx(job.file, at, nullptr, job.overlap.empty() ? FILE_BEGIN : FILE_END);
    if (job.overlap.empty())
        SetEndOfFile(job.file);
}

// The last kOverlap bytes of a local file that may be a head of the remote
// one; empty when it is not worth resuming.
std::string LocalTail(HANDLE file, long long have, long long expected) {
    if (have <= kOverlap || have >= expected)
        return std::string();
    std::string tail(static_cast<size_t>(kOverlap), '\0');
    LARGE_INTEGER at;
    at.QuadPart = have - kOverlap;
    DWORD got = 0;
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
        !ReadFile(file, &tail[0], static_cast<DWORD>(kOverlap), &got, nullptr) || got != kOverlap)
        return std::string();
    return tail;
}

int BeginReceive(Job& job, const char* local) {
    if (job.type == 'I')
        job.expected = RemoteSize(job.remote);
    job.file = CreateFileA(local, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (job.file == INVALID_HANDLE_VALUE)
        return FTPERR_CANTOPENLOCALFILE;
    job.createdFile = GetLastError() != ERROR_ALREADY_EXISTS;
    long long have = FileSize(job.file);
    job.overlap = LocalTail(job.file, have, job.expected);
    int result = RequestFile(job, job.overlap.empty() ? 0 : have - kOverlap);
    // Only now that the server sends the file is an old copy given up.
    if (result == FTPERR_OK)
        PositionLocalFile(job);
    return result;
}

// The overlap differed: drops this data connection and fetches the file whole.
int FetchWhole(Job& job) {
    Session& s = TheSession();
    job.data.Close();
    s.control.Send("ABOR");
    s.control.Drain(kAbortQuietMs);
    job.overlap.clear();
    int result = RequestFile(job, 0);
    if (result == FTPERR_OK)
        result = job.data.Establish(s.timeoutMs, &s.abort);
    if (result == FTPERR_OK)
        PositionLocalFile(job);
    return result;
}

int BeginSend(Job& job, const char* local) {
    Session& s = TheSession();
    job.file = CreateFileA(local, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (job.file == INVALID_HANDLE_VALUE)
        return FTPERR_CANTOPENLOCALFILE;
    job.expected = FileSize(job.file);
    int result = job.data.Prepare(s.control, s.passive);
    if (result != FTPERR_OK)
        return result;
    Reply reply;
    result = Command("STOR " + job.remote, &reply);
    if (result != FTPERR_OK)
        return result;
    return TransferAnswer(reply, FTPERR_TRANSFERREFUSED);
}

int Begin(Job& job, const char* local) {
    Session& s = TheSession();
    Reply reply;
    int result = Command(std::string("TYPE ") + job.type, &reply);
    if (result != FTPERR_OK)
        return result;
    if (reply.code != 200)
        return FTPERR_CANTCHANGETYPE;
    result = job.receive ? BeginReceive(job, local) : BeginSend(job, local);
    if (result == FTPERR_OK)
        result = job.data.Establish(s.timeoutMs, &s.abort);
    s.bytesToBeTransferred = job.expected > 0 ? Clamped(job.expected) : 0;
    return result;
}

// Takes the resumed data's first bytes off piece when they match the overlap.
bool ConsumeOverlap(Job& job, const char** piece, int* length) {
    size_t n = job.overlap.size() < size_t(*length) ? job.overlap.size() : size_t(*length);
    if (memcmp(*piece, job.overlap.data(), n) != 0)
        return false;
    job.overlap.erase(0, n);
    job.done += n;
    *piece += n;
    *length -= static_cast<int>(n);
    return true;
}

int ReceiveData(Job& job) {
    Session& s = TheSession();
    char buffer[32768];
    for (;;) {
        int got = 0;
        int result = job.data.Receive(buffer, sizeof(buffer), &got, s.timeoutMs, &s.abort);
        if (result != FTPERR_OK || got == 0)
            return result;
        const char* piece = buffer;
        if (!job.overlap.empty() && !ConsumeOverlap(job, &piece, &got))
            return kFetchWhole;
        DWORD written = 0;
        if (!WriteFile(job.file, piece, got, &written, nullptr) || written != DWORD(got))
            return FTPERR_CANTWRITE;
        job.done += got;
        PostProgress(job, false);
    }
}

int ReceiveAll(Job& job) {
    int result = ReceiveData(job);
    if (result == kFetchWhole) {
        result = FetchWhole(job);
        if (result == FTPERR_OK)
            result = ReceiveData(job);
    }
    return result;
}

int SendData(Job& job) {
    Session& s = TheSession();
    char buffer[32768];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(job.file, buffer, sizeof(buffer), &got, nullptr))
            return FTPERR_CANTOPENLOCALFILE;
        if (got == 0)
            return FTPERR_OK;
        int result = job.data.Send(buffer, got, s.timeoutMs, &s.abort);
        if (result != FTPERR_OK)
            return result;
        job.done += got;
        PostProgress(job, false);
    }
}

// Settles the control connection after the data has stopped flowing.
int Finish(Job& job, int result) {
    Session& s = TheSession();
    if (job.receive || result != FTPERR_OK)
        job.data.Close();
    else
        job.data.Finish();
    if (result == FTPERR_ABORTED) {
        s.control.Send("ABOR");
        s.control.Drain(kAbortQuietMs);
        return result;
    }
    if (result == FTPERR_OK) {
        Reply reply;
        result = s.control.ReadReply(&reply);
        if (result == FTPERR_OK && reply.code != 226 && reply.code != 250)
            result = job.receive ? FTPERR_DATACONNECTION : FTPERR_TRANSFERREFUSED;
        // A binary file that arrived shorter than announced was cut off.
        if (result == FTPERR_OK && job.receive && job.type == 'I' && job.expected >= 0 &&
            job.done < job.expected)
            result = FTPERR_DATACONNECTION;
    }
    if (result != FTPERR_OK)
        s.control.Close(); // replies may be out of step: the session is over
    return result;
}

int Run(Job& job) {
    int result = job.receive ? ReceiveAll(job) : SendData(job);
    result = Finish(job, result);
    CloseHandle(job.file);
    job.file = INVALID_HANDLE_VALUE;
    return result;
}

DWORD WINAPI Worker(void* parameter) {
    Job* job = static_cast<Job*>(parameter);
    int result = Run(*job);
    Session& s = TheSession();
    // busy clears before the end is posted: its handler may start the next file.
    InterlockedExchange(&s.busy, 0);
    PostProgress(*job, true);
    PostMessageA(job->window, job->message, 1, static_cast<LPARAM>(result));
    delete job;
    return 0;
}

// Undoes what Begin did when the transfer never started.
void Abandon(Job& job) {
    job.data.Close();
    if (job.file != INVALID_HANDLE_VALUE)
        CloseHandle(job.file);
    job.file = INVALID_HANDLE_VALUE;
    if (job.receive && job.createdFile)
        DeleteFileA(job.localPath.c_str());
}

} // namespace

int StartTransfer(const TransferRequest& request) {
    if (!request.remote || !*request.remote || strpbrk(request.remote, "\r\n") || !request.local ||
        !*request.local || (request.type != 'I' && request.type != 'A'))
        return FTPERR_INVALIDPARAMETER;
    Session& s = TheSession();
    bool async = s.async && request.notify && request.window;
    JoinWorker();
    InterlockedExchange(&s.abort, 0);
    s.bytesToBeTransferred = 0;
    Job* job = new Job;
    job->receive = request.receive;
    job->remote = request.remote;
    job->localPath = request.local;
    job->type = request.type;
    job->post = async;
    job->window = request.window;
    job->message = request.message;
    int result = Begin(*job, request.local);
    if (result != FTPERR_OK) {
        Abandon(*job);
        delete job;
        if (result == FTPERR_TIMEOUT || result == FTPERR_DATACONNECTION)
            s.control.Close();
        return result;
    }
    if (!async) {
        result = Run(*job);
        delete job;
        return result;
    }
    InterlockedExchange(&s.busy, 1);
    s.worker = CreateThread(nullptr, 0, Worker, job, 0, nullptr);
    if (!s.worker) {
        InterlockedExchange(&s.busy, 0);
        Abandon(*job);
        delete job;
        s.control.Close();
        return FTPERR_INSFRESOURCES;
    }
    return FTPERR_OK;
}

} // namespace ftp
