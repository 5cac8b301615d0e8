// Dialog templates in the standard binary layout (DLGTEMPLATE followed by
// DLGITEMTEMPLATE items, not the extended form), written from a readable
// description and read back by the same code.
//
// Layout, all numbers little-endian:
//
//   DWORD style, DWORD exStyle, WORD item count, short x, y, cx, cy
//   menu    0x0000 | 0xFFFF ordinal | UTF-16 name, zero-terminated
//   class   0x0000 | 0xFFFF ordinal | UTF-16 name
//   title   UTF-16 text, zero-terminated
//   [DS_SETFONT only] WORD point size, UTF-16 face name
//   items, each starting on a DWORD boundary (counted from the template's
//   first byte):
//     DWORD style, DWORD exStyle, short x, y, cx, cy, WORD id
//     class   0xFFFF atom (0x80 Button ... 0x85 ComboBox) | UTF-16 name
//     title   0xFFFF ordinal | UTF-16 text
//     WORD creation-data size: 0 for none, else the size in bytes of the
//     creation data including this word, followed by the data
//
// Coordinates are dialog units. Strings are UTF-8 on this side of the API.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win/controls.h"
#include "win/types.h"
#include "win/user_constants.h"

namespace nbp {

// Atoms of the built-in control classes in a template's class field.
enum class DialogClass : WORD {
  Button = 0x0080,
  Edit = 0x0081,
  Static = 0x0082,
  ListBox = 0x0083,
  ScrollBar = 0x0084,
  ComboBox = 0x0085,
};

// A name field that is either absent, a number (0xFFFF + ordinal) or text.
struct DialogName {
  WORD ordinal = 0;  // used when nonzero
  std::string text;  // UTF-8, used when ordinal is 0; empty = absent

  bool IsOrdinal() const { return ordinal != 0; }
  bool IsEmpty() const { return ordinal == 0 && text.empty(); }
  bool operator==(const DialogName&) const = default;
};

struct DialogItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  WORD id = 0;
  // The built-in class as its atom, or a registered class by name.
  DialogName windowClass;
  // Initial text, or a resource ordinal (an icon or bitmap of a static).
  DialogName title;
  std::vector<uint8_t> creationData;  // without the leading size word

  // The atom of a built-in class, or 0 for a class given by name.
  WORD ClassAtom() const { return windowClass.ordinal; }
  bool operator==(const DialogItem&) const = default;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DialogName menu;
  DialogName windowClass;
  std::string title;
  // Present exactly when style has DS_SETFONT.
  WORD pointSize = 0;
  std::string faceName;
  std::vector<DialogItem> items;

  // The item with that control id, or null.
  const DialogItem* FindItem(WORD id) const;
  bool operator==(const DialogTemplate&) const = default;
};

// Builds template bytes in the order a resource script reads: the dialog's
// frame first, then one line per control. The control helpers add the
// styles a resource compiler adds for the same statement (WS_CHILD |
// WS_VISIBLE, WS_TABSTOP for buttons and edits, WS_GROUP for static text),
// so that `extraStyle` names only what is particular to the control.
class DialogTemplateWriter {
 public:
  DialogTemplateWriter(DWORD style, short x, short y, short cx, short cy, const char* title);

  // The dialog's font; sets DS_SETFONT.
  DialogTemplateWriter& Font(WORD pointSize, const char* faceName);
  DialogTemplateWriter& ExStyle(DWORD exStyle);
  DialogTemplateWriter& Menu(DialogName menu);
  DialogTemplateWriter& Class(DialogName windowClass);

  // Any control: style is taken as given (add WS_CHILD | WS_VISIBLE yourself).
  DialogTemplateWriter& Control(DialogItem item);
  DialogTemplateWriter& Control(DialogClass cls, const char* text, WORD id, short x, short y, short cx, short cy,
                                DWORD style, DWORD exStyle = 0);

  DialogTemplateWriter& DefPushButton(const char* text, WORD id, short x, short y, short cx, short cy,
                                      DWORD extraStyle = 0);
  DialogTemplateWriter& PushButton(const char* text, WORD id, short x, short y, short cx, short cy,
                                   DWORD extraStyle = 0);
  DialogTemplateWriter& AutoRadioButton(const char* text, WORD id, short x, short y, short cx, short cy,
                                        DWORD extraStyle = 0);
  DialogTemplateWriter& AutoCheckBox(const char* text, WORD id, short x, short y, short cx, short cy,
                                     DWORD extraStyle = 0);
  DialogTemplateWriter& GroupBox(const char* text, WORD id, short x, short y, short cx, short cy,
                                 DWORD extraStyle = 0);
  DialogTemplateWriter& LText(const char* text, WORD id, short x, short y, short cx, short cy,
                              DWORD extraStyle = 0);
  DialogTemplateWriter& CText(const char* text, WORD id, short x, short y, short cx, short cy,
                              DWORD extraStyle = 0);
  DialogTemplateWriter& EditText(WORD id, short x, short y, short cx, short cy, DWORD extraStyle = 0);
  DialogTemplateWriter& ListBox(WORD id, short x, short y, short cx, short cy, DWORD extraStyle = 0);

  const DialogTemplate& Description() const { return t_; }
  std::vector<uint8_t> Bytes() const;

 private:
  DialogTemplate t_;
};

// The template's bytes. Text that is not valid UTF-8 is written with U+FFFD
// in place of each stray byte and ends at an embedded zero. A template with
// more than 65535 items cannot be expressed: the result is then empty.
std::vector<uint8_t> WriteDialogTemplate(const DialogTemplate& t);

// Reads a template. Refuses (nullopt) anything truncated or malformed:
// bytes ending inside a field or string, an unterminated string, UTF-16 with
// an unpaired surrogate, an ordinal 0 (0xFFFF 0x0000), a creation-data size
// of 1 or one running past the end, or an extended (0xFFFF0001-headed)
// template. Bytes after the last item
// are ignored, as resource data may be padded.
std::optional<DialogTemplate> ParseDialogTemplate(const uint8_t* data, size_t size);
inline std::optional<DialogTemplate> ParseDialogTemplate(const std::vector<uint8_t>& bytes) {
  return ParseDialogTemplate(bytes.data(), bytes.size());
}

}  // namespace nbp
