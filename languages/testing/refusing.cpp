// A language module for tests written for another format: it refuses to
// fill anything, as a module from an incompatible release would.
#include "HostShared/language_module.h"

extern "C" __attribute__((visibility("default"))) int NbLangUIFillResources(int nFormat, HINSTANCE hModule) {
  return nFormat == NB_LANG_MODULE_FORMAT + 1 ? 0x0409 : 0;
}
