// Dialog templates of the catalogue, in dialog units, one function per
// template in the order of a resource script: the frame, then the controls.
#include "nbp/dialog_template.h"
#include "resources/catalogue.h"
#include "resources/resource_ids.h"
#include "win/resources.h"

namespace nbui::resources {
namespace {

using nbp::DialogClass;
using nbp::DialogTemplateWriter;

constexpr WORD kNoId = 0xFFFF;  // labels nobody addresses
constexpr WORD kFontSize = 8;
constexpr const char* kFontFace = "MS Shell Dlg";
constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

DialogTemplateWriter Frame(DWORD style, short cx, short cy, const char* caption) {
  DialogTemplateWriter w(style, 0, 0, cx, cy, caption);
  w.Font(kFontSize, kFontFace);
  return w;
}

void AddDialog(HINSTANCE module, UINT id, std::vector<uint8_t> bytes) {
  nbp::res::AddData(module, RT_DIALOG, MAKEINTRESOURCE(id), std::move(bytes));
}

}  // namespace

std::vector<uint8_t> MaskingPasswordDialog(const DialogTexts& t) {
  return Frame(kModal, 220, 93, t.maskingCaption)
      .LText(t.maskingExplanation, kNoId, 7, 7, 206, 24)
      .LText(t.userLabel, kNoId, 7, 36, 40, 8)
      .LText("", IDC_NB_USER_NAME, 50, 36, 163, 8, SS_NOPREFIX)
      .LText(t.passwordLabel, kNoId, 7, 52, 40, 8)
      .EditText(IDC_NB_PASSWORD, 50, 50, 163, 12, ES_PASSWORD | ES_AUTOHSCROLL)
      .DefPushButton(t.ok, IDOK, 109, 72, 50, 14)
      .PushButton(t.cancel, IDCANCEL, 163, 72, 50, 14)
      .Bytes();
}

std::vector<uint8_t> PrivateRecordsDialog(const DialogTexts& t) {
  return Frame(kModal, 220, 87, t.privateCaption)
      .LText(t.privateExplanation, kNoId, 7, 7, 206, 16)
      .LText(t.userLabel, kNoId, 7, 30, 40, 8)
      .LText("", IDC_NB_USER_NAME, 50, 30, 163, 8, SS_NOPREFIX)
      .LText(t.passwordLabel, kNoId, 7, 46, 40, 8)
      .EditText(IDC_NB_PASSWORD, 50, 44, 163, 12, ES_PASSWORD | ES_AUTOHSCROLL)
      .DefPushButton(t.ok, IDOK, 55, 66, 50, 14)
      .PushButton(t.cancel, IDCANCEL, 109, 66, 50, 14)
      .PushButton(t.help, ID_HELP, 163, 66, 50, 14)
      .Bytes();
}

std::vector<uint8_t> DayPickerDialog(const DialogTexts& t) {
  // The hidden frame only marks where the calendar goes.
  return Frame(kModal, 143, 116, t.dayPickerCaption)
      .Control(DialogClass::Static, "", IDC_NB_CALENDAR_FRAME, 10, 6, 125, 86, WS_CHILD | SS_BLACKFRAME)
      .DefPushButton(t.ok, IDOK, 6, 95, 40, 14)
      .PushButton(t.cancel, IDCANCEL, 52, 95, 40, 14)
      .PushButton(t.today, IDC_NB_TODAY, 96, 95, 40, 14)
      .Bytes();
}

namespace {

// The ids of a category list and the buttons in the column beside it.
struct CategoryListIds {
  WORD list, newButton, deleteButton, renameButton;
};

// Both category dialogs: the list on the left, OK, New, Delete, Rename and
// Help beside it. Only the list's height and the ids differ.
DialogTemplateWriter& AddCategoryList(DialogTemplateWriter& w, const DialogTexts& t, const CategoryListIds& ids,
                                      short listHeight) {
  // The list keeps no strings: each item's data points at the category's
  // name, which the owner draws.
  constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT |
                          LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT;
  return w.Control(DialogClass::ListBox, "", ids.list, 8, 8, 84, listHeight, kList)
      .DefPushButton(t.ok, IDOK, 100, 8, 45, 14)
      .PushButton(t.newButton, ids.newButton, 100, 28, 45, 14)
      .PushButton(t.deleteButton, ids.deleteButton, 100, 44, 45, 14)
      .PushButton(t.renameButton, ids.renameButton, 100, 60, 45, 14)
      .PushButton(t.help, ID_HELP, 100, 82, 45, 14);
}

}  // namespace

std::vector<uint8_t> ColorCategoriesDialog(const DialogTexts& t) {
  // The swatches are made at run time below the "Select color:" label.
  DialogTemplateWriter w = Frame(WS_POPUP | WS_CAPTION | WS_SYSMENU, 154, 150, t.colorCategoriesCaption);
  CategoryListIds ids{IDC_NB_COLOR_LIST, IDC_NB_COLOR_NEW, IDC_NB_COLOR_DELETE, IDC_NB_COLOR_RENAME};
  return AddCategoryList(w, t, ids, 88).LText(t.selectColor, IDC_NB_SELECT_COLOR, 10, 102, 47, 8).Bytes();
}

std::vector<uint8_t> CategoriesDialog(const DialogTexts& t) {
  DialogTemplateWriter w = Frame(kModal, 154, 126, t.categoriesCaption);
  CategoryListIds ids{IDC_NB_CATEGORY_LIST, IDC_NB_CATEGORY_NEW, IDC_NB_CATEGORY_DELETE, IDC_NB_CATEGORY_RENAME};
  return AddCategoryList(w, t, ids, 110).Bytes();
}

namespace {

// New and Rename ask for a category name the same way; only the texts differ.
std::vector<uint8_t> CategoryNameDialog(const DialogTexts& t, const char* caption, const char* prompt) {
  return Frame(kModal, 180, 59, caption)
      .LText(prompt, kNoId, 7, 7, 166, 8)
      .EditText(IDC_NB_CATEGORY_NAME, 7, 18, 166, 12, ES_AUTOHSCROLL)
      .DefPushButton(t.ok, IDOK, 69, 38, 50, 14)
      .PushButton(t.cancel, IDCANCEL, 123, 38, 50, 14)
      .Bytes();
}

}  // namespace

std::vector<uint8_t> NewCategoryDialog(const DialogTexts& t) {
  return CategoryNameDialog(t, t.newCategoryCaption, t.newCategoryPrompt);
}

std::vector<uint8_t> RenameCategoryDialog(const DialogTexts& t) {
  return CategoryNameDialog(t, t.renameCategoryCaption, t.renameCategoryPrompt);
}

std::vector<uint8_t> DeleteCategoryDialog(const DialogTexts& t) {
  // The subscription note sits above the choices and the buttons: for a
  // category without a subscription the dialog hides it, moves everything
  // below it up by 30 pixels and shrinks by as much, so the note is about
  // that high (about 18 units of an 8-point face, with its gap).
  return Frame(kModal, 200, 97, t.deleteCategoryCaption)
      .LText(t.deleteCategoryPrompt, kNoId, 7, 7, 186, 16)
      .LText(t.deleteSubscriptionNote, IDC_NB_DELETE_SUBSCRIPTION, 7, 26, 186, 16)
      .AutoRadioButton(t.deleteMoveRecords, IDC_NB_DELETE_MOVE, 14, 46, 179, 10, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(t.deleteRecords, IDC_NB_DELETE_RECORDS, 14, 58, 179, 10)
      .DefPushButton(t.ok, IDOK, 89, 76, 50, 14, WS_GROUP)
      .PushButton(t.cancel, IDCANCEL, 143, 76, 50, 14)
      .Bytes();
}

std::vector<uint8_t> SpecialDialog(const DialogTexts& t) {
  // No caption and one button: the dialog's class paints everything else.
  return Frame(DS_MODALFRAME | WS_POPUP, 180, 100, "")
      .DefPushButton(t.ok, IDOK, 65, 80, 50, 14)
      .Bytes();
}

void AddLibraryDialogs(HINSTANCE module, const DialogTexts& t) {
  AddDialog(module, IDD_NB_MASKING_PASSWORD, MaskingPasswordDialog(t));
  AddDialog(module, IDD_NB_COLOR_CATEGORIES, ColorCategoriesDialog(t));
  AddDialog(module, IDD_NB_DAY_PICKER, DayPickerDialog(t));
  AddDialog(module, IDD_NB_PASSWORD, PrivateRecordsDialog(t));
}

void AddLanguageOnlyDialogs(HINSTANCE module, const DialogTexts& t) {
  AddDialog(module, IDD_NB_NEW_CATEGORY, NewCategoryDialog(t));
  AddDialog(module, IDD_NB_RENAME_CATEGORY, RenameCategoryDialog(t));
  AddDialog(module, IDD_NB_CATEGORIES, CategoriesDialog(t));
  AddDialog(module, IDD_NB_DELETE_CATEGORY, DeleteCategoryDialog(t));
  AddDialog(module, IDD_NB_SPECIAL, SpecialDialog(t));
}

void AddStrings(HINSTANCE module, const StringEntry* strings, size_t count) {
  for (size_t i = 0; i < count; ++i) nbp::res::AddString(module, strings[i].id, strings[i].text);
}

}  // namespace nbui::resources
