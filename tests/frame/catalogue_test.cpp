// The resource catalogue: what the library carries itself, and what each
// language module carries in addition.
#include <gtest/gtest.h>

#include <string>

#include "HostShared/language_module.h"
#include "frame/nbui_dll.h"
#include "mfc/dc.h"
#include "mfc/gdiobj.h"
#include "nbp/dialog_template.h"
#include "resources/catalogue.h"
#include "resources/resource_ids.h"
#include "win/resources.h"

namespace {

constexpr COLORREF kPureRed = RGB(255, 0, 0);

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

 private:
  HBITMAP bitmap_;
  CDC dc_;
  HGDIOBJ old_ = nullptr;
};

TEST(Catalogue, TheLibraryCarriesItsStringsWordForWord) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  ASSERT_NE(lib, nullptr);
  const char* weekdays[] = {"M", "T", "W", "Th", "F", "S", "S"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(StringOf(lib, IDS_NB_DOW_MONDAY + i), weekdays[i]);
  EXPECT_EQ(StringOf(lib, 12520), "\n\nThere are no items to show in this view");
  EXPECT_EQ(StringOf(lib, 12527), "Enter Password");
  EXPECT_EQ(StringOf(lib, 12528), "The password is incorrect.");
  EXPECT_EQ(StringOf(lib, 12529), "Edit Private Record");
  EXPECT_EQ(StringOf(lib, 12545), "%Y");
  EXPECT_EQ(StringOf(lib, 12546), "%B %Y");
  EXPECT_EQ(StringOf(lib, 12547), "No Photo");
  EXPECT_EQ(StringOf(lib, 14000), "Could not connect to the internet");
  EXPECT_EQ(StringOf(lib, 14001), "The URL address is not valid");
  EXPECT_EQ(StringOf(lib, 14002), "The image is corrupt");
  // Nothing of the language modules' own share.
  EXPECT_EQ(StringOf(lib, IDS_NB_DELETE_CATEGORY_TITLE), "(missing)");
  EXPECT_EQ(DialogOf(lib, IDD_NB_CATEGORIES), std::nullopt);
}

TEST(Catalogue, TheDatePickerDialogIsLaidOutInDialogUnits) {
  auto t = DialogOf(NbUIGetInstanceHandle(), IDD_NB_DAY_PICKER);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->title, "Select Date");
  EXPECT_EQ(t->cx, 143);
  EXPECT_EQ(t->cy, 116);
  EXPECT_TRUE(t->style & DS_MODALFRAME);
  EXPECT_TRUE(t->style & DS_SETFONT);
  ASSERT_EQ(t->items.size(), 4u);
  struct Expected {
    WORD id;
    const char* text;
    short x, y, cx, cy;
  } expected[] = {{1115, "", 10, 6, 125, 86}, {IDOK, "OK", 6, 95, 40, 14}, {IDCANCEL, "Cancel", 52, 95, 40, 14},
                  {6, "&Today", 96, 95, 40, 14}};
  for (const Expected& e : expected) {
    const nbp::DialogItem* item = t->FindItem(e.id);
    ASSERT_NE(item, nullptr) << e.id;
    EXPECT_EQ(item->title.text, e.text);
    EXPECT_EQ(item->x, e.x);
    EXPECT_EQ(item->y, e.y);
    EXPECT_EQ(item->cx, e.cx);
    EXPECT_EQ(item->cy, e.cy);
  }
  EXPECT_FALSE(t->FindItem(1115)->style & WS_VISIBLE) << "the calendar placeholder must be hidden";
  EXPECT_EQ(t->FindItem(1115)->ClassAtom(), static_cast<WORD>(nbp::DialogClass::Static));
  EXPECT_EQ(t->FindItem(IDOK)->style & 0xF, DWORD(BS_DEFPUSHBUTTON));
}

