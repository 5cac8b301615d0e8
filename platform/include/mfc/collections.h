// MFC's collection classes over the standard library: CArray, CList and CMap
// with their typed-pointer wrappers and the ready-made non-template classes
// (CPtrArray, CStringList, CMapStringToPtr, ...).
//
// Misuse is never undefined behaviour. An out-of-range index or a stale or
// foreign POSITION makes setters, removers and inserters do nothing, and
// makes getters that return a reference return a reference to a per-container
// sentinel element, value-initialised (zero) each time it is handed out.
// Debug builds also report these calls as failed assertions. Negative sizes
// and counts are refused the same way.
//
// POSITION values are handles, not node addresses: one stays valid as long
// as its element is in the container, so removing the element just returned
// by GetNext or GetNextAssoc while iterating is safe. CMap iterates in the
// order keys were first added.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "mfc/cstring.h"
#include "mfc/object.h"

struct __POSITION {};
typedef __POSITION* POSITION;
// Accepted by GetNextAssoc as "the first entry", as MFC's maps return it.
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<intptr_t>(-1)))

namespace nbp::coll {

inline void Misuse(const char* what) {
#if NBP_DEBUG_CHECKS
  ::nbp::diag::AssertFailed(__FILE__, __LINE__, what);
#else
  (void)what;
#endif
}

inline POSITION ToPos(uint64_t serial) { return reinterpret_cast<POSITION>(static_cast<uintptr_t>(serial)); }
inline uint64_t FromPos(POSITION pos) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(pos)); }

// Serial numbers for POSITION handles, shared by all containers so that a
// position from one container is never taken for an element of another.
inline uint64_t NextSerial() {
  static std::atomic<uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

// A std::list whose elements are also reachable through POSITION handles
// (serial numbers never reused), checked on every use.
template <class T>
class PositionedList {
 public:
  struct Node {
    uint64_t serial;
    T value;
  };
  using List = std::list<Node>;
  using Iter = typename List::iterator;
  using CIter = typename List::const_iterator;

  size_t size() const { return m_list.size(); }
  bool empty() const { return m_list.empty(); }
  List& list() { return m_list; }
  const List& list() const { return m_list; }

  Iter Insert(CIter where, T value) {
    uint64_t serial = NextSerial();
    Iter it = m_list.insert(where, Node{serial, std::move(value)});
    m_index.emplace(serial, it);
    return it;
  }
  Iter Erase(Iter it) {
    m_index.erase(it->serial);
    return m_list.erase(it);
  }
  void Clear() {
    m_list.clear();
    m_index.clear();
  }
  // The element behind pos, or end() when pos is null, stale or foreign.
  Iter Find(POSITION pos) {
    auto f = m_index.find(FromPos(pos));
    return f == m_index.end() ? m_list.end() : f->second;
  }
  CIter Find(POSITION pos) const {
    auto f = m_index.find(FromPos(pos));
    return f == m_index.end() ? m_list.end() : CIter(f->second);
  }
  POSITION PosOf(CIter it) const { return it == m_list.end() ? nullptr : ToPos(it->serial); }

 private:
  List m_list;
  std::unordered_map<uint64_t, Iter> m_index;
};

}  // namespace nbp::coll

// Compares two elements for Find and for map keys; specialise for types
// whose == is not the right test.
template <class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
  return *pElement1 == *pElement2;
}

// The hash of a map key; specialise for key types of your own.
template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key) {
  using K = std::decay_t<ARG_KEY>;
  if constexpr (std::is_pointer_v<K>) {
    return static_cast<UINT>(std::hash<const void*>()(static_cast<const void*>(key)));
  } else if constexpr (std::is_integral_v<K> || std::is_enum_v<K>) {
    return static_cast<UINT>(std::hash<uint64_t>()(static_cast<uint64_t>(key)));
  } else {
    return static_cast<UINT>(std::hash<K>()(key));
  }
}

// String keys hash by their text.
template <>
inline UINT HashKey<LPCTSTR>(LPCTSTR key) {
  UINT nHash = 0;
  if (key)
    while (*key) nHash = (nHash << 5) + nHash + static_cast<unsigned char>(*key++);
  return nHash;
}
template <>
inline UINT HashKey<const CString&>(const CString& key) {
  return HashKey<LPCTSTR>(static_cast<LPCTSTR>(key));
}
template <>
inline UINT HashKey<CString>(CString key) {
  return HashKey<LPCTSTR>(static_cast<LPCTSTR>(key));
}

