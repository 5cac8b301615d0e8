// The library's start-up: attach and detach counts, which module resources
// come from, and what the resource chain finds through it.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>

#include "HostShared/language_module.h"
#include "frame/frame_fixture.h"
#include "mfc/cstring.h"
#include "mfc/gdiobj.h"
#include "nbp/dialog_template.h"
#include "resources/resource_ids.h"
#include "win/resources.h"
#include "win/user.h"

namespace {

CString Load(UINT id) {
  CString s;
  s.LoadString(id);
  return s;
}

std::string DialogCaption(UINT id) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_DIALOG);
  const std::vector<uint8_t>* bytes = nbp::res::FindData(module, RT_DIALOG, id);
  if (!bytes) return "(none)";
  auto t = nbp::ParseDialogTemplate(*bytes);
  return t ? t->title : "(malformed)";
}

bool ChainHolds(HINSTANCE module) {
  for (CDynLinkLibrary* p = AfxGetFirstDynLinkLibrary(); p; p = p->m_pNextDLL)
    if (p->m_hResource == module) return true;
  return false;
}

using LibraryStart = DetachedLibrary;

TEST_F(LibraryStart, OnlyTheFirstAttachOpensTheLanguageModuleAndOnlyTheLastDetachReleasesIt) {
  ScopedEnv german("LANGUAGE", "de_DE");
  EXPECT_EQ(NbUIGetAttachCount(), 0);
  ASSERT_TRUE(Attach());
  EXPECT_EQ(NbUIGetAttachCount(), 1);
  HINSTANCE language = NbUIGetResourceHandle();
  EXPECT_NE(language, instance_);
  EXPECT_EQ(NbUIGetLanguageId(), 0x0407);
  EXPECT_TRUE(NbUIGetExtensionModule().bInitialized);
  EXPECT_EQ(NbUIGetExtensionModule().hResource, language);

  ASSERT_TRUE(Attach());
  EXPECT_EQ(NbUIGetAttachCount(), 2);
  EXPECT_EQ(NbUIGetResourceHandle(), language);

  EXPECT_TRUE(Detach());
  EXPECT_EQ(NbUIGetAttachCount(), 1);
  EXPECT_TRUE(nbp::res::IsModule(language));

  EXPECT_TRUE(Detach());
  EXPECT_EQ(NbUIGetAttachCount(), 0);
  EXPECT_EQ(NbUIGetResourceHandle(), instance_);
  EXPECT_EQ(NbUIGetLanguageId(), 0);
  EXPECT_FALSE(nbp::res::IsModule(language)) << "the language module outlived the last detach";
  EXPECT_FALSE(ChainHolds(language));
  EXPECT_FALSE(NbUIGetExtensionModule().bInitialized);
}

TEST_F(LibraryStart, AGermanStringWinsOverTheLibrarysEnglishCopy) {
  settings_.Write("[General]\nLanguage=de\n");
  ASSERT_TRUE(Attach());
  EXPECT_EQ(*nbp::res::FindString(instance_, IDS_NB_DOW_MONDAY), "M");
  EXPECT_STREQ(Load(IDS_NB_DOW_MONDAY), "Mo");
  EXPECT_STREQ(Load(IDS_NB_DOW_THURSDAY), "Do");
  EXPECT_STREQ(Load(IDS_NB_NO_PHOTO), "Kein Foto");
  EXPECT_STREQ(Load(IDS_NB_NO_ITEMS), "\n\nIn dieser Ansicht gibt es keine Einträge");
  // Resources only the language module carries are there too.
  EXPECT_STREQ(Load(IDS_NB_ALL_CATEGORIES_ITEM), "Alle");
  EXPECT_EQ(DialogCaption(IDD_NB_DAY_PICKER), "Datum auswählen");
  EXPECT_EQ(DialogCaption(IDD_NB_DELETE_CATEGORY), "Kategorie löschen");
  CBitmap note;
  EXPECT_TRUE(note.LoadBitmap(IDB_NB_NOTE));
  HINSTANCE cursors = AfxFindResourceHandle(MAKEINTRESOURCE(IDC_NB_RESIZE_COLUMN), RT_CURSOR);
  EXPECT_EQ(cursors, NbUIGetResourceHandle());
  EXPECT_NE(LoadCursor(cursors, MAKEINTRESOURCE(IDC_NB_RESIZE_COLUMN)), nullptr);
  EXPECT_NE(LoadCursor(cursors, MAKEINTRESOURCE(IDC_NB_RESIZE_ROW)), nullptr);
}

