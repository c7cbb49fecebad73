#include "ovkit/resources.h"
#include "ovkit/startup.h"

namespace {

// Bitmap resource ids of pictures 1 to 22.
const WORD kPictureIds[22] = {1169, 1153, 1154, 1152, 1162, 1157, 1160, 1163, 1156, 1159, 1167,
                              1166, 1150, 1168, 1165, 1161, 1164, 1151, 1155, 1158, 112,  113};

} // namespace

HINSTANCE OVKIT_CALL OVKIT_GetBitmapInstance() {
    return OVKIT_GetInstance();
}

int OVKIT_CALL OVKIT_GetBitmapResource(int picture) {
    if (picture < 1 || picture > 22)
        return 0;
    return kPictureIds[picture - 1];
}
