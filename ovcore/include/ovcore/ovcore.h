// The engine's public interface: every export, its calling convention and its
// records. Callers include this header only; each area's header below holds
// the declarations of that area.
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovcore/registration.h"
#include "ovcore/settings.h"
#include "ovcore/dates.h"
#include "ovcore/machine.h"
#include "ovcore/serverlist.h"
#include "ovcore/filters.h"
#include "ovcore/rowmere.h"
#include "ovcore/profile.h"
#include "ovcore/profile_file.h"
#include "ovcore/report_ini.h"
#include "ovcore/filetypes.h"
#include "ovcore/adviews.h"
#include "ovcore/langvars.h"
#include "ovcore/hitrecord.h"
#include "ovcore/hittime.h"
#include "ovcore/logsource.h"
#include "ovcore/logfile.h"
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
