// Bytes of a menu resource, as a resource compiler writes a MENU statement
// (the standard template, version 0): for programs and tests that keep their
// menus as data (nbp::res::AddData with RT_MENU) and load them by number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nbp/utf8_step.h"
#include "win/user_constants.h"

namespace nbp {

struct MenuTemplateItem {
  uint16_t id;       // 0 with an empty text: a separator
  std::string text;  // UTF-8
};

// A menu bar holding one popup, `title`, with `items`: LoadMenu gives a
// menu whose first submenu lists them.
inline std::vector<uint8_t> PopupMenuTemplate(const std::string& title, const std::vector<MenuTemplateItem>& items) {
  std::vector<uint8_t> out;
  auto word = [&out](uint32_t w) {
    out.push_back(static_cast<uint8_t>(w & 0xFF));
    out.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
  };
  auto text = [&word](const std::string& s) {
    for (size_t i = 0; i < s.size();) {
      size_t len = utf8::CharLen(s.data() + i, s.size() - i);
      uint32_t c = len ? utf8::Decode(s.data() + i, len) : 0xFFFD;
      i += len ? len : 1;
      if (c >= 0x10000) {
        word(0xD800 + ((c - 0x10000) >> 10));
        word(0xDC00 + ((c - 0x10000) & 0x3FF));
      } else {
        word(c);
      }
    }
    word(0);
  };
  constexpr uint16_t kEnd = 0x80;
  word(0);  // version
  word(0);  // header size
  word(MF_POPUP | kEnd);
  text(title);
  for (size_t k = 0; k < items.size(); ++k) {
    // A separator is written as an empty item without flags, as a resource
    // compiler writes MENUITEM SEPARATOR.
    uint16_t option = k + 1 == items.size() ? kEnd : 0;
    word(option);
    word(items[k].id);
    text(items[k].text);
  }
  return out;
}

}  // namespace nbp
