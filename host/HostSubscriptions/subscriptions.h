// The subscription library: which categories of a handheld user's database
// are fed by a subscription (a calendar or list that a source publishes and
// the synchronisation files into a category), kept in a per-user
// subscription file in the folder of the database's conduit.
//
// The functions work on one loaded file at a time: SubLoadInfo reads it,
// the others look at and change what was read, SubSaveInfo writes it back.
// Category names compare without regard to letter case, as the category
// store compares them.
//
// The file is UTF-8 text, one entry a line, fields separated by tabs (a tab,
// line feed or backslash inside a field is written \t, \n, \\):
//
//   NbUI subscriptions 1                        first line, always
//   subscription <category> <shown name> <source> <locked 0|1>
//   reserved <name>
//
// A "reserved" name belongs to a subscription the next synchronisation will
// bring: no subscribed category may be renamed to it. A locked subscription's
// source fixes its category's name. Anything else makes the file malformed.
#pragma once

#include "mfc/cstring.h"
#include "nbhost_export.h"

class NBHOST_API CSubInfo {
 public:
  CSubInfo() = default;
  ~CSubInfo();

  CString m_strCategory;  // the category the subscription files into
  CString m_strName;      // the name the subscription shows (follows the category)
  CString m_strSource;    // where it comes from
  BOOL m_bLocked = FALSE;
};

// Results of SubLoadInfo and SubSaveInfo.
#define SUB_OK 0
#define SUB_ERR_MISSING 1    // no such file (loading)
#define SUB_ERR_IO 2         // it could not be read or written
#define SUB_ERR_MALFORMED 3  // not a subscription file (loading)

// Results of SubUpdateInfo.
#define SUB_UPDATE_LOCKED 1  // the source fixes the name: refused
#define SUB_UPDATE_TAKEN 2   // another subscription files into that category: refused

// Reads the file; SUB_OK when it was loaded. On failure nothing is loaded.
NBHOST_API int SubLoadInfo(const CString& strPath);
// The position of the subscription filing into category strName (pInfo,
// when not null, gets a copy), or -1.
NBHOST_API int SubFindInfo(const CString& strName, CSubInfo* pInfo);
// nMode 2 removes the subscription at nPos: 0; -1 for no such position or
// another mode.
NBHOST_API int SubRemoveInfo(int nPos, int nMode);
// Replaces the subscription at nPos with *pInfo: 0 when accepted,
// SUB_UPDATE_LOCKED or SUB_UPDATE_TAKEN when refused, -1 for no such
// position.
NBHOST_API int SubUpdateInfo(int nPos, const CSubInfo* pInfo);
// Writes what is loaded to the file, replacing it in one step (a crash
// leaves the old file or the new one); SUB_OK or SUB_ERR_IO.
NBHOST_API int SubSaveInfo(const CString& strPath);
// Nonzero when strName may not be given to a subscribed category: it is
// reserved for a subscription still to come.
NBHOST_API int SubDupSubscCategory(const CString& strName);

// For hosts that make subscriptions, and tests: forgets what is loaded and
// starts an empty file in memory; adds a subscription or a reserved name.
NBHOST_API void SubResetInfo();
NBHOST_API int SubAddInfo(const CSubInfo& info);
NBHOST_API void SubAddReservedName(const CString& strName);
// The number of subscriptions loaded.
NBHOST_API int SubGetCount();
