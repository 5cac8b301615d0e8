// The password digests a host stores for its private-records prompts, and
// hands over when the prompts ask its main window for one (WM_GETPASSWORDDIGEST
// in frame/password_dlg.h). A digest is 32 bytes in one of two forms:
//
//   MD5 form     bytes 0-15 the MD5 digest of the password's bytes (no
//                terminating zero); bytes 16-31 are not looked at.
//   legacy form  all 32 bytes the legacy encoding of the password.
//
// Passwords are UTF-8 bytes; one of 32 bytes or more never matches and is
// never copied, since the legacy encoding works in a 32-byte buffer that must
// also hold the terminating zero.
#pragma once

#include "frame/nbui_export.h"
#include "win/types.h"

constexpr int kNbPasswordDigestSize = 32;
// The longest password, in bytes, that a digest can be made of or matched against.
constexpr int kNbPasswordMaxBytes = 31;

// What a host stores for a password: the MD5 form (bytes 16-31 zero) or, with
// bLegacy, the legacy form. FALSE (and pDigest untouched) for a null argument
// or a password of 32 bytes or more.
NBUI_API BOOL NbMakePasswordDigest(LPCTSTR lpszPassword, BYTE* pDigest, BOOL bLegacy);
