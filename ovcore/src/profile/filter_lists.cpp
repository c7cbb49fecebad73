#include "profile/filter_lists.h"

const FilterListField kFilterLists[FILTER_LIST_COUNT] = {
    {&ProfileFilter::Users, "Users"},
    {&ProfileFilter::MultiHomeDomain, "MultiHomeDomain"},
    {&ProfileFilter::Directory, "Directory"},
    {&ProfileFilter::Files, "Files"},
    {&ProfileFilter::SearchKeywords, "SearchKeywords"},
    {&ProfileFilter::Username, "Username"},
    {&ProfileFilter::Browser, "Browser"},
    {&ProfileFilter::AdClick, "AdClick"},
    {&ProfileFilter::AdView, "AdView"},
    {&ProfileFilter::Referrer, "Referrer"},
};

const char* FilterListKey(FilterString* ProfileFilter::*list) {
    for (const FilterListField& field : kFilterLists)
        if (field.list == list)
            return field.key;
    return "";
}
