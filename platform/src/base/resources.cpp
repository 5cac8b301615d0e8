#include "win/resources.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "nbp/utf8_step.h"
#include "win/user_constants.h"

namespace nbp::res {
namespace {

struct DataEntry {
  uint64_t serial;  // identifies the entry behind HRSRC/HGLOBAL handles
  std::vector<uint8_t> bytes;
};

struct Module {
  std::string name;
  std::unordered_map<UINT, std::string> strings;
  std::unordered_map<std::string, DataEntry> data;  // key: Key(type, name)
};

// Handle values are serial numbers that are never reused. Resource entries
// share one counter; an HGLOBAL is its entry's serial with a tag bit, so an
// HRSRC passed where an HGLOBAL belongs is not mistaken for one.
constexpr uintptr_t kGlobalTag = uintptr_t{1} << 40;

struct Registry {
  std::recursive_mutex mutex;
  std::unordered_map<uintptr_t, std::unique_ptr<Module>> modules;
  // serial -> (module id, key) of every live data entry
  std::unordered_map<uint64_t, std::pair<uintptr_t, std::string>> entries;
  uintptr_t nextModule = 1;
  uint64_t nextSerial = 1;
  std::vector<HINSTANCE> chain;
  HINSTANCE instance = nullptr;
  HINSTANCE resource = nullptr;
  bool defaultsMade = false;
};

Registry& R() {
  static Registry r;
  return r;
}

uintptr_t Id(HINSTANCE h) { return reinterpret_cast<uintptr_t>(h); }

Module* Find(Registry& r, HINSTANCE h) {
  auto it = r.modules.find(Id(h));
  return it == r.modules.end() ? nullptr : it->second.get();
}

// One spelling for names and types: numbers as "#n", strings upper-cased
// (ASCII), so "#12", "dlg" and MAKEINTRESOURCE(12)/"DLG" meet.
std::string Part(LPCTSTR s) {
  if (IS_INTRESOURCE(s)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(s));
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  // "#123" is the number 123 written out; normalise leading zeros away.
  if (out.size() > 1 && out[0] == '#' &&
      std::all_of(out.begin() + 1, out.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
      out.size() < 8) {
    return "#" + std::to_string(std::stoul(out.substr(1)) & 0xFFFF);
  }
  return out;
}

bool ValidName(LPCTSTR s) { return s != nullptr; }

std::string Key(LPCTSTR type, LPCTSTR name) { return Part(type) + '\x01' + Part(name); }

void MakeDefaults(Registry& r) {
  if (r.defaultsMade) return;
  r.defaultsMade = true;
  uintptr_t id = r.nextModule++;
  r.modules[id] = std::make_unique<Module>(Module{"application", {}, {}});
  r.instance = reinterpret_cast<HINSTANCE>(id);
  r.resource = r.instance;
}

const DataEntry* FindEntry(Module* m, LPCTSTR type, LPCTSTR name) {
  if (!m || !ValidName(type) || !ValidName(name)) return nullptr;
  auto it = m->data.find(Key(type, name));
  return it == m->data.end() ? nullptr : &it->second;
}

bool HasStringBlock(Module* m, UINT block) {
  if (!m || block == 0) return false;
  for (UINT id = (block - 1) * 16; id < block * 16; ++id)
    if (m->strings.count(id)) return true;
  return false;
}

bool Holds(Module* m, LPCTSTR name, LPCTSTR type) {
  if (!m) return false;
  if (type == RT_STRING && IS_INTRESOURCE(name) && HasStringBlock(m, LOWORD(reinterpret_cast<uintptr_t>(name))))
    return true;
  return FindEntry(m, type, name) != nullptr;
}

}  // namespace

HINSTANCE CreateModule(const char* name) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  MakeDefaults(r);
  uintptr_t id = r.nextModule++;
  r.modules[id] = std::make_unique<Module>(Module{name ? name : "", {}, {}});
  return reinterpret_cast<HINSTANCE>(id);
}

void DestroyModule(HINSTANCE module) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  auto it = r.modules.find(Id(module));
  if (it == r.modules.end()) return;
  for (auto& [key, entry] : it->second->data) r.entries.erase(entry.serial);
  r.modules.erase(it);
  r.chain.erase(std::remove(r.chain.begin(), r.chain.end(), module), r.chain.end());
}

bool IsModule(HINSTANCE module) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  return Find(r, module) != nullptr;
}

void AddString(HINSTANCE module, UINT id, std::string utf8) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  if (Module* m = Find(r, module)) m->strings[id] = std::move(utf8);
}

bool HasString(HINSTANCE module, UINT id) { return FindString(module, id) != nullptr; }

const std::string* FindString(HINSTANCE module, UINT id) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  Module* m = Find(r, module);
  if (!m) return nullptr;
  auto it = m->strings.find(id);
  return it == m->strings.end() ? nullptr : &it->second;
}

void AddData(HINSTANCE module, LPCTSTR type, LPCTSTR name, std::vector<uint8_t> bytes) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  Module* m = Find(r, module);
  if (!m || !ValidName(type) || !ValidName(name)) return;
  std::string key = Key(type, name);
  auto it = m->data.find(key);
  if (it != m->data.end()) r.entries.erase(it->second.serial);
  uint64_t serial = r.nextSerial++;
  m->data[key] = DataEntry{serial, std::move(bytes)};
  r.entries[serial] = {Id(module), key};
}

