// The input method on the SDL2 desktop: SDL's text-editing and text-input
// events reach the in-place editor as a composition. Runs on SDL's dummy
// video driver, so it needs no display.
#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>

#include "edit_list_fixture.h"
#include "nbp/sdl_desktop.h"

namespace {

void Push(Uint32 type, const char* text) {
  SDL_Event ev{};
  ev.type = type;
  if (type == SDL_TEXTEDITING_EXT) {
    ev.editExt.text = SDL_strdup(text);
  } else if (type == SDL_TEXTEDITING) {
    strncpy(ev.edit.text, text, sizeof ev.edit.text - 1);
    ev.edit.length = static_cast<Sint32>(strlen(text));
  } else {
    strncpy(ev.text.text, text, sizeof ev.text.text - 1);
  }
  SDL_PushEvent(&ev);
  nbp::CurrentDesktop().WaitForInput(0);
  nbp::test::Pump();
}

}  // namespace

class EditListSdlImeTest : public EditListTest {
 protected:
  void SetUp() override {
    EditListTest::SetUp();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY")) setenv("DISPLAY", ":nbui-dummy", 1);
    if (!nbp::UseSdlDesktop()) GTEST_SKIP() << "SDL's dummy video driver is not available";
    // The host was made on the headless desktop: made again on this one.
    host_.DestroyWindow();
    ASSERT_TRUE(host_.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 700, 600, nullptr, nullptr));
    MakeList(300, 200);
    list_.AddItem("Name", "Ann", 0, FALSE);
    nbp::test::Pump();
    list_.SelectItem(0, TRUE, TRUE);
    list_.m_edit.SetSel(3, 3);
  }
  void TearDown() override {
    EditListTest::TearDown();
    nbp::SetDesktop(nullptr);
  }
};

TEST_F(EditListSdlImeTest, TextEditingComposesAndTextInputCommits) {
  Push(SDL_TEXTEDITING, "に");
  EXPECT_TRUE(list_.m_edit.IsComposing());
  EXPECT_EQ(EditorText(), "Annに");
  Push(SDL_TEXTEDITING, "日本");
  EXPECT_EQ(EditorText(), "Ann日本");
  Push(SDL_TEXTINPUT, "日本");
  EXPECT_FALSE(list_.m_edit.IsComposing());
  EXPECT_EQ(EditorText(), "Ann日本");
  // An empty edit abandons a composition.
  Push(SDL_TEXTEDITING, "か");
  Push(SDL_TEXTEDITING, "");
  EXPECT_FALSE(list_.m_edit.IsComposing());
  EXPECT_EQ(EditorText(), "Ann日本");
  // A composition too long for the short event comes in the long one.
  std::string kanji;
  for (int i = 0; i < 20; ++i) kanji += "字";
  Push(SDL_TEXTEDITING_EXT, kanji.c_str());
  EXPECT_EQ(EditorText(), "Ann日本" + kanji);
  Push(SDL_TEXTEDITING, "");
  // Text typed without an input method goes in as it is.
  Push(SDL_TEXTINPUT, "!");
  EXPECT_EQ(EditorText(), "Ann日本!");
}
