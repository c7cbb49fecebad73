// Resource ids of ovdesk.dll, one header per area.
#pragma once
#include "ids_startup.h"
#include "ids_host.h"
#include "ids_report_dialog.h"
#include "ids_report_run.h"
#include "ids_log_sources.h"
#include "ids_office.h"
#include "ids_viewer.h"
#include "ids_profile_sheet.h"
#include "ids_schedule.h"
#include "ids_filter_wizard.h"
