#include <optional>

#include "HostCommon/base_dialog.h"
#include "HostConduits/conduits.h"
#include "HostInstall/install.h"
#include "HostSubscriptions/subscriptions.h"
#include "categories/cat_delete_dlg_internal.h"
#include "categories/cat_mgmt_core_internal.h"
#include "categories/cat_mgmt_dlg.h"
#include "categories/cat_name_dialogs.h"
#include "mfc/app.h"
#include "resources/resource_ids.h"
#include "win/mbstring.h"

namespace nbui::categories {
namespace {

constexpr int kAddressViewId = 30028;
constexpr int kMemoViewId = 30029;
constexpr DWORD kAddressCreator = 0x5A6F7262;  // "Zorb"
constexpr DWORD kMemoCreator = 0x5A696E6B;     // "Zink"
constexpr int kUserBufferSize = 257;

CString Load(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

CString Format2(UINT id, const CString& first, const CString& second) {
  CString text;
  AfxFormatString2(text, id, first, second);
  return text;
}

bool SameExactly(const CString& a, const CString& b) {
  return _mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(a)),
                 reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(b))) == 0;
}

// The subscription of one category, as the subscription file has it.
struct Subscription {
  CString path;         // empty: no subscription step at all
  bool loaded = false;  // the file was read
  int position = -1;
  CSubInfo info;
  bool Subscribed() const { return position != -1; }
};

// <user's folder>/<conduit's folder>/<file name>. A view without a
// conduit, or a conduit whose folder cannot be named, leaves the conduit
// part out: the file is then looked for in the user's folder itself.
// Without a user or a folder of the user's there is no subscription file
// to look at, and the step is left out rather than done on a path from
// the root.
CString SubscriptionPath(const CatDialogState& state) {
  CString folder;
  FindUserFolder(state.userName, folder);
  CString file = Load(IDS_NB_SUBSCRIPTION_FILE);
  if (folder.IsEmpty() || file.IsEmpty()) return CString();
  DWORD creator = state.viewId == kAddressViewId ? kAddressCreator : state.viewId == kMemoViewId ? kMemoCreator : 0;
  CString path = folder + "/";
  if (creator) {
    char text[12] = {};
    int size = 8;
    char conduit[512] = {};
    if (NbConduitGetCreatorText(creator, text, &size) >= 0) {
      size = 512;
      if (NbConduitGetCreatorFolder(text, conduit, &size) >= 0 && conduit[0]) path += CString(conduit) + "/";
    }
  }
  return path + file;
}

Subscription LookUpSubscription(const CatDialogState& state, const CString& name) {
  Subscription s;
  s.path = SubscriptionPath(state);
  if (s.path.IsEmpty()) return s;
  s.loaded = SubLoadInfo(s.path) == SUB_OK;
  if (s.loaded) s.position = SubFindInfo(name, &s.info);
  return s;
}

CUndoDeleteInfo* UndoOf(const CatDialogState& state) {
  CComponentDoc* doc = state.view ? state.view->GetDocument() : nullptr;
  return doc ? doc->GetUndoObject() : nullptr;
}

// Shows why a store change failed and shows the store as it is.
void StoreFailed(CatListSide& list, const CString& why) {
  CString text;
  AfxFormatString1(text, IDS_NB_CATEGORY_STORE_FAILED, why);
  AfxMessageBox(text, MB_ICONHAND);
  list.Refill();
  list.SetSelection(-1);
}

void SubscriptionNotSaved() { AfxMessageBox(IDS_NB_SUBSCRIPTION_SAVE_FAILED, MB_ICONHAND, static_cast<UINT>(-1)); }

// A listed name the store no longer has: say so and show the store as it is.
void CategoryGone(CatListSide& list, const CString& name) {
  CString text;
  AfxFormatString1(text, IDS_NB_CATEGORY_GONE, name);
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  list.Refill();
  list.SetSelection(-1);
}

// Runs change (store and record operations, false when a store operation
// failed) as one transaction. When it does not commit, the undo record is
// put back as it was and the reason is shown.
template <class Change>
bool RunStoreChange(CatDialogState& state, CatListSide& list, Change change) {
  CNbDatabase* db = state.store->GetDatabase();
  CUndoDeleteInfo* undo = UndoOf(state);
  std::optional<CUndoDeleteInfo> before;
  if (undo) before = *undo;
  CString why;
  {
    CNbTransaction transaction(db);
    if (!transaction.IsActive()) why = db ? db->GetLastError() : CString("the database is not open");
    else if (!change()) why = state.store->GetLastErrorText();
    else if (!transaction.Commit()) why = db->GetLastError();
    else return true;
  }
  if (undo) *undo = *before;
  StoreFailed(list, why);
  return false;
}

}  // namespace

void SetDialogTitle(CWnd& dialog, const CString& strComponentName) {
  CString title;
  if (strComponentName.IsEmpty()) {
    title = Load(IDS_NB_EDIT_CATEGORIES_TITLE);
    int at = title.Find("%1");
    if (at >= 0) title.Delete(at, 3);
  } else {
    AfxFormatString1(title, IDS_NB_EDIT_CATEGORIES_TITLE, strComponentName);
  }
  if (!title.IsEmpty()) dialog.SetWindowText(title);
}

