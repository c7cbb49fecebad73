#pragma once
#include "ovcore/ovcore_base.h"
