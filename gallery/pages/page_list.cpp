// The gallery's pages, in the order of their tabs.
#include "gallery_page.h"
#include "pages/address_book_page.h"
#include "pages/basics_page.h"
#include "pages/buttons_page.h"
#include "pages/calendar_page.h"
#include "pages/categories_page.h"
#include "pages/contact_page.h"
#include "pages/fields_page.h"
#include "pages/photo_page.h"
#include "pages/private_page.h"

std::vector<PageFactory> GalleryPages() {
  return {
      [] { return std::make_unique<CCalendarPage>(); },
      [] { return std::make_unique<CFieldsPage>(); },
      [] { return std::make_unique<CBasicsPage>(); },
      [] { return std::make_unique<CButtonsPage>(); },
      [] { return std::make_unique<CPrivatePage>(); },
      [] { return std::make_unique<CAddressBookPage>(); },
      [] { return std::make_unique<CPhotoPage>(); },
      [] { return std::make_unique<CContactPage>(); },
      [] { return std::make_unique<CCategoriesPage>(); },
  };
}
