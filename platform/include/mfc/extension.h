// Extension-module support: how a shared library built on the framework
// registers itself so that its resources are found through the resource
// chain (win/resources.h) of the program that loaded it.
//
// A library keeps one AFX_EXTENSION_MODULE. At load it calls
// AfxInitExtensionModule with the module that holds its resources and
// creates a CDynLinkLibrary on the record; every CDynLinkLibrary puts its
// resource module into the chain (nbp::res::AppendToChain) and keeps it there
// for as long as it lives. At unload AfxTermExtensionModule deletes the
// library's CDynLinkLibrary objects, which takes the module out of the chain
// once no object holds it any more.
#pragma once

#include "mfc/wnd.h"
#include "win/types.h"

class COleObjectFactory;

// Why a module entry is called.
#ifndef DLL_PROCESS_ATTACH
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#endif

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized = FALSE;
  HMODULE hModule = nullptr;
  HMODULE hResource = nullptr;
  // The framework's class and factory lists. Run-time classes are linked
  // statically on this platform and found without registration, so these
  // stay null; they are kept for code that reads the record.
  CRuntimeClass* pFirstSharedClass = nullptr;
  COleObjectFactory* pFirstSharedFactory = nullptr;
};

// Records hModule as the record's module and resource module. A record that
// is already initialised is left as it is and TRUE returned, as for a second
// attach. FALSE for a null or invalid module (the caller's load then fails).
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);

// Deletes the CDynLinkLibrary objects made on this record (every object of
// every library when bAll is TRUE). Does nothing for a record that was never
// initialised. The record keeps its handles and its initialised flag.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

class CDynLinkLibrary : public CCmdTarget {
  DECLARE_DYNAMIC(CDynLinkLibrary)

 public:
  // Links state.hResource into the resource chain. bSystem marks a library
  // of the framework itself; it is recorded in m_bSystem and changes nothing
  // in the search. A record that was never initialised links nothing.
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
  // Unlinks itself; its resource module leaves the chain when no other live
  // CDynLinkLibrary holds the same module.
  ~CDynLinkLibrary() override;

  HMODULE m_hModule = nullptr;
  HMODULE m_hResource = nullptr;
  BOOL m_bSystem = FALSE;
  CDynLinkLibrary* m_pNextDLL = nullptr;

 private:
  void Link();
};

// The live CDynLinkLibrary objects, oldest first (m_pNextDLL links them).
CDynLinkLibrary* AfxGetFirstDynLinkLibrary();
