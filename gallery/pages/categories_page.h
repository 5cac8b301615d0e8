// Categories: the colored category controls over the gallery's sample
// address book and calendar (real databases in the user's data folder).
// The address book's categories fill a colored combo that filters its
// contacts and opens the category dialog from its "Edit Categories..."
// item; the calendar's categories show in a swatch list, are colored in the
// event category dialog, and are offered by a colored category menu.
#pragma once

#include <memory>

#include "categories/color_cat_combo.h"
#include "categories/color_cat_menu.h"
#include "categories/swatch_list_box.h"
#include "gallery_page.h"
#include "pages/category_samples.h"
#include "pages/choice_button.h"

class CCategoriesPage : public CGalleryPage {
 public:
  enum : UINT {
    kComboId = 7001,
    kContactsId = 7002,
    kEditAddressId = 7003,
    kEventListId = 7004,
    kEditEventsId = 7005,
    kEventMenuId = 7006,
    kEventChosenId = 7007,
  };

  CCategoriesPage();
  ~CCategoriesPage() override;

  const char* Title() const override { return "Categories"; }
  std::vector<State> States() override;

 protected:
  void CreateControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void ShowContacts(int nCategory);
  void FillAddressCombo(int nSelect);
  void FillEventList();
  void EditAddressCategories();
  void EditEventCategories();
  // The event category button's colored menu of the calendar's categories,
  // made again after every change to them and every choice.
  void FillEventMenu();
  void ShowEventCategory();

  std::unique_ptr<CSampleBook> m_address;
  std::unique_ptr<CSampleBook> m_calendar;
  CNbColorCatCombo m_combo;
  CNbSwatchListBox m_events;
  std::unique_ptr<CNbColorCatMenu> m_eventMenu;
  CChoiceButton m_eventButton;
  int m_nEventCategory = 1;
};
