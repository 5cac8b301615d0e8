// A language module for tests that carries only two strings, so that a test
// can show that a resource missing from the language module is not found
// even though the library has its own copy.
#include "HostShared/language_module.h"
#include "resources/resource_ids.h"
#include "win/resources.h"

extern "C" __attribute__((visibility("default"))) int NbLangUIFillResources(int nFormat, HINSTANCE hModule) {
  if (nFormat != NB_LANG_MODULE_FORMAT || !nbp::res::IsModule(hModule)) return 0;
  nbp::res::AddString(hModule, IDS_NB_DOW_MONDAY, "Lun");
  nbp::res::AddString(hModule, IDS_NB_UNFILED, "Non classé");
  return 0x040C;
}
