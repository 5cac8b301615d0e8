// What one language module is made of. Each language folder defines
// ThisLanguage(); module_entry.cpp turns it into resources.
#pragma once

#include <cstddef>
#include <vector>

#include "resources/catalogue.h"

namespace nblang {

struct StringTable {
  const nbui::resources::StringEntry* entries;
  size_t count;
};

struct Language {
  int langId;  // Windows LANGID
  std::vector<StringTable> strings;
  const nbui::resources::DialogTexts* dialogs;
};

const Language& ThisLanguage();

}  // namespace nblang
