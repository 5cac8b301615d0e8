#include "nbp/dialog_template.h"

#include <algorithm>
#include <cstring>

#include "nbp/utf8_step.h"

namespace nbp {
namespace {

constexpr WORD kOrdinalMark = 0xFFFF;
constexpr DWORD kExtendedMark = 0xFFFF0001u;

// --- Writing

class ByteSink {
 public:
  void Word(WORD w) {
    bytes_.push_back(static_cast<uint8_t>(w));
    bytes_.push_back(static_cast<uint8_t>(w >> 8));
  }
  void Dword(DWORD d) {
    Word(static_cast<WORD>(d));
    Word(static_cast<WORD>(d >> 16));
  }
  void Short(short s) { Word(static_cast<WORD>(s)); }
  void Raw(const std::vector<uint8_t>& data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
  void AlignDword() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }

  // UTF-8 to zero-terminated UTF-16LE. A stray byte becomes U+FFFD and an
  // embedded zero ends the text, so the result always reads back.
  void Text(const std::string& utf8) {
    const char* p = utf8.data();
    size_t left = utf8.size();
    while (left > 0 && *p != '\0') {
      size_t len = utf8::CharLen(p, left);
      uint32_t cp = utf8::Decode(p, len);
      if (cp >= utf8::kStrayBase) cp = 0xFFFD;
      if (cp >= 0x10000) {
        cp -= 0x10000;
        Word(static_cast<WORD>(0xD800 + (cp >> 10)));
        Word(static_cast<WORD>(0xDC00 + (cp & 0x3FF)));
      } else {
        Word(static_cast<WORD>(cp));
      }
      p += len;
      left -= len;
    }
    Word(0);
  }

  void Name(const DialogName& name) {
    if (name.IsOrdinal()) {
      Word(kOrdinalMark);
      Word(name.ordinal);
    } else {
      Text(name.text);
    }
  }

  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

// --- Reading

class ByteSource {
 public:
  ByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  size_t pos() const { return pos_; }

  WORD Word() {
    if (!Need(2)) return 0;
    WORD w = static_cast<WORD>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return w;
  }
  DWORD Dword() {
    DWORD lo = Word();
    DWORD hi = Word();
    return lo | (hi << 16);
  }
  short Short() { return static_cast<short>(Word()); }

  void AlignDword() {
    size_t aligned = (pos_ + 3) & ~size_t{3};
    if (aligned > size_) {
      ok_ = false;
      return;
    }
    pos_ = aligned;
  }

