// The size above which the writers leave a table out.
#include "ovcore/settings.h"
#include "run_report_services.h"

#define BIG_TABLE_CUTOFF_DEFAULT 10000

DWORD GetBigTableCutoff(void) {
    static DWORD cutoff = 0;
    if (cutoff == 0) {
        int value = GetModuleProfileInt("Defaults", "BigTableCutoff", BIG_TABLE_CUTOFF_DEFAULT);
        cutoff = value > 0 ? (DWORD)value : 0;
    }
    return cutoff;
}
