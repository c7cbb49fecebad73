// The small value classes of ovkit in one include.
#pragma once
#include "ovkit/geometry.h"
#include "ovkit/handle_obj.h"
#include "ovkit/wait_cursor.h"
