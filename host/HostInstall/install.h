// The install aide: the handheld users known on this computer and the data
// folder of each, kept in a users file.
//
// The users file is UTF-8 text, one user a line: the user's name, a tab, and
// the user's data folder (a relative folder is taken from the users file's
// own folder). Empty lines and lines starting with "#" are skipped; a line
// without a tab is not a user. The file is found at, in this order: the path
// given to NbInstSetUsersFile; $NBUI_USERS_FILE; <data folder>/users.
#pragma once

#include "mfc/cstring.h"
#include "nbhost_export.h"

// The host's data folder: $XDG_DATA_HOME/NbUI, or ~/.local/share/NbUI when
// XDG_DATA_HOME is unset or not absolute. Not created here.
NBHOST_API CString NbInstGetDataFolder();

// The users file to use from now on (empty or null: back to the default).
NBHOST_API void NbInstSetUsersFile(LPCTSTR lpszPath);
NBHOST_API CString NbInstGetUsersFile();

// The number of users; 0 without a readable users file.
NBHOST_API int NbInstGetUserCount();
// The name of the user at nIndex into pBuffer of size *pnSize. 0 or more
// on success; -1 for no such user or a null argument; -2 when the buffer is
// too small (*pnSize is then set to the size needed).
NBHOST_API int NbInstGetUserName(int nIndex, char* pBuffer, int* pnSize);
// The data folder of the user named pszName (exact name) into pBuffer, as
// NbInstGetUserName; -1 for an unknown user.
NBHOST_API int NbInstGetUserFolder(const char* pszName, char* pBuffer, int* pnSize);
// Adds a user (or changes the folder of one of that name) in the users
// file, creating it; FALSE when it cannot be written or the name or folder
// holds a tab or a line break.
NBHOST_API BOOL NbInstAddUser(LPCTSTR lpszName, LPCTSTR lpszFolder);