// --- CArray

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;

  int GetSize() const { return static_cast<int>(m_data.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_data.empty(); }

  // New elements are value-initialised (zero). nGrowBy, when not -1, sets by
  // how many elements the storage grows at a time (0 chooses automatically).
  void SetSize(int nNewSize, int nGrowBy = -1) {
    if (nNewSize < 0) return nbp::coll::Misuse("CArray::SetSize with a negative size");
    if (nGrowBy >= 0) m_nGrowBy = nGrowBy;
    Grow(nNewSize);
    m_data.resize(static_cast<size_t>(nNewSize));
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() {
    m_data.clear();
    m_data.shrink_to_fit();
  }

  // By value for the const form, so the sentinel cannot be written through it.
  const TYPE& GetAt(int nIndex) const {
    if (!Valid(nIndex)) return Sentinel("CArray::GetAt index out of range");
    return m_data[static_cast<size_t>(nIndex)];
  }
  void SetAt(int nIndex, ARG_TYPE newElement) {
    if (!Valid(nIndex)) return nbp::coll::Misuse("CArray::SetAt index out of range");
    m_data[static_cast<size_t>(nIndex)] = newElement;
  }
  TYPE& ElementAt(int nIndex) {
    if (!Valid(nIndex)) return Sentinel("CArray::ElementAt index out of range");
    return m_data[static_cast<size_t>(nIndex)];
  }
  const TYPE& operator[](int nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](int nIndex) { return ElementAt(nIndex); }

  // Null when the array is empty.
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

  // Grows the array as needed (new elements zero) to set element nIndex.
  void SetAtGrow(int nIndex, ARG_TYPE newElement) {
    if (nIndex < 0) return nbp::coll::Misuse("CArray::SetAtGrow with a negative index");
    TYPE copy(newElement);  // newElement may be one of ours
    if (nIndex >= GetSize()) SetSize(nIndex + 1);
    m_data[static_cast<size_t>(nIndex)] = std::move(copy);
  }
  int Add(ARG_TYPE newElement) {
    int index = GetSize();
    SetAtGrow(index, newElement);
    return index;
  }
  // Returns the index of the first appended element.
  int Append(const CArray& src) {
    int old = GetSize();
    std::vector<TYPE> copy(src.m_data);  // src may be this array
    Grow(old + static_cast<int>(copy.size()));
    m_data.insert(m_data.end(), std::make_move_iterator(copy.begin()), std::make_move_iterator(copy.end()));
    return old;
  }
  void Copy(const CArray& src) {
    if (this != &src) m_data = src.m_data;
  }

  // Inserts nCount copies before nIndex; an nIndex past the end first grows
  // the array to nIndex (as MFC does). A negative index or a count below 1
  // changes nothing.
  void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1) {
    if (nIndex < 0 || nCount < 1) return nbp::coll::Misuse("CArray::InsertAt out of range");
    TYPE copy(newElement);
    if (nIndex > GetSize()) SetSize(nIndex);
    Grow(GetSize() + nCount);
    m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
  }
  void InsertAt(int nStartIndex, CArray* pNewArray) {
    if (nStartIndex < 0 || !pNewArray) return nbp::coll::Misuse("CArray::InsertAt out of range");
    if (pNewArray->IsEmpty()) return;
    std::vector<TYPE> copy(pNewArray->m_data);
    if (nStartIndex > GetSize()) SetSize(nStartIndex);
    Grow(GetSize() + static_cast<int>(copy.size()));
    m_data.insert(m_data.begin() + nStartIndex, std::make_move_iterator(copy.begin()),
                  std::make_move_iterator(copy.end()));
  }
  // Removes nCount elements from nIndex; nothing when any of them is missing.
  void RemoveAt(int nIndex, int nCount = 1) {
    if (nCount == 0) return;
    if (nIndex < 0 || nCount < 0 || int64_t{nIndex} + nCount > GetSize())
      return nbp::coll::Misuse("CArray::RemoveAt out of range");
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }

 private:
  bool Valid(int nIndex) const { return nIndex >= 0 && nIndex < GetSize(); }
  TYPE& Sentinel(const char* what) const {
    nbp::coll::Misuse(what);
    m_sentinel = TYPE();
    return m_sentinel;
  }
  // Reserves in steps of the grow-by amount, so that adding one element at a
  // time does not reallocate every time.
  void Grow(int nNewSize) {
    size_t want = static_cast<size_t>(nNewSize);
    if (want <= m_data.capacity()) return;
    size_t step = m_nGrowBy > 0 ? static_cast<size_t>(m_nGrowBy)
                                : std::min<size_t>(1024, std::max<size_t>(4, m_data.size() / 8));
    m_data.reserve(std::max(want, m_data.capacity() + step));
  }

  std::vector<TYPE> m_data;
  int m_nGrowBy = 0;
  mutable TYPE m_sentinel{};
};

