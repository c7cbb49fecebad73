// A filter's values as text, each sized to its list.
#include "filter_wizard/filter_texts.h"
#include <cstring>

namespace {
// The engine's writers stop at the first item that does not fit: room for
// every item, then the text up to its terminator.
std::string Trimmed(std::string text) {
    text.resize(strlen(text.c_str()));
    return text;
}
// The longest text of an address range or subnet, with its blank.
enum { ADDRESS_TEXT_ROOM = 48, USER_TEXT_MARGIN = 64 };
} // namespace

std::string ListText(const FilterString* list) {
    int size = FilterStructTextSize(list);
    std::string text(size > 0 ? size : 1, '\0');
    FilterStructToString(list, &text[0], (int)text.size());
    return Trimmed(text);
}

std::string UserAddressText(const ProfileFilter* filter) {
    // The ranges and subnets go in only while more than 32 characters of
    // room remain: a margin beyond the last one.
    int size = FilterStructTextSize(filter->Users) + USER_TEXT_MARGIN;
    for (const FilterAddressRange* r = filter->AddressRange; r; r = r->Next)
        size += ADDRESS_TEXT_ROOM;
    for (const FilterSubnet* s = filter->Subnet; s; s = s->Next)
        size += ADDRESS_TEXT_ROOM;
    std::string text(size, '\0');
    UserFiltersStructsToString(filter, &text[0], size);
    return Trimmed(text);
}

std::string EntryPageText(const EntryPageFilter* list) {
    // Each item: its three parts, "/", ".", quotes and a blank.
    int size = 1;
    for (const EntryPageFilter* node = list; node; node = node->Next)
        size +=
            (int)(strlen(node->szDirectory) + strlen(node->szName) + strlen(node->szExtension)) + 8;
    std::string text(size, '\0');
    EntryPageFilter_ToString(list, &text[0], size);
    return Trimmed(text);
}
