// The gallery's pages, in the order of their tabs.
#include "gallery_page.h"
#include "pages/basics_page.h"

std::vector<PageFactory> GalleryPages() {
  return {
      [] { return std::make_unique<CBasicsPage>(); },
  };
}
