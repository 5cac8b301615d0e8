#include "HostShared/language_module.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "HostShared/module_check.h"
#include "HostShared/settings.h"
#include "win/resources.h"

namespace {

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The folder this host library was loaded from.
std::string OwnFolder() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&GetLumoLangRootDirectory), &info) || !info.dli_fname) return ".";
  std::string path = info.dli_fname;
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

std::string RootDirectory() {
  const char* env = std::getenv("NB_LANG_DIR");
  if (env && *env) return env;
  std::string own = OwnFolder();
  std::vector<std::string> candidates = {own + "/../lang", own + "/lang", own + "/../share/nbui/lang"};
  for (const std::string& c : candidates)
    if (IsDirectory(c)) return c;
  return candidates.front();
}

// "de_DE.UTF-8@euro" -> {"de_DE", "de"}; "C" and "POSIX" name no language.
void AddLocaleNames(std::string name, std::vector<std::string>& out) {
  size_t cut = name.find_first_of(".@");
  if (cut != std::string::npos) name.resize(cut);
  if (name.empty() || name == "C" || name == "POSIX") return;
  // A name must not lead out of the language root.
  if (name.find('/') != std::string::npos || name == "." || name == "..") return;
  out.push_back(name);
  size_t underscore = name.find('_');
  if (underscore != std::string::npos && underscore > 0) out.push_back(name.substr(0, underscore));
}

std::vector<std::string> LanguageCandidates() {
  std::vector<std::string> names;
  CString configured;
  if (ReadSettingString(NB_SETTINGS_GENERAL, NB_SETTINGS_LANGUAGE, configured, "")) {
    configured.TrimLeft();
    configured.TrimRight();
    AddLocaleNames(static_cast<LPCTSTR>(configured), names);
  }
  if (const char* list = std::getenv("LANGUAGE"); list && *list) {
    std::string all = list;
    size_t start = 0;
    while (start <= all.size()) {
      size_t colon = all.find(':', start);
      if (colon == std::string::npos) colon = all.size();
      AddLocaleNames(all.substr(start, colon - start), names);
      start = colon + 1;
    }
  }
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(var);
    if (value && *value) {
      AddLocaleNames(value, names);
      break;
    }
  }
  return names;
}

// One open language module: several libraries (or one library attached
// again) may share it.
struct OpenModule {
  void* library = nullptr;
  HINSTANCE resources = nullptr;
  int langId = 0;
  int users = 0;
};

struct OpenModules {
  std::map<std::string, OpenModule> byPath;  // key: real path
};

OpenModules& Modules() {
  static OpenModules modules;
  return modules;
}

}  // namespace

CString GetLumoLangRootDirectory() {
  std::string root = RootDirectory();
  return CString(root.c_str(), static_cast<int>(root.size()));
}

void GetLumoLangDllDirectory(CString& dir) {
  std::string root = RootDirectory();
  std::string chosen = "en";
  for (const std::string& name : LanguageCandidates()) {
    if (IsFile(root + "/" + name + "/" NB_LANG_MODULE_FILE)) {
      chosen = name;
      break;
    }
  }
  std::string path = root + "/" + chosen;
  dir = CString(path.c_str(), static_cast<int>(path.size()));
}

HINSTANCE LoadLumoLangDll(LPCTSTR lpszPath, HINSTANCE hInstance, int* pnLangId) {
  if (pnLangId) *pnLangId = 0;
  if (!lpszPath || !*lpszPath) return hInstance;
  char real[PATH_MAX];
  if (!realpath(lpszPath, real) || !IsFile(real)) return hInstance;

  auto& open = Modules().byPath;
  if (auto it = open.find(real); it != open.end()) {
    if (nbp::res::IsModule(it->second.resources)) {
      ++it->second.users;
      if (pnLangId) *pnLangId = it->second.langId;
      return it->second.resources;
    }
    // Its resources were destroyed behind our back: open it afresh.
    dlclose(it->second.library);
    open.erase(it);
  }

  // A damaged file would kill the process inside dlopen, not fail it.
  if (!IsLoadableModuleFile(real)) return hInstance;
  void* library = dlopen(real, RTLD_NOW | RTLD_LOCAL);
  if (!library) return hInstance;
  auto entry = reinterpret_cast<NbLangModuleEntry>(dlsym(library, NB_LANG_MODULE_ENTRY));
  if (!entry) {
    dlclose(library);
    return hInstance;
  }
  HINSTANCE resources = nbp::res::CreateModule(NB_LANG_MODULE_FILE);
  int langId = entry(NB_LANG_MODULE_FORMAT, resources);
  if (langId == 0) {
    nbp::res::DestroyModule(resources);
    dlclose(library);
    return hInstance;
  }
  open[real] = OpenModule{library, resources, langId, 1};
  if (pnLangId) *pnLangId = langId;
  return resources;
}

BOOL FreeLumoLangDll(HINSTANCE hResource, HINSTANCE hInstance) {
  if (!hResource || hResource == hInstance) return FALSE;
  auto& open = Modules().byPath;
  for (auto it = open.begin(); it != open.end(); ++it) {
    if (it->second.resources != hResource) continue;
    if (--it->second.users > 0) return FALSE;
    // The module's data was copied into the registry, so nothing points into
    // the shared object once the registry module is gone.
    nbp::res::DestroyModule(it->second.resources);
    dlclose(it->second.library);
    open.erase(it);
    return TRUE;
  }
  return FALSE;
}
