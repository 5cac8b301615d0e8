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

// Dialog and control styles used by templates that win/controls.h does not
// define (yet). The guards let the window system's headers define them too.
#ifndef DS_ABSALIGN
#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#endif
#ifndef ES_LEFT
#define ES_LEFT 0x0000L
#define ES_CENTER 0x0001L
#define ES_RIGHT 0x0002L
#define ES_MULTILINE 0x0004L
#define ES_UPPERCASE 0x0008L
#define ES_LOWERCASE 0x0010L
#define ES_PASSWORD 0x0020L
#define ES_AUTOVSCROLL 0x0040L
#define ES_AUTOHSCROLL 0x0080L
#define ES_NOHIDESEL 0x0100L
#define ES_OEMCONVERT 0x0400L
#define ES_READONLY 0x0800L
#define ES_WANTRETURN 0x1000L
#define ES_NUMBER 0x2000L
#endif
#ifndef LBS_NOTIFY
#define LBS_NOTIFY 0x0001L
#define LBS_SORT 0x0002L
#define LBS_NOREDRAW 0x0004L
#define LBS_MULTIPLESEL 0x0008L
#define LBS_OWNERDRAWFIXED 0x0010L
#define LBS_OWNERDRAWVARIABLE 0x0020L
#define LBS_HASSTRINGS 0x0040L
#define LBS_USETABSTOPS 0x0080L
#define LBS_NOINTEGRALHEIGHT 0x0100L
#define LBS_MULTICOLUMN 0x0200L
#define LBS_WANTKEYBOARDINPUT 0x0400L
#define LBS_EXTENDEDSEL 0x0800L
#define LBS_DISABLENOSCROLL 0x1000L
#define LBS_NODATA 0x2000L
#define LBS_NOSEL 0x4000L
#define LBS_STANDARD (LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER)
#endif
#ifndef CBS_SIMPLE
#define CBS_SIMPLE 0x0001L
#define CBS_DROPDOWN 0x0002L
#define CBS_DROPDOWNLIST 0x0003L
#define CBS_OWNERDRAWFIXED 0x0010L
#define CBS_OWNERDRAWVARIABLE 0x0020L
#define CBS_AUTOHSCROLL 0x0040L
#define CBS_SORT 0x0100L
#define CBS_HASSTRINGS 0x0200L
#endif

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