TEST(Catalogue, TheColoredCategoryDialogHasItsListButtonsAndLabel) {
  auto t = DialogOf(NbUIGetInstanceHandle(), IDD_NB_COLOR_CATEGORIES);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->title, "Edit Event Categories");
  EXPECT_EQ(t->cx, 154);
  EXPECT_EQ(t->cy, 150);
  EXPECT_EQ(t->style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  const nbp::DialogItem* list = t->FindItem(601);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->ClassAtom(), static_cast<WORD>(nbp::DialogClass::ListBox));
  DWORD wanted = LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER |
                 WS_TABSTOP;
  EXPECT_EQ(list->style & wanted, wanted);
  EXPECT_FALSE(list->style & LBS_HASSTRINGS);
  EXPECT_EQ((std::tuple{list->x, list->y, list->cx, list->cy}), (std::tuple<short, short, short, short>{8, 8, 84, 88}));
  struct Expected {
    WORD id;
    const char* text;
    short y;
  } buttons[] = {{IDOK, "OK", 8}, {602, "&New...", 28}, {603, "&Delete...", 44}, {604, "R&ename...", 60},
                 {57670, "&Help", 82}};
  for (const Expected& b : buttons) {
    const nbp::DialogItem* item = t->FindItem(b.id);
    ASSERT_NE(item, nullptr) << b.id;
    EXPECT_EQ(item->title.text, b.text);
    EXPECT_EQ((std::tuple{item->x, item->y, item->cx, item->cy}), (std::tuple<short, short, short, short>{100, b.y, 45, 14}));
  }
  const nbp::DialogItem* label = t->FindItem(605);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->title.text, "Select color:");
  EXPECT_EQ((std::tuple{label->x, label->y, label->cx, label->cy}), (std::tuple<short, short, short, short>{10, 102, 47, 8}));
  EXPECT_EQ(t->FindItem(IDCANCEL), nullptr) << "the dialog has no Cancel button";
}

TEST(Catalogue, ThePasswordDialogsHaveAPasswordFieldAndTheUserName) {
  auto masking = DialogOf(NbUIGetInstanceHandle(), IDD_NB_MASKING_PASSWORD);
  auto show = DialogOf(NbUIGetInstanceHandle(), IDD_NB_PASSWORD);
  ASSERT_TRUE(masking.has_value());
  ASSERT_TRUE(show.has_value());
  EXPECT_EQ(masking->title, "Password");
  EXPECT_EQ(show->title, "Show Private Records");
  bool explained = false;
  for (const nbp::DialogItem& item : masking->items)
    explained |= item.title.text ==
                  "One or more selected records are private records. You must enter your password to continue this "
                  "operation.";
  EXPECT_TRUE(explained);
  for (const auto* t : {&*masking, &*show}) {
    const nbp::DialogItem* edit = t->FindItem(20059);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->ClassAtom(), static_cast<WORD>(nbp::DialogClass::Edit));
    EXPECT_TRUE(edit->style & ES_PASSWORD);
    ASSERT_NE(t->FindItem(20154), nullptr);
    EXPECT_EQ(t->FindItem(20154)->ClassAtom(), static_cast<WORD>(nbp::DialogClass::Static));
    EXPECT_NE(t->FindItem(IDOK), nullptr);
    EXPECT_NE(t->FindItem(IDCANCEL), nullptr);
  }
  EXPECT_EQ(masking->FindItem(57670), nullptr);
  ASSERT_NE(show->FindItem(57670), nullptr);
}

