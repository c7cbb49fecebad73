// ovreport: writes the HTML report of the logs given, with the shipped
// templates, language words and styles:
//
//   ovreport [--dns] [--stats] [--style NAME] [--title TEXT] [--out FILE] log...
//
// The report covers every section of the main template and the logs' whole
// time range; --style names a section of style.ini ("(Default)": one page;
// "Frames, a page per chapter" and the others listed there); --out is the
// report's first page (default report\index.htm below the current folder,
// whose folder is made when missing). On success the path of the first
// page is printed. --stats prints to standard error, after the report, the
// lines read, the seconds of the run and of the writing, lines per second
// and the peak working set (see report/run_stats.h).
//
// The content is read from the "content" folder beside the program (laid
// out as an install folder: ovdesk\template, ovdesk\images, style.ini, ...).
// Runs unattended in a throw-away install folder beside the system's
// temporary files: an engine message goes to standard error, and the exit
// status is 1 after one, when no record could be read or when the report
// could not be written.
#include <stdio.h>
#include <string.h>

#include <string>

#include "common/tool_install.h"
#include "core/message_sink.h"
#include "ovcore/ovcore.h"
#include "report/run_stats.h"

namespace {

struct Options {
    BOOL dns = FALSE;
    bool stats = false;
    const char* style = "(Default)";
    const char* title = nullptr;
    const char* out = "report\\index.htm";
    int firstLog = 0;
};

// 0 when the command line is usable.
int ReadOptions(int argc, char** argv, Options* o) {
    int i = 1;
    for (; i < argc && strncmp(argv[i], "--", 2) == 0; i++) {
        bool hasValue = i + 1 < argc;
        if (strcmp(argv[i], "--dns") == 0)
            o->dns = TRUE;
        else if (strcmp(argv[i], "--stats") == 0)
            o->stats = true;
        else if (strcmp(argv[i], "--style") == 0 && hasValue)
            o->style = argv[++i];
        else if (strcmp(argv[i], "--title") == 0 && hasValue)
            o->title = argv[++i];
        else if (strcmp(argv[i], "--out") == 0 && hasValue)
            o->out = argv[++i];
        else
            return 2;
    }
    o->firstLog = i;
    return i < argc ? 0 : 2;
}

// Makes every missing folder of the file's path. False when one cannot be
// made.
bool MakeFolderOf(const char* file) {
    std::string path = file;
    for (size_t at = path.find_first_of("\\/", 3); at != std::string::npos;
         at = path.find_first_of("\\/", at + 1)) {
        std::string folder = path.substr(0, at);
        if (!CreateDirectoryA(folder.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

int CALLBACK KeepGoing(int) {
    return 1;
}

int CALLBACK NoteFile(int, const char*, int) {
    return 1;
}

// The template's sections, every one chosen; the block is the caller's.
HGLOBAL ReadSections(const ovtool::ToolInstall& install, WORD* count) {
    std::string path = install.Root() + "ovdesk\\template\\cluster.var";
    HGLOBAL block = NULL;
    if (ORB_ReadTemplateSectionList(path.c_str(), count, &block, NULL) != 1 || !block)
        return NULL;
    TemplateSection* sections = static_cast<TemplateSection*>(GlobalLock(block));
    for (WORD i = 0; i < *count; ++i)
        sections[i].Include = 1;
    GlobalUnlock(block);
    return block;
}

// Runs the logs and writes the report, timing both into *stats; 0 on
// success.
int WriteReport(const ovtool::ToolInstall& install, AnalysisProfile* profile, const Options& o,
                char* output, ovtool::RunStats* stats) {
    WORD count = 0;
    HGLOBAL block = ReadSections(install, &count);
    if (!block) {
        fprintf(stderr, "cannot read the report template's sections\n");
        return 1;
    }
    ovtool::RunRequest request;
    request.name = "ovreport";
    request.title = o.title;
    request.style = o.style;
    request.outputPath = output;
    request.sections = static_cast<const TemplateSection*>(GlobalLock(block));
    request.sectionCount = count;
    request.everyTable = true;
    ovtool::Stopwatch run;
    ReportHandle* report = ovtool::RunLogsToEnd(profile, request);
    stats->runSeconds = run.Seconds();
    stats->lines = ADT_GetReportRecCount(report);
    ovtool::Stopwatch writing;
    int status = 1;
    if (report && ORB_DoSummary(report, KeepGoing, NoteFile)) {
        char text[512] = "";
        ORB_GetSummaryErrMsg(text);
        if (text[0])
            fprintf(stderr, "%s\n", text);
        else
            status = 0;
    }
    stats->writingSeconds = writing.Seconds();
    ORB_CloseReport(report, nullptr);
    GlobalUnlock(block);
    GlobalFree(block);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    ovtool::Stopwatch program;
    Engine_StartUnattendedProgram();
    Options o;
    if (ReadOptions(argc, argv, &o) != 0) {
        fprintf(stderr, "usage: ovreport [--dns] [--stats] [--style NAME] [--title TEXT] [--out "
                        "FILE] log...\n");
        return 2;
    }
    char output[MAX_PATH];
    if (!GetFullPathNameA(o.out, MAX_PATH, output, NULL) || !MakeFolderOf(output)) {
        fprintf(stderr, "cannot make the folder of %s\n", o.out);
        return 1;
    }
    ovtool::ToolInstall install;
    if (!install.Make("ovreport", ovtool::ProgramFolder() + "content\\")) {
        fprintf(stderr, "cannot lay out the install folder %s with the report content\n",
                install.Root().c_str());
        return 1;
    }
    // The profile's base name is the set the run opens; the title names the report.
    AnalysisProfile* profile =
        ovtool::MakeLogProfile(install, "ovreport", argv + o.firstLog, argc - o.firstLog, o.dns);
    if (!profile) {
        fprintf(stderr, "cannot write the profile of the logs\n");
        return 1;
    }
    ovtool::RunStats stats;
    int status = WriteReport(install, profile, o, output, &stats);
    ORB_FreeURL(profile);
    AnalysisProfile_Free(profile);
    if (status == 0 && Engine_ErrorCount() == 0)
        printf("%s\n", output);
    if (o.stats) {
        fflush(stdout);
        stats.programSeconds = program.Seconds();
        ovtool::PrintRunStats(stderr, stats);
    }
    return status == 0 && Engine_ErrorCount() == 0 ? 0 : 1;
}
