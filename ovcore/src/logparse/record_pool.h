// Freed hit records kept for the reader: handing out one record per line
// would otherwise cost two heap round trips a line.
#pragma once
#include "ovcore/hitrecord.h"

// A record for the reader to fill: zero-filled like HitRecord_New, except
// that it may keep the line buffer of a freed record (lpLine and dwLineSize
// set). Null when memory runs out.
HitRecord* RecordPool_Take();
// Keeps the record (with its line buffer) for RecordPool_Take when the pool
// has room and the buffer is of a usual size; 0 when the caller must free it.
BOOL RecordPool_Keep(HitRecord* rec);
