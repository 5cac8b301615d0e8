#include "host_password.h"

#include <cstring>

#include "frame/password_digest.h"

CHostPassword& CHostPassword::Instance() {
  static CHostPassword password;
  return password;
}

bool CHostPassword::Set(const char* password) {
  BYTE digest[kNbPasswordDigestSize];
  if (!NbMakePasswordDigest(password, digest, FALSE)) return false;
  memcpy(m_digest, digest, sizeof m_digest);
  m_bSet = true;
  return true;
}

void CHostPassword::Clear() {
  memset(m_digest, 0, sizeof m_digest);
  m_bSet = false;
}

LRESULT CHostPassword::AnswerDigestRequest(BYTE* buffer) const {
  if (!m_bSet || !buffer) return -1;
  memcpy(buffer, m_digest, sizeof m_digest);
  return 0;
}
