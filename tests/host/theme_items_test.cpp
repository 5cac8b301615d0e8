// The theme service's items, colors, fonts and category slots.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "HostShared/settings.h"
#include "NbThemes/nbthemes.h"
#include "settings_fixture.h"
#include "win/syscolors.h"

namespace {

constexpr int kItemsTheLibraryUses[] = {13, 19, 23, 27, 34, 35, 36, 38, 39, 41, 42, 43, 44, 45, 46, 47, 49, 68};

TEST(ThemeItems, EveryItemTheLibraryUsesIsSupplied) {
  for (int item : kItemsTheLibraryUses) {
    NBTHEMEITEMINFO info{};
    EXPECT_EQ(NbThemeGetItemInfo(item, &info), 0) << item;
    EXPECT_TRUE(info.nKind == NB_THEME_KIND_SOLID || info.nKind == NB_THEME_KIND_GRADIENT ||
                info.nKind == NB_THEME_KIND_BEVEL)
        << item;
    COLORREF first = 0;
    EXPECT_EQ(NbThemeGetItemColors(item, &first, nullptr, nullptr, nullptr), 0) << item;
    EXPECT_EQ(first, info.crColor1) << "the first color is the item's background, item " << item;
  }
}

TEST(ThemeItems, CardHeadersAndCalendarTitlesAreHorizontalGradients) {
  for (int item : {35, 44}) {
    NBTHEMEITEMINFO info{};
    ASSERT_EQ(NbThemeGetItemInfo(item, &info), 0);
    EXPECT_EQ(info.nKind, 77) << item;
    EXPECT_EQ(info.nGradientMode, 2) << item;
    EXPECT_NE(info.crColor1, info.crColor2) << item;
  }
  NBTHEMEITEMINFO strip{};
  ASSERT_EQ(NbThemeGetItemInfo(19, &strip), 0);
  EXPECT_EQ(strip.nKind, 75) << "the tab strip draws its two beveled lines";
}

TEST(ThemeItems, TextStandsOutFromItsBackground) {
  for (int item : {13, 19, 23, 34, 35, 36, 38, 41, 42, 43, 45, 47, 49, 68}) {
    NBTHEMEITEMINFO info{};
    ASSERT_EQ(NbThemeGetItemInfo(item, &info), 0);
    auto luma = [](COLORREF c) { return 299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c); };
    EXPECT_GT(std::abs(luma(info.crText) - luma(info.crColor1)), 60000) << "item " << item;
  }
}

TEST(ThemeItems, UnknownItemsAnswerNonzeroAndLeaveTheRecordAlone) {
  for (int item : {0, -1, 12, 50, 1000, INT_MAX, INT_MIN}) {
    NBTHEMEITEMINFO info{1, 2, 3, 4, 5};
    EXPECT_NE(NbThemeGetItemInfo(item, &info), 0) << item;
    EXPECT_EQ(info.nKind, 1);
    EXPECT_EQ(info.crText, 5u);
    COLORREF c[4] = {1, 1, 1, 1};
    EXPECT_NE(NbThemeGetItemColors(item, &c[0], &c[1], &c[2], &c[3]), 0) << item;
    // Still usable colors, never what was on the caller's stack.
    EXPECT_EQ(c[0], GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c[3], GetSysColor(COLOR_WINDOWTEXT));
  }
  EXPECT_NE(NbThemeGetItemInfo(35, nullptr), 0);
}

TEST(ThemeItems, ColorPointersMayBeNull) {
  EXPECT_EQ(NbThemeGetItemColors(19, nullptr, nullptr, nullptr, nullptr), 0);
  COLORREF all[4];
  ASSERT_EQ(NbThemeGetItemColors(19, &all[0], &all[1], &all[2], &all[3]), 0);
  COLORREF second = 7, fourth = 7;
  EXPECT_EQ(NbThemeGetItemColors(19, nullptr, &second, nullptr, &fourth), 0);
  EXPECT_EQ(second, all[1]);
  EXPECT_EQ(fourth, all[3]);
  // The tab control draws a light and a shadow edge: they must differ.
  EXPECT_NE(all[1], all[2]);
}