void FindUserFolder(const CString& strUser, CString& strOut) {
  int count = NbInstGetUserCount();
  for (int pos = 0; pos < count; ++pos) {
    char name[kUserBufferSize] = {};
    int size = kUserBufferSize;
    if (NbInstGetUserName(pos, name, &size) < 0) continue;
    if (_mbsicmp(reinterpret_cast<const unsigned char*>(name),
                 reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(strUser))) != 0)
      continue;
    char folder[kUserBufferSize] = {};
    size = kUserBufferSize;
    if (NbInstGetUserFolder(name, folder, &size) >= 0) strOut = folder;
    return;
  }
}

void NewCategory(CatDialogState& state, CatListSide& list) {
  CNbUICatNewDialog dlg(CNbUICatNewDialog::IDD, nullptr);
  CWnd& owner = list.Dialog();
  if (state.store->GetCount() >= NB_CATEGORY_COUNT_MAX) {
    owner.MessageBox(Load(IDS_NB_CATEGORY_LIMIT), Load(IDS_NB_NEW_CATEGORY_CAPTION), MB_ICONEXCLAMATION);
    return;
  }
  if (dlg.DoModal() != IDOK) return;
  CString name;
  dlg.GetName(name);
  CCategory* cat = nullptr;
  if (state.store->FindName(name, cat) == CAT_OK && cat) {
    owner.MessageBox("'" + name + "'" + Load(IDS_NB_CATEGORY_EXISTS), Load(IDS_NB_CATEGORY_EXISTS_CAPTION),
                     MB_ICONEXCLAMATION);
    return;
  }
  auto* added = new CCategory;
  added->SetName(name);
  if (state.store->Add(added) != CAT_OK) {
    StoreFailed(list, state.store->GetLastErrorText());
    return;
  }
  list.AddNew(added->GetName());
  list.SelectName(added->GetName());
}

void DeleteCategory(CatDialogState& state, CatListSide& list) {
  int sel = list.Selection();
  if (sel < 0) {
    AfxMessageBox(IDS_NB_SELECT_TO_DELETE, MB_OK, static_cast<UINT>(-1));
    return;
  }
  CString name = list.NameAt(sel);
  CString caption;
  AfxFormatString1(caption, IDS_NB_DELETE_CATEGORY_TITLE, name);
  Subscription sub = LookUpSubscription(state, name);
  CNbCatDeleteDlg dlg(caption, !sub.Subscribed(), &list.Dialog());
  dlg.m_nChoice = 0;
  if (dlg.DoModal() == IDOK) {
    CCategory* cat = nullptr;
    if (state.store->FindName(name, cat) != CAT_OK || !cat) {
      CategoryGone(list, name);
      return;
    }
    int index = cat->GetIndex();
    bool moveRecords = dlg.m_nChoice == 0;
    bool done = RunStoreChange(state, list, [&] {
      if (state.store->Delete(index) != CAT_OK) return false;
      if (moveRecords) list.MoveRecords(index, 0, 1);
      else list.DeleteRecords(index);
      return true;
    });
    if (!done) return;
    // The subscription goes only now that the category is gone for good.
    if (sub.Subscribed()) {
      SubRemoveInfo(sub.position, 2);
      if (SubSaveInfo(sub.path) != SUB_OK) SubscriptionNotSaved();
    }
    list.Remove(sel);
    state.bDeleted = 1;
  }
  list.SetSelection(-1);
}

