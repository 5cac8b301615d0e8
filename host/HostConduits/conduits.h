// The conduit manager: which folder of a handheld user's data folder each
// synchronisation conduit keeps its files in. A conduit is known by its
// four-character creator code; the host's conduits are built in:
//
//   "Zorb" (address book)  folder "address"
//   "Zink" (memos)         folder "memo"
#pragma once

#include "win/types.h"
#include "nbhost_export.h"

// Writes the four characters of dwCreator (its high byte first) and a
// terminating zero into pBuffer, whose size *pnSize gives (at least 5);
// *pnSize becomes 4. 0 on success, -1 for a null argument or a buffer too
// small.
NBHOST_API int NbConduitGetCreatorText(DWORD dwCreator, char* pBuffer, int* pnSize);
// The folder of the conduit with creator text pszCreator into pBuffer
// (size *pnSize; *pnSize becomes the length). 0 or more on success; -1 for
// an unknown creator, -2 for a buffer too small or a null argument.
NBHOST_API int NbConduitGetCreatorFolder(const char* pszCreator, char* pBuffer, int* pnSize);
