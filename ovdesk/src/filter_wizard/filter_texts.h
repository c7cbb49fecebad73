// A filter's values as the pages show them: each text sized to its list, so
// that a long list is never cut.
#pragma once
#include <string>
#include "ovcore/ovcore.h"

std::string ListText(const FilterString* list);
// The host patterns, then the address ranges and subnets.
std::string UserAddressText(const ProfileFilter* filter);
std::string EntryPageText(const EntryPageFilter* list);
