// Dialog templates: the bytes the writer produces, reading them back, and
// refusing bytes that are cut short or malformed.
#include "nbp/dialog_template.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using nbp::DialogClass;
using nbp::DialogTemplateWriter;
using nbp::ParseDialogTemplate;

WORD WordAt(const std::vector<uint8_t>& b, size_t at) { return static_cast<WORD>(b[at] | (b[at + 1] << 8)); }
DWORD DwordAt(const std::vector<uint8_t>& b, size_t at) { return WordAt(b, at) | (DWORD{WordAt(b, at + 2)} << 16); }

TEST(DialogTemplate, HeaderAndFirstItemFollowTheStandardLayout) {
  std::vector<uint8_t> b = DialogTemplateWriter(WS_POPUP | WS_CAPTION, 3, 4, 100, 50, "Hi")
                               .Font(8, "Ab")
                               .DefPushButton("OK", IDOK, 5, 6, 40, 14)
                               .Bytes();
  EXPECT_EQ(DwordAt(b, 0), DWORD(WS_POPUP | WS_CAPTION | DS_SETFONT));
  EXPECT_EQ(DwordAt(b, 4), 0u);
  EXPECT_EQ(WordAt(b, 8), 1u);    // item count
  EXPECT_EQ(WordAt(b, 10), 3u);   // x
  EXPECT_EQ(WordAt(b, 12), 4u);   // y
  EXPECT_EQ(WordAt(b, 14), 100u);
  EXPECT_EQ(WordAt(b, 16), 50u);
  EXPECT_EQ(WordAt(b, 18), 0u);   // no menu
  EXPECT_EQ(WordAt(b, 20), 0u);   // default class
  EXPECT_EQ(WordAt(b, 22), 'H');  // title "Hi"
  EXPECT_EQ(WordAt(b, 24), 'i');
  EXPECT_EQ(WordAt(b, 26), 0u);
  EXPECT_EQ(WordAt(b, 28), 8u);   // point size
  EXPECT_EQ(WordAt(b, 30), 'A');  // face "Ab"
  EXPECT_EQ(WordAt(b, 34), 0u);
  // The item starts on the next DWORD boundary (36).
  EXPECT_EQ(DwordAt(b, 36), DWORD(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON));
  EXPECT_EQ(WordAt(b, 44), 5u);
  EXPECT_EQ(WordAt(b, 52), IDOK);
  EXPECT_EQ(WordAt(b, 54), 0xFFFFu);  // built-in class by atom
  EXPECT_EQ(WordAt(b, 56), 0x0080u);  // Button
  EXPECT_EQ(WordAt(b, 58), 'O');
  EXPECT_EQ(WordAt(b, 62), 0u);       // end of "OK"
  EXPECT_EQ(WordAt(b, 64), 0u);       // no creation data
  EXPECT_EQ(b.size(), 66u);
}

TEST(DialogTemplate, EverythingWrittenReadsBackTheSame) {
  nbp::DialogTemplate t;
  t.style = WS_POPUP | DS_MODALFRAME | DS_SETFONT;
  t.exStyle = WS_EX_TOPMOST;
  t.x = -5;
  t.y = 7;
  t.cx = 300;
  t.cy = 200;
  t.menu.ordinal = 42;
  t.windowClass.text = "MyDialogClass";
  t.title = "Größe – 𝄞";  // two-, three- and four-byte characters
  t.pointSize = 9;
  t.faceName = "DejaVu Sans";
  nbp::DialogItem a;
  a.style = WS_CHILD | SS_ICON;
  a.id = 0xFFFF;
  a.windowClass.ordinal = static_cast<WORD>(DialogClass::Static);
  a.title.ordinal = 1001;  // an icon resource
  a.creationData = {1, 2, 3};  // odd size: the next item must still align
  nbp::DialogItem b;
  b.style = WS_CHILD | WS_VISIBLE;
  b.x = 1;
  b.y = 2;
  b.cx = 3;
  b.cy = 4;
  b.id = 77;
  b.windowClass.text = "LumoUIDatePicker";
  b.title.text = "";
  t.items = {a, b};

  std::vector<uint8_t> bytes = nbp::WriteDialogTemplate(t);
  auto back = ParseDialogTemplate(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, t);
  ASSERT_NE(back->FindItem(77), nullptr);
  EXPECT_EQ(back->FindItem(77)->ClassAtom(), 0u);
  EXPECT_EQ(back->FindItem(78), nullptr);
}

