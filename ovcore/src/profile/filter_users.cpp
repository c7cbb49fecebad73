// Client-address elements of filters: host patterns, address ranges, subnets.
#include "ovcore/filters.h"
#include <cstdlib>
#include <cstring>

void ORB_CALL FreeAddressRanges(FilterAddressRange* lpList) {
    while (lpList) {
        FilterAddressRange* next = lpList->Next;
        std::free(lpList);
        lpList = next;
    }
}

void ORB_CALL FreeSubnets(FilterSubnet* lpList) {
    while (lpList) {
        FilterSubnet* next = lpList->Next;
        std::free(lpList);
        lpList = next;
    }
}

// Moves one item into a range or subnet node at *rangeTail / *subnetTail.
// Returns 1 when moved, 0 when the item is neither, -1 when memory is short.
static int MoveAddressItem(const char* text, FilterAddressRange*** rangeTail,
                           FilterSubnet*** subnetTail) {
    if (OVKIT_IsAddressRangeString(text)) {
        FilterAddressRange* node =
            static_cast<FilterAddressRange*>(std::calloc(1, sizeof(FilterAddressRange)));
        if (!node)
            return -1;
        if (!OVKIT_ParseAddressRangeString(text, &node->Range)) {
            std::free(node);
            return 0;
        }
        **rangeTail = node;
        *rangeTail = &node->Next;
        return 1;
    }
    if (OVKIT_IsSubnetString(text)) {
        FilterSubnet* node = static_cast<FilterSubnet*>(std::calloc(1, sizeof(FilterSubnet)));
        if (!node)
            return -1;
        if (!OVKIT_ParseSubnetString(text, &node->Subnet)) {
            std::free(node);
            return 0;
        }
        **subnetTail = node;
        *subnetTail = &node->Next;
        return 1;
    }
    return 0;
}

int ORB_CALL UserFilterStringToStruct(FilterString** lplpUsers, FilterAddressRange** lplpRanges,
                                      FilterSubnet** lplpSubnets) {
    if (!lplpUsers || !lplpRanges || !lplpSubnets)
        return 0;
    FilterAddressRange** rangeTail = lplpRanges;
    while (*rangeTail)
        rangeTail = &(*rangeTail)->Next;
    FilterSubnet** subnetTail = lplpSubnets;
    while (*subnetTail)
        subnetTail = &(*subnetTail)->Next;

    FilterString** link = lplpUsers;
    while (*link) {
        FilterString* node = *link;
        int moved = node->lpszText ? MoveAddressItem(node->lpszText, &rangeTail, &subnetTail) : 0;
        if (moved < 0)
            return 0;
        if (moved) {
            *link = node->Next;
            FreeOneFilterString(node);
        } else {
            link = &node->Next;
        }
    }
    return 1;
}

int ORB_CALL UpdateUserFilters(ProfileFilter* lpFilter) {
    if (!lpFilter)
        return 0;
    FreeAddressRanges(lpFilter->AddressRange);
    FreeSubnets(lpFilter->Subnet);
    lpFilter->AddressRange = nullptr;
    lpFilter->Subnet = nullptr;
    return UserFilterStringToStruct(&lpFilter->Users, &lpFilter->AddressRange, &lpFilter->Subnet);
}

// Appends " " + item while more than 32 characters of room remain.
static bool AppendAddressText(char* szOut, int size, int* used, const char* item) {
    int len = static_cast<int>(std::strlen(item));
    if (size - *used <= 32 || *used + len + 2 > size)
        return false;
    if (*used)
        szOut[(*used)++] = ' ';
    std::memcpy(szOut + *used, item, len + 1);
    *used += len;
    return true;
}

void ORB_CALL UserFiltersStructsToString(const ProfileFilter* lpFilter, char* szOut, int size) {
    if (!szOut || size < 1)
        return;
    szOut[0] = '\0';
    if (!lpFilter)
        return;
    FilterStructToString(lpFilter->Users, szOut, size);
    int used = static_cast<int>(std::strlen(szOut));
    char item[40];
    for (const FilterAddressRange* r = lpFilter->AddressRange; r; r = r->Next) {
        if (OVKIT_AddressRangeToString(item, sizeof item, &r->Range) > 0 &&
            !AppendAddressText(szOut, size, &used, item))
            return;
    }
    for (const FilterSubnet* s = lpFilter->Subnet; s; s = s->Next) {
        if (OVKIT_SubnetToString(item, sizeof item, &s->Subnet) > 0 &&
            !AppendAddressText(szOut, size, &used, item))
            return;
    }
}
