// The gallery's address book: contacts made up from a record number, so that
// a few thousand or a million of them cost no memory until one is shown.
// Names and companies come from lists kept in alphabetical order, so two
// contacts compare by name or company through their list positions alone.
#pragma once

#include <cstdint>

#include "mfc/cstring.h"

struct Contact {
  int first = 0;    // position in the first-name list
  int last = 0;     // position in the last-name list
  int company = 0;  // position in the company list
  int middle = 0;   // a middle initial ('A' ... 'Z') once every name is taken, else 0
  uint32_t bits = 0;  // everything else is drawn from these

  CString Name() const;      // "Last, First" or "Last, First M."
  CString Company() const;
  CString Category() const;  // "" for an unfiled contact
  bool IsPrivate() const { return bits % 11 == 3; }
  bool HasNote() const { return bits % 5 == 1; }
  bool HasPhoto() const { return bits % 4 == 0; }
  // The card body in the card view's markup: title, company, a separator,
  // phone lines with tabs, the address, and the note when there is one.
  CString Body() const;
};

Contact ContactFor(int record);
// Negative, zero or positive as a comes before, with or after b.
int CompareByName(const Contact& a, const Contact& b);
int CompareByCompany(const Contact& a, const Contact& b);