namespace {

// Asks the subscription library to follow a rename; false (after telling
// the user why) when it refuses. The record is changed in memory only.
bool SubscriptionFollows(Subscription& sub, const CString& oldName, const CString& newName) {
  if (SubDupSubscCategory(newName)) {
    AfxMessageBox(Format2(IDS_NB_SUBSCRIPTION_NAME_RESERVED, newName, oldName), MB_ICONHAND);
    return false;
  }
  sub.info.m_strCategory = newName;
  sub.info.m_strName = newName;
  int refused = SubUpdateInfo(sub.position, &sub.info);
  if (refused != SUB_UPDATE_LOCKED && refused != SUB_UPDATE_TAKEN) return true;
  UINT why = refused == SUB_UPDATE_LOCKED ? IDS_NB_SUBSCRIPTION_REFUSED : IDS_NB_SUBSCRIPTION_TAKEN;
  AfxMessageBox(Format2(why, newName, oldName), MB_ICONHAND);
  sub.info.m_strCategory = oldName;
  sub.info.m_strName = oldName;
  SubUpdateInfo(sub.position, &sub.info);
  return false;
}

void PlainRename(CatDialogState& state, CatListSide& list, int sel, CCategory& cat, Subscription& sub,
                 const CString& oldName, const CString& newName) {
  if (sub.Subscribed()) {
    if (AfxMessageBox(Format2(IDS_NB_RENAME_SUBSCRIBED, newName, oldName), MB_OKCANCEL | MB_ICONEXCLAMATION) ==
        IDCANCEL)
      return;
    if (!SubscriptionFollows(sub, oldName, newName)) return;
  }
  int index = cat.GetIndex();
  if (!RunStoreChange(state, list, [&] { return state.store->Rename(index, newName) == CAT_OK; })) {
    if (sub.Subscribed()) {
      sub.info.m_strCategory = oldName;
      sub.info.m_strName = oldName;
      SubUpdateInfo(sub.position, &sub.info);
    }
    return;
  }
  if (sub.Subscribed() && SubSaveInfo(sub.path) != SUB_OK) SubscriptionNotSaved();
  int at = list.Renamed(sel, oldName, newName, index);
  list.SetSelection(at);
  state.bNameChanged = 1;
}

void Merge(CatDialogState& state, CatListSide& list, int sel, CCategory& oldCat, CCategory& newCat,
           Subscription& sub, const CString& oldName, const CString& newName) {
  CSubInfo other;
  bool newSubscribed = sub.loaded && SubFindInfo(newName, &other) != -1;
  UINT question = 0;
  if (sub.Subscribed()) question = newSubscribed ? IDS_NB_MERGE_BOTH_SUBSCRIBED : IDS_NB_MERGE_SUBSCRIBED;
  else if (newSubscribed) question = IDS_NB_MERGE_INTO_SUBSCRIBED;
  else if (!SameExactly(oldName, newName)) question = IDS_NB_MERGE_CATEGORIES;
  if (question && AfxMessageBox(Format2(question, newName, oldName), MB_YESNO) == IDNO) return;
  if (SameExactly(oldName, newName)) return;
  int from = oldCat.GetIndex(), into = newCat.GetIndex();
  CString intoName = newCat.GetName();
  bool done = RunStoreChange(state, list, [&] {
    list.MoveRecords(from, into, 1);
    return state.store->Delete(from) == CAT_OK;
  });
  if (!done) return;
  if (sub.Subscribed()) {
    SubRemoveInfo(sub.position, 2);
    if (SubSaveInfo(sub.path) != SUB_OK) SubscriptionNotSaved();
  }
  list.Remove(sel);
  list.SelectName(intoName, true);
  state.bNameChanged = 1;
}

}  // namespace

void RenameCategory(CatDialogState& state, CatListSide& list) {
  CNbUICatRenameDialog dlg(CNbUICatRenameDialog::IDD, nullptr);
  int sel = list.Selection();
  if (sel < 0) {
    AfxMessageBox(IDS_NB_SELECT_TO_RENAME, MB_OK, static_cast<UINT>(-1));
    return;
  }
  CString oldName = list.NameAt(sel);
  CCategory* oldCat = nullptr;
  if (state.store->FindName(oldName, oldCat) != CAT_OK || !oldCat) {
    CategoryGone(list, oldName);
    return;
  }
  Subscription sub = LookUpSubscription(state, oldName);
  dlg.SetName(oldName);
  if (dlg.DoModal() != IDOK) return;
  CString newName;
  dlg.GetName(newName);
  CCategory* newCat = nullptr;
  bool taken = state.store->FindName(newName, newCat) == CAT_OK && newCat;
  // The store finds names regardless of case: the category's own name in
  // other letters is a plain rename, never a merge into itself. The very
  // same name goes the merge way, which asks its question and stops there.
  if (taken && newCat == oldCat && !SameExactly(oldName, newName)) taken = false;
  if (taken) Merge(state, list, sel, *oldCat, *newCat, sub, oldName, newName);
  else PlainRename(state, list, sel, *oldCat, sub, oldName, newName);
}

unsigned short SelectedCategoryId(CatDialogState& state, CatListSide& list) {
  int sel = list.Selection();
  if (sel < 0) return 0xFFFF;
  CCategory* cat = nullptr;
  if (state.store->FindName(list.NameAt(sel), cat) != CAT_OK || !cat) return 0xFFFF;
  return static_cast<unsigned short>(cat->GetIndex() & 0xFFFF);
}

void MoveCategoryRecords(CatDialogState& state, int nOld, int nNew, int) {
  if (!state.table) {
    if (state.view && state.view->m_hWnd) state.view->SendMessage(NBM_REPLACECATEGORYID, nOld, nNew);
    return;
  }
  // One statement moves every record: none is rewritten on its own while
  // the table is walked.
  auto* table = dynamic_cast<CNbBaseTable*>(state.table);
  if (!table || !table->ReplaceCategoryId(nOld, nNew)) return;
  CUndoDeleteInfo* undo = UndoOf(state);
  if (undo && !undo->IsEmpty()) undo->ReplaceCategoryID(nOld);
}

void DeleteCategoryRecords(CatDialogState& state, int nIndex) {
  if (!state.table) {
    if (state.view && state.view->m_hWnd) state.view->SendMessage(NBM_DELETEALLINCATEGORY, nIndex, 0);
    return;
  }
  auto* table = dynamic_cast<CNbBaseTable*>(state.table);
  if (!table || !table->MarkCategoryDeleted(nIndex)) return;
  CUndoDeleteInfo* undo = UndoOf(state);
  if (undo && !undo->IsEmpty()) undo->DeleteAllInCategory(nIndex);
}

}  // namespace nbui::categories