TEST(DialogTemplate, WithoutSetFontNoFontIsWrittenOrRead) {
  std::vector<uint8_t> b = DialogTemplateWriter(WS_POPUP, 0, 0, 10, 10, "").Bytes();
  EXPECT_EQ(b.size(), 18u + 2 + 2 + 2);  // header, menu, class, empty title
  auto t = ParseDialogTemplate(b);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->pointSize, 0u);
  EXPECT_TRUE(t->faceName.empty());
  EXPECT_TRUE(t->items.empty());
}

TEST(DialogTemplate, TextThatIsNotUtf8IsWrittenWithReplacementCharacters) {
  std::vector<uint8_t> b = DialogTemplateWriter(WS_POPUP, 0, 0, 10, 10, "a\xFF" "b").Bytes();
  auto t = ParseDialogTemplate(b);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->title, "a\xEF\xBF\xBD" "b");
}

TEST(DialogTemplate, EveryShortenedTemplateIsRefused) {
  std::vector<uint8_t> b = DialogTemplateWriter(WS_POPUP | WS_CAPTION, 0, 0, 100, 50, "Caption")
                               .Font(8, "MS Shell Dlg")
                               .LText("Label", 0xFFFF, 1, 1, 20, 8)
                               .EditText(20, 1, 10, 20, 12, ES_PASSWORD)
                               .PushButton("Cancel", IDCANCEL, 1, 30, 40, 14)
                               .Bytes();
  ASSERT_TRUE(ParseDialogTemplate(b).has_value());
  for (size_t n = 0; n < b.size(); ++n)
    EXPECT_FALSE(ParseDialogTemplate(b.data(), n).has_value()) << "accepted " << n << " of " << b.size() << " bytes";
  EXPECT_FALSE(ParseDialogTemplate(nullptr, 100).has_value());
  // Padding after the last item is harmless.
  b.resize(b.size() + 3, 0);
  EXPECT_TRUE(ParseDialogTemplate(b).has_value());
}

TEST(DialogTemplate, MalformedFieldsAreRefused) {
  std::vector<uint8_t> good = DialogTemplateWriter(WS_POPUP, 0, 0, 10, 10, "T")
                                  .Control(DialogClass::Button, "B", 1, 0, 0, 5, 5, WS_CHILD)
                                  .Bytes();
  ASSERT_TRUE(ParseDialogTemplate(good).has_value());
  // Title "T" is at 22; the item starts at 28, its class at 46, its text at 50,
  // its creation-data size at 54.
  auto with = [&](size_t at, WORD value) {
    std::vector<uint8_t> b = good;
    b[at] = static_cast<uint8_t>(value);
    b[at + 1] = static_cast<uint8_t>(value >> 8);
    return b;
  };
  EXPECT_FALSE(ParseDialogTemplate(with(22, 0xDC00)).has_value()) << "lone low surrogate";
  EXPECT_FALSE(ParseDialogTemplate(with(22, 0xD800)).has_value()) << "high surrogate without its pair";
  EXPECT_FALSE(ParseDialogTemplate(with(54, 1)).has_value()) << "creation data smaller than its size word";
  EXPECT_FALSE(ParseDialogTemplate(with(54, 40)).has_value()) << "creation data past the end";
  std::vector<uint8_t> ordinalZero = with(50, 0xFFFF);
  ordinalZero[52] = ordinalZero[53] = 0;
  EXPECT_FALSE(ParseDialogTemplate(ordinalZero).has_value()) << "ordinal 0";
  EXPECT_FALSE(ParseDialogTemplate(with(8, 2)).has_value()) << "more items than the bytes hold";
  // The extended form begins with version 1 and 0xFFFF.
  std::vector<uint8_t> ex = with(0, 1);
  ex[2] = ex[3] = 0xFF;
  EXPECT_FALSE(ParseDialogTemplate(ex).has_value());
}

}  // namespace
