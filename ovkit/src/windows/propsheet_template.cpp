#include "propsheet_template.h"

namespace {

const DWORD kKeepMask = 0x6F37FF7F;
const DWORD kChildBits = WS_CHILD | DS_CONTROL;

} // namespace

void OvkitMakeChildTemplate(void* dialogTemplate) {
    WORD* words = static_cast<WORD*>(dialogTemplate);
    // An extended template starts with version 1 and the 0xFFFF signature;
    // its style follows the help id and the extended style.
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    BYTE* at = static_cast<BYTE*>(dialogTemplate) + (extended ? 12 : 0);
    DWORD style;
    CopyMemory(&style, at, sizeof style);
    style = (style & kKeepMask) | kChildBits;
    CopyMemory(at, &style, sizeof style);
}
