// Language modules: the translated resources of a library, one file per
// language, named after the library (the user interface library's is
// "NbLangUI.dll") and kept in one folder per language:
//
//   <language root>/en/NbLangUI.dll
//   <language root>/de/NbLangUI.dll
//
// A language module is a shared object (the ".dll" name is kept so that
// callers and installers need no platform branch). It exports one function,
// NB_LANG_MODULE_ENTRY, which fills a resource module of the registry
// (win/resources.h) with its strings, dialog templates, bitmaps and cursors
// and returns its language identifier (a Windows LANGID such as 0x0407 for
// German); it returns 0 and adds nothing when asked for a format it does not
// know.
//
// The language root is, in this order: $NB_LANG_DIR when set; else the first
// of "../lang", "lang" and "../share/nbui/lang" next to the host library
// (libnbhost.so) that is a folder. So the build tree and an installed tree
// both work without configuration, and tests can point elsewhere.
//
// The language is, in this order: the settings file's key "Language" of
// section "General" (NB_SETTINGS_GENERAL); else the user's locale
// ($LANGUAGE, a colon-separated list, then $LC_ALL, $LC_MESSAGES, $LANG), each
// name tried as given without its encoding ("de_DE"), then as its language
// alone ("de"); else "en". A language counts only when its folder holds a
// module, so a user whose language has no translation gets English.
#pragma once

#include "mfc/cstring.h"
#include "win/types.h"
#include "nbhost_export.h"

#define NB_LANG_MODULE_FILE "NbLangUI.dll"
#define NB_LANG_MODULE_ENTRY "NbLangUIFillResources"
#define NB_LANG_MODULE_FORMAT 1
#define NB_SETTINGS_GENERAL "General"
#define NB_SETTINGS_LANGUAGE "Language"

// What a language module exports under NB_LANG_MODULE_ENTRY.
typedef int (*NbLangModuleEntry)(int nFormat, HINSTANCE hModule);

// The folder of the user's language: <language root>/<language>, without a
// trailing separator.
NBHOST_API void GetLumoLangDllDirectory(CString& dir);

// Opens the language module at lpszPath for the library whose instance
// handle is hInstance and returns the module to load resources from. When
// the file is missing, is not a loadable module (it is looked at before it
// is loaded: an ELF shared object of this machine, at most 64 MiB, whose
// segments lie within the file, so a cut or damaged file is refused rather
// than taken to the loader), lacks the entry or refuses the format, the
// result is hInstance itself, so the library's own resources
// serve, and *pnLangId (when not null) is 0; otherwise *pnLangId is the
// module's language identifier.
//
// Opening the same file again (by its real path) shares the module that is
// already open and counts one more user.
NBHOST_API HINSTANCE LoadLumoLangDll(LPCTSTR lpszPath, HINSTANCE hInstance, int* pnLangId);

// Gives up one use of a language module opened by LoadLumoLangDll. Returns
// nonzero when that released the module (its resources are gone and the
// handle is dead); 0 when hResource is hInstance, is not an open language
// module, or still has other users (the module then stays open and valid).
NBHOST_API BOOL FreeLumoLangDll(HINSTANCE hResource, HINSTANCE hInstance);

// The language root described above.
NBHOST_API CString GetLumoLangRootDirectory();
