// Splitting and joining URLs: scheme "://" host "/" path "?" query.
// Parts are held without the "://", the '/' behind the host or the '?'.
// Output buffers are the caller's and are taken to hold MAX_PATH (260) bytes.
// A result longer than 259 characters is never cut: the call answers 0 and
// leaves its outputs empty.
#pragma once
#include "ovkit/ovkit_base.h"

// Joins the parts into out. No scheme (null or empty) gives "file://"; a
// scheme already holding "://" gets none added; one leading '/' of host and
// path is skipped; a non-empty host loses one trailing separator; a query
// beginning with '?' gets no second one. Any part may be null. 1 on success;
// 0 (out emptied) when the URL does not fit.
OVKIT_EXPORT(BOOL)
OVKIT_BuildURL(char* out, const char* scheme, const char* host, const char* path,
               const char* query);
// Splits url; every output may be null and is emptied first. Without a
// "://" before the last '?', the whole text up to that '?' is the path. The
// host ends at the first '/' behind "://" (before the '?'); when there is no
// such '/', the host stays empty and the rest is the path. No unescaping.
// 1 on success; 0 (every output emptied) for a null url or a part that does
// not fit.
OVKIT_EXPORT(BOOL)
OVKIT_ParseURL(const char* url, char* scheme, char* host, char* path, char* query);
