// The resource catalogue: what the library carries itself, and what each
// language module carries in addition.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "HostShared/language_module.h"
#include "frame/nbui_dll.h"
#include "mfc/dc.h"
#include "mfc/gdiobj.h"
#include "nbp/dialog_template.h"
#include "resources/catalogue.h"
#include "resources/resource_ids.h"
#include "win/dialogs.h"
#include "win/resources.h"
#include "win/user.h"

namespace {

constexpr COLORREF kPureRed = RGB(255, 0, 0);
const nbui::resources::DialogTexts& kTexts = nbui::resources::kEnglishDialogTexts;

std::string StringOf(HINSTANCE module, UINT id) {
  const std::string* s = nbp::res::FindString(module, id);
  return s ? *s : "(missing)";
}

std::optional<nbp::DialogTemplate> DialogOf(HINSTANCE module, UINT id) {
  const std::vector<uint8_t>* bytes = nbp::res::FindData(module, RT_DIALOG, id);
  if (!bytes) return std::nullopt;
  return nbp::ParseDialogTemplate(*bytes);
}

struct BitmapHeader {
  int width, height, bitsPerPixel;
};
BitmapHeader HeaderOf(const std::vector<uint8_t>& data) {
  auto dword = [&](size_t at) {
    return static_cast<int>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 | data[at + 3] << 24);
  };
  return {dword(4), dword(8), data[14] | data[15] << 8};
}

INT_PTR QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog made from a module's template and shown, as a host shows it.
class ShownDialog {
 public:
  ShownDialog(HINSTANCE module, UINT id)
      : hwnd_(CreateDialogParam(module, MAKEINTRESOURCE(id), nullptr, QuietDialogProc, 0)) {
    if (hwnd_) ShowWindow(hwnd_, SW_SHOW);
  }
  ~ShownDialog() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  ShownDialog(const ShownDialog&) = delete;
  ShownDialog& operator=(const ShownDialog&) = delete;

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string Caption() const { return TextOf(hwnd_); }
  std::string Text(int id) const { return Item(id) ? TextOf(Item(id)) : "(no control)"; }
  std::string ClassOf(int id) const {
    char name[64] = "";
    if (Item(id)) GetClassName(Item(id), name, sizeof name);
    return name;
  }
  LONG Style(int id) const { return GetWindowLong(Item(id), GWL_STYLE); }
  bool IsDefault(int id) const { return (SendMessage(Item(id), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0; }
  // Where the control sits in the dialog's client area.
  RECT Place(int id) const { return PlaceOf(Item(id)); }
  RECT PlaceOf(HWND control) const {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // Every visible control lies inside the client area and covers no other.
  void ExpectTidyLayout() const {
    RECT client;
    GetClientRect(hwnd_, &client);
    std::vector<std::pair<int, RECT>> shown;
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (!IsWindowVisible(c)) continue;
      int id = GetDlgCtrlID(c);
      RECT r = PlaceOf(c);
      EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                  r.bottom <= client.bottom)
          << "control " << id << " leaves the dialog";
      for (const auto& [other, o] : shown) {
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &r, &o)) << "controls " << id << " and " << other << " overlap";
      }
      shown.emplace_back(id, r);
    }
    EXPECT_FALSE(shown.empty());
  }

 private:
  static std::string TextOf(HWND hwnd) {
    char text[512] = "";
    GetWindowText(hwnd, text, sizeof text);
    return text;
  }
  HWND hwnd_;
};

