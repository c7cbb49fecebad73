// Texts of field and method codes for the log listings and filter lists.
#include "ovcore/registration.h"

#include <stdio.h>

struct CodeText {
    int code;
    UINT stringId;
};

// Searched in this order; the first match wins.
static const CodeText kCodeTexts[] = {
    {0, 5677},     {1, 5678},    {2, 5679},     {3, 5680},     {4, 5681},     {561, 5682},
    {562, 5683},   {563, 5684},  {564, 5685},   {565, 5686},   {566, 5687},   {572, 5688},
    {573, 5689},   {574, 5690},  {575, 5691},   {567, 5692},   {568, 5693},   {569, 5695},
    {570, 5696},   {571, 5694},  {16384, 5697}, {12288, 5698}, {13312, 5699}, {5632, 5700},
    {10496, 5701}, {5888, 5702}, {6144, 5703},  {8960, 5705},  {8192, 5706},  {8448, 5707},
    {7936, 5704},
};

// The buffer's room.
#define SET_STRING_ROOM 8192

ORB_EXPORT(short) ORB_GetSetString(int code, char* buffer, WORD /*ignored*/) {
    if (!buffer)
        return 0;
    for (const CodeText& entry : kCodeTexts) {
        if (entry.code == code) {
            lstrcpynA(buffer, LoadCachedString(entry.stringId), SET_STRING_ROOM);
            return 0;
        }
    }
    snprintf(buffer, SET_STRING_ROOM, "Unknown StringID=%x", (unsigned)code);
    return 0;
}
