// The library's own strings and the English dialog texts. The texts in the
// first table are the ones callers rely on word for word.
#include "resources/catalogue.h"
#include "resources/resource_ids.h"

namespace nbui::resources {

const StringEntry kEnglishLibraryStrings[] = {
    {IDS_NB_DOW_MONDAY, "M"},
    {IDS_NB_DOW_TUESDAY, "T"},
    {IDS_NB_DOW_WEDNESDAY, "W"},
    {IDS_NB_DOW_THURSDAY, "Th"},
    {IDS_NB_DOW_FRIDAY, "F"},
    {IDS_NB_DOW_SATURDAY, "S"},
    {IDS_NB_DOW_SUNDAY, "S"},
    {IDS_NB_NO_ITEMS, "\n\nThere are no items to show in this view"},
    {IDS_NB_ENTER_PASSWORD, "Enter Password"},
    {IDS_NB_PASSWORD_INCORRECT, "The password is incorrect."},
    {IDS_NB_EDIT_PRIVATE_RECORD, "Edit Private Record"},
    {IDS_NB_YEAR_FORMAT, "%Y"},
    {IDS_NB_MONTH_YEAR_FORMAT, "%B %Y"},
    {IDS_NB_NO_PHOTO, "No Photo"},
    {IDS_NB_NO_CONNECTION, "Could not connect to the internet"},
    {IDS_NB_BAD_URL, "The URL address is not valid"},
    {IDS_NB_CORRUPT_IMAGE, "The image is corrupt"},
    {IDS_NB_CATEGORY_STORE_FAILED, "The categories could not be changed (%1). Nothing was changed."},
    {IDS_NB_SUBSCRIPTION_SAVE_FAILED,
     "The category was changed, but the subscription file could not be saved. The subscription still names the "
     "category as before."},
    {IDS_NB_SUBSCRIPTION_NAME_RESERVED,
     "The name '%1' is kept for a subscription that is still to come. The category '%2' keeps its name."},
    {IDS_NB_CATEGORY_GONE, "The category '%1' no longer exists. The list now shows the categories as they are."},
};
const size_t kEnglishLibraryStringCount = sizeof kEnglishLibraryStrings / sizeof kEnglishLibraryStrings[0];

const DialogTexts kEnglishDialogTexts = {
    .ok = "OK",
    .cancel = "Cancel",
    .help = "&Help",
    .dayPickerCaption = "Select Date",
    .today = "&Today",
    .maskingCaption = "Password",
    .maskingExplanation =
        "One or more selected records are private records. You must enter your password to continue this "
        "operation.",
    .privateCaption = "Show Private Records",
    .privateExplanation = "Private records are hidden. Enter your password to show them.",
    .userLabel = "User:",
    .passwordLabel = "&Password:",
    .colorCategoriesCaption = "Edit Event Categories",
    .categoriesCaption = "Edit Categories",
    .newButton = "&New...",
    .deleteButton = "&Delete...",
    .renameButton = "R&ename...",
    .selectColor = "Select color:",
    .newCategoryCaption = "New Category",
    .newCategoryPrompt = "&Name of the new category:",
    .renameCategoryCaption = "Rename Category",
    .renameCategoryPrompt = "&New name of the category:",
    .deleteCategoryCaption = "Delete Category",
    .deleteCategoryPrompt = "What should happen to the records in this category?",
    .deleteMoveRecords = "&Move them to Unfiled",
    .deleteRecords = "&Delete them with the category",
    .deleteSubscriptionNote =
        "This category is used by a subscription. Deleting the category also ends the subscription.",
};

}  // namespace nbui::resources