// Pixels of a bitmap resource, read through a memory DC.
class Picture {
 public:
  Picture(HINSTANCE module, UINT id) : bitmap_(LoadBitmap(module, MAKEINTRESOURCE(id))) {
    dc_.CreateCompatibleDC(nullptr);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~Picture() {
    if (bitmap_) {
      SelectObject(dc_, old_);
      DeleteObject(bitmap_);
    }
  }
  bool ok() const { return bitmap_ != nullptr; }
  COLORREF At(int x, int y) const { return dc_.GetPixel(x, y); }
  SIZE Size() const {
    BITMAP bm{};
    GetObject(bitmap_, sizeof bm, &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
  }

 private:
  HBITMAP bitmap_;
  CDC dc_;
  HGDIOBJ old_ = nullptr;
};

TEST(Catalogue, EveryLibraryStringLoadsWholeAndTheLanguageModulesShareIsMissing) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  ASSERT_NE(lib, nullptr);
  ASSERT_GT(nbui::resources::kEnglishLibraryStringCount, 0u);
  for (size_t i = 0; i < nbui::resources::kEnglishLibraryStringCount; ++i) {
    const nbui::resources::StringEntry& e = nbui::resources::kEnglishLibraryStrings[i];
    char text[512] = "";
    int n = LoadString(lib, e.id, text, sizeof text);
    EXPECT_EQ(text, std::string(e.text)) << e.id;
    EXPECT_EQ(n, static_cast<int>(std::strlen(e.text))) << e.id;
  }
  // A string only the language modules carry: LoadString finds nothing,
  // returns 0 and leaves an empty buffer.
  char text[64] = "stale";
  EXPECT_EQ(LoadString(lib, IDS_NB_DELETE_CATEGORY_TITLE, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
}

TEST(Catalogue, ADialogTheLibraryDoesNotCarryCannotBeCreated) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  for (UINT id : {IDD_NB_NEW_CATEGORY, IDD_NB_RENAME_CATEGORY, IDD_NB_CATEGORIES, IDD_NB_DELETE_CATEGORY, IDD_NB_SPECIAL}) {
    EXPECT_EQ(FindResource(lib, MAKEINTRESOURCE(id), RT_DIALOG), nullptr) << id;
    ShownDialog d(lib, id);
    EXPECT_EQ(d.hwnd(), nullptr) << id;
  }
}

TEST(Catalogue, TheDatePickerDialogShowsItsButtonsAndHidesTheCalendarPlaceholder) {
  ShownDialog d(NbUIGetInstanceHandle(), IDD_NB_DAY_PICKER);
  ASSERT_NE(d.hwnd(), nullptr);
  EXPECT_EQ(d.Caption(), kTexts.dayPickerCaption);
  EXPECT_EQ(d.Text(IDOK), kTexts.ok);
  EXPECT_EQ(d.Text(IDCANCEL), kTexts.cancel);
  EXPECT_EQ(d.Text(IDC_NB_TODAY), kTexts.today);
  EXPECT_TRUE(d.IsDefault(IDOK));
  EXPECT_FALSE(d.IsDefault(IDCANCEL));
  ASSERT_NE(d.Item(IDC_NB_CALENDAR_FRAME), nullptr);
  EXPECT_FALSE(IsWindowVisible(d.Item(IDC_NB_CALENDAR_FRAME))) << "the picker takes the placeholder's place";
  // The buttons sit in one row below the placeholder.
  RECT frame = d.Place(IDC_NB_CALENDAR_FRAME);
  for (int id : {IDOK, IDCANCEL, IDC_NB_TODAY}) {
    EXPECT_GE(d.Place(id).top, frame.bottom) << id;
    EXPECT_EQ(d.Place(id).top, d.Place(IDOK).top) << id;
  }
  d.ExpectTidyLayout();
}

TEST(Catalogue, ThePasswordDialogsAskForAHiddenPasswordBesideTheUserName) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  ShownDialog masking(lib, IDD_NB_MASKING_PASSWORD), show(lib, IDD_NB_PASSWORD);
  ASSERT_NE(masking.hwnd(), nullptr);
  ASSERT_NE(show.hwnd(), nullptr);
  EXPECT_EQ(masking.Caption(), kTexts.maskingCaption);
  EXPECT_EQ(show.Caption(), kTexts.privateCaption);
  for (const ShownDialog* d : {&masking, &show}) {
    EXPECT_EQ(d->ClassOf(IDC_NB_PASSWORD), "Edit");
    EXPECT_TRUE(d->Style(IDC_NB_PASSWORD) & ES_PASSWORD);
    EXPECT_EQ(d->ClassOf(IDC_NB_USER_NAME), "Static");
    EXPECT_EQ(d->Text(IDC_NB_USER_NAME), "") << "the dialog fills in the user's name";
    EXPECT_EQ(d->Text(IDOK), kTexts.ok);
    EXPECT_EQ(d->Text(IDCANCEL), kTexts.cancel);
    d->ExpectTidyLayout();
  }
  EXPECT_EQ(masking.Item(ID_HELP), nullptr);
  EXPECT_EQ(show.Text(ID_HELP), kTexts.help);
}

TEST(Catalogue, TheColoredCategoryDialogHasItsListButtonsAndLabel) {
  // Read from the template: the list box class comes with the list controls.
  auto t = DialogOf(NbUIGetInstanceHandle(), IDD_NB_COLOR_CATEGORIES);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->title, kTexts.colorCategoriesCaption);
  const nbp::DialogItem* list = t->FindItem(IDC_NB_COLOR_LIST);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->ClassAtom(), static_cast<WORD>(nbp::DialogClass::ListBox));
  DWORD wanted = LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWFIXED | WS_VSCROLL | WS_TABSTOP;
  EXPECT_EQ(list->style & wanted, wanted);
  EXPECT_FALSE(list->style & LBS_HASSTRINGS) << "the owner draws the colored names";
  const std::pair<WORD, const char*> texts[] = {{IDOK, kTexts.ok},
                                                {IDC_NB_COLOR_NEW, kTexts.newButton},
                                                {IDC_NB_COLOR_DELETE, kTexts.deleteButton},
                                                {IDC_NB_COLOR_RENAME, kTexts.renameButton},
                                                {ID_HELP, kTexts.help},
                                                {IDC_NB_SELECT_COLOR, kTexts.selectColor}};
  for (const auto& [id, text] : texts) {
    const nbp::DialogItem* item = t->FindItem(id);
    ASSERT_NE(item, nullptr) << id;
    EXPECT_EQ(item->title.text, text) << id;
  }
  EXPECT_EQ(t->FindItem(IDCANCEL), nullptr) << "the dialog has no Cancel button";
}

