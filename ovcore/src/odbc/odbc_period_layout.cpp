#include "odbc/odbc_period_layout.h"

DWORD* PeriodIntervalArray(PeriodBlock* p, int dataType) {
    DWORD* arrays[ODBC_BLOCK_DWORD_ARRAYS] = {
        p->NewVisits,    p->HomeVisits,      p->ForeignVisits, p->UnknownVisits,  p->Hits,
        p->HomePageHits, p->NotModifiedHits, p->FailedHits,    p->OtherMethodHits};
    return dataType >= 0 && dataType < ODBC_BLOCK_DWORD_ARRAYS ? arrays[dataType] : nullptr;
}

DWORD* TemplateCounter(PeriodBlock* p, int column) {
    DWORD* fields[] = {&p->TodaysHits,       &p->TodaysUsers,   &p->UserSessionsTimeCount,
                       &p->UserSessionsTime, &p->DocumentHits,  &p->FormHits,
                       &p->FailedFormHits,   &p->Failed500,     &p->Failed501,
                       &p->Failed502,        &p->Failed503,     &p->Failed400,
                       &p->Failed401,        &p->Failed402,     &p->Failed403,
                       &p->Failed404,        &p->TopTablesCount};
    int n = column - ODBC_TEMPLATE_FIRST_COUNTER;
    return n >= 0 && n < (int)(sizeof(fields) / sizeof(fields[0])) ? fields[n] : nullptr;
}
