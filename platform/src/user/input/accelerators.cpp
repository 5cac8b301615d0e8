// Accelerator tables: kept by handle; TranslateAccelerator turns a key
// press or a typed character that an entry names into WM_COMMAND.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "win/resources.h"
#include "win/user.h"

namespace {

std::map<uintptr_t, std::vector<ACCEL>>& Tables() {
  static std::map<uintptr_t, std::vector<ACCEL>> tables;
  return tables;
}

const std::vector<ACCEL>* TableOf(HACCEL handle) {
  auto it = Tables().find(reinterpret_cast<uintptr_t>(handle));
  return it == Tables().end() ? nullptr : &it->second;
}

HACCEL Keep(std::vector<ACCEL> entries) {
  static uintptr_t next = 0xACC0000;
  uintptr_t id = next++;
  Tables()[id] = std::move(entries);
  return reinterpret_cast<HACCEL>(id);
}

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// Virtual-key entries want exactly their modifiers; character entries
// take the character as typed (Shift and Ctrl already made it) and ask
// only about Alt.
bool Matches(const ACCEL& a, const MSG& msg) {
  bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  bool alt = Down(VK_MENU);
  if (a.fVirt & FVIRTKEY) {
    if (!key || msg.wParam != a.key) return false;
    return ((a.fVirt & FSHIFT) != 0) == Down(VK_SHIFT) && ((a.fVirt & FCONTROL) != 0) == Down(VK_CONTROL) &&
           ((a.fVirt & FALT) != 0) == alt;
  }
  bool typed = msg.message == WM_CHAR || msg.message == WM_SYSCHAR;
  return typed && msg.wParam == a.key && ((a.fVirt & FALT) != 0) == alt;
}

}  // namespace

HACCEL CreateAcceleratorTable(LPACCEL entries, int count) {
  if (!entries || count <= 0) return nullptr;
  return Keep(std::vector<ACCEL>(entries, entries + count));
}

BOOL DestroyAcceleratorTable(HACCEL table) { return Tables().erase(reinterpret_cast<uintptr_t>(table)) ? TRUE : FALSE; }

int CopyAcceleratorTable(HACCEL table, LPACCEL entries, int count) {
  const std::vector<ACCEL>* t = TableOf(table);
  if (!t) return 0;
  if (!entries) return static_cast<int>(t->size());
  int n = std::min(count, static_cast<int>(t->size()));
  for (int i = 0; i < n; ++i) entries[i] = (*t)[static_cast<size_t>(i)];
  return n;
}

HACCEL LoadAccelerators(HINSTANCE instance, LPCTSTR name) {
  if (!name) return nullptr;
  if (!instance) instance = AfxGetInstanceHandle();
  const std::vector<uint8_t>* bytes = nbp::res::FindData(instance, RT_ACCELERATOR, name);
  if (!bytes) return nullptr;
  std::vector<ACCEL> entries;
  auto word = [&](size_t at) { return static_cast<WORD>((*bytes)[at] | (*bytes)[at + 1] << 8); };
  for (size_t at = 0; at + 8 <= bytes->size(); at += 8) {
    WORD flags = word(at);
    entries.push_back(ACCEL{static_cast<BYTE>(flags & 0x7F), word(at + 2), word(at + 4)});
    if (flags & 0x80) return Keep(std::move(entries));
  }
  return nullptr;  // no entry marked last: the data ends too soon
}

int TranslateAccelerator(HWND hwnd, HACCEL table, LPMSG msg) {
  const std::vector<ACCEL>* t = TableOf(table);
  if (!t || !msg || !IsWindow(hwnd)) return 0;
  for (const ACCEL& a : *t) {
    if (!Matches(a, *msg)) continue;
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return 1;
  }
  return 0;
}