TEST(Catalogue, BitmapsKeepRedAsTheirTransparentSurroundings) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  // The icons drawn over card headers leave their corners out (red is the
  // transparent color) and draw something inside.
  for (UINT id : {IDB_NB_NOTE, IDB_NB_PRIVATE, IDB_NB_CHECK}) {
    Picture p(lib, id);
    ASSERT_TRUE(p.ok()) << id;
    SIZE size = p.Size();
    ASSERT_GT(size.cx, 0);
    EXPECT_EQ(p.At(0, 0), kPureRed) << id;
    EXPECT_EQ(p.At(size.cx - 1, size.cy - 1), kPureRed) << id;
    bool drawn = false;
    for (int y = 0; y < size.cy && !drawn; ++y)
      for (int x = 0; x < size.cx && !drawn; ++x) drawn = p.At(x, y) != kPureRed;
    EXPECT_TRUE(drawn) << id;
  }
  // The default picture fills its whole square.
  Picture picture(lib, IDB_NB_DEFAULT_IMAGE);
  ASSERT_TRUE(picture.ok());
  EXPECT_EQ(picture.Size().cx, picture.Size().cy);
  EXPECT_NE(picture.At(0, 0), kPureRed);
  EXPECT_NE(picture.At(picture.Size().cx / 2, picture.Size().cy / 2), kPureRed);
}

TEST(Catalogue, CursorsAreMonochromeWithTheirHotSpotInTheMiddle) {
  for (const auto& cursor : {nbui::resources::ColumnResizeCursor(), nbui::resources::RowResizeCursor()}) {
    ASSERT_EQ(cursor.size(), 4u + 40 + 8 + 128 + 128);
    EXPECT_EQ(cursor[0] | cursor[1] << 8, 16);
    EXPECT_EQ(cursor[2] | cursor[3] << 8, 16);
    BitmapHeader h = HeaderOf(std::vector<uint8_t>(cursor.begin() + 4, cursor.end()));
    EXPECT_EQ(h.width, 32);
    EXPECT_EQ(h.height, 64);  // both masks
    EXPECT_EQ(h.bitsPerPixel, 1);
  }
  // The column cursor's arrows point left and right; the row cursor's up and down.
  auto black = [](const std::vector<uint8_t>& c, int x, int y) {
    size_t xorAt = 52 + static_cast<size_t>(31 - y) * 4 + x / 8, andAt = xorAt + 128;
    int bit = 0x80 >> (x % 8);
    return !(c[xorAt] & bit) && !(c[andAt] & bit);
  };
  auto column = nbui::resources::ColumnResizeCursor();
  auto row = nbui::resources::RowResizeCursor();
  EXPECT_TRUE(black(column, 6, 16));  // tip of the left arrow
  EXPECT_FALSE(black(column, 16, 6));
  EXPECT_TRUE(black(row, 16, 6));  // tip of the upper arrow
  EXPECT_FALSE(black(row, 6, 16));
  EXPECT_FALSE(black(column, 0, 0));
}

