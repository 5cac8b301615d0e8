#include <gtest/gtest.h>

#include <memory>

#include "mfc/object.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
 public:
  void AssertValid() const override {
    ++validations;
    ASSERT(sides >= 0);
  }
  int sides = 0;
  mutable int validations = 0;
};

class CSquare : public CShape {
  DECLARE_DYNCREATE(CSquare)
 public:
  CSquare() { sides = 4; }
};

class CCircle : public CShape {
  DECLARE_SERIAL(CCircle)
};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CSquare, CShape)
IMPLEMENT_SERIAL(CCircle, CShape, 2)

TEST(RunTimeClasses, KindsAndNames) {
  CSquare square;
  CObject* obj = &square;
  EXPECT_STREQ(obj->GetRuntimeClass()->m_lpszClassName, "CSquare");
  EXPECT_EQ(obj->GetRuntimeClass()->m_nObjectSize, static_cast<int>(sizeof(CSquare)));
  EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(obj->IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_FALSE(obj->IsKindOf(nullptr));
  EXPECT_TRUE(RUNTIME_CLASS(CCircle)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CCircle)));
  EXPECT_FALSE(square.IsSerializable());
  CCircle circle;
  EXPECT_TRUE(circle.IsSerializable());
}

TEST(RunTimeClasses, CreateObjectOnlyForDynCreateClasses) {
  std::unique_ptr<CObject> made(RUNTIME_CLASS(CSquare)->CreateObject());
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_EQ(static_cast<CSquare*>(made.get())->sides, 4);
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
  std::unique_ptr<CObject> circle(RUNTIME_CLASS(CCircle)->CreateObject());
  EXPECT_NE(circle, nullptr);
}

TEST(RunTimeClasses, DownCasts) {
  CSquare square;
  CObject* obj = &square;
  EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, obj), &square);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, obj), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, static_cast<CObject*>(nullptr)), nullptr);
  EXPECT_EQ(STATIC_DOWNCAST(CSquare, obj), &square);
}

TEST(Diagnostics, AssertReportsAndContinues) {
  nbp::diag::SetAssertReporting(false);
  unsigned long before = nbp::diag::AssertFailureCount();
  int evaluated = 0;
  ASSERT(1 + 1 == 3);
  VERIFY(++evaluated == 1);  // evaluated in every build
  EXPECT_EQ(evaluated, 1);
  CSquare square;
  square.sides = -1;
  ASSERT_VALID(&square);
  ASSERT_VALID(static_cast<CShape*>(nullptr));
  nbp::diag::SetAssertReporting(true);
  if (NBP_DEBUG_CHECKS) {
    EXPECT_EQ(nbp::diag::AssertFailureCount(), before + 3);  // the ASSERT, the invalid object, the null
    EXPECT_EQ(square.validations, 1);
  } else {
    EXPECT_EQ(nbp::diag::AssertFailureCount(), before);
    EXPECT_EQ(square.validations, 0);
  }
}

}  // namespace
