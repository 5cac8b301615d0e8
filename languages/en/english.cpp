// English: the library's own strings plus those only language modules carry.
#include "common/language.h"
#include "resources/resource_ids.h"

namespace nblang {
namespace {

using nbui::resources::StringEntry;

const StringEntry kStrings[] = {
    {IDS_NB_DELETE_CATEGORY_TITLE, "Delete Category '%1'"},
    {IDS_NB_UNFILED, "Unfiled"},
    {IDS_NB_NEW_CATEGORY_CAPTION, "New Category"},
    {IDS_NB_NEW_CATEGORY_EMPTY, "Please enter a name for the new category."},
    {IDS_NB_RENAME_CATEGORY_EMPTY, "Please enter a new name for the category."},
    {IDS_NB_RENAME_CATEGORY_CAPTION, "Rename Category"},
    {IDS_NB_EDIT_CATEGORIES_ITEM, "Edit Categories..."},
    {IDS_NB_ALL_CATEGORIES_ITEM, "All"},
    {IDS_NB_DATE_RESTORED, "The date you entered is not valid. The previous date has been restored."},
    {IDS_NB_EDIT_CATEGORIES_TITLE, "Edit %1 Categories"},
    {IDS_NB_CATEGORY_LIMIT,
     "There can be no more than 15 categories. Delete or merge a category before you add a new one."},
    {IDS_NB_MERGE_CATEGORIES,
     "The category '%1' already exists. Do you want to merge '%2' into '%1'? All records in '%2' will be "
     "moved to '%1'."},
    {IDS_NB_CATEGORY_EXISTS, " already exists. Please choose a different name."},
    {IDS_NB_CATEGORY_EXISTS_CAPTION, "Category Exists"},
    {IDS_NB_SELECT_TO_DELETE, "Select the category you want to delete."},
    {IDS_NB_SELECT_TO_RENAME, "Select the category you want to rename."},
    {IDS_NB_RENAME_SUBSCRIBED,
     "The category '%2' is used by a subscription. If you rename it to '%1', the subscription will use '%1' "
     "from now on. Do you want to continue?"},
    {IDS_NB_MERGE_INTO_SUBSCRIBED,
     "The category '%1' is used by a subscription. Do you want to merge '%2' into '%1'? All records in '%2' "
     "will be moved to '%1'."},
    {IDS_NB_SUBSCRIPTION_REFUSED,
     "The subscription could not be changed to use the category '%1'. The category '%2' keeps its name."},
    {IDS_NB_SUBSCRIPTION_TAKEN,
     "The name '%1' is already used by another subscription. The category '%2' keeps its name."},
    {IDS_NB_SUBSCRIPTION_FILE, "subscriptions.dat"},
    {IDS_NB_MERGE_SUBSCRIBED,
     "The category '%2' is used by a subscription. If you merge it into '%1', the subscription will be "
     "removed. Do you want to continue?"},
    {IDS_NB_MERGE_BOTH_SUBSCRIBED,
     "The categories '%1' and '%2' are both used by subscriptions. If you merge '%2' into '%1', the "
     "subscription of '%2' will be removed. Do you want to continue?"},
};

}  // namespace

const Language& ThisLanguage() {
  static const Language english{
      0x0409,
      {{nbui::resources::kEnglishLibraryStrings, nbui::resources::kEnglishLibraryStringCount},
       {kStrings, sizeof kStrings / sizeof kStrings[0]}},
      &nbui::resources::kEnglishDialogTexts};
  return english;
}

}  // namespace nblang
