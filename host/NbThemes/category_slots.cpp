// Which color slot each category has. The slots are read from the settings
// file once and kept; every change is written back at once, so it outlives
// the program.
#include <string>

#include "HostShared/settings.h"
#include "NbThemes/theme_internal.h"

namespace {

constexpr int kCategories = 16;

struct CategorySlots {
  bool loaded = false;
  int slot[kCategories] = {};
};

CategorySlots& Slots() {
  static CategorySlots slots;
  return slots;
}

std::string KeyOf(int category) { return "Category" + std::to_string(category); }

int DefaultSlot(int category) { return category + 1; }

void LoadSlots(CategorySlots& s) {
  for (int i = 0; i < kCategories; ++i) {
    int value = DefaultSlot(i);
    ReadSettingInt(NB_SETTINGS_CATEGORY_COLORS, KeyOf(i).c_str(), value, DefaultSlot(i));
    s.slot[i] = value >= 1 && value <= 16 ? value : DefaultSlot(i);
  }
  s.loaded = true;
}

}  // namespace

int NbThemeGetCategorySlot(int nCategory) {
  if (nCategory < 0 || nCategory >= kCategories) return 0;
  CategorySlots& s = Slots();
  if (!s.loaded) LoadSlots(s);
  return s.slot[nCategory];
}

BOOL NbThemeSetCategorySlot(int nCategory, int nSlot) {
  if (nCategory < 0 || nCategory >= kCategories || nSlot < 1 || nSlot > 16) return FALSE;
  CategorySlots& s = Slots();
  if (!s.loaded) LoadSlots(s);
  s.slot[nCategory] = nSlot;
  return WriteSettingInt(NB_SETTINGS_CATEGORY_COLORS, KeyOf(nCategory).c_str(), nSlot);
}

void NbThemeReloadCategorySlots() { Slots().loaded = false; }