TEST(Catalogue, BitmapsHaveTheirSizesDepthsAndTransparentRed) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  struct Expected {
    UINT id;
    int width, height, bits;
  } expected[] = {{1001, 16, 16, 4}, {14003, 14, 15, 4}, {14010, 8, 8, 8}, {14011, 53, 53, 8}};
  for (const Expected& e : expected) {
    const std::vector<uint8_t>* data = nbp::res::FindData(lib, RT_BITMAP, e.id);
    ASSERT_NE(data, nullptr) << e.id;
    BitmapHeader h = HeaderOf(*data);
    EXPECT_EQ(h.width, e.width) << e.id;
    EXPECT_EQ(h.height, e.height) << e.id;
    EXPECT_EQ(h.bitsPerPixel, e.bits) << e.id;
    BITMAP bm{};
    HBITMAP loaded = LoadBitmap(lib, MAKEINTRESOURCE(e.id));
    ASSERT_NE(loaded, nullptr) << e.id;
    GetObject(loaded, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, e.width);
    EXPECT_EQ(bm.bmHeight, e.height);
    DeleteObject(loaded);
  }
  // The icons drawn over card headers leave their surroundings out.
  Picture note(lib, 1001), padlock(lib, 14003), check(lib, 14010), picture(lib, 14011);
  ASSERT_TRUE(note.ok() && padlock.ok() && check.ok() && picture.ok());
  EXPECT_EQ(note.At(0, 0), kPureRed);
  EXPECT_EQ(note.At(15, 15), kPureRed);
  EXPECT_EQ(note.At(2, 1), RGB(0, 0, 0));       // the pad's outline
  EXPECT_EQ(note.At(5, 7), RGB(255, 250, 205));  // its paper
  EXPECT_EQ(padlock.At(0, 0), kPureRed);
  EXPECT_EQ(padlock.At(13, 14), kPureRed);
  EXPECT_EQ(padlock.At(6, 9), RGB(0, 0, 0));        // keyhole
  EXPECT_EQ(padlock.At(3, 10), RGB(236, 196, 76));  // brass body
  EXPECT_EQ(check.At(0, 0), kPureRed);
  EXPECT_EQ(check.At(3, 5), RGB(0, 0, 0));
  EXPECT_EQ(picture.At(0, 0), RGB(112, 124, 140));  // frame
  EXPECT_EQ(picture.At(26, 20), RGB(150, 166, 188));  // the figure's head
  EXPECT_NE(picture.At(10, 10), kPureRed);
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

TEST(LanguageTexts, GermanIsTranslatedAndEnglishKeepsTheLibrarysWords) {
  HINSTANCE lib = NbUIGetInstanceHandle();
  int id = 0;
  HINSTANCE en = LoadLumoLangDll(CString(NB_TEST_LANG_ROOT) + "/en/" NB_LANG_MODULE_FILE, lib, &id);
  EXPECT_EQ(id, 0x0409);
  HINSTANCE de = LoadLumoLangDll(CString(NB_TEST_LANG_ROOT) + "/de/" NB_LANG_MODULE_FILE, lib, &id);
  EXPECT_EQ(id, 0x0407);
  for (size_t i = 0; i < nbui::resources::kEnglishLibraryStringCount; ++i) {
    UINT sid = nbui::resources::kEnglishLibraryStrings[i].id;
    EXPECT_EQ(StringOf(en, sid), StringOf(lib, sid)) << sid;
  }
  EXPECT_EQ(StringOf(de, IDS_NB_NO_PHOTO), "Kein Foto");
  EXPECT_EQ(StringOf(de, IDS_NB_ALL_CATEGORIES_ITEM), "Alle");
  EXPECT_EQ(StringOf(en, IDS_NB_ALL_CATEGORIES_ITEM), "All");
  EXPECT_EQ(DialogOf(de, IDD_NB_DAY_PICKER)->FindItem(IDCANCEL)->title.text, "Abbrechen");
  // Same layout in every language: only the texts differ.
  auto enDialog = DialogOf(en, IDD_NB_COLOR_CATEGORIES), deDialog = DialogOf(de, IDD_NB_COLOR_CATEGORIES);
  ASSERT_EQ(enDialog->items.size(), deDialog->items.size());
  for (size_t i = 0; i < enDialog->items.size(); ++i) {
    EXPECT_EQ(enDialog->items[i].id, deDialog->items[i].id);
    EXPECT_EQ(enDialog->items[i].x, deDialog->items[i].x);
    EXPECT_EQ(enDialog->items[i].style, deDialog->items[i].style);
  }
  FreeLumoLangDll(en, lib);
  FreeLumoLangDll(de, lib);
}

}  // namespace
