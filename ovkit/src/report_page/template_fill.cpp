#include "ovkit/report_page.h"
#include "report_output.h"
#include "template_text.h"

BOOL OVKIT_CALL OVKIT_RplAndStyleReplacement(const char* templatePath, const char* languageFile,
                                             const char* styleSection, const char* styleFile,
                                             const char* outputPath) {
    if (!templatePath || !languageFile || !outputPath)
        return FALSE;
    OVKIT_ReportStyle style;
    OVKIT_ReadStyleColors(&style, styleSection, styleFile);
    std::string text;
    if (!OvkitLoadPage(templatePath, text))
        return FALSE;
    text = OvkitDropDescription(text, style.longDescription ? "Short" : "Long");
    text = OvkitFillLanguage(text, languageFile);
    text = OvkitFillStyle(text, style);
    OvkitOutputFile out(outputPath);
    if (!out.IsOpen()) {
        OvkitReportBox("Cannot Open %s file", outputPath, "Open Error");
        return FALSE;
    }
    bool written = out.Write(text);
    out.Finish();
    return written;
}
