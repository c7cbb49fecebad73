#include "directory.h"
#include "data_channel.h"
#include "ftp4w32.h"
#include "listing.h"
#include "session.h"

namespace ftp {

namespace {

// A listing larger than this is refused rather than held in memory.
const size_t kMaxListing = 64u << 20;

int ReceiveAll(DataChannel& data, DWORD timeoutMs, std::string* raw) {
    char buffer[8192];
    for (;;) {
        int got = 0;
        int result = data.Receive(buffer, sizeof(buffer), &got, timeoutMs, nullptr);
        if (result != FTPERR_OK || got == 0)
            return result;
        if (raw->size() + got > kMaxListing)
            return FTPERR_INSMEMORY;
        raw->append(buffer, got);
    }
}

int FetchListing(const std::string& command, std::string* raw) {
    Session& s = TheSession();
    Reply reply;
    int result = s.control.Command("TYPE A", &reply);
    if (result != FTPERR_OK)
        return result;
    if (reply.code != 200)
        return FTPERR_CANTCHANGETYPE;
    DataChannel data;
    result = data.Prepare(s.control, s.passive);
    if (result == FTPERR_OK)
        result = s.control.Command(command, &reply);
    if (result != FTPERR_OK)
        return result;
    result = TransferAnswer(reply, FTPERR_NOREMOTEFILE);
    if (result != FTPERR_OK)
        return result; // refused: the session goes on
    result = data.Establish(s.timeoutMs, nullptr);
    if (result == FTPERR_OK)
        result = ReceiveAll(data, s.timeoutMs, raw);
    data.Close();
    if (result != FTPERR_OK) {
        s.control.Close(); // the reply stream is out of step now
        return result;
    }
    result = s.control.ReadReply(&reply);
    if (result == FTPERR_OK && reply.code != 226 && reply.code != 250)
        result = FTPERR_DATACONNECTION;
    return result;
}

int WriteLines(const char* localFile, const std::vector<std::string>& lines) {
    HANDLE file = CreateFileA(localFile, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FTPERR_CANTOPENLOCALFILE;
    int result = FTPERR_OK;
    for (const std::string& line : lines) {
        std::string out = line + "\r\n";
        DWORD written = 0;
        if (!WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &written, nullptr) ||
            written != out.size()) {
            result = FTPERR_CANTWRITE;
            break;
        }
    }
    CloseHandle(file);
    return result;
}

} // namespace

int ListFolder(const char* pattern, const char* localFile, bool longForm) {
    if (!localFile || !*localFile || (pattern && strpbrk(pattern, "\r\n")))
        return FTPERR_INVALIDPARAMETER;
    std::string argument, filter;
    SplitPattern(pattern ? pattern : "", &argument, &filter);
    std::string command = longForm ? "LIST" : "NLST";
    if (!argument.empty())
        command += " " + argument;
    std::string raw;
    int result = FetchListing(command, &raw);
    return result != FTPERR_OK ? result
                               : WriteLines(localFile, ListingLines(raw, longForm, filter));
}

} // namespace ftp