// --- CList

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
 public:
  explicit CList(int nBlockSize = 10) { (void)nBlockSize; }

  int GetCount() const { return static_cast<int>(m_items.size()); }
  int GetSize() const { return GetCount(); }
  BOOL IsEmpty() const { return m_items.empty(); }

  // On an empty list these return the sentinel.
  TYPE& GetHead() { return IsEmpty() ? Sentinel("CList::GetHead of an empty list") : Front(); }
  const TYPE& GetHead() const { return IsEmpty() ? Sentinel("CList::GetHead of an empty list") : Front(); }
  TYPE& GetTail() { return IsEmpty() ? Sentinel("CList::GetTail of an empty list") : Back(); }
  const TYPE& GetTail() const { return IsEmpty() ? Sentinel("CList::GetTail of an empty list") : Back(); }

  // Return the removed element; a value-initialised one for an empty list.
  TYPE RemoveHead() {
    if (IsEmpty()) return Sentinel("CList::RemoveHead of an empty list");
    TYPE value = std::move(Front());
    m_items.Erase(m_items.list().begin());
    return value;
  }
  TYPE RemoveTail() {
    if (IsEmpty()) return Sentinel("CList::RemoveTail of an empty list");
    TYPE value = std::move(Back());
    m_items.Erase(std::prev(m_items.list().end()));
    return value;
  }

  POSITION AddHead(ARG_TYPE newElement) { return Pos(m_items.Insert(m_items.list().begin(), TYPE(newElement))); }
  POSITION AddTail(ARG_TYPE newElement) { return Pos(m_items.Insert(m_items.list().end(), TYPE(newElement))); }
  // Adds the elements of another list (which may be this one), keeping their order.
  void AddHead(CList* pNewList) {
    if (!pNewList) return nbp::coll::Misuse("CList::AddHead of a null list");
    std::vector<TYPE> copy = pNewList->Values();
    for (auto it = copy.rbegin(); it != copy.rend(); ++it) m_items.Insert(m_items.list().begin(), std::move(*it));
  }
  void AddTail(CList* pNewList) {
    if (!pNewList) return nbp::coll::Misuse("CList::AddTail of a null list");
    std::vector<TYPE> copy = pNewList->Values();
    for (auto& v : copy) m_items.Insert(m_items.list().end(), std::move(v));
  }
  void RemoveAll() { m_items.Clear(); }

  POSITION GetHeadPosition() const { return IsEmpty() ? nullptr : m_items.PosOf(m_items.list().begin()); }
  POSITION GetTailPosition() const { return IsEmpty() ? nullptr : m_items.PosOf(std::prev(m_items.list().end())); }

  // Return the element at rPosition and move rPosition on (null past the
  // end). An invalid rPosition yields the sentinel and becomes null.
  TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, true); }
  const TYPE& GetNext(POSITION& rPosition) const { return const_cast<CList*>(this)->Step(rPosition, true); }
  TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, false); }
  const TYPE& GetPrev(POSITION& rPosition) const { return const_cast<CList*>(this)->Step(rPosition, false); }

  TYPE& GetAt(POSITION position) {
    auto it = m_items.Find(position);
    return it == m_items.list().end() ? Sentinel("CList::GetAt with an invalid POSITION") : it->value;
  }
  const TYPE& GetAt(POSITION position) const { return const_cast<CList*>(this)->GetAt(position); }
  void SetAt(POSITION pos, ARG_TYPE newElement) {
    auto it = m_items.Find(pos);
    if (it == m_items.list().end()) return nbp::coll::Misuse("CList::SetAt with an invalid POSITION");
    it->value = newElement;
  }
  void RemoveAt(POSITION position) {
    auto it = m_items.Find(position);
    if (it == m_items.list().end()) return nbp::coll::Misuse("CList::RemoveAt with an invalid POSITION");
    m_items.Erase(it);
  }
  // A null position inserts at the head (InsertBefore) or tail (InsertAfter);
  // an invalid one inserts nothing and returns null.
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    if (!position) return AddHead(newElement);
    auto it = m_items.Find(position);
    if (it == m_items.list().end()) return Misplaced("CList::InsertBefore with an invalid POSITION");
    return Pos(m_items.Insert(it, TYPE(newElement)));
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    if (!position) return AddTail(newElement);
    auto it = m_items.Find(position);
    if (it == m_items.list().end()) return Misplaced("CList::InsertAfter with an invalid POSITION");
    return Pos(m_items.Insert(std::next(it), TYPE(newElement)));
  }

  // The first element equal to searchValue after startAfter (from the head
  // when null), or null.
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    auto it = m_items.list().begin();
    if (startAfter) {
      it = m_items.Find(startAfter);
      if (it == m_items.list().end()) return Misplaced("CList::Find with an invalid POSITION");
      ++it;
    }
    for (; it != m_items.list().end(); ++it)
      if (CompareElements(&it->value, &searchValue)) return m_items.PosOf(it);
    return nullptr;
  }
  // The position of element nIndex (from 0), or null when out of range.
  POSITION FindIndex(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount()) return nullptr;
    auto it = m_items.list().begin();
    if (nIndex < GetCount() / 2) {
      std::advance(it, nIndex);
    } else {
      it = m_items.list().end();
      std::advance(it, nIndex - GetCount());
    }
    return m_items.PosOf(it);
  }

 private:
  TYPE& Front() const { return const_cast<TYPE&>(m_items.list().front().value); }
  TYPE& Back() const { return const_cast<TYPE&>(m_items.list().back().value); }
  POSITION Pos(typename nbp::coll::PositionedList<TYPE>::CIter it) const { return m_items.PosOf(it); }
  static POSITION Misplaced(const char* what) {
    nbp::coll::Misuse(what);
    return nullptr;
  }
  std::vector<TYPE> Values() const {
    std::vector<TYPE> v;
    v.reserve(m_items.size());
    for (const auto& n : m_items.list()) v.push_back(n.value);
    return v;
  }
  TYPE& Step(POSITION& rPosition, bool forward) {
    auto it = m_items.Find(rPosition);
    if (it == m_items.list().end()) {
      rPosition = nullptr;
      return Sentinel("CList::GetNext/GetPrev with an invalid POSITION");
    }
    if (forward) {
      rPosition = m_items.PosOf(std::next(it));
    } else {
      rPosition = it == m_items.list().begin() ? nullptr : m_items.PosOf(std::prev(it));
    }
    return it->value;
  }
  TYPE& Sentinel(const char* what) const {
    nbp::coll::Misuse(what);
    m_sentinel = TYPE();
    return m_sentinel;
  }

  nbp::coll::PositionedList<TYPE> m_items;
  mutable TYPE m_sentinel{};
};

