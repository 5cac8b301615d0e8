#include "HostConduits/conduits.h"

#include <cstring>

namespace {

struct Conduit {
  const char* creator;
  const char* folder;
};

constexpr Conduit kConduits[] = {
    {"Zorb", "address"},
    {"Zink", "memo"},
};

}  // namespace

int NbConduitGetCreatorText(DWORD dwCreator, char* pBuffer, int* pnSize) {
  if (!pBuffer || !pnSize || *pnSize < 5) return -1;
  for (int i = 0; i < 4; ++i) pBuffer[i] = static_cast<char>((dwCreator >> (24 - 8 * i)) & 0xFF);
  pBuffer[4] = '\0';
  *pnSize = 4;
  return 0;
}

int NbConduitGetCreatorFolder(const char* pszCreator, char* pBuffer, int* pnSize) {
  if (!pszCreator || !pBuffer || !pnSize) return -2;
  for (const Conduit& c : kConduits) {
    if (std::strcmp(c.creator, pszCreator) != 0) continue;
    int length = static_cast<int>(std::strlen(c.folder));
    if (*pnSize <= length) return -2;
    std::memcpy(pBuffer, c.folder, static_cast<size_t>(length) + 1);
    *pnSize = length;
    return 0;
  }
  return -1;
}
