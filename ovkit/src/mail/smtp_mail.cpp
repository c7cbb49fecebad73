#include "smtp_mail.h"
#include "mime_text.h"
#include "smtp_connection.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kBoundary[] = "===============================";
const size_t kRawChunk = 2048;
const size_t kBase64LinesPerSend = 64;
const int kQuitWaitSeconds = 2;

bool Resolve(const MailWinsockApi& ws, const char* host, unsigned long* address) {
    hostent* entry = ws.gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0])
        return false;
    std::memcpy(address, entry->h_addr_list[0], sizeof *address);
    return *address != INADDR_NONE;
}

// Sends a command and checks its reply code.
bool Command(SmtpConnection& smtp, const std::string& line, int expected) {
    return smtp.SendAll(line.data(), line.size()) && smtp.ReadReply() == expected;
}

std::string HeaderBlock(const MailSettings& s, const char* recipients, const char* body) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    TIME_ZONE_INFORMATION zone;
    DWORD zoneState = GetTimeZoneInformation(&zone);
    std::string text = DateHeader(now, BiasInForce(zone, zoneState));
    text += std::string("To: ") + recipients + "\r\nFrom: " + s.from + "\r\nSubject: " + s.subject +
            "\r\nSender: " + s.from +
            "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"" + kBoundary +
            "\"\r\n\r\nThis is a multi-part message in MIME format.\r\n";
    if (body) {
        text += std::string("--") + kBoundary +
                "\r\nContent-Type: text/plain; charset=US-ASCII\r\n\r\n";
        DataLineWriter lines;
        lines.Append(body, std::strlen(body), text);
        text += "\r\n";
    }
    return text;
}

std::string PartHeader(const char* name, const char* type, bool raw) {
    std::string text = std::string("\r\n--") + kBoundary + "\r\nContent-Type: " + type;
    if (raw)
        text += "; charset=us-ascii";
    text += std::string("; name=\"") + name + "\"\r\n";
    if (!raw)
        text += "Content-Transfer-Encoding: base64\r\n";
    text += std::string("Content-Disposition: inline; filename=\"") + name + "\"\r\n\r\n";
    return text;
}

bool SendRawFile(SmtpConnection& smtp, HANDLE file) {
    DataLineWriter lines;
    char buffer[kRawChunk];
    DWORD got = 0;
    std::string out;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        out.clear();
        lines.Append(buffer, got, out);
        if (!smtp.SendAll(out.data(), out.size()))
            return false;
    }
    return true;
}

bool SendBase64File(SmtpConnection& smtp, HANDLE file) {
    unsigned char buffer[kBase64LineBytes * kBase64LinesPerSend];
    std::string out;
    for (;;) {
        // Fill the buffer whole, so that only the file's last line is short.
        DWORD have = 0, got = 0;
        while (have < sizeof buffer &&
               ReadFile(file, buffer + have, sizeof buffer - have, &got, nullptr) && got > 0)
            have += got;
        if (have == 0)
            return true;
        out.clear();
        for (DWORD at = 0; at < have; at += kBase64LineBytes) {
            DWORD n = have - at < kBase64LineBytes ? have - at : kBase64LineBytes;
            AppendBase64(buffer + at, n, out);
            out += "\r\n";
        }
        if (!smtp.SendAll(out.data(), out.size()))
            return false;
        if (have < sizeof buffer)
            return true;
    }
}

// Sends one attachment; a file that cannot be opened is skipped (true, *sent
// false).
bool SendAttachment(SmtpConnection& smtp, const char* path, bool* sent) {
    *sent = false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    const char* name = AttachmentName(path);
    bool raw = false;
    const char* type = AttachmentContentType(name, &raw);
    std::string header = PartHeader(name, type, raw);
    bool ok = smtp.SendAll(header.data(), header.size()) &&
              (raw ? SendRawFile(smtp, file) : SendBase64File(smtp, file));
    CloseHandle(file);
    *sent = ok;
    return ok;
}

int SendAttachments(SmtpConnection& smtp, MailRun& run, int count, const char* const* paths) {
    run.Step(kMailBuildingAttachments);
    for (int i = 0; i < count; ++i) {
        if (!paths || !paths[i])
            continue;
        bool sent = false;
        if (!SendAttachment(smtp, paths[i], &sent))
            return run.Fail(kMailErrWinsock);
        if (!sent)
            continue;
        run.Progress(i * 100 / count);
        if (run.Aborted())
            return -1;
    }
    return 0;
}

// Greeting, HELO, MAIL FROM, RCPT TO and DATA.
int OpenMessage(const MailWinsockApi& ws, SmtpConnection& smtp, MailRun& run, const MailSettings& s,
                const char* recipients) {
    run.Progress(33);
    if (smtp.ReadReply() != 220)
        return run.Fail(kMailErrReply);
    run.Progress(66);
    char host[256] = "";
    if (ws.gethostname(host, sizeof host) != 0)
        host[0] = '\0';
    if (!Command(smtp, std::string("HELO ") + host + "\r\n", 250))
        return run.Fail(kMailErrReply);
    run.Progress(100);
    run.Step(kMailBuilding);
    if (!Command(smtp, std::string("MAIL FROM: <") + s.from + ">\r\n", 250))
        return run.Fail(kMailErrReply);
    run.Progress(25);
    bool accepted = true;
    ForEachRecipient(recipients, [&](const char* address) {
        accepted = Command(smtp, std::string("RCPT TO: <") + address + ">\r\n", 250);
        return accepted;
    });
    if (!accepted)
        return run.Fail(kMailErrReply);
    run.Progress(50);
    if (!Command(smtp, "DATA\r\n", 354))
        return run.Fail(kMailErrReply);
    run.Progress(75);
    return 0;
}

} // namespace

int SendSmtpMail(const MailSettings& s, MailRun& run, const char* recipients, int count,
                 const char* const* paths, const char* body) {
    run.Step(kMailLookingForServer, s.server);
    if (run.Aborted())
        return -1;
    const MailWinsockApi* ws = MailWinsockBind();
    if (!ws)
        return run.Fail(kMailErrWinsock);
    char host[101];
    unsigned short port = 25;
    unsigned long address = 0;
    if (!SplitMailServer(s.server, host, sizeof host, &port) || !Resolve(*ws, host, &address))
        return run.Fail(kMailErrResolve);
    run.Step(kMailConnecting);
    SmtpConnection smtp(*ws, s.timeoutSeconds);
    if (!smtp.Open())
        return run.Fail(kMailErrWinsock);
    if (!smtp.Connect(address, port))
        return run.Fail(kMailErrConnect);
    if (OpenMessage(*ws, smtp, run, s, recipients ? recipients : "") != 0)
        return -1;
    if (!smtp.SendText(HeaderBlock(s, recipients ? recipients : "", body).c_str()))
        return run.Fail(kMailErrWinsock);
    run.Progress(100);
    if (SendAttachments(smtp, run, count, paths) != 0)
        return -1;
    run.Step(kMailSending);
    if (!Command(smtp, std::string("\r\n--") + kBoundary + "--\r\n.\r\n", 250))
        return run.Fail(kMailErrReply);
    // The message has gone: the answer to QUIT changes nothing.
    if (smtp.SendText("QUIT\r\n"))
        smtp.ReadReply(kQuitWaitSeconds);
    run.Progress(100);
    return 0;
}
