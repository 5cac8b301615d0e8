// The one function a language module exports: fills the resource module it
// is given with everything the library looks up, in this language.
#include <type_traits>

#include "HostShared/language_module.h"
#include "common/language.h"
#include "win/resources.h"

extern "C" __attribute__((visibility("default"))) int NbLangUIFillResources(int nFormat, HINSTANCE hModule) {
  if (nFormat != NB_LANG_MODULE_FORMAT || !nbp::res::IsModule(hModule)) return 0;
  const nblang::Language& language = nblang::ThisLanguage();
  for (const nblang::StringTable& table : language.strings)
    nbui::resources::AddStrings(hModule, table.entries, table.count);
  nbui::resources::AddLibraryDialogs(hModule, *language.dialogs);
  nbui::resources::AddLanguageOnlyDialogs(hModule, *language.dialogs);
  nbui::resources::AddBitmaps(hModule);
  nbui::resources::AddCursors(hModule);
  return language.langId;
}

// The entry's type must stay what the loader calls.
static_assert(std::is_same_v<decltype(&NbLangUIFillResources), NbLangModuleEntry>);
