// The password check the private-records dialogs share (the library's own;
// hosts make digests with password_digest.h and ask through the prompts).
#pragma once

#include "frame/password_digest.h"

// Nonzero when `lpszPassword` matches `pDigest` in either form. Compares in
// constant time and wipes every copy of the password it made. Fails for a
// null argument or a password of 32 bytes or more.
BOOL NbCheckPassword(const BYTE* pDigest, LPCTSTR lpszPassword);