// --- CMap

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 public:
  typedef KEY BASE_KEY;
  typedef ARG_KEY BASE_ARG_KEY;
  typedef VALUE BASE_VALUE;
  typedef ARG_VALUE BASE_ARG_VALUE;

  explicit CMap(int nBlockSize = 10) { (void)nBlockSize; }

  int GetCount() const { return static_cast<int>(m_entries.size()); }
  int GetSize() const { return GetCount(); }
  BOOL IsEmpty() const { return m_entries.empty(); }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    auto f = m_index.find(KEY(key));
    if (f == m_index.end()) return FALSE;
    rValue = f->second->value.second;
    return TRUE;
  }
  // The value for key, added (value-initialised) when missing.
  VALUE& operator[](ARG_KEY key) {
    KEY k(key);
    auto f = m_index.find(k);
    if (f != m_index.end()) return f->second->value.second;
    auto it = m_entries.Insert(m_entries.list().end(), std::pair<KEY, VALUE>(k, VALUE()));
    m_index.emplace(std::move(k), it);
    return it->value.second;
  }
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key) {
    auto f = m_index.find(KEY(key));
    if (f == m_index.end()) return FALSE;
    auto it = f->second;
    m_index.erase(f);
    m_entries.Erase(it);
    return TRUE;
  }
  void RemoveAll() {
    m_index.clear();
    m_entries.Clear();
  }

  // Null for an empty map.
  POSITION GetStartPosition() const { return IsEmpty() ? nullptr : m_entries.PosOf(m_entries.list().begin()); }
  // Reads the entry at rNextPosition and moves it on (null after the last).
  // An invalid position reads nothing and becomes null.
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    auto it = rNextPosition == BEFORE_START_POSITION ? m_entries.list().begin() : m_entries.Find(rNextPosition);
    if (it == m_entries.list().end()) {
      rNextPosition = nullptr;
      return nbp::coll::Misuse("CMap::GetNextAssoc with an invalid POSITION");
    }
    rKey = it->value.first;
    rValue = it->value.second;
    rNextPosition = m_entries.PosOf(std::next(it));
  }

  UINT GetHashTableSize() const { return static_cast<UINT>(m_index.bucket_count()); }
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
    (void)bAllocNow;
    m_index.rehash(std::max<size_t>(hashSize, m_index.size()));
  }

 private:
  using Entries = nbp::coll::PositionedList<std::pair<KEY, VALUE>>;
  struct Hash {
    size_t operator()(const KEY& k) const {
      ARG_KEY arg = k;
      return HashKey<ARG_KEY>(arg);
    }
  };
  struct Equal {
    bool operator()(const KEY& a, const KEY& b) const {
      ARG_KEY arg = b;
      return CompareElements(&a, &arg);
    }
  };

  Entries m_entries;
  std::unordered_map<KEY, typename Entries::Iter, Hash, Equal> m_index;
};

