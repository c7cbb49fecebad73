#include "carry_state.h"
#include "carry_steps.h"
#include "import_log.h"
#include "please_wait.h"

struct ImportStep {
    CarryItem Item;
    const char* Title;
    bool Logged;
    void (*Run)(void);
};

// The order matters: profiles fill the profile map that the reports,
// schedule and databases read; reports fill the map the schedule reads.
static const ImportStep kSteps[] = {
    {ITEM_ADVIEWS, "Importing advertising database", false, ImportAdViewsFile},
    {ITEM_INTRANET, "Importing intranet database", false, ImportIntranetFile},
    {ITEM_PROFILES, "Importing profiles", true, ImportProfiles},
    {ITEM_REPORTS, "Importing memorized reports", true, ImportReports},
    {ITEM_SCHEDULE, "Importing scheduled events", true, ImportSchedule},
    {ITEM_SETTINGS, "Importing program settings", true, ImportSettings},
    {ITEM_DATABASES, "Importing Swiftmere databases", true, ImportDatabases},
};

void RunImport(void) {
    DisplayPleaseWait(g_carry.Owner, PleaseWaitDlgProc, 0, TRUE);
    ShowImportStep("Importing Ostrevane files. Please wait.");
    for (const ImportStep& step : kSteps) {
        if (!g_carry.Selected[step.Item])
            continue;
        ShowImportStep(step.Title);
        if (step.Logged)
            AppendImportLog(step.Title);
        step.Run();
    }
    ClosePleaseWait();
}
