// Finding the user's language folder, and opening and releasing language
// modules.
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <elf.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "HostShared/language_module.h"
#include "frame/frame_fixture.h"
#include "resources/resource_ids.h"
#include "win/resources.h"

namespace {

std::string RealPath(const char* path) {
  char buf[PATH_MAX];
  return realpath(path, buf) ? buf : std::string("(none: ") + path + ")";
}

class LanguageFolder : public ::testing::Test {
 protected:
  std::string Dir() {
    CString dir;
    GetLumoLangDllDirectory(dir);
    return std::string(dir);
  }

  TempSettings settings_;
  ScopedEnv settingsFile_{"NBUI_SETTINGS_FILE", settings_.path().c_str()};
  ScopedEnv root_{"NB_LANG_DIR", NB_TEST_LANG_ROOT};
  ScopedEnv language_{"LANGUAGE", nullptr};
  ScopedEnv all_{"LC_ALL", nullptr};
  ScopedEnv messages_{"LC_MESSAGES", nullptr};
  ScopedEnv lang_{"LANG", nullptr};
};

TEST_F(LanguageFolder, FollowsTheLocale) {
  const std::string root = NB_TEST_LANG_ROOT;
  {
    ScopedEnv lang("LANG", "de_DE.UTF-8");
    EXPECT_EQ(Dir(), root + "/de") << "de_DE has no folder of its own; de does";
  }
  {
    ScopedEnv all("LC_ALL", "de_AT@euro");
    ScopedEnv lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(Dir(), root + "/de") << "LC_ALL comes before LANG";
  }
  {
    ScopedEnv list("LANGUAGE", "fr_FR:de:en");
    EXPECT_EQ(Dir(), root + "/de") << "the first language of the list that has a module";
  }
  {
    ScopedEnv lang("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(Dir(), root + "/en") << "a language without a module gets English";
  }
  {
    ScopedEnv all("LC_ALL", "C.UTF-8");
    EXPECT_EQ(Dir(), root + "/en");
  }
  EXPECT_EQ(Dir(), root + "/en") << "no locale at all";
}

TEST_F(LanguageFolder, TheSettingsFileOverridesTheLocale) {
  ScopedEnv lang("LANG", "en_GB.UTF-8");
  settings_.Write("[General]\nLanguage = de\n");
  EXPECT_EQ(Dir(), std::string(NB_TEST_LANG_ROOT) + "/de");
  settings_.Write("[General]\nLanguage=xx\n");
  EXPECT_EQ(Dir(), std::string(NB_TEST_LANG_ROOT) + "/en") << "a language without a module is passed over";
}

TEST_F(LanguageFolder, NamesCannotLeadOutOfTheLanguageRoot) {
  // "de/../../lang-test/partial" would reach a module outside the root.
  ScopedEnv list("LANGUAGE", "../lang-test/partial:..:.");
  EXPECT_EQ(Dir(), std::string(NB_TEST_LANG_ROOT) + "/en");
}

TEST_F(LanguageFolder, WithoutTheVariableTheRootIsFoundNextToTheHostLibrary) {
  ScopedEnv unset("NB_LANG_DIR", nullptr);
  ScopedEnv lang("LANG", "de_CH.UTF-8");
  std::string dir = Dir();
  ASSERT_GT(dir.size(), 3u);
  EXPECT_EQ(dir.substr(dir.size() - 3), "/de");
  EXPECT_EQ(RealPath(dir.c_str()), RealPath(NB_TEST_LANG_ROOT "/de"));
  EXPECT_EQ(RealPath(GetLumoLangRootDirectory()), RealPath(NB_TEST_LANG_ROOT));
}

class LanguageLoader : public ::testing::Test {
 protected:
  void SetUp() override { owner_ = nbp::res::CreateModule("test library"); }
  void TearDown() override { nbp::res::DestroyModule(owner_); }
  static CString Module(const char* folder) { return CString(NB_TEST_LANG_ROOT) + "/" + folder + "/NbLangUI.dll"; }

  HINSTANCE owner_ = nullptr;
};

TEST_F(LanguageLoader, AModuleIsOpenedFilledAndReleased) {
  int langId = -1;
  HINSTANCE de = LoadLumoLangDll(Module("de"), owner_, &langId);
  ASSERT_NE(de, owner_);
  EXPECT_EQ(langId, 0x0407);
  ASSERT_TRUE(nbp::res::IsModule(de));
  EXPECT_EQ(*nbp::res::FindString(de, IDS_NB_NO_PHOTO), "Kein Foto");
  EXPECT_TRUE(FreeLumoLangDll(de, owner_));
  EXPECT_FALSE(nbp::res::IsModule(de));
  EXPECT_FALSE(FreeLumoLangDll(de, owner_)) << "released once only";
}

TEST_F(LanguageLoader, TheSameFileIsSharedAndReleasedByItsLastUser) {
  HINSTANCE first = LoadLumoLangDll(Module("de"), owner_, nullptr);
  // Another spelling of the same path.
  HINSTANCE second = LoadLumoLangDll(CString(NB_TEST_LANG_ROOT) + "/./de//NbLangUI.dll", owner_, nullptr);
  ASSERT_NE(first, owner_);
  EXPECT_EQ(second, first);
  EXPECT_FALSE(FreeLumoLangDll(first, owner_)) << "someone still uses it";
  EXPECT_TRUE(nbp::res::IsModule(first));
  EXPECT_TRUE(FreeLumoLangDll(first, owner_));
  EXPECT_FALSE(nbp::res::IsModule(first));
}

TEST_F(LanguageLoader, AnythingButAModuleFallsBackToTheCallersOwnResources) {
  char folder[] = "/tmp/nbui-lang-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  std::string junk = std::string(folder) + "/NbLangUI.dll";
  std::ofstream(junk) << "\x7f" "ELF but not really";
  std::string empty = std::string(folder) + "/empty.dll";
  std::ofstream(empty).flush();

  const std::string paths[] = {"", "/nonexistent/NbLangUI.dll", folder, junk, empty,
                               std::string(NB_TEST_LANG_EXTRA_ROOT) + "/refusing/NbLangUI.dll"};
  for (const std::string& path : paths) {
    int langId = -1;
    EXPECT_EQ(LoadLumoLangDll(path.c_str(), owner_, &langId), owner_) << path;
    EXPECT_EQ(langId, 0) << path;
  }
  EXPECT_EQ(LoadLumoLangDll(nullptr, owner_, nullptr), owner_);
  std::remove(junk.c_str());
  std::remove(empty.c_str());
  rmdir(folder);
}

// A copy of a module, cut to `size` bytes and then patched by `patch`.
std::string DamagedCopy(const std::string& folder, const char* name, const CString& from, size_t size,
                        void (*patch)(std::string&) = nullptr) {
  std::ifstream in(static_cast<LPCTSTR>(from), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bytes.resize(std::min(size, bytes.size()));
  if (patch) patch(bytes);
  std::string path = folder + "/" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// Where the last of the module's segments ends in its file.
size_t SegmentsEnd(const CString& module) {
  std::ifstream in(static_cast<LPCTSTR>(module), std::ios::binary);
  std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto* h = reinterpret_cast<const Elf64_Ehdr*>(b.data());
  const auto* p = reinterpret_cast<const Elf64_Phdr*>(b.data() + h->e_phoff);
  size_t end = 0;
  for (int i = 0; i < h->e_phnum; ++i) end = std::max<size_t>(end, p[i].p_offset + p[i].p_filesz);
  return end;
}

TEST_F(LanguageLoader, ACutOrDamagedModuleIsRefusedBeforeItIsLoaded) {
  char folder[] = "/tmp/nbui-lang-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const CString de = Module("de");
  struct stat st {};
  ASSERT_EQ(stat(de, &st), 0);
  const size_t whole = static_cast<size_t>(st.st_size);
  auto machine = [](std::string& b) { reinterpret_cast<Elf64_Ehdr*>(b.data())->e_machine ^= 0x0F; };
  auto executable = [](std::string& b) { reinterpret_cast<Elf64_Ehdr*>(b.data())->e_type = ET_EXEC; };
  auto headersOutside = [](std::string& b) { reinterpret_cast<Elf64_Ehdr*>(b.data())->e_phoff = b.size() - 8; };
  auto hugeSegment = [](std::string& b) {
    auto* h = reinterpret_cast<Elf64_Ehdr*>(b.data());
    reinterpret_cast<Elf64_Phdr*>(b.data() + h->e_phoff)[h->e_phnum - 1].p_filesz = ~0ull >> 1;
  };
  const std::string damaged[] = {
      DamagedCopy(folder, "1k.dll", de, 1024),
      DamagedCopy(folder, "4k.dll", de, 4096),
      DamagedCopy(folder, "short.dll", de, SegmentsEnd(de) - 1),
      DamagedCopy(folder, "header.dll", de, sizeof(Elf64_Ehdr) - 1),
      DamagedCopy(folder, "machine.dll", de, whole, machine),
      DamagedCopy(folder, "exec.dll", de, whole, executable),
      DamagedCopy(folder, "phoff.dll", de, whole, headersOutside),
      DamagedCopy(folder, "segment.dll", de, whole, hugeSegment),
  };
  for (const std::string& path : damaged) {
    int langId = -1;
    EXPECT_EQ(LoadLumoLangDll(path.c_str(), owner_, &langId), owner_) << path;
    EXPECT_EQ(langId, 0) << path;
  }
  // The whole copy is still taken, so the check refuses only what is damaged.
  std::string intact = DamagedCopy(folder, "intact.dll", de, whole);
  int langId = 0;
  HINSTANCE loaded = LoadLumoLangDll(intact.c_str(), owner_, &langId);
  EXPECT_NE(loaded, owner_);
  EXPECT_EQ(langId, 0x0407);
  EXPECT_TRUE(FreeLumoLangDll(loaded, owner_));
  for (const std::string& path : damaged) std::remove(path.c_str());
  std::remove(intact.c_str());
  rmdir(folder);
}

TEST_F(LanguageLoader, ReleasingWhatWasNeverOpenedIsRefused) {
  EXPECT_FALSE(FreeLumoLangDll(owner_, owner_)) << "the library's own resources are not a language module";
  EXPECT_FALSE(FreeLumoLangDll(nullptr, owner_));
  HINSTANCE other = nbp::res::CreateModule("not a language module");
  EXPECT_FALSE(FreeLumoLangDll(other, owner_));
  EXPECT_TRUE(nbp::res::IsModule(other));
  nbp::res::DestroyModule(other);
}

TEST_F(LanguageLoader, AModuleWhoseResourcesVanishedIsOpenedAfresh) {
  HINSTANCE first = LoadLumoLangDll(Module("de"), owner_, nullptr);
  ASSERT_NE(first, owner_);
  nbp::res::DestroyModule(first);
  int langId = 0;
  HINSTANCE again = LoadLumoLangDll(Module("de"), owner_, &langId);
  ASSERT_NE(again, owner_);
  EXPECT_NE(again, first);
  EXPECT_EQ(langId, 0x0407);
  EXPECT_EQ(*nbp::res::FindString(again, IDS_NB_DOW_MONDAY), "Mo");
  EXPECT_TRUE(FreeLumoLangDll(again, owner_));
}

}  // namespace
