// The resource catalogue: strings, dialog templates, bitmaps and cursors,
// written as data in C++ and added to a resource module of the registry
// (win/resources.h). The library fills its own module with the English
// catalogue; each language module fills its module with the same layouts and
// its own texts, plus the resources only language modules carry.
//
// This file is compiled into the library and into every language module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "win/types.h"

namespace nbui::resources {

struct StringEntry {
  UINT id;
  const char* text;  // UTF-8
};

// Every text of the dialog templates, by role. Accelerator marks ("&") are
// part of the text.
struct DialogTexts {
  const char* ok;
  const char* cancel;
  const char* help;

  // 607: the date dialog.
  const char* dayPickerCaption;
  const char* today;

  // 548 and 20025: the password dialogs.
  const char* maskingCaption;
  const char* maskingExplanation;
  const char* privateCaption;
  const char* privateExplanation;
  const char* userLabel;
  const char* passwordLabel;

  // 600 and 114: the category dialogs.
  const char* colorCategoriesCaption;
  const char* categoriesCaption;
  const char* newButton;
  const char* deleteButton;
  const char* renameButton;
  const char* selectColor;

  // 109 and 112: asking for a category name.
  const char* newCategoryCaption;
  const char* newCategoryPrompt;
  const char* renameCategoryCaption;
  const char* renameCategoryPrompt;

  // 128: deleting a category.
  const char* deleteCategoryCaption;
  const char* deleteCategoryPrompt;
  const char* deleteMoveRecords;
  const char* deleteRecords;
  const char* deleteSubscriptionNote;
};

// The English texts, shared by the library's own catalogue and the English
// language module.
extern const StringEntry kEnglishLibraryStrings[];
extern const size_t kEnglishLibraryStringCount;
extern const DialogTexts kEnglishDialogTexts;

void AddStrings(HINSTANCE module, const StringEntry* strings, size_t count);

// Dialog templates in dialog units. The library carries 548, 600, 607 and
// 20025; language modules carry those and 109, 112, 114, 128 and 12020.
std::vector<uint8_t> MaskingPasswordDialog(const DialogTexts& t);  // 548
std::vector<uint8_t> ColorCategoriesDialog(const DialogTexts& t);  // 600
std::vector<uint8_t> DayPickerDialog(const DialogTexts& t);        // 607
std::vector<uint8_t> PrivateRecordsDialog(const DialogTexts& t);   // 20025
std::vector<uint8_t> NewCategoryDialog(const DialogTexts& t);      // 109
std::vector<uint8_t> RenameCategoryDialog(const DialogTexts& t);   // 112
std::vector<uint8_t> CategoriesDialog(const DialogTexts& t);       // 114
std::vector<uint8_t> DeleteCategoryDialog(const DialogTexts& t);   // 128
std::vector<uint8_t> SpecialDialog(const DialogTexts& t);          // 12020

void AddLibraryDialogs(HINSTANCE module, const DialogTexts& t);
void AddLanguageOnlyDialogs(HINSTANCE module, const DialogTexts& t);

// Bitmaps as RT_BITMAP data (a .bmp without its 14-byte file header), drawn
// in code. Pure red (RGB 255, 0, 0) marks the pixels that let the
// background show where a caller draws them with red as transparent color.
std::vector<uint8_t> NoteBitmap();            // 1001, 16 x 16, 4 bits
std::vector<uint8_t> PadlockBitmap();         // 14003, 14 x 15, 4 bits
std::vector<uint8_t> CheckMarkBitmap();       // 14010, 8 x 8, 8 bits
std::vector<uint8_t> DefaultPictureBitmap();  // 14011, 53 x 53, 8 bits
void AddBitmaps(HINSTANCE module);

// The two resize cursors (14005 columns, 14006 rows) as RT_CURSOR data: the
// hot spot (two WORDs) followed by a 32 x 32 monochrome XOR and AND mask
// bitmap, the layout of a cursor resource.
std::vector<uint8_t> ColumnResizeCursor();
std::vector<uint8_t> RowResizeCursor();
void AddCursors(HINSTANCE module);

// The library's own module: the English strings, the four dialogs and the
// four bitmaps of its catalogue.
void AddLibraryCatalogue(HINSTANCE module);

}  // namespace nbui::resources