// --- Typed pointer wrappers

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
 public:
  TYPE GetAt(int nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
  TYPE& ElementAt(int nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
  void SetAt(int nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
  void SetAtGrow(int nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
  int Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
  int Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
  void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
  void InsertAt(int nIndex, TYPE newElement, int nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
  void InsertAt(int nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
  TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
  TYPE operator[](int nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  explicit CTypedPtrList(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
  POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
  void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
  void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
  TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
  TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
  TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
  TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
  void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
 public:
  explicit CTypedPtrMap(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
  BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const {
    typename BASE_CLASS::BASE_VALUE value{};
    BOOL found = BASE_CLASS::Lookup(key, value);
    if (found) rValue = static_cast<VALUE>(value);
    return found;
  }
  VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) {
    return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
  }
  void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
  BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
  void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
    typename BASE_CLASS::BASE_KEY key{};
    typename BASE_CLASS::BASE_VALUE value{};
    BASE_CLASS::GetNextAssoc(rPosition, key, value);
    rKey = static_cast<KEY>(key);
    rValue = static_cast<VALUE>(value);
  }
};

// --- The ready-made classes

namespace nbp::coll {
using PtrArray = CArray<void*, void*>;
using ObArray = CArray<CObject*, CObject*>;
using StringArray = CArray<CString, const CString&>;
using DWordArray = CArray<DWORD, DWORD>;
using UIntArray = CArray<UINT, UINT>;
using WordArray = CArray<WORD, WORD>;
using ByteArray = CArray<BYTE, BYTE>;
using PtrList = CList<void*, void*>;
using ObList = CList<CObject*, CObject*>;
using StringList = CList<CString, const CString&>;
using MapStringToPtr = CMap<CString, LPCTSTR, void*, void*>;
using MapStringToString = CMap<CString, LPCTSTR, CString, LPCTSTR>;
using MapStringToOb = CMap<CString, LPCTSTR, CObject*, CObject*>;
using MapPtrToPtr = CMap<void*, void*, void*, void*>;
using MapPtrToWord = CMap<void*, void*, WORD, WORD>;
using MapWordToPtr = CMap<WORD, WORD, void*, void*>;
using MapWordToOb = CMap<WORD, WORD, CObject*, CObject*>;
}  // namespace nbp::coll

// Real classes rather than typedefs, so that code can forward-declare them
// and ask IsKindOf about them.
#define NBP_COLLECTION_CLASS(name, base) \
  class name : public nbp::coll::base { \
   public: \
    using nbp::coll::base::base; \
    DECLARE_DYNAMIC(name) \
  };

NBP_COLLECTION_CLASS(CPtrArray, PtrArray)
NBP_COLLECTION_CLASS(CObArray, ObArray)
NBP_COLLECTION_CLASS(CStringArray, StringArray)
NBP_COLLECTION_CLASS(CDWordArray, DWordArray)
NBP_COLLECTION_CLASS(CUIntArray, UIntArray)
NBP_COLLECTION_CLASS(CWordArray, WordArray)
NBP_COLLECTION_CLASS(CByteArray, ByteArray)
NBP_COLLECTION_CLASS(CPtrList, PtrList)
NBP_COLLECTION_CLASS(CObList, ObList)
NBP_COLLECTION_CLASS(CStringList, StringList)
NBP_COLLECTION_CLASS(CMapStringToPtr, MapStringToPtr)
NBP_COLLECTION_CLASS(CMapStringToString, MapStringToString)
NBP_COLLECTION_CLASS(CMapStringToOb, MapStringToOb)
NBP_COLLECTION_CLASS(CMapPtrToPtr, MapPtrToPtr)
NBP_COLLECTION_CLASS(CMapPtrToWord, MapPtrToWord)
NBP_COLLECTION_CLASS(CMapWordToPtr, MapWordToPtr)
NBP_COLLECTION_CLASS(CMapWordToOb, MapWordToOb)
#undef NBP_COLLECTION_CLASS
