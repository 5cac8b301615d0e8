// German.
#include "common/language.h"
#include "resources/resource_ids.h"

namespace nblang {
namespace {

using nbui::resources::DialogTexts;
using nbui::resources::StringEntry;

const StringEntry kStrings[] = {
    // Two letters tell Tuesday from Thursday and Saturday from Sunday.
    {IDS_NB_DOW_MONDAY, "Mo"},
    {IDS_NB_DOW_TUESDAY, "Di"},
    {IDS_NB_DOW_WEDNESDAY, "Mi"},
    {IDS_NB_DOW_THURSDAY, "Do"},
    {IDS_NB_DOW_FRIDAY, "Fr"},
    {IDS_NB_DOW_SATURDAY, "Sa"},
    {IDS_NB_DOW_SUNDAY, "So"},
    {IDS_NB_NO_ITEMS, "\n\nIn dieser Ansicht gibt es keine Einträge"},
    {IDS_NB_ENTER_PASSWORD, "Kennwort eingeben"},
    {IDS_NB_PASSWORD_INCORRECT, "Das Kennwort ist falsch."},
    {IDS_NB_EDIT_PRIVATE_RECORD, "Privaten Eintrag bearbeiten"},
    {IDS_NB_YEAR_FORMAT, "%Y"},
    {IDS_NB_MONTH_YEAR_FORMAT, "%B %Y"},
    {IDS_NB_NO_PHOTO, "Kein Foto"},
    {IDS_NB_NO_CONNECTION, "Keine Verbindung zum Internet möglich"},
    {IDS_NB_BAD_URL, "Die URL-Adresse ist ungültig"},
    {IDS_NB_CORRUPT_IMAGE, "Das Bild ist beschädigt"},
    {IDS_NB_CATEGORY_STORE_FAILED, "Die Kategorien konnten nicht geändert werden (%1). Es wurde nichts geändert."},
    {IDS_NB_SUBSCRIPTION_SAVE_FAILED,
     "Die Kategorie wurde geändert, aber die Abonnementdatei konnte nicht gespeichert werden. Das Abonnement "
     "nennt die Kategorie weiterhin wie zuvor."},
    {IDS_NB_SUBSCRIPTION_NAME_RESERVED,
     "Der Name „%1“ ist für ein noch kommendes Abonnement vorgesehen. Die Kategorie „%2“ behält ihren Namen."},
    {IDS_NB_CATEGORY_GONE,
     "Die Kategorie „%1“ ist nicht mehr vorhanden. Die Liste zeigt jetzt die vorhandenen Kategorien."},

    {IDS_NB_DELETE_CATEGORY_TITLE, "Kategorie „%1“ löschen"},
    {IDS_NB_UNFILED, "Nicht abgelegt"},
    {IDS_NB_NEW_CATEGORY_CAPTION, "Neue Kategorie"},
    {IDS_NB_NEW_CATEGORY_EMPTY, "Bitte geben Sie einen Namen für die neue Kategorie ein."},
    {IDS_NB_RENAME_CATEGORY_EMPTY, "Bitte geben Sie einen neuen Namen für die Kategorie ein."},
    {IDS_NB_RENAME_CATEGORY_CAPTION, "Kategorie umbenennen"},
    {IDS_NB_EDIT_CATEGORIES_ITEM, "Kategorien bearbeiten..."},
    {IDS_NB_ALL_CATEGORIES_ITEM, "Alle"},
    {IDS_NB_DATE_RESTORED,
     "Das eingegebene Datum ist ungültig. Das vorherige Datum wurde wiederhergestellt."},
    // Without a component name the placeholder goes with the hyphen after it.
    {IDS_NB_EDIT_CATEGORIES_TITLE, "%1-Kategorien bearbeiten"},
    {IDS_NB_CATEGORY_LIMIT,
     "Es können höchstens 15 Kategorien angelegt werden. Löschen oder vereinen Sie eine Kategorie, bevor Sie "
     "eine neue anlegen."},
    {IDS_NB_MERGE_CATEGORIES,
     "Die Kategorie „%1“ ist bereits vorhanden. Möchten Sie „%2“ mit „%1“ zusammenführen? Alle Einträge aus "
     "„%2“ werden nach „%1“ verschoben."},
    {IDS_NB_CATEGORY_EXISTS, " ist bereits vorhanden. Bitte wählen Sie einen anderen Namen."},
    {IDS_NB_CATEGORY_EXISTS_CAPTION, "Kategorie vorhanden"},
    {IDS_NB_SELECT_TO_DELETE, "Wählen Sie die Kategorie aus, die Sie löschen möchten."},
    {IDS_NB_SELECT_TO_RENAME, "Wählen Sie die Kategorie aus, die Sie umbenennen möchten."},
    {IDS_NB_RENAME_SUBSCRIBED,
     "Die Kategorie „%2“ wird von einem Abonnement verwendet. Wenn Sie sie in „%1“ umbenennen, verwendet das "
     "Abonnement künftig „%1“. Möchten Sie fortfahren?"},
    {IDS_NB_MERGE_INTO_SUBSCRIBED,
     "Die Kategorie „%1“ wird von einem Abonnement verwendet. Möchten Sie „%2“ mit „%1“ zusammenführen? Alle "
     "Einträge aus „%2“ werden nach „%1“ verschoben."},
    {IDS_NB_SUBSCRIPTION_REFUSED,
     "Das Abonnement konnte nicht auf die Kategorie „%1“ umgestellt werden. Die Kategorie „%2“ behält ihren "
     "Namen."},
    {IDS_NB_SUBSCRIPTION_TAKEN,
     "Der Name „%1“ wird bereits von einem anderen Abonnement verwendet. Die Kategorie „%2“ behält ihren "
     "Namen."},
    {IDS_NB_SUBSCRIPTION_FILE, "subscriptions.dat"},
    {IDS_NB_MERGE_SUBSCRIBED,
     "Die Kategorie „%2“ wird von einem Abonnement verwendet. Wenn Sie sie mit „%1“ zusammenführen, wird das "
     "Abonnement entfernt. Möchten Sie fortfahren?"},
    {IDS_NB_MERGE_BOTH_SUBSCRIBED,
     "Die Kategorien „%1“ und „%2“ werden beide von Abonnements verwendet. Wenn Sie „%2“ mit „%1“ "
     "zusammenführen, wird das Abonnement von „%2“ entfernt. Möchten Sie fortfahren?"},
};

const DialogTexts kDialogs = {
    .ok = "OK",
    .cancel = "Abbrechen",
    .help = "&Hilfe",
    .dayPickerCaption = "Datum auswählen",
    .today = "&Heute",
    .maskingCaption = "Kennwort",
    .maskingExplanation =
        "Mindestens einer der ausgewählten Einträge ist privat. Geben Sie Ihr Kennwort ein, um den Vorgang "
        "fortzusetzen.",
    .privateCaption = "Private Einträge anzeigen",
    .privateExplanation = "Private Einträge sind ausgeblendet. Geben Sie Ihr Kennwort ein, um sie anzuzeigen.",
    .userLabel = "Benutzer:",
    .passwordLabel = "&Kennwort:",
    .colorCategoriesCaption = "Ereigniskategorien bearbeiten",
    .categoriesCaption = "Kategorien bearbeiten",
    .newButton = "&Neu...",
    .deleteButton = "&Löschen...",
    .renameButton = "&Umbenennen...",
    .selectColor = "Farbe wählen:",
    .newCategoryCaption = "Neue Kategorie",
    .newCategoryPrompt = "&Name der neuen Kategorie:",
    .renameCategoryCaption = "Kategorie umbenennen",
    .renameCategoryPrompt = "&Neuer Name der Kategorie:",
    .deleteCategoryCaption = "Kategorie löschen",
    .deleteCategoryPrompt = "Was soll mit den Einträgen dieser Kategorie geschehen?",
    .deleteMoveRecords = "Nach „Nicht abgelegt“ &verschieben",
    .deleteRecords = "Mit der Kategorie &löschen",
    .deleteSubscriptionNote =
        "Diese Kategorie wird von einem Abonnement verwendet. Wenn Sie sie löschen, endet auch das Abonnement.",
};

}  // namespace

const Language& ThisLanguage() {
  static const Language german{0x0407, {{kStrings, sizeof kStrings / sizeof kStrings[0]}}, &kDialogs};
  return german;
}

}  // namespace nblang
