#include "pages/category_samples.h"

#include <filesystem>
#include <string>

#include "HostInstall/install.h"
#include "HostSubscriptions/subscriptions.h"
#include "NbThemes/nbthemes.h"

namespace {

struct SampleCategory {
  const char* name;
  int slot;  // the calendar's colors; 0 for the address book's
  std::initializer_list<const char*> records;
};

const SampleCategory kAddressBook[] = {
    {"Business", 0, {"Carl Berg, Berg Joinery", "Sara Eklund, Saga Design", "Jonas Holm, lawyer", "Lena Wik, bank"}},
    {"Family", 0, {"Maria Dahl", "Erik Dahl", "Astrid Dahl", "Nils Dahl"}},
    {"Friends", 0, {"Eva Nilsson", "Per Lund", "Karin Ek"}},
    {"Clubs", 0, {"Rowing club", "Choir", "Chess club"}},
    {"Suppliers", 0, {"Nilsson Bakery", "Green Grocer", "Post office"}},
};
const char* const kUnfiledContacts[] = {"Plumber on call", "Taxi Göteborg"};

const SampleCategory kCalendar[] = {
    {"Meetings", 11, {"Team meeting", "Budget review", "Supplier visit"}},
    {"Birthdays", 1, {"Maria's birthday", "Erik's birthday"}},
    {"Holidays", 4, {"Midsummer", "Christmas"}},
    {"Travel", 6, {"Train to Stockholm", "Flight to Berlin"}},
    {"Sports", 3, {"Rowing", "Chess evening"}},
};
const char* const kUnfiledEvents[] = {"Dentist"};

CString Folder() { return NbInstGetDataFolder() + "/gallery"; }

template <size_t N, size_t M>
void Fill(CSampleBook& book, const SampleCategory (&categories)[N], const char* const (&unfiled)[M]) {
  CNbTransaction change(&book.db);
  for (const SampleCategory& c : categories) {
    auto* cat = new CCategory;
    cat->SetName(c.name);
    if (book.store.Add(cat) != CAT_OK) return;
    CCategory* added = nullptr;
    book.store.FindName(c.name, added);
    if (!added) return;
    if (c.slot) NbThemeSetCategorySlot(added->GetIndex(), c.slot);
    for (const char* r : c.records) book.table.AddRecord(added->GetIndex(), r);
  }
  for (const char* r : unfiled) book.table.AddRecord(0, r);
  change.Commit();
}

std::unique_ptr<CSampleBook> Open(const char* file) {
  auto book = std::make_unique<CSampleBook>();
  std::error_code ec;
  std::filesystem::create_directories(static_cast<LPCTSTR>(Folder()), ec);
  CString path = Folder() + "/" + file;
  if (!book->db.Open(path)) {
    book->error = book->db.GetLastError();
    return book;
  }
  if (book->store.Attach(&book->db, "Unfiled") != CAT_OK) book->error = book->store.GetLastErrorText();
  return book;
}

// The handheld user and the subscription file beside the address conduit.
void MakeHandheldUser() {
  CString folder = Folder() + "/anna";
  CString file = folder + "/address/subscriptions.dat";
  if (std::filesystem::exists(static_cast<LPCTSTR>(file))) return;
  NbInstAddUser(GALLERY_HANDHELD_USER, folder);
  SubResetInfo();
  CSubInfo clubs;
  clubs.m_strCategory = "Clubs";
  clubs.m_strName = "Clubs";
  clubs.m_strSource = "https://rowing.example.org/members";
  SubAddInfo(clubs);
  SubSaveInfo(file);
}

}  // namespace

std::unique_ptr<CSampleBook> OpenSampleAddressBook() {
  auto book = Open("address.db");
  if (book->IsOpen() && book->store.GetCount() == 1 && book->table.GetRecordCount() == 0) {
    Fill(*book, kAddressBook, kUnfiledContacts);
    MakeHandheldUser();
  }
  return book;
}

std::unique_ptr<CSampleBook> OpenSampleCalendar() {
  auto book = Open("calendar.db");
  if (book->IsOpen() && book->store.GetCount() == 1 && book->table.GetRecordCount() == 0)
    Fill(*book, kCalendar, kUnfiledEvents);
  return book;
}
