// Resources without executable files: a registry that stands in for the
// resource sections of modules. A "module" is a named set of strings and
// typed data blocks behind an HINSTANCE; the application module, language
// modules and extension modules are all made with CreateModule and filled
// by whoever owns them (usually at start-up, from data in resources/).
//
// Resource names and types are either numbers (MAKEINTRESOURCE) or strings.
// As on Windows, string names compare without regard to ASCII case and
// "#123" names the same resource as MAKEINTRESOURCE(123).
//
// Handles are identifiers, never addresses: a destroyed module's HINSTANCE,
// and the HRSRC/HGLOBAL handles found in it, make every call fail (0, NULL or
// FALSE) instead of crashing.
//
// Lookup through the chain follows MFC: AfxFindResourceHandle looks in the
// resource handle (AfxGetResourceHandle) first, then in the modules appended
// with AppendToChain in the order they were appended. The instance handle is
// not searched unless it is the resource handle or in the chain.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win/types.h"

namespace nbp::res {

// A new, empty module. The name is for diagnostics only (it need not be
// unique). Never returns NULL.
HINSTANCE CreateModule(const char* name);

// Forgets the module, its resources and its place in the chain. Pointers to
// its data become invalid. If it was the instance or resource handle, that
// handle stays as it is but no longer finds anything.
void DestroyModule(HINSTANCE module);

// True while `module` names a live module.
bool IsModule(HINSTANCE module);

// Adds or replaces string `id` (UTF-8). Ignored for an invalid module.
void AddString(HINSTANCE module, UINT id, std::string utf8);
bool HasString(HINSTANCE module, UINT id);
// The string itself, or null when absent; valid until the module changes.
const std::string* FindString(HINSTANCE module, UINT id);

// Adds or replaces a data resource (dialog template, menu, bitmap bytes...).
// Replacing data invalidates pointers to the earlier bytes.
void AddData(HINSTANCE module, LPCTSTR type, LPCTSTR name, std::vector<uint8_t> bytes);
const std::vector<uint8_t>* FindData(HINSTANCE module, LPCTSTR type, LPCTSTR name);
const std::vector<uint8_t>* FindData(HINSTANCE module, LPCTSTR type, UINT id);

// The application's module. Until one is set, a module named "application"
// is created on first use and is also the initial resource handle.
void SetInstanceHandle(HINSTANCE module);
void SetResourceHandle(HINSTANCE module);

// Extension modules searched after the resource handle, in order. Appending
// a module already in the chain does nothing; so does removing one that is not.
void AppendToChain(HINSTANCE module);
void RemoveFromChain(HINSTANCE module);

}  // namespace nbp::res

// MFC's view of the chain.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The first module holding the resource (resource handle, then the chain);
// the resource handle when none does. String resources are found by block as
// on Windows: name MAKEINTRESOURCE((id >> 4) + 1) with type RT_STRING stands
// for the sixteen ids (block - 1) * 16 ... block * 16 - 1, so a module holding
// any of them is chosen, even if it lacks the particular id.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// Copies string `uID` of `hInstance` into `lpBuffer` (UTF-8), truncated to
// fit `cchBufferMax` bytes including the terminating zero without splitting a
// character. Returns the number of bytes copied, without the zero; 0 when
// the string is absent or empty, the module invalid, or the buffer null or
// cchBufferMax <= 0. A usable buffer always ends up zero-terminated (empty
// when nothing was found).
int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);

// Finds data added with AddData. String tables are not data here: strings
// are reached through LoadString only.
HRSRC FindResource(HMODULE hModule, LPCTSTR lpName, LPCTSTR lpType);
// The data block of a found resource; NULL when either handle is stale or
// they do not belong together.
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
// A pointer to the bytes of a loaded resource, valid until its module is
// destroyed or the resource is replaced. NULL for a stale handle.
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Resources need no freeing; like Win32 this returns FALSE.
BOOL FreeResource(HGLOBAL hResData);
