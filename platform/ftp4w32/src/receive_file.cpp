// The receive side of a transfer: resuming behind a local head, the data into the file.
#include "ftp4w32.h"
#include "session.h"
#include "transfer_job.h"
#include <cstring>

namespace ftp {

namespace {

// A resumed receive fetches again this many bytes before the local end and
// compares them: a local copy that is not a head of the remote file (a log
// rotated since) is then fetched whole instead of being extended.
const long long kOverlap = 4096;
// ReceiveData's answer when the overlap differs.
const int kFetchWhole = 0x10000;

long long RemoteSize(const std::string& remote) {
    Reply reply;
    if (Command("SIZE " + remote, &reply) != FTPERR_OK || reply.code != 213 ||
        reply.text.size() < 5)
        return -1;
    return _strtoi64(reply.text.c_str() + 4, nullptr, 10);
}

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

} // namespace

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

namespace {

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

} // namespace

int ReceiveAll(Job& job) {
    int result = ReceiveData(job);
    if (result == kFetchWhole) {
        result = FetchWhole(job);
        if (result == FTPERR_OK)
            result = ReceiveData(job);
    }
    return result;
}

} // namespace ftp
