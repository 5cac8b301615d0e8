// The input method's composition as a window sees it: start, updates it
// can read from its input context, and an end by commit or by cancel.
#include "nbp/ime.h"
#include "user_fixture.h"
#include "win/imm.h"

namespace {

std::string Composition(HWND hwnd, DWORD which) {
  HIMC imc = ImmGetContext(hwnd);
  LONG size = ImmGetCompositionStringA(imc, which, nullptr, 0);
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) ImmGetCompositionStringA(imc, which, text.data(), static_cast<DWORD>(size));
  ImmReleaseContext(hwnd, imc);
  return text;
}

}  // namespace

class ImeTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    target_ = Child("Recorder", 10, 10, 100, 20);
    SetFocus(target_);
    Log().clear();
  }
  std::vector<UINT> ImeMessages() {
    return MessagesOf(target_, {WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, WM_IME_ENDCOMPOSITION});
  }
  HWND target_ = nullptr;
};

TEST_F(ImeTest, ACancelledCompositionEndsEmptyWithoutAResult) {
  std::vector<std::string> seen;
  React() = [&](HWND h, UINT msg, WPARAM, LPARAM lParam, LRESULT*) {
    if (h == target_ && msg == WM_IME_COMPOSITION && (lParam & GCS_COMPSTR)) seen.push_back(Composition(h, GCS_COMPSTR));
    return false;
  };
  EXPECT_FALSE(nbp::ime::Composing());
  EXPECT_FALSE(nbp::ime::Cancel()) << "nothing to cancel";
  ASSERT_TRUE(nbp::ime::Compose("に"));
  EXPECT_TRUE(nbp::ime::Composing());
  ASSERT_TRUE(nbp::ime::Compose("日本"));
  ASSERT_TRUE(nbp::ime::Cancel());
  EXPECT_FALSE(nbp::ime::Composing());
  EXPECT_EQ(ImeMessages(), (std::vector<UINT>{WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, WM_IME_COMPOSITION,
                                              WM_IME_COMPOSITION, WM_IME_ENDCOMPOSITION}));
  EXPECT_EQ(seen, (std::vector<std::string>{"に", "日本", ""}));
  EXPECT_EQ(Composition(target_, GCS_RESULTSTR), "");
  // Nothing was typed.
  EXPECT_TRUE(MessagesOf(target_, {WM_CHAR}).empty());
}

TEST_F(ImeTest, ACommitAfterUpdatesStartsOnce) {
  nbp::ime::Compose("ka");
  nbp::ime::Commit("か");
  EXPECT_EQ(ImeMessages(), (std::vector<UINT>{WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, WM_IME_COMPOSITION,
                                              WM_IME_ENDCOMPOSITION}));
  EXPECT_EQ(Composition(target_, GCS_RESULTSTR), "か");
  EXPECT_FALSE(nbp::ime::Composing());
}
