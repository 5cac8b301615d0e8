// The input-method functions: a window reads the text an input method
// composed for it (WM_IME_COMPOSITION with GCS_RESULTSTR) from its input
// context.
#pragma once

#include "win/types.h"

// ImmGetCompositionString flags
#define GCS_COMPSTR 0x0008
#define GCS_CURSORPOS 0x0080
#define GCS_RESULTSTR 0x0800

#define IMM_ERROR_NODATA (-1)
#define IMM_ERROR_GENERAL (-2)

// The input context of the window's thread (all windows share it); NULL for
// an invalid window.
HIMC ImmGetContext(HWND hwnd);
BOOL ImmReleaseContext(HWND hwnd, HIMC imc);
// Copies the composition (GCS_COMPSTR) or the finished result (GCS_RESULTSTR)
// as UTF-8 bytes without a terminating zero, cut at a character boundary.
// With no buffer or a zero size it returns the bytes needed. Other requests
// return IMM_ERROR_GENERAL; a stale context returns IMM_ERROR_GENERAL too.
LONG ImmGetCompositionStringA(HIMC imc, DWORD index, LPVOID buffer, DWORD bufferLength);
#define ImmGetCompositionString ImmGetCompositionStringA
