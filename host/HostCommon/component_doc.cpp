#include "HostCommon/component_doc.h"

#include "HostTables/record_table.h"

void CUndoDeleteInfo::ReplaceCategoryID(int nOld) {
  for (Entry& e : m_entries)
    if (e.category == nOld) e.category = 0;
}

void CUndoDeleteInfo::DeleteAllInCategory(int nIndex) {
  std::erase_if(m_entries, [nIndex](const Entry& e) { return e.category == nIndex; });
}

int CUndoDeleteInfo::Undo(CNbBaseTable& table) {
  int restored = 0;
  for (const Entry& e : m_entries)
    if (table.UndeleteRecord(e.id)) ++restored;
  m_entries.clear();
  return restored;
}
