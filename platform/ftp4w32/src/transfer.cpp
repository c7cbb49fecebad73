#include "transfer.h"
#include "ftp4w32.h"
#include "session.h"
#include "transfer_job.h"

namespace ftp {

namespace {

const DWORD kProgressEveryMs = 50;

// Counts go out as 32-bit values: a file past 2 GB shows as 2 GB.
LONG Clamped(long long count) {
    return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(count);
}

} // namespace

int Command(const std::string& line, Reply* reply) {
    return TheSession().control.Command(line, reply);
}

void PostProgress(Job& job, bool force) {
    if (!job.post || (!force && GetTickCount() - job.lastProgress < kProgressEveryMs))
        return;
    job.lastProgress = GetTickCount();
    PostMessageA(job.window, job.message, 0, Clamped(job.done));
}

long long FileSize(HANDLE file) {
    LARGE_INTEGER size;
    return GetFileSizeEx(file, &size) ? size.QuadPart : 0;
}

namespace {

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

// A transfer the server refused at its end: a lost data connection (425,
// 426), or the file itself (a receive), or the upload.
int EndRefused(const Job& job, int code) {
    if (code == 425 || code == 426)
        return FTPERR_DATACONNECTION;
    return job.receive ? FTPERR_NOREMOTEFILE : FTPERR_TRANSFERREFUSED;
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
    if (result != FTPERR_OK) {
        s.control.Close(); // replies may be out of step: the session is over
        return result;
    }
    // The server's last word on the file: whatever it says, the replies are
    // in step and the session serves the next file.
    Reply reply;
    result = s.control.ReadReply(&reply);
    if (result != FTPERR_OK) {
        s.control.Close();
        return result;
    }
    if (reply.code != 226 && reply.code != 250)
        return EndRefused(job, reply.code);
    // A binary file that arrived shorter than announced was cut off.
    if (job.receive && job.type == 'I' && job.expected >= 0 && job.done < job.expected)
        return FTPERR_DATACONNECTION;
    return FTPERR_OK;
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
