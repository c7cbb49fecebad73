// The text lists of a filter, each with its key in the profile file. Reading,
// writing, copying and freeing a filter walk this one table.
#pragma once
#include "ovcore/filters.h"

struct FilterListField {
    FilterString* ProfileFilter::*list;
    const char* key;
};

enum { FILTER_LIST_COUNT = 10 };
// In the profile reader's order; the referrer list comes last.
extern const FilterListField kFilterLists[FILTER_LIST_COUNT];

// The profile-file key of a list of the table.
const char* FilterListKey(FilterString* ProfileFilter::*list);