TEST_F(LibraryStart, WithoutALanguageModuleTheLibrarysOwnCatalogueServes) {
  ScopedEnv nowhere("NB_LANG_DIR", "/nonexistent/nbui-languages");
  ASSERT_TRUE(Attach());
  EXPECT_EQ(NbUIGetResourceHandle(), instance_);
  EXPECT_EQ(NbUIGetLanguageId(), 0);
  EXPECT_STREQ(Load(IDS_NB_DOW_MONDAY), "M");
  EXPECT_STREQ(Load(IDS_NB_MONTH_YEAR_FORMAT), "%B %Y");
  EXPECT_EQ(DialogCaption(IDD_NB_DAY_PICKER), "Select Date");
  CBitmap padlock;
  EXPECT_TRUE(padlock.LoadBitmap(IDB_NB_PRIVATE));
  // What only language modules carry is missing.
  EXPECT_STREQ(Load(IDS_NB_ALL_CATEGORIES_ITEM), "");
  EXPECT_EQ(DialogCaption(IDD_NB_NEW_CATEGORY), "(none)");
  EXPECT_EQ(LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(IDC_NB_RESIZE_ROW), RT_CURSOR),
                       MAKEINTRESOURCE(IDC_NB_RESIZE_ROW)),
            nullptr);
}

TEST_F(LibraryStart, AResourceMissingFromTheLanguageModuleIsNotFoundEvenThoughTheLibraryHasIt) {
  ScopedEnv extra("NB_LANG_DIR", NB_TEST_LANG_EXTRA_ROOT);
  ScopedEnv partial("LANGUAGE", "partial");
  ASSERT_TRUE(Attach());
  ASSERT_NE(NbUIGetResourceHandle(), instance_);
  EXPECT_STREQ(Load(IDS_NB_DOW_MONDAY), "Lun");
  // The library's own module holds all of these, but it is not in the chain.
  ASSERT_NE(nbp::res::FindString(instance_, IDS_NB_DOW_TUESDAY), nullptr);
  EXPECT_STREQ(Load(IDS_NB_DOW_TUESDAY), "");
  EXPECT_STREQ(Load(IDS_NB_NO_ITEMS), "");
  CBitmap note;
  EXPECT_FALSE(note.LoadBitmap(IDB_NB_NOTE));
  EXPECT_EQ(DialogCaption(IDD_NB_DAY_PICKER), "(none)");
}

TEST_F(LibraryStart, DetachKeepsALanguageModuleTheLoaderWillNotRelease) {
  ScopedEnv german("LANGUAGE", "de");
  ASSERT_TRUE(Attach());
  HINSTANCE language = NbUIGetResourceHandle();
  // Someone else has the same module open, so the library's release is refused.
  CString path = CString(NB_TEST_LANG_ROOT) + "/de/" NB_LANG_MODULE_FILE;
  int langId = 0;
  ASSERT_EQ(LoadLumoLangDll(path, instance_, &langId), language);

  EXPECT_TRUE(Detach());
  EXPECT_EQ(NbUIGetAttachCount(), 0);
  EXPECT_EQ(NbUIGetResourceHandle(), language) << "the resource handle moved although the module stayed";
  EXPECT_TRUE(nbp::res::IsModule(language));
  EXPECT_EQ(*nbp::res::FindString(language, IDS_NB_DOW_MONDAY), "Mo");
  EXPECT_TRUE(FreeLumoLangDll(language, instance_));
  EXPECT_FALSE(nbp::res::IsModule(language));
}

TEST_F(LibraryStart, InitNbUIDLLLinksTheResourceModuleForAsLongAsTheLibraryIsAttached) {
  ScopedEnv german("LANGUAGE", "de");
  ASSERT_TRUE(Attach());
  HINSTANCE language = NbUIGetResourceHandle();
  CDynLinkLibrary* fromHost = InitNbUIDLL();
  ASSERT_NE(fromHost, nullptr);
  EXPECT_EQ(fromHost->m_hResource, language);
  EXPECT_EQ(fromHost->m_hModule, language);
  // The attach's own library can go; the host module's keeps the chain.
  for (CDynLinkLibrary* p = AfxGetFirstDynLinkLibrary(); p; p = p->m_pNextDLL) {
    if (p != fromHost && p->m_hResource == language) {
      delete p;
      break;
    }
  }
  EXPECT_STREQ(Load(IDS_NB_DOW_MONDAY), "Mo");
  // The last detach deletes every library made on the record.
  EXPECT_TRUE(Detach());
  EXPECT_FALSE(ChainHolds(language));
}

