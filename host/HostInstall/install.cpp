#include "HostInstall/install.h"

#include <glib.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "HostShared/settings_file.h"

namespace {

std::string& ChosenUsersFile() {
  static std::string path;
  return path;
}

using User = std::pair<std::string, std::string>;  // name, folder

std::string FolderOf(const std::string& file) {
  size_t slash = file.rfind('/');
  return slash == std::string::npos ? std::string(".") : file.substr(0, slash);
}

std::vector<User> ReadUsers() {
  std::vector<User> users;
  std::string path = static_cast<LPCTSTR>(NbInstGetUsersFile());
  std::string bytes;
  nbhost::FileStamp stamp;
  if (nbhost::ReadFileCapped(path, bytes, stamp) != nbhost::FileRead::kRead) return users;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos || tab == 0) continue;
    std::string folder = line.substr(tab + 1);
    if (!folder.empty() && folder[0] != '/') folder = FolderOf(path) + "/" + folder;
    users.emplace_back(line.substr(0, tab), folder);
  }
  return users;
}

int CopyOut(const std::string& text, char* pBuffer, int* pnSize) {
  if (!pBuffer || !pnSize) return -1;
  int needed = static_cast<int>(text.size()) + 1;
  if (*pnSize < needed) {
    *pnSize = needed;
    return -2;
  }
  std::memcpy(pBuffer, text.c_str(), text.size() + 1);
  return static_cast<int>(text.size());
}

}  // namespace

CString NbInstGetDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::string dir = data && data[0] == '/' ? std::string(data) : std::string(g_get_home_dir()) + "/.local/share";
  return CString((dir + "/NbUI").c_str());
}

void NbInstSetUsersFile(LPCTSTR lpszPath) { ChosenUsersFile() = lpszPath ? lpszPath : ""; }

CString NbInstGetUsersFile() {
  if (!ChosenUsersFile().empty()) return CString(ChosenUsersFile().c_str());
  const char* env = std::getenv("NBUI_USERS_FILE");
  if (env && *env) return CString(env);
  return NbInstGetDataFolder() + "/users";
}

int NbInstGetUserCount() { return static_cast<int>(ReadUsers().size()); }

int NbInstGetUserName(int nIndex, char* pBuffer, int* pnSize) {
  std::vector<User> users = ReadUsers();
  if (nIndex < 0 || nIndex >= static_cast<int>(users.size())) return -1;
  return CopyOut(users[static_cast<size_t>(nIndex)].first, pBuffer, pnSize);
}

int NbInstGetUserFolder(const char* pszName, char* pBuffer, int* pnSize) {
  if (!pszName) return -1;
  for (const User& u : ReadUsers())
    if (u.first == pszName) return CopyOut(u.second, pBuffer, pnSize);
  return -1;
}

BOOL NbInstAddUser(LPCTSTR lpszName, LPCTSTR lpszFolder) {
  if (!lpszName || !*lpszName || !lpszFolder || std::strpbrk(lpszName, "\t\r\n") || std::strpbrk(lpszFolder, "\t\r\n"))
    return FALSE;
  std::string path = static_cast<LPCTSTR>(NbInstGetUsersFile());
  std::string bytes, kept;
  nbhost::FileStamp stamp;
  nbhost::FileRead read = nbhost::ReadFileCapped(path, bytes, stamp);
  if (read != nbhost::FileRead::kRead && read != nbhost::FileRead::kMissing) return FALSE;
  // Keep every line but an earlier entry of the same user.
  size_t start = 0;
  std::string prefix = std::string(lpszName) + "\t";
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    if (line.rfind(prefix, 0) != 0) kept += line + "\n";
  }
  kept += prefix + lpszFolder + "\n";
  return nbhost::ReplaceFile(path, kept) ? TRUE : FALSE;
}
