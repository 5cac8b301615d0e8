// The library's own module, filled at load (frame/module_entry.cpp). Only
// the library compiles this file; language modules bring their own texts.
#include "resources/catalogue.h"

namespace nbui::resources {

void AddLibraryCatalogue(HINSTANCE module) {
  AddStrings(module, kEnglishLibraryStrings, kEnglishLibraryStringCount);
  AddLibraryDialogs(module, kEnglishDialogTexts);
  AddBitmaps(module);
}

}  // namespace nbui::resources
