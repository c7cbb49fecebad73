// The viewer's and the progress display's reads of a running report.
#include "logread/engine_link.h"
#include "ovcore/report_run.h"
#include "run/report_handle.h"

namespace {

ViewBufferSet* Buffers(ReportHandle* report) {
    return report ? &report->Listing.buffers : nullptr;
}

} // namespace

ORB_EXPORT(DWORD) ADT_GetReportDonePercent(ReportHandle* report) {
    return report ? report->DonePercent : 0;
}
ORB_EXPORT(DWORD) ADT_GetReportRecCount(ReportHandle* report) {
    return report ? report->RecordCount : 0;
}

ORB_EXPORT(DWORD) ADT_ViewReportCount(ReportHandle* report) {
    return report ? Buffers(report)->count : 0;
}
ORB_EXPORT(DWORD) ADT_GetViewReportBufferNum(ReportHandle* report) {
    return report ? Buffers(report)->current : 0;
}
ORB_EXPORT(const char*) ADT_GetViewReportDescPtr(ReportHandle* report, DWORD n) {
    return report ? ViewBuffers_Description(Buffers(report), n) : nullptr;
}
ORB_EXPORT(LONG) ADT_SetViewReportBuffer(ReportHandle* report, DWORD n) {
    return report ? ViewBuffers_Select(Buffers(report), n) : 0;
}
ORB_EXPORT(LONG) ADT_PreviousViewReportBuffer(ReportHandle* report) {
    return report ? ViewBuffers_Previous(Buffers(report)) : 0;
}
ORB_EXPORT(LONG) ADT_NextViewReportBuffer(ReportHandle* report) {
    return report ? ViewBuffers_Next(Buffers(report)) : 0;
}
ORB_EXPORT(void*) ADT_AttachLongToReport(ReportHandle* report, LONG value) {
    return report ? ViewBuffers_Attach(Buffers(report), value) : nullptr;
}
ORB_EXPORT(HANDLE) ADT_GetReportASCII_fh(ReportHandle* report) {
    return report ? ViewBuffers_CurrentFile(Buffers(report)) : INVALID_HANDLE_VALUE;
}
ORB_EXPORT(char*) ADT_GetReportASCII_Filename(ReportHandle* report, char* buffer) {
    if (!buffer)
        return nullptr;
    buffer[0] = 0;
    return report ? ViewBuffers_CurrentFileName(Buffers(report), buffer) : buffer;
}

ORB_EXPORT(void) ORB_SetProgressHWND(HWND window) {
    LogRead_SetProgressWindow(window);
}
ORB_EXPORT(void) ORB_SetCancelBOOL(const BOOL* flag) {
    LogRead_SetCancelFlag(flag);
}
