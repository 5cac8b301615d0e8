#include <new>

#include "HostShared/language_module.h"
#include "editlist/value_measurer.h"
#include "frame/nbui_dll.h"
#include "mfc/cstring.h"
#include "resources/catalogue.h"
#include "win/resources.h"

namespace {

struct LibraryState {
  AFX_EXTENSION_MODULE extension;
  int attachCount = 0;
  HINSTANCE instance = nullptr;
  HINSTANCE resource = nullptr;
  int languageId = 0;
};

LibraryState& State() {
  static LibraryState state;
  return state;
}

void OpenLanguageModule(LibraryState& s) {
  CString dir;
  GetLumoLangDllDirectory(dir);
  // Folder and file joined with this system's separator (a backslash would
  // become part of the file name here).
  CString path;
  path.Format("%s/%s", static_cast<LPCTSTR>(dir), NB_LANG_MODULE_FILE);
  s.resource = LoadLumoLangDll(path, s.instance, &s.languageId);
}

void CloseLanguageModule(LibraryState& s) {
  if (FreeLumoLangDll(s.resource, s.instance)) {
    s.resource = s.instance;
    s.languageId = 0;
  }
  // The record is static data of the library: after the last detach the
  // library counts as unloaded, and a new attach must find it fresh.
  s.extension = AFX_EXTENSION_MODULE{};
}

BOOL ProcessAttach(HINSTANCE hInstance) {
  LibraryState& s = State();
  if (s.attachCount == 0) {
    s.instance = hInstance;
    OpenLanguageModule(s);
  }
  ++s.attachCount;
  // The record takes the resource module, not the instance: the chain then
  // searches the language module in place of the library's own catalogue.
  if (!AfxInitExtensionModule(s.extension, s.resource)) {
    // The library does not load; nothing of this attach may stay behind.
    if (--s.attachCount == 0) {
    nbui::editlist::DestroyValueMeasurer();
    CloseLanguageModule(s);
  }
    return FALSE;
  }
  // A library that cannot be allocated only leaves the chain shorter.
  new (std::nothrow) CDynLinkLibrary(s.extension);
  return TRUE;
}

BOOL ProcessDetach() {
  LibraryState& s = State();
  if (s.attachCount == 0) return TRUE;
  AfxTermExtensionModule(s.extension);
  if (--s.attachCount == 0) {
    nbui::editlist::DestroyValueMeasurer();
    CloseLanguageModule(s);
  }
  return TRUE;
}

// Runs the module entry when the shared library is loaded and unloaded.
// The library's own catalogue lives in a resource module made here; it is
// destroyed after the last detach so that nothing of the library remains.
class LibraryLoad {
 public:
  LibraryLoad() {
    instance_ = nbp::res::CreateModule("NbUI");
    nbui::resources::AddLibraryCatalogue(instance_);
    NbUIDllMain(instance_, DLL_PROCESS_ATTACH, nullptr);
  }
  ~LibraryLoad() {
    NbUIDllMain(instance_, DLL_PROCESS_DETACH, nullptr);
    if (State().attachCount == 0) nbp::res::DestroyModule(instance_);
  }
  LibraryLoad(const LibraryLoad&) = delete;
  LibraryLoad& operator=(const LibraryLoad&) = delete;

 private:
  HINSTANCE instance_ = nullptr;
};

const LibraryLoad g_libraryLoad;

}  // namespace

BOOL NbUIDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  switch (dwReason) {
    case DLL_PROCESS_ATTACH:
      return ProcessAttach(hInstance);
    case DLL_PROCESS_DETACH:
      return ProcessDetach();
    default:
      return TRUE;
  }
}

CDynLinkLibrary* InitNbUIDLL() { return new (std::nothrow) CDynLinkLibrary(State().extension); }

HINSTANCE NbUIGetInstanceHandle() { return State().instance; }
HINSTANCE NbUIGetResourceHandle() { return State().resource; }
int NbUIGetAttachCount() { return State().attachCount; }
int NbUIGetLanguageId() { return State().languageId; }
const AFX_EXTENSION_MODULE& NbUIGetExtensionModule() { return State().extension; }
