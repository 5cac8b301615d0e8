#include "mfc/extension.h"

#include "win/resources.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

namespace {

// The framework's list of extension libraries, oldest first. Only the user
// interface thread loads libraries, as in the framework itself.
struct LibraryList {
  CDynLinkLibrary* first = nullptr;
};

LibraryList& Libraries() {
  static LibraryList list;
  return list;
}

bool ResourceHeldByOther(const CDynLinkLibrary* self, HMODULE resource) {
  for (CDynLinkLibrary* p = Libraries().first; p; p = p->m_pNextDLL)
    if (p != self && p->m_hResource == resource) return true;
  return false;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (state.bInitialized) return TRUE;
  if (!hModule || !nbp::res::IsModule(hModule)) return FALSE;
  state.hModule = hModule;
  state.hResource = hModule;
  state.bInitialized = TRUE;
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized) return;
  CDynLinkLibrary* p = Libraries().first;
  while (p) {
    CDynLinkLibrary* next = p->m_pNextDLL;
    if (bAll || p->m_hModule == state.hModule) delete p;  // unlinks itself
    p = next;
  }
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem) : m_bSystem(bSystem) {
  if (state.bInitialized) {
    m_hModule = state.hModule;
    m_hResource = state.hResource;
  }
  Link();
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource) {
  Link();
}

void CDynLinkLibrary::Link() {
  CDynLinkLibrary** tail = &Libraries().first;
  while (*tail) tail = &(*tail)->m_pNextDLL;
  *tail = this;
  if (m_hResource) nbp::res::AppendToChain(m_hResource);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  for (CDynLinkLibrary** p = &Libraries().first; *p; p = &(*p)->m_pNextDLL) {
    if (*p == this) {
      *p = m_pNextDLL;
      break;
    }
  }
  m_pNextDLL = nullptr;
  if (m_hResource && !ResourceHeldByOther(this, m_hResource)) nbp::res::RemoveFromChain(m_hResource);
}

CDynLinkLibrary* AfxGetFirstDynLinkLibrary() { return Libraries().first; }
