#include "HostSubscriptions/subscriptions.h"

#include <string>
#include <vector>

#include "HostShared/settings_file.h"

namespace {

constexpr const char* kHeader = "NbUI subscriptions 1";

struct Loaded {
  std::vector<CSubInfo> subscriptions;
  std::vector<CString> reserved;
};

Loaded& State() {
  static Loaded loaded;
  return loaded;
}

std::string Escape(const CString& field) {
  std::string out;
  for (const char* p = field; *p; ++p) {
    switch (*p) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\\': out += "\\\\"; break;
      default: out += *p;
    }
  }
  return out;
}

// Splits a line at tabs and undoes the escapes; false for a broken escape.
bool SplitFields(const std::string& line, std::vector<CString>& fields) {
  std::string field;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\t') {
      fields.emplace_back(field.c_str());
      field.clear();
    } else if (c == '\\') {
      if (++i == line.size()) return false;
      char e = line[i];
      if (e == 't') field += '\t';
      else if (e == 'n') field += '\n';
      else if (e == '\\') field += '\\';
      else return false;
    } else if (c == '\0' || c == '\r') {
      return false;
    } else {
      field += c;
    }
  }
  fields.emplace_back(field.c_str());
  return true;
}

bool ParseLine(const std::string& line, Loaded& into) {
  std::vector<CString> f;
  if (!SplitFields(line, f)) return false;
  if (f.size() == 5 && f[0] == "subscription" && (f[4] == "0" || f[4] == "1") && !f[1].IsEmpty()) {
    CSubInfo info;
    info.m_strCategory = f[1];
    info.m_strName = f[2];
    info.m_strSource = f[3];
    info.m_bLocked = f[4] == "1";
    into.subscriptions.push_back(info);
    return true;
  }
  if (f.size() == 2 && f[0] == "reserved" && !f[1].IsEmpty()) {
    into.reserved.push_back(f[1]);
    return true;
  }
  return false;
}

bool Valid(int pos) { return pos >= 0 && pos < static_cast<int>(State().subscriptions.size()); }

}  // namespace

CSubInfo::~CSubInfo() = default;

int SubLoadInfo(const CString& strPath) {
  std::string bytes;
  nbhost::FileStamp stamp;
  switch (nbhost::ReadFileCapped(static_cast<LPCTSTR>(strPath), bytes, stamp)) {
    case nbhost::FileRead::kMissing: return SUB_ERR_MISSING;
    case nbhost::FileRead::kUnreadable: return SUB_ERR_IO;
    case nbhost::FileRead::kTooLarge: return SUB_ERR_MALFORMED;
    case nbhost::FileRead::kRead: break;
  }
  Loaded read;
  size_t start = 0;
  bool first = true;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    if (first) {
      if (line != kHeader) return SUB_ERR_MALFORMED;
      first = false;
    } else if (!line.empty() && !ParseLine(line, read)) {
      return SUB_ERR_MALFORMED;
    }
  }
  if (first) return SUB_ERR_MALFORMED;
  State() = std::move(read);
  return SUB_OK;
}

int SubFindInfo(const CString& strName, CSubInfo* pInfo) {
  const auto& subs = State().subscriptions;
  for (size_t i = 0; i < subs.size(); ++i) {
    if (subs[i].m_strCategory.CompareNoCase(strName) == 0) {
      if (pInfo) *pInfo = subs[i];
      return static_cast<int>(i);
    }
  }
  return -1;
}

int SubRemoveInfo(int nPos, int nMode) {
  if (nMode != 2 || !Valid(nPos)) return -1;
  auto& subs = State().subscriptions;
  subs.erase(subs.begin() + nPos);
  return 0;
}

int SubUpdateInfo(int nPos, const CSubInfo* pInfo) {
  if (!pInfo || !Valid(nPos)) return -1;
  auto& subs = State().subscriptions;
  CSubInfo& current = subs[static_cast<size_t>(nPos)];
  bool renamed = current.m_strCategory.CompareNoCase(pInfo->m_strCategory) != 0;
  if (renamed && current.m_bLocked) return SUB_UPDATE_LOCKED;
  for (size_t i = 0; i < subs.size(); ++i) {
    if (static_cast<int>(i) != nPos && subs[i].m_strCategory.CompareNoCase(pInfo->m_strCategory) == 0)
      return SUB_UPDATE_TAKEN;
  }
  current = *pInfo;
  return 0;
}

int SubSaveInfo(const CString& strPath) {
  std::string text = std::string(kHeader) + "\n";
  for (const CSubInfo& s : State().subscriptions) {
    text += "subscription\t" + Escape(s.m_strCategory) + "\t" + Escape(s.m_strName) + "\t" + Escape(s.m_strSource) + "\t" +
            (s.m_bLocked ? "1" : "0") + "\n";
  }
  for (const CString& name : State().reserved) text += "reserved\t" + Escape(name) + "\n";
  return nbhost::ReplaceFile(static_cast<LPCTSTR>(strPath), text) ? SUB_OK : SUB_ERR_IO;
}

int SubDupSubscCategory(const CString& strName) {
  for (const CString& name : State().reserved)
    if (name.CompareNoCase(strName) == 0) return 1;
  return 0;
}

void SubResetInfo() { State() = Loaded{}; }

int SubAddInfo(const CSubInfo& info) {
  State().subscriptions.push_back(info);
  return static_cast<int>(State().subscriptions.size()) - 1;
}

void SubAddReservedName(const CString& strName) { State().reserved.push_back(strName); }

int SubGetCount() { return static_cast<int>(State().subscriptions.size()); }
