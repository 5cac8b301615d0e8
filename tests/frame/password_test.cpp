// The private-records prompts, driven as a user: the host's main window hands
// over a stored digest, the user types into the password field and presses
// OK or Cancel.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/password_check_internal.h"
#include "frame/password_dlg.h"
#include "library_test_env.h"
#include "mfc/app.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"

namespace {

using Digest = std::vector<BYTE>;

Digest MakeDigest(const char* password, bool legacy) {
  Digest d(kNbPasswordDigestSize, 0xEE);
  EXPECT_TRUE(NbMakePasswordDigest(password, d.data(), legacy)) << password;
  return d;
}

// The host's main window: answers the digest request from what it stores.
class CHostMain : public CWnd {
 public:
  Digest digest;
  bool passwordSet = true;
  int requests = 0;
  WPARAM lastWParam = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_GETPASSWORDDIGEST) {
      ++requests;
      lastWParam = wParam;
      if (!passwordSet) return -1;
      memcpy(reinterpret_cast<BYTE*>(lParam), digest.data(), kNbPasswordDigestSize);
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

HWND Field(HWND dialog) { return GetDlgItem(dialog, 20059); }

void ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  RECT r;
  GetClientRect(button, &r);
  nbp::test::Click(button, POINT{r.right / 2, r.bottom / 2});
}

std::string Text(HWND hwnd) {
  char buffer[256] = {};
  GetWindowText(hwnd, buffer, sizeof buffer);
  return buffer;
}

class PasswordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    ASSERT_TRUE(main_.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 40, 40, 600, 400, nullptr, nullptr));
    app_.m_pMainWnd = &main_;
    main_.digest = MakeDigest("secret", false);
  }
  void TearDown() override {
    main_.DestroyWindow();
    nbp::test::Pump();
    nbp::clock::Unpin();
  }
  const std::vector<nbp::MessageBoxRequest>& Boxes() { return nbp::Headless()->MessageBoxes(); }

  CWinApp app_{"Password test"};
  CHostMain main_;
};

TEST_F(PasswordTest, RightPasswordGrantsAccess) {
  std::string caption, user;
  HWND focus = nullptr;
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = GetActiveWindow();
    caption = Text(dlg);
    user = Text(GetDlgItem(dlg, 20154));
    focus = GetFocus();
    nbp::test::Type("secret");
    nbp::test::PressKey(VK_RETURN);
  });
  EXPECT_EQ(NbPromptForPassword("Anna", nullptr, 0), 1);
  EXPECT_EQ(caption, "Show Private Records");
  EXPECT_EQ(user, "Anna");
  EXPECT_EQ(main_.requests, 1);
  EXPECT_EQ(main_.lastWParam, 2u);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_NE(focus, nullptr);
}

TEST_F(PasswordTest, WrongPasswordWarnsSelectsTheTextAndLetsTheUserRetry) {
  DWORD selection = 0;
  HWND focusAfterBox = nullptr, field = nullptr;
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = GetActiveWindow();
    field = Field(dlg);
    nbp::test::Type("guess");
    ClickButton(dlg, IDOK);
  });
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = GetActiveWindow();
    focusAfterBox = GetFocus();
    selection = static_cast<DWORD>(SendMessage(Field(dlg), EM_GETSEL, 0, 0));
    nbp::test::Type("secret");  // replaces the selected attempt
    ClickButton(dlg, IDOK);
  });
  EXPECT_EQ(NbPromptForPassword("Anna", nullptr, 0), 1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "The password is incorrect.");
  EXPECT_EQ(focusAfterBox, field);
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), 5) << "the whole attempt selected";
}

TEST_F(PasswordTest, CancelRefuses) {
  nbp::Headless()->WhenIdle([&] {
    nbp::test::Type("secret");
    ClickButton(GetActiveWindow(), IDCANCEL);
  });
  EXPECT_EQ(NbPromptForPassword("Anna", nullptr, 0), 0);
}

TEST_F(PasswordTest, EmptyUserNameRefusesWithoutADialogAfterAskingTheHost) {
  EXPECT_EQ(NbPromptForPassword("", nullptr, 0), 0);
  EXPECT_EQ(NbPromptForPasswordWhileMasking("", nullptr), 0);
  EXPECT_EQ(main_.requests, 2);
  main_.passwordSet = false;
  EXPECT_EQ(NbPromptForPassword("", nullptr, 0), 0) << "no password set still needs a user";
  EXPECT_EQ(nbp::Headless()->PendingIdleSteps(), 0u);
}

