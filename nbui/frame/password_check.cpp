#include "frame/password_check_internal.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cstring>

namespace {

// The legacy tables are the first 96 bytes of the fractional part of pi in
// hexadecimal (243F6A88 85A308D3 ...): K64 the first 64, K32 the next 32.
// Any fixed bytes would serve; these can be checked by anyone.
constexpr BYTE kK64[64] = {
    0x24, 0x3F, 0x6A, 0x88, 0x85, 0xA3, 0x08, 0xD3, 0x13, 0x19, 0x8A, 0x2E, 0x03, 0x70, 0x73, 0x44,
    0xA4, 0x09, 0x38, 0x22, 0x29, 0x9F, 0x31, 0xD0, 0x08, 0x2E, 0xFA, 0x98, 0xEC, 0x4E, 0x6C, 0x89,
    0x45, 0x28, 0x21, 0xE6, 0x38, 0xD0, 0x13, 0x77, 0xBE, 0x54, 0x66, 0xCF, 0x34, 0xE9, 0x0C, 0x6C,
    0xC0, 0xAC, 0x29, 0xB7, 0xC9, 0x7C, 0x50, 0xDD, 0x3F, 0x84, 0xD5, 0xB5, 0xB5, 0x47, 0x09, 0x17,
};
constexpr BYTE kK32[32] = {
    0x92, 0x16, 0xD5, 0xD9, 0x89, 0x79, 0xFB, 0x1B, 0xD1, 0x31, 0x0B, 0xA6, 0x98, 0xDF, 0xB5, 0xAC,
    0x2F, 0xFD, 0x72, 0xDB, 0xD0, 0x1A, 0xDF, 0xB7, 0xB8, 0xE1, 0xAF, 0xED, 0x6A, 0x26, 0x7E, 0x96,
};
constexpr int kSize = kNbPasswordDigestSize;

BYTE RotateRight(BYTE value, int bits) {
  return bits == 0 ? value : static_cast<BYTE>((value >> bits) | (value << (8 - bits)));
}

void Mix(BYTE* buffer, int start) {
  int i = (buffer[start] + buffer[start + 1]) % 64;
  int r = (buffer[start + 2] + buffer[start + 3]) % 8;
  for (int step = 0, p = start; step < kSize; ++step) {
    buffer[p] ^= RotateRight(kK64[i], r);
    p = (p + 1) % kSize;
    i = (i + 1) % 64;
  }
}

// `buffer` holds the n password bytes and their terminating zero.
void LegacyEncode(BYTE* buffer, int n) {
  if (n > 4) {
    // Copies of the text so far, each raised by its position, fill the buffer:
    // five bytes become 10, 20, then 32.
    for (int length = n; length < kSize;) {
      int count = std::min(length, kSize - length);
      for (int k = 0; k < count; ++k) buffer[length + k] = static_cast<BYTE>(buffer[k] + length);
      length += count;
    }
    for (int start : {2, 16, 24, 8}) Mix(buffer, start);
    return;
  }
  std::fill(buffer + n, buffer + kSize, BYTE{0});
  int j = (buffer[0] + n) % kSize;
  for (int k = 0; k < kSize; ++k) buffer[k] ^= kK32[(j + k) % kSize];
}

bool Md5(const char* text, size_t length, BYTE* out16) {
  unsigned int size = 0;
  return EVP_Digest(text, length, out16, &size, EVP_md5(), nullptr) == 1 && size == 16;
}

// The password's length in bytes when it can be matched, else -1. Stops
// looking after 32 bytes, so a huge text costs nothing.
int FittingLength(LPCTSTR password) {
  size_t length = strnlen(password, kNbPasswordMaxBytes + 1);
  return length > static_cast<size_t>(kNbPasswordMaxBytes) ? -1 : static_cast<int>(length);
}

}  // namespace

BOOL NbCheckPassword(const BYTE* pDigest, LPCTSTR lpszPassword) {
  if (!pDigest || !lpszPassword) return FALSE;
  int n = FittingLength(lpszPassword);
  if (n < 0) return FALSE;
  BYTE md5[16];
  bool match = Md5(lpszPassword, static_cast<size_t>(n), md5) && CRYPTO_memcmp(md5, pDigest, sizeof md5) == 0;
  OPENSSL_cleanse(md5, sizeof md5);
  if (match) return TRUE;
  BYTE work[kSize] = {};
  memcpy(work, lpszPassword, static_cast<size_t>(n) + 1);
  LegacyEncode(work, n);
  match = CRYPTO_memcmp(work, pDigest, kSize) == 0;
  OPENSSL_cleanse(work, sizeof work);
  return match ? TRUE : FALSE;
}

BOOL NbMakePasswordDigest(LPCTSTR lpszPassword, BYTE* pDigest, BOOL bLegacy) {
  if (!pDigest || !lpszPassword) return FALSE;
  int n = FittingLength(lpszPassword);
  if (n < 0) return FALSE;
  BYTE work[kSize] = {};
  bool made;
  if (bLegacy) {
    memcpy(work, lpszPassword, static_cast<size_t>(n) + 1);
    LegacyEncode(work, n);
    made = true;
  } else {
    made = Md5(lpszPassword, static_cast<size_t>(n), work);
  }
  if (made) memcpy(pDigest, work, kSize);
  OPENSSL_cleanse(work, sizeof work);
  return made ? TRUE : FALSE;
}
