#pragma once

// Calling convention and export marker of the host interface. The host is a 32-bit Windows
// program that calls its plug-ins with stdcall; elsewhere the C default is used.
#if defined(_WIN32)
#define DUX_CALL __stdcall
#define DUX_EXPORT __declspec(dllexport)
#else
#define DUX_CALL
#define DUX_EXPORT __attribute__((visibility("default")))
#endif
