// Locale identifiers and the calling thread's error code.
#include <unicode/uloc.h>

#include <map>

#include "locale/locale_internal.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;

LCID LcidOf(const std::string& icuLocale) {
  uint32_t lcid = uloc_getLCID(icuLocale.c_str());
  return lcid ? lcid : 0x0409;
}
}  // namespace

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

LCID GetUserDefaultLCID() { return LcidOf(nbp::regional::Current().locale); }
LCID GetSystemDefaultLCID() {
  return LcidOf(nbp::locale_internal::SettingsFor(LOCALE_SYSTEM_DEFAULT, 0)->locale);
}

namespace nbp::locale_internal {

const regional::Settings* SettingsFor(LCID lcid, DWORD flags) {
  // Other locales carry no user choices, so their settings never change.
  static std::map<std::string, regional::Settings> others;
  auto plain = [](const std::string& id) {
    auto it = others.find(id);
    if (it == others.end()) it = others.emplace(id, regional::ForLocale(id)).first;
    return &it->second;
  };

  const regional::Settings& user = regional::Current();
  LANGID lang = LANGIDFROMLCID(lcid);
  bool isUser = lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_NEUTRAL ||
                lang == LANGIDFROMLCID(LcidOf(user.locale));
  if (isUser) return (flags & LOCALE_NOUSEROVERRIDE) ? plain(ProcessLocaleId()) : &user;
  if (lcid == LOCALE_SYSTEM_DEFAULT) return plain(ProcessLocaleId());
  if (lcid == LOCALE_INVARIANT) return plain("en_US_POSIX");

  char name[ULOC_FULLNAME_CAPACITY] = "";
  UErrorCode status = U_ZERO_ERROR;
  uloc_getLocaleForLCID(lcid, name, sizeof name, &status);
  if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING || !name[0]) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return plain(name);
}

}  // namespace nbp::locale_internal
