#include "mfc/object.h"

#include <cstring>
#include <new>

CDumpContext afxDump;

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr,
                                             nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext&) const {}

CObject* CRuntimeClass::CreateObject() {
  if (!m_pfnCreateObject) {
#if NBP_DEBUG_CHECKS
    nbp::diag::Trace("Error: Trying to create object which is not DECLARE_DYNCREATE or DECLARE_SERIAL: %s.\n",
                     m_lpszClassName ? m_lpszClassName : "?");
#endif
    return nullptr;
  }
  try {
    return m_pfnCreateObject();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  if (!pBaseClass) return FALSE;
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == pBaseClass) return TRUE;
  return FALSE;
}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
  return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}

CObject* AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject) {
  if (pObject && !pObject->IsKindOf(pClass))
    nbp::diag::AssertFailed(__FILE__, __LINE__, "STATIC_DOWNCAST to a class the object is not of");
  return pObject;
}

void AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine) {
  if (!pOb) {
    nbp::diag::AssertFailed(lpszFileName, nLine, "ASSERT_VALID of a null object");
    return;
  }
  pOb->AssertValid();
}

BOOL AfxIsValidAddress(const void* lp, UINT nBytes, BOOL) { return lp != nullptr || nBytes == 0; }

BOOL AfxIsValidString(LPCSTR lpsz, int) { return lpsz != nullptr; }
