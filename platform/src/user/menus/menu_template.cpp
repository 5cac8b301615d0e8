// Menus from templates: the standard format (MENUITEMTEMPLATEHEADER, version
// 0) and the extended one (version 1), with UTF-16LE texts turned into UTF-8.
//
// Standard item:  WORD option; [WORD id unless MF_POPUP]; WCHAR text[]
// Extended item:  DWORD type, state, id; WORD resInfo; WCHAR text[];
//                 padding to a DWORD; [DWORD helpId if it opens a submenu]
// The items of a submenu follow its item; MF_END (0x80 in the option word,
// or in resInfo) marks the last item of each level.
#include <cstring>
#include <string>

#include "nbp/utf8_step.h"
#include "user/menus/menu.h"
#include "win/resources.h"

namespace nbp::user {
namespace {

constexpr UINT kEnd = 0x80;
constexpr int kMaxNesting = 32;

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  size_t pos() const { return pos_; }
  void Seek(size_t pos) {
    if (pos > size_) ok_ = false;
    else pos_ = pos;
  }
  void AlignDword() { Seek((pos_ + 3) & ~static_cast<size_t>(3)); }

  uint16_t Word() {
    if (!Has(2)) return 0;
    uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t Dword() {
    uint32_t lo = Word();
    uint32_t hi = Word();
    return lo | (hi << 16);
  }

  // A zero-terminated UTF-16LE string, as UTF-8; unpaired surrogates become
  // U+FFFD.
  std::string Text() {
    std::string out;
    for (;;) {
      uint32_t c = Word();
      if (!ok_ || c == 0) break;
      if (c >= 0xD800 && c <= 0xDBFF) {
        size_t save = pos_;
        uint32_t low = Word();
        if (!ok_) break;  // no terminating zero
        if (low >= 0xDC00 && low <= 0xDFFF) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        } else {
          pos_ = save;
          c = 0xFFFD;
        }
      } else if (c >= 0xDC00 && c <= 0xDFFF) {
        c = 0xFFFD;
      }
      AppendUtf8(c, &out);
    }
    return out;
  }

 private:
  bool Has(size_t n) {
    if (!ok_ || size_ - pos_ < n) {
      ok_ = false;
      return false;
    }
    return true;
  }
  static void AppendUtf8(uint32_t c, std::string* out) {
    char bytes[4];
    out->append(bytes, nbp::utf8::Encode(c, bytes));
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// Appends one item; a submenu item brings a new popup menu that `fill` fills.
template <typename Fill>
bool AddItem(HMENU menu, UINT flags, UINT id, const std::string& text, Fill fill) {
  if (flags & MF_POPUP) {
    HMENU sub = CreatePopupMenu();
    if (!fill(sub) || !AppendMenu(menu, flags, reinterpret_cast<UINT_PTR>(sub), text.c_str())) {
      DestroyMenu(sub);
      return false;
    }
    return true;
  }
  // A template has no bitmap to give, and an owner-drawn item's data is 0.
  flags &= ~MF_BITMAP;
  bool textless = (flags & (MF_SEPARATOR | MF_OWNERDRAW)) != 0;
  return AppendMenu(menu, flags, id, textless ? nullptr : text.c_str()) != FALSE;
}

bool ReadStandard(Reader& r, HMENU menu, int depth) {
  if (depth > kMaxNesting) return false;
  for (;;) {
    UINT option = r.Word();
    UINT id = (option & MF_POPUP) ? 0 : r.Word();
    std::string text = r.Text();
    if (!r.ok()) return false;
    UINT flags = option & ~kEnd;
    // "MENUITEM SEPARATOR" is stored as an empty item without id or flags.
    if (!(flags & MF_POPUP) && id == 0 && flags == 0 && text.empty()) flags |= MF_SEPARATOR;
    auto fill = [&](HMENU sub) { return ReadStandard(r, sub, depth + 1); };
    if (!AddItem(menu, flags, id, text, fill)) return false;
    if (option & kEnd) return true;
  }
}

bool ReadExtended(Reader& r, HMENU menu, int depth) {
  if (depth > kMaxNesting) return false;
  for (;;) {
    UINT type = r.Dword();
    UINT state = r.Dword();
    UINT id = r.Dword();
    UINT resInfo = r.Word();
    std::string text = r.Text();
    r.AlignDword();
    bool popup = (resInfo & 0x01) != 0;
    if (popup) r.Dword();  // help id
    if (!r.ok()) return false;
    UINT flags = (type & kTypeBits & ~MF_POPUP) | (state & kStateBits) | (popup ? MF_POPUP : 0);
    auto fill = [&](HMENU sub) { return ReadExtended(r, sub, depth + 1); };
    if (!AddItem(menu, flags, id, text, fill)) return false;
    if (resInfo & kEnd) return true;
  }
}

}  // namespace

// Builds a menu from template bytes; NULL when they are malformed.
HMENU MenuFromTemplate(const uint8_t* data, size_t size) {
  if (!data) return nullptr;
  Reader r(data, size);
  UINT version = r.Word();
  UINT offset = r.Word();
  if (!r.ok() || version > 1) return nullptr;
  r.Seek(4 + static_cast<size_t>(offset));
  if (!r.ok()) return nullptr;
  HMENU menu = CreateMenu();
  bool ok = version == 0 ? ReadStandard(r, menu, 0) : ReadExtended(r, menu, 0);
  if (!ok) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

}  // namespace nbp::user

HMENU LoadMenuIndirect(const void* menuTemplate) {
  // The template's size is not known: like Windows, trust its end markers.
  return nbp::user::MenuFromTemplate(static_cast<const uint8_t*>(menuTemplate), SIZE_MAX);
}

HMENU LoadMenu(HINSTANCE instance, LPCTSTR name) {
  if (!name) return nullptr;
  if (!instance) instance = AfxGetInstanceHandle();
  const std::vector<uint8_t>* bytes = nbp::res::FindData(instance, RT_MENU, name);
  if (!bytes) return nullptr;
  return nbp::user::MenuFromTemplate(bytes->data(), bytes->size());
}
