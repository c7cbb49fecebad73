// The report output's shared routines: template trimming, intervals and
// their texts, report numbers, and the company list.
#pragma once
#include "ovcore/report_template.h"
#include "ovcore/report_intervals.h"
#include "ovcore/report_numbers.h"
#include "ovcore/company.h"
