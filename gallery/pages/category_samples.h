// The gallery's sample databases: an address book and a calendar, each an
// SQLite file in the user's data folder (gallery/ below NbInstGetDataFolder),
// made with categories and records on the first run and used as they are
// afterwards, so changes made in the category dialogs outlive the program.
// A handheld user, "Anna Berg", owns a subscription file in which the
// address book's "Clubs" category is fed by a club's member list.
#pragma once

#include <memory>

#include "HostTables/category_mgr.h"
#include "HostTables/record_table.h"

#define GALLERY_HANDHELD_USER "Anna Berg"

// One sample database: the file, its categories and its records.
struct CSampleBook {
  CNbDatabase db;
  CCategoryMgr store;
  CNbBaseTable table{&db};
  CString error;  // why it could not be opened; empty when it was
  BOOL IsOpen() const { return db.IsOpen() && error.IsEmpty(); }
};

// Opens (making them on the first run) the address book and the calendar.
std::unique_ptr<CSampleBook> OpenSampleAddressBook();
std::unique_ptr<CSampleBook> OpenSampleCalendar();
