#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "mfc/collections.h"

namespace {

template <class A>
std::vector<int> Items(const A& a) {
  std::vector<int> v;
  for (int i = 0; i < a.GetSize(); ++i) v.push_back(static_cast<int>(a[i]));
  return v;
}

using V = std::vector<int>;

class QuietAsserts : public ::testing::Test {
 protected:
  void SetUp() override { nbp::diag::SetAssertReporting(false); }
  void TearDown() override { nbp::diag::SetAssertReporting(true); }
};

using CArrayTest = QuietAsserts;
using CListTest = QuietAsserts;
using CMapTest = QuietAsserts;

TEST_F(CArrayTest, AddInsertAndRemove) {
  CArray<int, int> a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(a.GetData(), nullptr);
  EXPECT_EQ(a.Add(1), 0);
  EXPECT_EQ(a.Add(2), 1);
  a.InsertAt(1, 9, 2);
  EXPECT_EQ(Items(a), (V{1, 9, 9, 2}));
  a.InsertAt(4, 5);  // at the end
  a.InsertAt(0, 0);
  EXPECT_EQ(Items(a), (V{0, 1, 9, 9, 2, 5}));
  a.InsertAt(8, 7);  // past the end: the gap is filled with zeros
  EXPECT_EQ(Items(a), (V{0, 1, 9, 9, 2, 5, 0, 0, 7}));
  a.RemoveAt(2, 2);
  EXPECT_EQ(Items(a), (V{0, 1, 2, 5, 0, 0, 7}));
  a.RemoveAt(0);
  EXPECT_EQ(a.GetUpperBound(), 5);
  CArray<int, int> b;
  b.Add(100);
  b.Add(200);
  a.InsertAt(1, &b);
  EXPECT_EQ(Items(a), (V{1, 100, 200, 2, 5, 0, 0, 7}));
  a.InsertAt(0, &a);  // itself
  EXPECT_EQ(a.GetSize(), 16);
  EXPECT_EQ(a[8], 1);
  a.RemoveAll();
  EXPECT_EQ(a.GetSize(), 0);
}

TEST_F(CArrayTest, OutOfRangeCallsChangeNothing) {
  CArray<int, int> a;
  a.Add(1);
  a.Add(2);
  struct { const char* what; void (*op)(CArray<int, int>&); } misuse[] = {
      {"RemoveAt(-1)", [](CArray<int, int>& x) { x.RemoveAt(-1); }},
      {"RemoveAt(2)", [](CArray<int, int>& x) { x.RemoveAt(2); }},
      {"RemoveAt(1, 2)", [](CArray<int, int>& x) { x.RemoveAt(1, 2); }},
      {"RemoveAt(0, -1)", [](CArray<int, int>& x) { x.RemoveAt(0, -1); }},
      {"SetAt(2)", [](CArray<int, int>& x) { x.SetAt(2, 5); }},
      {"SetAt(-1)", [](CArray<int, int>& x) { x.SetAt(-1, 5); }},
      {"InsertAt(-1)", [](CArray<int, int>& x) { x.InsertAt(-1, 5); }},
      {"InsertAt(count 0)", [](CArray<int, int>& x) { x.InsertAt(0, 5, 0); }},
      {"InsertAt(null array)", [](CArray<int, int>& x) { x.InsertAt(0, nullptr); }},
      {"SetAtGrow(-1)", [](CArray<int, int>& x) { x.SetAtGrow(-1, 5); }},
      {"SetSize(-1)", [](CArray<int, int>& x) { x.SetSize(-1); }},
  };
  for (const auto& m : misuse) {
    m.op(a);
    EXPECT_EQ(Items(a), (V{1, 2})) << m.what;
  }
}

TEST_F(CArrayTest, OutOfRangeGettersReturnAZeroSentinel) {
  CArray<int, int> a;
  a.Add(4);
  unsigned long before = nbp::diag::AssertFailureCount();
  EXPECT_EQ(a.GetAt(1), 0);
  EXPECT_EQ(a[-1], 0);
  a.ElementAt(5) = 77;  // writes land in the sentinel only...
  EXPECT_EQ(a.ElementAt(5), 0);  // ...which is zero again next time
  EXPECT_EQ(Items(a), (V{4}));
  if (NBP_DEBUG_CHECKS) {
    EXPECT_GT(nbp::diag::AssertFailureCount(), before);
  }

  CStringArray s;
  EXPECT_TRUE(s.GetAt(3).IsEmpty());
  s.ElementAt(3) = "junk";
  EXPECT_TRUE(s[3].IsEmpty());
}

TEST_F(CArrayTest, SetAtGrowSetSizeAndCopy) {
  CUIntArray a;
  a.SetAtGrow(3, 7);
  EXPECT_EQ(Items(a), (V{0, 0, 0, 7}));
  a.SetSize(6, 32);
  EXPECT_EQ(Items(a), (V{0, 0, 0, 7, 0, 0}));
  a.SetSize(2);
  EXPECT_EQ(Items(a), (V{0, 0}));
  a.SetAt(1, 5);
  a.SetAtGrow(0, a[1]);  // from one of its own elements
  EXPECT_EQ(Items(a), (V{5, 5}));
  CUIntArray b;
  b.Copy(a);
  b.Add(9);
  EXPECT_EQ(b.Append(a), 3);
  EXPECT_EQ(Items(b), (V{5, 5, 9, 5, 5}));
  EXPECT_EQ(b.Append(b), 5);
  EXPECT_EQ(b.GetSize(), 10);
  b.FreeExtra();
  EXPECT_EQ(b.GetData()[9], 5u);
  for (int i = 0; i < 1000; ++i) a.Add(static_cast<UINT>(i));
  EXPECT_EQ(a.GetSize(), 1002);
  EXPECT_EQ(a[1001], 999u);
}

TEST_F(CArrayTest, TypedPointerArray) {
  int x = 1, y = 2;
  CTypedPtrArray<CPtrArray, int*> a;
  a.Add(&x);
  a.InsertAt(0, &y);
  EXPECT_EQ(*a[0], 2);
  EXPECT_EQ(*a.GetAt(1), 1);
  a.ElementAt(0) = &x;
  EXPECT_EQ(a.GetData()[0], &x);
  EXPECT_EQ(a.GetAt(5), nullptr);
}

template <class L>
std::vector<std::string> Forward(const L& list) {
  std::vector<std::string> v;
  for (POSITION p = list.GetHeadPosition(); p;) v.push_back(static_cast<LPCTSTR>(list.GetNext(p)));
  return v;
}

template <class L>
std::vector<std::string> Backward(const L& list) {
  std::vector<std::string> v;
  for (POSITION p = list.GetTailPosition(); p;) v.push_back(static_cast<LPCTSTR>(list.GetPrev(p)));
  return v;
}

using SV = std::vector<std::string>;

TEST_F(CListTest, AddInsertFindAndWalkBothWays) {
  CStringList l;
  l.AddTail("b");
  l.AddHead("a");
  POSITION d = l.AddTail("d");
  POSITION c = l.InsertBefore(d, "c");
  l.InsertAfter(d, "e");
  EXPECT_EQ(Forward(l), (SV{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(Backward(l), (SV{"e", "d", "c", "b", "a"}));
  EXPECT_EQ(l.GetCount(), 5);
  EXPECT_EQ(l.Find("c"), c);
  EXPECT_EQ(l.Find("a", c), nullptr);  // only after c
  EXPECT_EQ(l.FindIndex(3), d);
  EXPECT_EQ(l.FindIndex(5), nullptr);
  EXPECT_EQ(l.FindIndex(-1), nullptr);
  l.SetAt(c, "C");
  EXPECT_EQ(std::string(l.GetAt(c)), "C");
  EXPECT_EQ(std::string(l.RemoveHead()), "a");
  EXPECT_EQ(std::string(l.RemoveTail()), "e");
  l.InsertBefore(nullptr, "first");
  l.InsertAfter(nullptr, "last");
  EXPECT_EQ(Forward(l), (SV{"first", "b", "C", "d", "last"}));
  CStringList other;
  other.AddTail("x");
  other.AddTail("y");
  l.AddHead(&other);
  l.AddTail(&other);
  EXPECT_EQ(Forward(l), (SV{"x", "y", "first", "b", "C", "d", "last", "x", "y"}));
}

TEST_F(CListTest, RemovingTheElementJustReturnedKeepsIterationGoing) {
  CList<int, int> l;
  for (int i = 0; i < 6; ++i) l.AddTail(i);
  for (POSITION p = l.GetHeadPosition(); p;) {
    POSITION here = p;
    if (l.GetNext(p) % 2 == 0) l.RemoveAt(here);
  }
  std::vector<int> left;
  for (POSITION p = l.GetHeadPosition(); p;) left.push_back(l.GetNext(p));
  EXPECT_EQ(left, (V{1, 3, 5}));
}

TEST_F(CListTest, StaleAndForeignPositionsAreRefused) {
  CStringList l;
  POSITION a = l.AddTail("a");
  l.AddTail("b");
  l.RemoveAt(a);
  EXPECT_TRUE(l.GetAt(a).IsEmpty());
  l.SetAt(a, "x");
  l.RemoveAt(a);
  EXPECT_EQ(l.InsertAfter(a, "y"), nullptr);
  POSITION p = a;
  EXPECT_TRUE(l.GetNext(p).IsEmpty());
  EXPECT_EQ(p, nullptr);
  CStringList other;
  POSITION foreign = other.AddTail("o");
  EXPECT_TRUE(l.GetAt(foreign).IsEmpty());
  l.RemoveAt(foreign);
  EXPECT_EQ(l.InsertBefore(foreign, "z"), nullptr);
  EXPECT_EQ(Forward(l), (SV{"b"}));
  EXPECT_EQ(Forward(other), (SV{"o"}));
  EXPECT_EQ(l.Find("b", BEFORE_START_POSITION), nullptr);

  CStringList empty;
  EXPECT_TRUE(empty.GetHead().IsEmpty());
  EXPECT_TRUE(empty.RemoveTail().IsEmpty());
  EXPECT_EQ(empty.GetHeadPosition(), nullptr);
}

TEST_F(CListTest, TypedPointerList) {
  int x = 1, y = 2;
  CTypedPtrList<CPtrList, int*> l;
  l.AddTail(&x);
  l.AddHead(&y);
  EXPECT_EQ(*l.GetHead(), 2);
  POSITION p = l.GetTailPosition();
  EXPECT_EQ(l.GetPrev(p), &x);
  EXPECT_EQ(l.RemoveHead(), &y);
  EXPECT_EQ(l.GetCount(), 1);
}

TEST_F(CMapTest, IterationVisitsEveryEntryOnce) {
  CMapWordToPtr m;
  int dummy[500];
  for (WORD k = 0; k < 500; ++k) m.SetAt(static_cast<WORD>(k * 7), &dummy[k]);
  for (WORD k = 0; k < 100; ++k) m.RemoveKey(static_cast<WORD>(k * 14));
  std::set<WORD> seen;
  int visits = 0;
  for (POSITION p = m.GetStartPosition(); p;) {
    WORD key;
    void* value;
    m.GetNextAssoc(p, key, value);
    ++visits;
    seen.insert(key);
    EXPECT_EQ(value, &dummy[key / 7]);
  }
  EXPECT_EQ(visits, m.GetCount());
  EXPECT_EQ(seen.size(), 400u);
  EXPECT_EQ(seen.count(14), 0u);
  EXPECT_EQ(seen.count(21), 1u);
}

TEST_F(CMapTest, RemovingTheCurrentKeyDuringIteration) {
  CMapStringToString m;
  for (const char* k : {"a", "b", "c", "d"}) m[k] = CString(k) + "!";
  std::set<std::string> seen;
  for (POSITION p = m.GetStartPosition(); p;) {
    CString key, value;
    m.GetNextAssoc(p, key, value);
    seen.insert(static_cast<LPCTSTR>(key));
    m.RemoveKey(key);
  }
  EXPECT_EQ(seen, (std::set<std::string>{"a", "b", "c", "d"}));
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_EQ(m.GetStartPosition(), nullptr);
}

TEST_F(CMapTest, LookupSetAtAndSubscript) {
  CMapStringToPtr m;
  int one = 1, two = 2;
  m.InitHashTable(17);
  m.SetAt("one", &one);
  m["two"] = &two;
  m.SetAt("one", &two);  // replaces
  void* v = nullptr;
  EXPECT_TRUE(m.Lookup("one", v));
  EXPECT_EQ(v, &two);
  EXPECT_FALSE(m.Lookup("ONE", v));  // keys are case-sensitive
  EXPECT_EQ(m.GetCount(), 2);
  EXPECT_EQ(m["three"], nullptr);  // added as null
  EXPECT_EQ(m.GetCount(), 3);
  EXPECT_TRUE(m.RemoveKey("three"));
  EXPECT_FALSE(m.RemoveKey("three"));
  // Iterating from BEFORE_START_POSITION works as MFC code writes it.
  POSITION p = BEFORE_START_POSITION;
  CString key;
  m.GetNextAssoc(p, key, v);
  EXPECT_EQ(std::string(key), "one");
  POSITION bad = reinterpret_cast<POSITION>(static_cast<uintptr_t>(999999));
  m.GetNextAssoc(bad, key, v);
  EXPECT_EQ(bad, nullptr);
  m.RemoveAll();
  EXPECT_TRUE(m.IsEmpty());

  CTypedPtrMap<CMapStringToPtr, CString, int*> typed;
  typed.SetAt("k", &one);
  int* got = nullptr;
  EXPECT_TRUE(typed.Lookup("k", got));
  EXPECT_EQ(got, &one);
  EXPECT_EQ(typed["k"], &one);
}

TEST(CollectionClasses, HaveRunTimeClasses) {
  CStringList l;
  CMapPtrToPtr m;
  EXPECT_TRUE(l.IsKindOf(RUNTIME_CLASS(CStringList)));
  EXPECT_TRUE(l.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(m.IsKindOf(RUNTIME_CLASS(CStringList)));
  EXPECT_STREQ(m.GetRuntimeClass()->m_lpszClassName, "CMapPtrToPtr");
}

}  // namespace
