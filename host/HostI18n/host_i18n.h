// The host's internationalisation helpers that the library relies on. Text is
// multibyte in the user's code page, which is UTF-8 here: a "character" is a
// whole UTF-8 sequence, and a byte that starts no valid sequence counts as a
// character of its own, as the multibyte string functions count them.
#pragma once

#include "mfc/cstring.h"
#include "nbhost_export.h"

// Keeps the first nChars characters of str and drops the rest, never leaving
// part of a character behind. nChars of 0 or less empties str; nChars at or
// above the character count leaves it as it is.
NBHOST_API void LeftAndValidateDec(CString& str, int nChars);
