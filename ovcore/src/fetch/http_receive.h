// Reading an HTTP answer off a non-blocking socket: the one receive loop of
// the engine's HTTP clients (the log fetch, the page-title fetch and the
// plain GET into a file).
#pragma once
#include <winsock2.h>
#include <windows.h>

enum HttpReceiveResult { HTTP_RECEIVED, HTTP_NOTHING_MORE, HTTP_BROKEN };

// Takes the bytes that arrived (count of them at bytes).
typedef void (*HttpTakeFn)(void* context, const char* bytes, DWORD count);
// Whether the caller still wants the socket read.
typedef BOOL (*HttpWantedFn)(void* context);

// Reads once what the socket holds and hands it to take: RECEIVED;
// NOTHING_MORE at the orderly end or when nothing is there yet; BROKEN when
// the connection failed.
HttpReceiveResult Http_ReceiveOnce(SOCKET sock, HttpTakeFn take, void* context);
// At the close: reads until nothing more comes or wanted (null: always)
// turns FALSE, which is asked before each read. The last read's result
// (RECEIVED when wanted ended it).
HttpReceiveResult Http_ReceiveRest(SOCKET sock, HttpTakeFn take, void* context,
                                   HttpWantedFn wanted);
