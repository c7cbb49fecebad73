// Defaults of the partial formats (referrer and agent lines).
#include "ovcore/hitrecord.h"
#include "logparse/parse_engine.h"
#include "ovkit/ovassert.h"
#include <stdlib.h>
#include <string.h>

namespace {

// The three caller texts, copied aside before the buffer is rewritten. Short
// texts stay on the stack; long ones get one heap block sized to them.
class AsideTexts {
  public:
    AsideTexts(const char* url, const char* referrer, const char* agent) {
        const char* in[3] = {url, referrer, agent};
        size_t len[3], total = 0;
        for (int i = 0; i < 3; ++i) {
            len[i] = in[i] ? strlen(in[i]) : 0;
            total += len[i] + 1;
        }
        store_ = total <= sizeof(local_) ? local_ : (char*)malloc(total);
        if (!store_)
            return;
        char* p = store_;
        for (int i = 0; i < 3; ++i) {
            text_[i] = in[i] ? p : nullptr;
            if (in[i])
                memcpy(p, in[i], len[i] + 1);
            p += len[i] + 1;
        }
    }
    ~AsideTexts() {
        if (store_ != local_)
            free(store_);
    }
    bool ok() const { return store_ != nullptr; }
    const char* get(int i) const { return text_[i]; }

  private:
    char local_[1024];
    char* store_ = nullptr;
    const char* text_[3] = {nullptr, nullptr, nullptr};
};

} // namespace

DWORD HitRecord_SetDefaults(HitRecord* rec, char* buffer, const char* url, const char* referrer,
                            const char* userAgent) {
    OV_ASSERT(buffer == rec->lpLine);
    AsideTexts aside(url, referrer, userAgent);
    if (!aside.ok())
        return 0;
    const char* texts[14] = {"localhost",
                             "",
                             "",
                             "01/Jan/1997:00:00:00 +0000",
                             "GET",
                             aside.get(0) ? aside.get(0) : "/",
                             "HTTP/1.0",
                             "200",
                             "0",
                             aside.get(1) ? aside.get(1) : "-",
                             aside.get(2) ? aside.get(2) : "",
                             "0",
                             "",
                             ""};
    char** slots[14] = {&rec->lpszClientAddr, &rec->lpszServerAddr, &rec->lpszUserName,
                        &rec->lpszDateTime,   &rec->lpszMethod,     &rec->lpszUrl,
                        &rec->lpszProtocol,   &rec->lpszStatus,     &rec->lpszBytesOut,
                        &rec->lpszReferrer,   &rec->lpszUserAgent,  &rec->lpszBytesIn,
                        &rec->lpszServerName, &rec->lpszCookie};
    DWORD total = 0;
    for (int i = 0; i < 14; ++i)
        total += (DWORD)strlen(texts[i]) + 1;
    if (!HitRecord_EnsureRoom(rec, 0, total))
        return 0;
    char* p = rec->lpLine;
    for (int i = 0; i < 14; ++i) {
        size_t n = strlen(texts[i]) + 1;
        memcpy(p, texts[i], n);
        *slots[i] = p;
        p += n;
    }
    rec->dwSize = total;
    strcpy(rec->szClientAddr, "localhost");
    rec->szServerAddr[0] = 0;
    LogParse_SetUnresolvedNames(rec);
    rec->wMethod = HIT_METHOD_GET;
    rec->dwStatus = 200;
    rec->bSuccess = 1;
    return total;
}