// Every language module carries the whole catalogue.
class LanguageModules : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    CString path = CString(NB_TEST_LANG_ROOT) + "/" + GetParam() + "/" NB_LANG_MODULE_FILE;
    module_ = LoadLumoLangDll(path, NbUIGetInstanceHandle(), &langId_);
    ASSERT_NE(module_, NbUIGetInstanceHandle()) << "no module at " << static_cast<LPCTSTR>(path);
  }
  void TearDown() override { FreeLumoLangDll(module_, NbUIGetInstanceHandle()); }

  HINSTANCE module_ = nullptr;
  int langId_ = 0;
};

TEST_P(LanguageModules, CarryEveryStringDialogBitmapAndCursor) {
  for (size_t i = 0; i < nbui::resources::kEnglishLibraryStringCount; ++i) {
    UINT id = nbui::resources::kEnglishLibraryStrings[i].id;
    EXPECT_NE(StringOf(module_, id), "(missing)") << id;
  }
  UINT languageOnly[] = {180, 181, 182, 183, 184, 185, 277, 278, 283, 285, 312, 313, 315,
                         316, 336, 337, 422, 423, 424, 425, 430, 432, 433};
  for (UINT id : languageOnly) EXPECT_NE(StringOf(module_, id), "(missing)") << id;
  // Placeholders where the dialogs format the texts.
  for (UINT id : {180u, 285u}) EXPECT_NE(StringOf(module_, id).find("%1"), std::string::npos) << id;
  for (UINT id : {313u, 422u, 423u, 424u, 425u, 432u, 433u}) {
    EXPECT_NE(StringOf(module_, id).find("%1"), std::string::npos) << id;
    EXPECT_NE(StringOf(module_, id).find("%2"), std::string::npos) << id;
  }
  EXPECT_EQ(StringOf(module_, 315).substr(0, 1), " ") << "follows a quoted name";
  EXPECT_EQ(StringOf(module_, 12520).substr(0, 2), "\n\n");

  for (UINT id : {548u, 600u, 607u, 20025u, 109u, 112u, 114u, 128u, 12020u})
    EXPECT_TRUE(DialogOf(module_, id).has_value()) << id;
  for (UINT id : {109u, 112u}) {
    auto t = DialogOf(module_, id);
    ASSERT_TRUE(t.has_value());
    for (WORD control : {WORD{142}, WORD{IDOK}, WORD{IDCANCEL}}) EXPECT_NE(t->FindItem(control), nullptr) << id;
  }
  auto categories = DialogOf(module_, 114);
  for (WORD control : {WORD{140}, WORD{147}, WORD{148}, WORD{149}, WORD{IDOK}})
    EXPECT_NE(categories->FindItem(control), nullptr) << control;
  auto remove = DialogOf(module_, 128);
  for (WORD control : {WORD{394}, WORD{395}, WORD{431}, WORD{IDOK}, WORD{IDCANCEL}})
    EXPECT_NE(remove->FindItem(control), nullptr) << control;
  // The subscription note sits above everything that moves up when it is hidden.
  for (WORD control : {WORD{394}, WORD{395}, WORD{IDOK}, WORD{IDCANCEL}})
    EXPECT_GE(remove->FindItem(control)->y, remove->FindItem(431)->y + remove->FindItem(431)->cy);
  auto special = DialogOf(module_, 12020);
  EXPECT_EQ(special->title, "");
  ASSERT_EQ(special->items.size(), 1u);
  EXPECT_EQ(special->items[0].id, IDOK);

  for (UINT id : {1001u, 14003u, 14010u, 14011u}) EXPECT_NE(nbp::res::FindData(module_, RT_BITMAP, id), nullptr);
  for (UINT id : {14005u, 14006u}) EXPECT_NE(nbp::res::FindData(module_, RT_CURSOR, id), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageModules, ::testing::Values("en", "de"));

TEST(LanguageTexts, TheChosenLanguageNamesTheControlsAndKeepsTheLayout) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  int id = 0;
  HINSTANCE en = LoadLumoLangDll(CString(NB_TEST_LANG_ROOT) + "/en/" NB_LANG_MODULE_FILE, lib, &id);
  EXPECT_EQ(id, 0x0409);
  HINSTANCE de = LoadLumoLangDll(CString(NB_TEST_LANG_ROOT) + "/de/" NB_LANG_MODULE_FILE, lib, &id);
  EXPECT_EQ(id, 0x0407);
  ASSERT_NE(en, lib);
  ASSERT_NE(de, lib);
  // English says what the library says.
  for (size_t i = 0; i < nbui::resources::kEnglishLibraryStringCount; ++i) {
    UINT sid = nbui::resources::kEnglishLibraryStrings[i].id;
    EXPECT_EQ(StringOf(en, sid), StringOf(lib, sid)) << sid;
  }
  // German has its own words for what a user reads.
  for (UINT sid : {IDS_NB_NO_PHOTO, IDS_NB_ALL_CATEGORIES_ITEM, IDS_NB_NEW_CATEGORY_CAPTION}) {
    EXPECT_NE(StringOf(de, sid), "(missing)") << sid;
    EXPECT_NE(StringOf(de, sid), StringOf(en, sid)) << sid;
  }
  {
    ShownDialog english(en, IDD_NB_NEW_CATEGORY), german(de, IDD_NB_NEW_CATEGORY);
    ASSERT_NE(english.hwnd(), nullptr);
    ASSERT_NE(german.hwnd(), nullptr);
    EXPECT_EQ(english.Text(IDCANCEL), kTexts.cancel);
    EXPECT_NE(german.Text(IDCANCEL), english.Text(IDCANCEL));
    EXPECT_NE(german.Caption(), english.Caption());
    // Same layout in every language: only the texts differ.
    for (int control : {IDC_NB_CATEGORY_NAME, IDOK, IDCANCEL}) {
      RECT a = english.Place(control), b = german.Place(control);
      EXPECT_TRUE(EqualRect(&a, &b)) << control;
    }
    german.ExpectTidyLayout();
  }
  FreeLumoLangDll(en, lib);
  FreeLumoLangDll(de, lib);
}

