// The new and rename dialogs: a name of at most 15 characters (of any
// script), never blank, returned as typed.
#include "categories/cat_name_dialogs.h"

#include "cat_mgmt_fixture.h"
#include "resources/resource_ids.h"

namespace {

using catdrv::Active;
using catdrv::Click;

class NameDialogs : public CategoryDialogTest {};

TEST_F(NameDialogs, FifteenCharactersOfAnyScriptFitAndASixteenthIsRefused) {
  struct Case {
    const char* typed;
    const char* kept;
  } const cases[] = {
      {"abcdefghijklmnop", "abcdefghijklmno"},
      {"ÄÖÜäöüßÄÖÜäöüßÄÖ", "ÄÖÜäöüßÄÖÜäöüßÄ"},
  };
  for (const Case& c : cases) {
    CNbUICatNewDialog dlg;
    Steps({[&] {
      nbp::test::Type(c.typed);
      Click(Active(), IDOK);
    }});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    CString name;
    dlg.GetName(name);
    EXPECT_EQ(std::string(name), c.kept);
  }
}

TEST_F(NameDialogs, ABlankNameIsRefusedAndTheFieldKeepsTheFocus) {
  CNbUICatNewDialog dlg;
  HWND focus = nullptr, field = nullptr;
  Steps({[&] {
           nbp::test::Type("   ");
           Click(Active(), IDOK);
         },
         [&] {
           field = GetDlgItem(Active(), 142);
           focus = GetFocus();
           Click(Active(), IDCANCEL);
         }});
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, Load(IDS_NB_NEW_CATEGORY_EMPTY));
  EXPECT_EQ(Boxes()[0].caption, Load(IDS_NB_NEW_CATEGORY_CAPTION));
  EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(focus, field);
}

TEST_F(NameDialogs, LeadingBlanksAreKeptAsTyped) {
  CNbUICatNewDialog dlg;
  Steps({[&] {
    nbp::test::Type("  Trips");
    Click(Active(), IDOK);
  }});
  ASSERT_EQ(dlg.DoModal(), IDOK);
  CString name;
  dlg.GetName(name);
  EXPECT_EQ(std::string(name), "  Trips");
}

TEST_F(NameDialogs, RenameStartsWithThePresetNameAndCancelKeepsIt) {
  CNbUICatRenameDialog dlg;
  dlg.SetName("Travel");
  std::string shown, caption;
  Steps({[&] {
    shown = catdrv::Text(GetDlgItem(Active(), 142));
    caption = catdrv::Text(Active());
    nbp::test::Type("xyz");
    Click(Active(), IDCANCEL);
  }});
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(shown, "Travel");
  EXPECT_EQ(caption, "Rename Category");
  CString name;
  dlg.GetName(name);
  EXPECT_EQ(std::string(name), "Travel");
}

TEST_F(NameDialogs, RenameRefusesABlankNameWithItsOwnWords) {
  CNbUICatRenameDialog dlg;
  dlg.SetName("Travel");
  Steps({[&] { catdrv::EnterName(" "); }, [&] { Click(Active(), IDCANCEL); }});
  dlg.DoModal();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, Load(IDS_NB_RENAME_CATEGORY_EMPTY));
  EXPECT_EQ(Boxes()[0].caption, Load(IDS_NB_RENAME_CATEGORY_CAPTION));
}

}  // namespace
