// The view's CSTV_* messages (see cstctls4.h).
#pragma once
#include "view_state.h"

// true when message is one of them, its answer in *result.
bool HandleViewMessage(ViewState& view, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* result);
