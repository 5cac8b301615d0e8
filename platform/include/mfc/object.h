// MFC's object root: CObject with run-time class information, the macros that
// declare and implement it, and the diagnostic macros (ASSERT, VERIFY, TRACE).
//
// Diagnostics never stop the program: in debug builds (_DEBUG, or no NDEBUG)
// a failed ASSERT is reported on stderr with its file and line and execution
// continues; in release builds ASSERT and TRACE compile to nothing. VERIFY
// always evaluates its expression. See nbp/diag.h.
#pragma once

#include "nbp/diag.h"
#include "win/types.h"

class CObject;

// --- Diagnostics

#if NBP_DEBUG_CHECKS
#define ASSERT(f) \
  do { \
    if (!(f)) ::nbp::diag::AssertFailed(__FILE__, __LINE__, #f); \
  } while (0)
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(pOb) ::AfxAssertValidObject(pOb, __FILE__, __LINE__)
#define DEBUG_ONLY(f) (f)
#define TRACE ::nbp::diag::Trace
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
// Arguments are type-checked but not evaluated.
#define TRACE 1 ? (void)0 : ::nbp::diag::Trace
#endif
#define TRACE0(sz) TRACE("%s", sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))

// Calls pOb->AssertValid(), reporting a null pointer as a failed assertion.
void AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine);
// Whether memory can be used; here only a null pointer (with nBytes > 0) is
// known to be invalid.
BOOL AfxIsValidAddress(const void* lp, UINT nBytes, BOOL bReadWrite = TRUE);
BOOL AfxIsValidString(LPCSTR lpsz, int nLength = -1);

// Where Dump writes; the dump context discards everything here.
class CDumpContext {
 public:
  template <typename T>
  CDumpContext& operator<<(const T&) {
    return *this;
  }
};
extern CDumpContext afxDump;

// --- Run-time class information

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;                     // 0xFFFF when the class is not serial
  CObject* (*m_pfnCreateObject)();    // null unless DECLARE_DYNCREATE
  CRuntimeClass* m_pBaseClass;

  // A new object of the class, or null when the class cannot be created
  // dynamically (no DECLARE_DYNCREATE) or allocation fails.
  CObject* CreateObject();
  // True when this is pBaseClass or derives from it.
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const;
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

  static const CRuntimeClass classCObject;

 protected:
  CObject() = default;

 public:
  // Objects are not copied by default, as in MFC; derived classes that want
  // copies define them.
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

// No `override` here, and clang's warning about it silenced: classes in the
// MFC style declare their other overrides with plain `virtual`, others use
// `override`, and neither should draw warnings from the macro.
#if defined(__clang__)
#define NBP_DECLARE_RUNTIME_CLASS_GETTER \
  _Pragma("clang diagnostic push") _Pragma("clang diagnostic ignored \"-Winconsistent-missing-override\"") \
  virtual CRuntimeClass* GetRuntimeClass() const; \
  _Pragma("clang diagnostic pop")
#else
#define NBP_DECLARE_RUNTIME_CLASS_GETTER virtual CRuntimeClass* GetRuntimeClass() const;
#endif

#define DECLARE_DYNAMIC(class_name) \
 public: \
  static const CRuntimeClass class##class_name; \
  NBP_DECLARE_RUNTIME_CLASS_GETTER

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name) \
  static CObject* CreateObject();

// Serialization is not supported: DECLARE_SERIAL and IMPLEMENT_SERIAL give
// what DECLARE_DYNCREATE gives, with the schema recorded.
#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
  const CRuntimeClass class_name::class##class_name = { \
      #class_name, static_cast<int>(sizeof(class_name)), wSchema, pfnNew, RUNTIME_CLASS(base_class_name)}; \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

// pObject if it is of class pClass (or derived), otherwise null.
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
// pObject, after (in debug builds) reporting it when it is of another class.
CObject* AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject);

#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#if NBP_DEBUG_CHECKS
#define STATIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxStaticDownCast(RUNTIME_CLASS(class_name), (object))))
#else
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
#endif
