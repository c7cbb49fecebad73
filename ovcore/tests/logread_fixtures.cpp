#include "logread_fixtures.h"
#include "core/engine_state.h"
#include "logread/engine_link.h"
#include <zlib.h>
#include <cstdio>

namespace logtest {

std::string CommonLine(int client, DWORD seconds, const std::string& url, int bytes) {
    char head[128];
    std::snprintf(head, sizeof(head), "10.0.0.%d - - [%02lu/Oct/1999:%02lu:%02lu:%02lu +0000] ",
                  client, (unsigned long)(10 + seconds / 86400),
                  (unsigned long)(seconds / 3600 % 24), (unsigned long)(seconds / 60 % 60),
                  (unsigned long)(seconds % 60));
    return head + ("\"GET " + url + " HTTP/1.0\" 200 " + std::to_string(bytes) + "\n");
}

std::string CommonLog(int lines, DWORD first, DWORD step, int client) {
    std::string log;
    for (int i = 0; i < lines; i++)
        log += CommonLine(client, first + i * step, "/p" + std::to_string(i) + ".html");
    return log;
}

namespace {
// Deflates in one call; windowBits chooses the wrapping (15 + 16 gzip, -15 raw).
std::string Deflate(const std::string& plain, int windowBits) {
    z_stream z = {};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, plain.size()) + 64, '\0');
    z.next_in = (Bytef*)plain.data();
    z.avail_in = (uInt)plain.size();
    z.next_out = (Bytef*)&out[0];
    z.avail_out = (uInt)out.size();
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}
} // namespace

std::string GzipBytes(const std::string& plain) {
    return Deflate(plain, 15 + 16);
}

namespace {
std::string RawDeflate(const std::string& plain) {
    return Deflate(plain, -15);
}

void Put16(std::string& s, unsigned v) {
    s += (char)(v & 0xFF);
    s += (char)((v >> 8) & 0xFF);
}
void Put32(std::string& s, unsigned long v) {
    Put16(s, v & 0xFFFF);
    Put16(s, (v >> 16) & 0xFFFF);
}
} // namespace

std::string ZipBytes(const std::vector<std::pair<std::string, std::string>>& members) {
    std::string out, directory;
    for (const auto& m : members) {
        std::string packed = RawDeflate(m.second);
        unsigned long crc = crc32(0, (const Bytef*)m.second.data(), (uInt)m.second.size());
        unsigned long offset = (unsigned long)out.size();
        std::string common;
        Put16(common, 20);     // version needed
        Put16(common, 0);      // flags
        Put16(common, 8);      // deflated
        Put16(common, 0);      // time
        Put16(common, 0x2743); // date
        Put32(common, crc);
        Put32(common, (unsigned long)packed.size());
        Put32(common, (unsigned long)m.second.size());
        Put16(common, (unsigned)m.first.size());
        Put16(common, 0); // extra
        out += std::string("PK\3\4") + common + m.first + packed;
        directory += std::string("PK\1\2");
        Put16(directory, 20);
        directory += common;
        Put16(directory, 0); // comment
        Put16(directory, 0); // disk
        Put16(directory, 0); // internal attributes
        Put32(directory, 0); // external attributes
        Put32(directory, offset);
        directory += m.first;
    }
    unsigned long directoryOffset = (unsigned long)out.size();
    out += directory;
    out += "PK\5\6";
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, (unsigned)members.size());
    Put16(out, (unsigned)members.size());
    Put32(out, (unsigned long)directory.size());
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

std::vector<Hit> ReadAllHits(FileInfo* info, DWORD start, DWORD end) {
    std::vector<Hit> hits;
    if (!FileInfo_Open(0, info, start, end, nullptr, nullptr, nullptr))
        return hits;
    HitRecord* r = nullptr;
    while (FileInfo_ReadNext(nullptr, info, &r) == LOGREAD_RECORD) {
        hits.push_back({r->dwTime, r->lpszUrl ? r->lpszUrl : "", r->dwStatus, r->wServerIndex});
        HitRecord_Free(r);
    }
    FileInfo_CloseAll(info);
    return hits;
}

std::vector<Hit> ReadFileHits(LogFile* file, DWORD* skipped) {
    std::vector<Hit> hits;
    ULONGLONG at = 0;
    HitRecord* r = HitRecord_New();
    while (LogRecord_ReadNextCounted(file, at, r, &at, 100000, 0, skipped, nullptr) ==
           LOGREAD_RECORD) {
        hits.push_back({r->dwTime, r->lpszUrl ? r->lpszUrl : "", r->dwStatus, r->wServerIndex});
    }
    HitRecord_Free(r);
    return hits;
}

namespace {
ErrorRecorder* g_recorder = nullptr;

void CALLBACK RecordError(HWND, const char* caption, const char* text, UINT, UINT, int) {
    if (g_recorder) {
        g_recorder->captions.push_back(caption ? caption : "");
        g_recorder->texts.push_back(text ? text : "");
    }
}
} // namespace

ErrorRecorder::ErrorRecorder() {
    g_recorder = this;
    Engine_State().errorDisplay = RecordError;
}

ErrorRecorder::~ErrorRecorder() {
    Engine_State().errorDisplay = nullptr;
    g_recorder = nullptr;
}

LogInstall::LogInstall() {
    LogRead_SetDatfilesFolder(Data().c_str());
}
LogInstall::~LogInstall() {
    LogRead_SetDatfilesFolder(nullptr);
}

} // namespace logtest
