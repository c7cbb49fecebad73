// The engine's public interface: every export, its calling convention and its
// records. Callers include this header only.
#pragma once
#include "ovcore/ovcore_base.h"
