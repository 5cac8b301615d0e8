// The category dialogs' templates (114 from a language module, 600 from the
// library) are created whole by the dialog manager: their list boxes exist
// and answer as list boxes.
#include <gtest/gtest.h>

#include "HostShared/language_module.h"
#include "frame/nbui_dll.h"
#include "nbp/headless.h"
#include "resources/resource_ids.h"
#include "win/controls.h"
#include "win/dialogs.h"

namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG ? TRUE : FALSE; }

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassName(hwnd, name, sizeof name);
  return name;
}

void ExpectWorkingList(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  ASSERT_NE(list, nullptr) << id;
  EXPECT_EQ(ClassOf(list), "ListBox");
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

}  // namespace

TEST(CategoryDialogTemplates, ColoredCategoryDialogFromTheLibraryIsCreated) {
  HWND dialog = CreateDialogParam(NbUIGetInstanceHandle(), MAKEINTRESOURCE(IDD_NB_COLOR_CATEGORIES), nullptr,
                                  QuietProc, 0);
  ASSERT_NE(dialog, nullptr);
  ExpectWorkingList(dialog, 601);
  DestroyWindow(dialog);
}

TEST(CategoryDialogTemplates, CategoryDialogFromALanguageModuleIsCreated) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  int langId = 0;
  HINSTANCE module = LoadLumoLangDll(CString(NB_TEST_LANG_ROOT) + "/en/" NB_LANG_MODULE_FILE, lib, &langId);
  ASSERT_NE(module, lib);
  HWND dialog = CreateDialogParam(module, MAKEINTRESOURCE(IDD_NB_CATEGORIES), nullptr, QuietProc, 0);
  ASSERT_NE(dialog, nullptr);
  ExpectWorkingList(dialog, 140);
  DestroyWindow(dialog);
  FreeLumoLangDll(module, lib);
}