TEST(LanguageTexts, NewAndRenameAskForANameInTheSameDialogWithTheirOwnWords) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  int id = 0;
  HINSTANCE en = LoadLumoLangDll(CString(NB_TEST_LANG_ROOT) + "/en/" NB_LANG_MODULE_FILE, lib, &id);
  ASSERT_NE(en, lib);
  {
    ShownDialog create(en, IDD_NB_NEW_CATEGORY), rename(en, IDD_NB_RENAME_CATEGORY);
    ASSERT_NE(create.hwnd(), nullptr);
    ASSERT_NE(rename.hwnd(), nullptr);
    EXPECT_EQ(create.Caption(), kTexts.newCategoryCaption);
    EXPECT_EQ(rename.Caption(), kTexts.renameCategoryCaption);
    for (const ShownDialog* d : {&create, &rename}) {
      EXPECT_EQ(d->ClassOf(IDC_NB_CATEGORY_NAME), "Edit");
      EXPECT_TRUE(d->IsDefault(IDOK));
      EXPECT_EQ(d->Text(IDCANCEL), kTexts.cancel);
    }
    RECT a = create.Place(IDC_NB_CATEGORY_NAME), b = rename.Place(IDC_NB_CATEGORY_NAME);
    EXPECT_TRUE(EqualRect(&a, &b));
  }
  FreeLumoLangDll(en, lib);
}

}  // namespace