const std::vector<uint8_t>* FindData(HINSTANCE module, LPCTSTR type, LPCTSTR name) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  const DataEntry* e = FindEntry(Find(r, module), type, name);
  return e ? &e->bytes : nullptr;
}

const std::vector<uint8_t>* FindData(HINSTANCE module, LPCTSTR type, UINT id) {
  return FindData(module, type, MAKEINTRESOURCE(id));
}

void SetInstanceHandle(HINSTANCE module) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  MakeDefaults(r);
  r.instance = module;
}

void SetResourceHandle(HINSTANCE module) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  MakeDefaults(r);
  r.resource = module;
}

void AppendToChain(HINSTANCE module) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  if (!Find(r, module)) return;
  if (std::find(r.chain.begin(), r.chain.end(), module) == r.chain.end()) r.chain.push_back(module);
}

void RemoveFromChain(HINSTANCE module) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  r.chain.erase(std::remove(r.chain.begin(), r.chain.end(), module), r.chain.end());
}

// Used by the Win32 entry points below, which live outside the namespace.
namespace detail {

std::recursive_mutex& Mutex() { return R().mutex; }

const DataEntry* EntryOf(uint64_t serial, uintptr_t* moduleOut) {
  Registry& r = R();
  auto it = r.entries.find(serial);
  if (it == r.entries.end()) return nullptr;
  auto mit = r.modules.find(it->second.first);
  if (mit == r.modules.end()) return nullptr;
  auto eit = mit->second->data.find(it->second.second);
  if (eit == mit->second->data.end() || eit->second.serial != serial) return nullptr;
  if (moduleOut) *moduleOut = it->second.first;
  return &eit->second;
}

}  // namespace detail

}  // namespace nbp::res

using namespace nbp::res;

HINSTANCE AfxGetInstanceHandle() {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  MakeDefaults(r);
  return r.instance;
}

HINSTANCE AfxGetResourceHandle() {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  MakeDefaults(r);
  return r.resource;
}

void AfxSetResourceHandle(HINSTANCE hInstResource) { SetResourceHandle(hInstResource); }

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  MakeDefaults(r);
  if (!lpszName || !lpszType) return r.resource;
  if (Holds(Find(r, r.resource), lpszName, lpszType)) return r.resource;
  for (HINSTANCE h : r.chain)
    if (Holds(Find(r, h), lpszName, lpszType)) return h;
  return r.resource;
}

int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (!lpBuffer || cchBufferMax <= 0) return 0;
  std::lock_guard lock(detail::Mutex());
  const std::string* s = FindString(hInstance, uID);
  if (!s) {
    lpBuffer[0] = '\0';
    return 0;
  }
  size_t n = nbp::utf8::BoundaryAtOrBefore(s->data(), s->size(), static_cast<size_t>(cchBufferMax - 1));
  memcpy(lpBuffer, s->data(), n);
  lpBuffer[n] = '\0';
  return static_cast<int>(n);
}

HRSRC FindResource(HMODULE hModule, LPCTSTR lpName, LPCTSTR lpType) {
  Registry& r = R();
  std::lock_guard lock(r.mutex);
  const DataEntry* e = nbp::res::FindEntry(Find(r, hModule), lpType, lpName);
  return e ? reinterpret_cast<HRSRC>(static_cast<uintptr_t>(e->serial)) : nullptr;
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
  std::lock_guard lock(detail::Mutex());
  uintptr_t serial = reinterpret_cast<uintptr_t>(hResInfo);
  uintptr_t owner = 0;
  if (!hResInfo || (serial & kGlobalTag) || !detail::EntryOf(serial, &owner)) return nullptr;
  // Windows accepts a null module for the executable's resources.
  if (hModule && owner != reinterpret_cast<uintptr_t>(hModule)) return nullptr;
  return reinterpret_cast<HGLOBAL>(serial | kGlobalTag);
}

LPVOID LockResource(HGLOBAL hResData) {
  std::lock_guard lock(detail::Mutex());
  uintptr_t v = reinterpret_cast<uintptr_t>(hResData);
  if (!(v & kGlobalTag)) return nullptr;
  const DataEntry* e = detail::EntryOf(v & ~kGlobalTag, nullptr);
  if (!e) return nullptr;
  // An empty block still yields a non-null pointer: the resource exists.
  static const uint8_t kNothing = 0;
  return const_cast<uint8_t*>(e->bytes.empty() ? &kNothing : e->bytes.data());
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  std::lock_guard lock(detail::Mutex());
  uintptr_t serial = reinterpret_cast<uintptr_t>(hResInfo);
  uintptr_t owner = 0;
  if (!hResInfo || (serial & kGlobalTag)) return 0;
  const DataEntry* e = detail::EntryOf(serial, &owner);
  if (!e || (hModule && owner != reinterpret_cast<uintptr_t>(hModule))) return 0;
  return static_cast<DWORD>(e->bytes.size());
}

BOOL FreeResource(HGLOBAL) { return FALSE; }
