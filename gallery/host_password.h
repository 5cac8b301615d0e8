// What the gallery, as a host application, keeps of its user's password: only
// the MD5 digest, handed to the library's private-records prompts when they
// ask the main window for it.
#pragma once

#include "win/types.h"

// The user the gallery runs as.
constexpr const char* kHostUserName = "Anna Lindqvist";

class CHostPassword {
 public:
  static CHostPassword& Instance();

  bool IsSet() const { return m_bSet; }
  // Keeps the digest of `password`; false (and nothing changed) for a
  // password the digest cannot hold (32 bytes or more).
  bool Set(const char* password);
  void Clear();
  // The answer to WM_GETPASSWORDDIGEST: fills the 32 bytes and returns 0, or
  // returns -1 when no password is set.
  LRESULT AnswerDigestRequest(BYTE* buffer) const;

 private:
  BYTE m_digest[32] = {};
  bool m_bSet = false;
};
