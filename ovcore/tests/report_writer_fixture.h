// A report run ready for the writer: a throw-away install with style.ini,
// a language file and the images, a run context and handle, and a fake
// keyword resolver in the writer's place.
//
// The fake reads the keyword itself: "T:text" writes text; "M<n>" is the
// layout marker of action n; "P:name" switches to page name; "E" is a
// marker matching no layout text; "W" is a short write; anything else
// yields nothing.
#pragma once
#include <string>
#include <vector>

#include "msgbox_watcher.h"
#include "write/template_writer.h"
#include "temp_install.h"

namespace ovtest {

class WriterRun {
  public:
    WriterRun();
    ~WriterRun();
    WriterRun(const WriterRun&) = delete;
    WriterRun& operator=(const WriterRun&) = delete;

    // Writes the style's section of style.ini ("Frame Page=1\r\n...").
    void Style(const std::string& keys);
    // The working template's text.
    void Template(const std::string& text);
    // Output under the install's "out\" folder.
    void Output(const std::string& name);
    int Write(); // WriteTemplateReport
    std::string Out(const std::string& name) const { return install.Read("out\\" + name); }
    bool Exists(const std::string& name) const;

    TempInstall install;
    MsgBoxWatcher boxes; // a missing template is also named in a box
    ReportHandle* report;
    RunContext* run;
    static std::vector<std::string> statusCalls; // "flag:file" of each call

  private:
    ResolveKeywordProc saved_;
};

// What the writer puts around a page's text.
extern const char* const kPageHead;
extern const char* const kPageTail;

} // namespace ovtest
