// Until the keyword evaluators exist every keyword yields an empty value.
#include "report/keyword_resolve.h"

WORD ResolveTemplateKeyword(ReportHandle*, HANDLE, const char*, RunContext*, DWORD*, int*,
                            ReportStatusProc) {
    return 0;
}