TEST_F(PasswordTest, NoPasswordSetGrantsAtOnce) {
  main_.passwordSet = false;
  EXPECT_EQ(NbPromptForPassword("Anna", nullptr, 1), 1);
  EXPECT_EQ(NbPromptForPasswordWhileMasking("Anna", nullptr), 1);
}

TEST_F(PasswordTest, NoMainWindowRefuses) {
  app_.m_pMainWnd = nullptr;
  EXPECT_EQ(NbPromptForPassword("Anna", nullptr, 0), 0);
  EXPECT_EQ(main_.requests, 0);
}

TEST_F(PasswordTest, CaptionsFollowTheFlagsAndEditRecordWins) {
  struct Case {
    int enter, edit;
    const char* caption;
    UINT help;
  } const cases[] = {
      {0, 0, "Show Private Records", 20025},  // the template's own help id
      {1, 0, "Enter Password", 20026},
      {0, 1, "Edit Private Record", 20025},
      {1, 1, "Edit Private Record", 20026},
  };
  for (const Case& c : cases) {
    CNbPasswordDlg dlg(main_.digest.data(), "Anna", c.enter, c.edit, nullptr);
    std::string caption;
    nbp::Headless()->WhenIdle([&] {
      caption = Text(GetActiveWindow());
      ClickButton(GetActiveWindow(), IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(caption, c.caption) << c.enter << c.edit;
    EXPECT_EQ(dlg.m_nIDHelp, c.help) << c.enter << c.edit;
  }
}

TEST_F(PasswordTest, MaskingPromptChecksTheSameWayOnItsOwnTemplate) {
  main_.digest = MakeDigest("tulip", true);
  std::string caption, user;
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = GetActiveWindow();
    caption = Text(dlg);
    user = Text(GetDlgItem(dlg, 20154));
    nbp::test::Type("tulip");
    ClickButton(dlg, IDOK);
  });
  EXPECT_EQ(NbPromptForPasswordWhileMasking("Bert", nullptr), 1);
  EXPECT_EQ(caption, "Password");
  EXPECT_EQ(user, "Bert");
}

// Input typed in an idle step reaches the dialog when the step returns, so
// what it did is looked at in the next step.
TEST_F(PasswordTest, FieldGivesItsTextToNoOtherWindowAndRefusesCopyAndCut) {
  std::string seenByOthers = "unset";
  LRESULT lengthSeen = -1;
  nbp::Headless()->WhenIdle([&] { nbp::test::Type("secret"); });
  nbp::Headless()->WhenIdle([&] {
    HWND field = Field(GetActiveWindow());
    char buffer[64] = "x";
    SendMessage(field, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    seenByOthers = buffer;
    lengthSeen = SendMessage(field, WM_GETTEXTLENGTH, 0, 0);
    nbp::Headless()->SetClipboardText("before");
    SendMessage(field, EM_SETSEL, 0, -1);
    nbp::test::PressKey('C', nbp::test::kCtrl);
    nbp::test::PressKey('X', nbp::test::kCtrl);
  });
  // Had the cut taken the text, OK would now meet an empty password.
  nbp::Headless()->WhenIdle([&] { ClickButton(GetActiveWindow(), IDOK); });
  EXPECT_EQ(NbPromptForPassword("Anna", nullptr, 0), 1);
  EXPECT_EQ(seenByOthers, "");
  EXPECT_EQ(lengthSeen, 0);
  EXPECT_TRUE(Boxes().empty());
  std::string clipboard;
  EXPECT_TRUE(nbp::Headless()->GetClipboardText(&clipboard));
  EXPECT_EQ(clipboard, "before");
}

TEST(PasswordCheck, BothFormsMatchOnlyTheirPassword) {
  for (bool legacy : {false, true}) {
    for (const char* password : {"", "a", "abcd", "abcde", "correct horse", "0123456789012345678901234567890"}) {
      Digest d = MakeDigest(password, legacy);
      EXPECT_TRUE(NbCheckPassword(d.data(), password)) << legacy << " " << password;
      std::string other = std::string(password) + "!";
      if (other.size() <= 31) {
        EXPECT_FALSE(NbCheckPassword(d.data(), other.c_str())) << legacy << " " << password;
      }
    }
  }
}

TEST(PasswordCheck, Md5FormIsTheStandardDigestAndIgnoresItsLastHalf) {
  // RFC 1321's test value for "abc".
  const BYTE abc[16] = {0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0,
                        0xd6, 0x96, 0x3f, 0x7d, 0x28, 0xe1, 0x7f, 0x72};
  BYTE digest[32];
  memcpy(digest, abc, 16);
  for (int i = 16; i < 32; ++i) digest[i] = static_cast<BYTE>(i * 37);
  EXPECT_TRUE(NbCheckPassword(digest, "abc"));
  EXPECT_FALSE(NbCheckPassword(digest, "abd"));
  // The empty password's MD5 (d41d8cd9...) matches an empty entry.
  Digest empty = MakeDigest("", false);
  EXPECT_EQ(empty[0], 0xd4);
  EXPECT_EQ(empty[15], 0x7e);
  EXPECT_TRUE(NbCheckPassword(empty.data(), ""));
}

TEST(PasswordCheck, LegacyFormOfShortPasswordsIsTheTableShiftedByTheFirstByte) {
  // "ab": bytes 2..31 zero, j = ('a' + 2) % 32 = 3, each byte XOR K32[(3 + k) % 32].
  Digest d = MakeDigest("ab", true);
  EXPECT_EQ(d[0], 'a' ^ 0xD9);
  EXPECT_EQ(d[1], 'b' ^ 0x89);
  EXPECT_EQ(d[2], 0x79);
  EXPECT_EQ(d[31], 0xD5);
}

TEST(PasswordCheck, FivePasswordBytesExpandToThirtyTwoBeforeMixing) {
  // The fifth byte is copied into bytes 9, 19 and 29 (and raised copies of
  // those further on), and byte 19 sets a mixing pass's rotation, so a change
  // of the fifth byte reaches far beyond byte 4.
  Digest a = MakeDigest("abcde", true), b = MakeDigest("abcdf", true);
  int differing = 0;
  for (int i = 0; i < 32; ++i) differing += a[static_cast<size_t>(i)] != b[static_cast<size_t>(i)];
  EXPECT_GE(differing, 6);
  EXPECT_NE(a, MakeDigest("abcd", true));
}

TEST(PasswordCheck, PasswordsThatDoNotFitAreRefusedBeforeAnythingIsCopied) {
  std::string bytes31(31, 'x'), bytes32(32, 'x');
  Digest d31 = MakeDigest(bytes31.c_str(), true);
  EXPECT_TRUE(NbCheckPassword(d31.data(), bytes31.c_str()));
  BYTE untouched[32];
  memset(untouched, 0xAB, sizeof untouched);
  EXPECT_FALSE(NbMakePasswordDigest(bytes32.c_str(), untouched, TRUE));
  EXPECT_EQ(untouched[0], 0xAB);
  EXPECT_FALSE(NbCheckPassword(d31.data(), bytes32.c_str()));
  // 31 characters of two bytes each are 62 bytes: refused, never hashed in part.
  std::string umlauts;
  for (int i = 0; i < 31; ++i) umlauts += "\xC3\xA4";
  std::string prefix = umlauts.substr(0, 30);
  Digest prefixDigest = MakeDigest(prefix.c_str(), false);
  EXPECT_FALSE(NbCheckPassword(prefixDigest.data(), umlauts.c_str()));
  EXPECT_FALSE(NbCheckPassword(nullptr, "x"));
  EXPECT_FALSE(NbCheckPassword(d31.data(), nullptr));
}

}  // namespace

namespace {

TEST_F(PasswordTest, TypedPasswordIsNotKeptInTheDialogAfterEitherCheck) {
  CNbPasswordDlg dlg(main_.digest.data(), "Anna", 0, 0, nullptr);
  std::string keptAfterWrongTry = "unset";
  nbp::Headless()->WhenIdle([&] {
    nbp::test::Type("guess");
    ClickButton(GetActiveWindow(), IDOK);
  });
  nbp::Headless()->WhenIdle([&] {
    keptAfterWrongTry = static_cast<const char*>(dlg.m_strPassword);
    nbp::test::Type("secret");
    ClickButton(GetActiveWindow(), IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(keptAfterWrongTry, "");
  EXPECT_TRUE(dlg.m_strPassword.IsEmpty());
}

}  // namespace