  std::vector<uint8_t> Raw(size_t n) {
    if (!Need(n)) return {};
    std::vector<uint8_t> out(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return out;
  }

  // Zero-terminated UTF-16LE to UTF-8. The first unit may already have been
  // read by the caller (to look for the ordinal mark).
  std::string Text(WORD first) {
    std::string out;
    WORD unit = first;
    while (ok_ && unit != 0) {
      uint32_t cp = unit;
      if (unit >= 0xD800 && unit <= 0xDBFF) {
        WORD low = Word();
        if (!ok_ || low < 0xDC00 || low > 0xDFFF) return Fail();
        cp = 0x10000 + ((static_cast<uint32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
      } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
        return Fail();
      }
      char buf[4];
      out.append(buf, utf8::Encode(cp, buf));
      unit = Word();
    }
    return ok_ ? out : Fail();
  }

  DialogName Name() {
    DialogName name;
    WORD first = Word();
    if (!ok_) return name;
    if (first == kOrdinalMark) {
      name.ordinal = Word();
      if (ok_ && name.ordinal == 0) ok_ = false;
      return name;
    }
    name.text = Text(first);
    return name;
  }

 private:
  bool Need(size_t n) {
    if (!ok_ || n > size_ - pos_) {
      ok_ = false;
      return false;
    }
    return true;
  }
  std::string Fail() {
    ok_ = false;
    return {};
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

const DialogItem* DialogTemplate::FindItem(WORD id) const {
  for (const DialogItem& item : items)
    if (item.id == id) return &item;
  return nullptr;
}

std::vector<uint8_t> WriteDialogTemplate(const DialogTemplate& t) {
  if (t.items.size() > 0xFFFF) return {};
  for (const DialogItem& item : t.items)
    if (item.creationData.size() > 0xFFFF - 2) return {};
  ByteSink out;
  out.Dword(t.style);
  out.Dword(t.exStyle);
  out.Word(static_cast<WORD>(t.items.size()));
  out.Short(t.x);
  out.Short(t.y);
  out.Short(t.cx);
  out.Short(t.cy);
  out.Name(t.menu);
  out.Name(t.windowClass);
  out.Text(t.title);
  if (t.style & DS_SETFONT) {
    out.Word(t.pointSize);
    out.Text(t.faceName);
  }
  for (const DialogItem& item : t.items) {
    out.AlignDword();
    out.Dword(item.style);
    out.Dword(item.exStyle);
    out.Short(item.x);
    out.Short(item.y);
    out.Short(item.cx);
    out.Short(item.cy);
    out.Word(item.id);
    out.Name(item.windowClass);
    out.Name(item.title);
    if (item.creationData.empty()) {
      out.Word(0);
    } else {
      out.Word(static_cast<WORD>(item.creationData.size() + 2));
      out.Raw(item.creationData);
    }
  }
  return out.Take();
}

std::optional<DialogTemplate> ParseDialogTemplate(const uint8_t* data, size_t size) {
  if (!data) return std::nullopt;
  ByteSource in(data, size);
  DialogTemplate t;
  t.style = in.Dword();
  if (in.ok() && t.style == kExtendedMark) return std::nullopt;
  t.exStyle = in.Dword();
  WORD count = in.Word();
  t.x = in.Short();
  t.y = in.Short();
  t.cx = in.Short();
  t.cy = in.Short();
  t.menu = in.Name();
  t.windowClass = in.Name();
  t.title = in.Text(in.Word());
  if (t.style & DS_SETFONT) {
    t.pointSize = in.Word();
    t.faceName = in.Text(in.Word());
  }
  if (!in.ok()) return std::nullopt;
  // The smallest item takes 24 bytes; a count the bytes cannot hold fails
  // below, without reserving room for it first.
  t.items.reserve(std::min<size_t>(count, size / 24));
  for (WORD i = 0; i < count; ++i) {
    DialogItem item;
    in.AlignDword();
    item.style = in.Dword();
    item.exStyle = in.Dword();
    item.x = in.Short();
    item.y = in.Short();
    item.cx = in.Short();
    item.cy = in.Short();
    item.id = in.Word();
    item.windowClass = in.Name();
    item.title = in.Name();
    WORD extra = in.Word();
    if (extra == 1) return std::nullopt;
    if (extra > 1) item.creationData = in.Raw(extra - 2u);
    if (!in.ok()) return std::nullopt;
    t.items.push_back(std::move(item));
  }
  return t;
}

// --- The readable side

DialogTemplateWriter::DialogTemplateWriter(DWORD style, short x, short y, short cx, short cy, const char* title) {
  t_.style = style;
  t_.x = x;
  t_.y = y;
  t_.cx = cx;
  t_.cy = cy;
  t_.title = title ? title : "";
}

DialogTemplateWriter& DialogTemplateWriter::Font(WORD pointSize, const char* faceName) {
  t_.style |= DS_SETFONT;
  t_.pointSize = pointSize;
  t_.faceName = faceName ? faceName : "";
  return *this;
}

DialogTemplateWriter& DialogTemplateWriter::ExStyle(DWORD exStyle) {
  t_.exStyle = exStyle;
  return *this;
}

DialogTemplateWriter& DialogTemplateWriter::Menu(DialogName menu) {
  t_.menu = std::move(menu);
  return *this;
}

DialogTemplateWriter& DialogTemplateWriter::Class(DialogName windowClass) {
  t_.windowClass = std::move(windowClass);
  return *this;
}

DialogTemplateWriter& DialogTemplateWriter::Control(DialogItem item) {
  t_.items.push_back(std::move(item));
  return *this;
}

DialogTemplateWriter& DialogTemplateWriter::Control(DialogClass cls, const char* text, WORD id, short x, short y,
                                                    short cx, short cy, DWORD style, DWORD exStyle) {
  DialogItem item;
  item.style = style;
  item.exStyle = exStyle;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  item.id = id;
  item.windowClass.ordinal = static_cast<WORD>(cls);
  item.title.text = text ? text : "";
  return Control(std::move(item));
}

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
}

DialogTemplateWriter& DialogTemplateWriter::DefPushButton(const char* text, WORD id, short x, short y, short cx,
                                                          short cy, DWORD extraStyle) {
  return Control(DialogClass::Button, text, id, x, y, cx, cy,
                 kChild | WS_TABSTOP | BS_DEFPUSHBUTTON | extraStyle);
}

DialogTemplateWriter& DialogTemplateWriter::PushButton(const char* text, WORD id, short x, short y, short cx,
                                                       short cy, DWORD extraStyle) {
  return Control(DialogClass::Button, text, id, x, y, cx, cy, kChild | WS_TABSTOP | BS_PUSHBUTTON | extraStyle);
}

DialogTemplateWriter& DialogTemplateWriter::AutoRadioButton(const char* text, WORD id, short x, short y, short cx,
                                                            short cy, DWORD extraStyle) {
  return Control(DialogClass::Button, text, id, x, y, cx, cy, kChild | BS_AUTORADIOBUTTON | extraStyle);
}

DialogTemplateWriter& DialogTemplateWriter::AutoCheckBox(const char* text, WORD id, short x, short y, short cx,
                                                         short cy, DWORD extraStyle) {
  return Control(DialogClass::Button, text, id, x, y, cx, cy,
                 kChild | WS_TABSTOP | BS_AUTOCHECKBOX | extraStyle);
}

DialogTemplateWriter& DialogTemplateWriter::GroupBox(const char* text, WORD id, short x, short y, short cx,
                                                     short cy, DWORD extraStyle) {
  return Control(DialogClass::Button, text, id, x, y, cx, cy, kChild | BS_GROUPBOX | extraStyle);
}

DialogTemplateWriter& DialogTemplateWriter::LText(const char* text, WORD id, short x, short y, short cx, short cy,
                                                  DWORD extraStyle) {
  return Control(DialogClass::Static, text, id, x, y, cx, cy, kChild | WS_GROUP | SS_LEFT | extraStyle);
}

DialogTemplateWriter& DialogTemplateWriter::CText(const char* text, WORD id, short x, short y, short cx, short cy,
                                                  DWORD extraStyle) {
  return Control(DialogClass::Static, text, id, x, y, cx, cy, kChild | WS_GROUP | SS_CENTER | extraStyle);
}

DialogTemplateWriter& DialogTemplateWriter::EditText(WORD id, short x, short y, short cx, short cy,
                                                     DWORD extraStyle) {
  return Control(DialogClass::Edit, "", id, x, y, cx, cy, kChild | WS_TABSTOP | WS_BORDER | ES_LEFT | extraStyle);
}

DialogTemplateWriter& DialogTemplateWriter::ListBox(WORD id, short x, short y, short cx, short cy,
                                                    DWORD extraStyle) {
  return Control(DialogClass::ListBox, "", id, x, y, cx, cy, kChild | WS_BORDER | extraStyle);
}

std::vector<uint8_t> DialogTemplateWriter::Bytes() const { return WriteDialogTemplate(t_); }

}  // namespace nbp
