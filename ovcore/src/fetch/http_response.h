// Reading the head of an HTTP answer: status line, header block, and the
// length and range headers (names in any letter case).
#pragma once
#include <windows.h>

// Header blocks longer than this are refused.
#define HTTP_HEAD_MAX 16384

#define HTTP_HEAD_INCOMPLETE 0
#define HTTP_HEAD_COMPLETE 1
#define HTTP_HEAD_MALFORMED (-1)

// Looks for the status line ("HTTP/d.d ddd") and the blank line that ends
// the header block in data (length bytes). COMPLETE with *status and
// *headLength (the bytes up to and including the blank line) set;
// INCOMPLETE while the end has not arrived; MALFORMED when the text cannot
// be an answer.
int Http_ParseHead(const char* data, DWORD length, int* status, DWORD* headLength);
// The whole number of header "name" (lower case, without the colon) in the
// header block; blanks after the colon are skipped. FALSE when absent.
BOOL Http_HeaderNumber(const char* head, DWORD headLength, const char* name, ULONGLONG* value);
// "Content-Range: bytes first-last/total". FALSE when absent or malformed.
BOOL Http_ContentRange(const char* head, DWORD headLength, ULONGLONG* first, ULONGLONG* last,
                       ULONGLONG* total);