TEST(ThemeColors, BlendRunsFromTheFirstColorToTheSecond) {
  COLORREF from = RGB(10, 200, 30), to = RGB(210, 0, 31);
  EXPECT_EQ(NbThemeBlendColor(from, to, 4, 0), from);
  EXPECT_EQ(NbThemeBlendColor(from, to, 4, 4), to);
  EXPECT_EQ(NbThemeBlendColor(from, to, 4, 2), RGB(110, 100, 31));  // 30.5 rounds up
  EXPECT_EQ(NbThemeBlendColor(from, to, 3, 1), RGB(77, 133, 30));
  // Out of range steps stop at the ends; no steps at all is the start.
  EXPECT_EQ(NbThemeBlendColor(from, to, 4, -3), from);
  EXPECT_EQ(NbThemeBlendColor(from, to, 4, 9), to);
  EXPECT_EQ(NbThemeBlendColor(from, to, 0, 0), from);
  EXPECT_EQ(NbThemeBlendColor(from, to, -5, 2), from);
  // Blending back down meets the same colors.
  EXPECT_EQ(NbThemeBlendColor(to, from, 4, 2), RGB(110, 100, 31));
  EXPECT_EQ(NbThemeBlendColor(from, to, INT_MAX, INT_MAX), to);
}

TEST(ThemeColors, ShadeClampsEachChannelAt0And255) {
  EXPECT_EQ(NbThemeShadeColor(RGB(100, 150, 200), 32), RGB(132, 182, 232));
  EXPECT_EQ(NbThemeShadeColor(RGB(100, 150, 200), -64), RGB(36, 86, 136));
  EXPECT_EQ(NbThemeShadeColor(RGB(100, 240, 250), 64), RGB(164, 255, 255));
  EXPECT_EQ(NbThemeShadeColor(RGB(10, 100, 0), -64), RGB(0, 36, 0));
  EXPECT_EQ(NbThemeShadeColor(RGB(1, 2, 3), 0), RGB(1, 2, 3));
  EXPECT_EQ(NbThemeShadeColor(RGB(1, 2, 3), INT_MAX), RGB(255, 255, 255));
  EXPECT_EQ(NbThemeShadeColor(RGB(1, 2, 3), INT_MIN), RGB(0, 0, 0));
}

TEST(ThemeColors, SixteenDistinctSlotColorsAndNoneOutside) {
  std::set<COLORREF> seen;
  for (int slot = 1; slot <= 16; ++slot) {
    COLORREF c = NbThemeGetSlotColor(slot);
    EXPECT_NE(c, CLR_INVALID) << slot;
    EXPECT_EQ(c & 0xFF000000u, 0u) << slot;
    seen.insert(c);
  }
  EXPECT_EQ(seen.size(), 16u);
  for (int slot : {0, 17, -1, INT_MAX}) EXPECT_EQ(NbThemeGetSlotColor(slot), CLR_INVALID) << slot;
}

TEST(ThemeFonts, FourDistinctFontsThatStayTheSame) {
  CFont* fonts[] = {NbThemeGetFont(), NbThemeGetBoldFont(), NbThemeGetSmallFont(), NbThemeGetSmallBoldFont()};
  std::set<CFont*> distinct(std::begin(fonts), std::end(fonts));
  EXPECT_EQ(distinct.size(), 4u);
  EXPECT_EQ(NbThemeGetFont(1), fonts[0]) << "the argument some callers pass changes nothing";
  LOGFONT normal{}, bold{}, small{}, smallBold{};
  ASSERT_NE(fonts[0]->GetLogFont(&normal), 0);
  ASSERT_NE(fonts[1]->GetLogFont(&bold), 0);
  ASSERT_NE(fonts[2]->GetLogFont(&small), 0);
  ASSERT_NE(fonts[3]->GetLogFont(&smallBold), 0);
  EXPECT_GT(bold.lfWeight, normal.lfWeight);
  EXPECT_GT(smallBold.lfWeight, small.lfWeight);
  EXPECT_LT(std::abs(small.lfHeight), std::abs(normal.lfHeight));
  EXPECT_EQ(bold.lfHeight, normal.lfHeight);
  EXPECT_EQ(smallBold.lfHeight, small.lfHeight);
}