TEST_F(LibraryStart, AnAttachThatCannotInitialiseLeavesNothingBehind) {
  ScopedEnv nowhere("NB_LANG_DIR", "/nonexistent/nbui-languages");
  HINSTANCE bogus = reinterpret_cast<HINSTANCE>(uintptr_t{0x7fff0001});
  EXPECT_FALSE(NbUIDllMain(bogus, DLL_PROCESS_ATTACH, nullptr));
  EXPECT_EQ(NbUIGetAttachCount(), 0);
  EXPECT_FALSE(NbUIGetExtensionModule().bInitialized);
  EXPECT_FALSE(ChainHolds(bogus));
}

TEST_F(LibraryStart, ThreadNoticesAndAStrayDetachChangeNothing) {
  EXPECT_TRUE(NbUIDllMain(instance_, DLL_THREAD_ATTACH, nullptr));
  EXPECT_TRUE(NbUIDllMain(instance_, DLL_THREAD_DETACH, nullptr));
  EXPECT_TRUE(Detach());
  EXPECT_EQ(NbUIGetAttachCount(), 0);
  ASSERT_TRUE(Attach());
  EXPECT_EQ(NbUIGetAttachCount(), 1);
  EXPECT_TRUE(NbUIDllMain(instance_, DLL_THREAD_DETACH, nullptr));
  EXPECT_EQ(NbUIGetAttachCount(), 1);
}

TEST_F(LibraryStart, ACorruptOrRefusingLanguageModuleFallsBackToTheLibrary) {
  // A file of the right name that is no module at all.
  std::string root = settings_.dir();
  std::string folder = root + "/xx";
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  std::string file = folder + "/" NB_LANG_MODULE_FILE;
  std::ofstream(file) << "this is not a shared object";
  {
    ScopedEnv dir("NB_LANG_DIR", root.c_str());
    ScopedEnv xx("LANGUAGE", "xx");
    ASSERT_TRUE(Attach());
    EXPECT_EQ(NbUIGetResourceHandle(), instance_);
    EXPECT_STREQ(Load(IDS_NB_DOW_MONDAY), "M");
    EXPECT_TRUE(Detach());
  }
  {
    ScopedEnv dir("NB_LANG_DIR", NB_TEST_LANG_EXTRA_ROOT);
    ScopedEnv refusing("LANGUAGE", "refusing");
    ASSERT_TRUE(Attach());
    EXPECT_EQ(NbUIGetResourceHandle(), instance_);
    EXPECT_STREQ(Load(IDS_NB_DOW_MONDAY), "M");
    EXPECT_TRUE(Detach());
  }
  std::remove(file.c_str());
  rmdir(folder.c_str());
}

// Every program linking the library opens the language module before main:
// a cut one must leave it running on the library's own catalogue.
TEST_F(LibraryStart, ACutGermanModuleLeavesProgramsOnTheLibrarysOwnCatalogue) {
  std::ifstream in(NB_TEST_LANG_ROOT "/de/" NB_LANG_MODULE_FILE, std::ios::binary);
  const std::string module((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(module.size(), 4096u);
  const std::string root = settings_.dir();
  const std::string folder = root + "/de";
  const std::string file = folder + "/" NB_LANG_MODULE_FILE;
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  settings_.Write("[General]\nLanguage=de\n");
  ScopedEnv dir("NB_LANG_DIR", root.c_str());
  for (size_t size : {size_t{1024}, size_t{4096}}) {
    std::ofstream(file, std::ios::binary) << module.substr(0, size);
    ASSERT_TRUE(Attach());
    EXPECT_EQ(NbUIGetResourceHandle(), instance_) << size;
    EXPECT_EQ(NbUIGetLanguageId(), 0) << size;
    EXPECT_STREQ(Load(IDS_NB_DOW_MONDAY), "M") << size;
    EXPECT_TRUE(Detach());

    // This very program, started afresh in that setting, reaches main.
    char self[] = "/proc/self/exe";
    char list[] = "--gtest_list_tests";
    char* argv[] = {self, list, nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, self, &quiet, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&quiet);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << size << " bytes: status " << status;
  }
  std::remove(file.c_str());
  rmdir(folder.c_str());
}

}  // namespace