TEST(ThemeFonts, PatternBitmapIsAnEightPixelMonochromeCheckerboard) {
  CBitmap* pattern = NbThemeGetPatternBitmap();
  ASSERT_NE(pattern, nullptr);
  EXPECT_EQ(NbThemeGetPatternBitmap(), pattern);
  BITMAP bm{};
  ASSERT_NE(pattern->GetBitmap(&bm), 0);
  EXPECT_EQ(bm.bmWidth, 8);
  EXPECT_EQ(bm.bmHeight, 8);
  EXPECT_EQ(bm.bmBitsPixel, 1);
}

// Category slots live in the settings file of each test.
class CategorySlots : public SettingsFileTest {
 protected:
  void SetUp() override { NbThemeReloadCategorySlots(); }
  void TearDown() override { NbThemeReloadCategorySlots(); }
};

TEST_F(CategorySlots, EachCategoryStartsWithItsOwnSlot) {
  for (int category = 0; category < 16; ++category) EXPECT_EQ(NbThemeGetCategorySlot(category), category + 1);
}

TEST_F(CategorySlots, ASlotSetSurvivesARestart) {
  EXPECT_TRUE(NbThemeSetCategorySlot(3, 11));
  EXPECT_TRUE(NbThemeSetCategorySlot(15, 1));
  EXPECT_EQ(NbThemeGetCategorySlot(3), 11);
  NbThemeReloadCategorySlots();  // as a new start of the program
  EXPECT_EQ(NbThemeGetCategorySlot(3), 11);
  EXPECT_EQ(NbThemeGetCategorySlot(15), 1);
  EXPECT_EQ(NbThemeGetCategorySlot(4), 5);
  EXPECT_NE(FileText().find("Category3=11"), std::string::npos) << FileText();
}

TEST_F(CategorySlots, OutOfRangeArgumentsAreRefusedAndChangeNothing) {
  for (int category : {-1, 16, 100}) {
    EXPECT_FALSE(NbThemeSetCategorySlot(category, 2));
    EXPECT_EQ(NbThemeGetCategorySlot(category), 0) << category;
  }
  for (int slot : {0, 17, -4}) EXPECT_FALSE(NbThemeSetCategorySlot(2, slot));
  EXPECT_EQ(NbThemeGetCategorySlot(2), 3);
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_MISSING) << "nothing was written";
}

TEST_F(CategorySlots, SlotsOutOfRangeInTheFileAreIgnored) {
  settings_.Write("[Category Colors]\nCategory1=40\nCategory2=-3\nCategory5=eleven\nCategory6=16\n");
  EXPECT_EQ(NbThemeGetCategorySlot(1), 2);
  EXPECT_EQ(NbThemeGetCategorySlot(2), 3);
  EXPECT_EQ(NbThemeGetCategorySlot(5), 6);
  EXPECT_EQ(NbThemeGetCategorySlot(6), 16);
}

TEST_F(CategorySlots, ACorruptSettingsFileIsLeftAloneAndTheSlotLastsTheSession) {
  const std::string corrupt = "[Category Colors\nthis is = not a key file\n\x01\x02";
  settings_.Write(corrupt);
  EXPECT_EQ(NbThemeGetCategorySlot(7), 8) << "a corrupt file reads as defaults";
  EXPECT_FALSE(NbThemeSetCategorySlot(7, 2)) << "the slot could not be stored";
  EXPECT_EQ(NbThemeGetCategorySlot(7), 2) << "but it holds for now";
  EXPECT_EQ(FileText(), corrupt);
  NbThemeReloadCategorySlots();
  EXPECT_EQ(NbThemeGetCategorySlot(7), 8);
}

}  // namespace
