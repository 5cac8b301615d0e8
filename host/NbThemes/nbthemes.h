// The theme service: colors, fonts and bitmaps of numbered theme items, the
// painting of item backgrounds, and the color slot of each category.
//
// Item numbers the default theme supplies, and what they are for:
//
//   13  owner-drawn swatch list items      38  header of a selected card
//   19  tab strip (kind 75, beveled)       39  focus mark
//   21  bitmap button caption
//   23  edit list label and value text     41  edit list background
//   27  frame of a selected value box      42  day of the shown month
//   34  card view background               43  day of a neighbour month
//   35  card header (gradient)             44  date picker title (gradient)
//   36  card body                          45  weekday row
//   46  calendar grid lines                47  today's date
//   49  selected date                      68  photo area of a card
//
// Every item has four colors (NbThemeGetItemColors): the background, a light
// edge, a shadow edge and a foreground (text or accent) color, and an info
// record (NbThemeGetItemInfo) with its kind, the two ends of its background
// (equal for a plain background), the gradient mode and the text color.
//
// Bitmaps drawn by the theme use pure red, RGB(255, 0, 0), for the pixels
// that let the background show where the caller asks for transparency.
//
// Everything runs on the user-interface thread. Fonts and bitmaps returned
// belong to the theme and live as long as the process; callers never delete
// them.
#pragma once

#include "HostShared/language_module.h"
#include "mfc/dc.h"
#include "mfc/gdiobj.h"
#include "win/gdi.h"
#include "win/types.h"
#include "nbhost_export.h"

// Kinds of item.
#define NB_THEME_KIND_BEVEL 75     // 'K': a plain background with beveled lines drawn by the caller
#define NB_THEME_KIND_GRADIENT 77  // 'M': a gradient background
#define NB_THEME_KIND_SOLID 83     // 'S': a plain background

// Gradient modes (NbThemeFillGradient, and the record of a gradient item).
#define NB_THEME_GRADIENT_NONE 0        // a plain fill in the first color
#define NB_THEME_GRADIENT_VERTICAL 1    // top to bottom
#define NB_THEME_GRADIENT_HORIZONTAL 2  // left to right
#define NB_THEME_GRADIENT_SHEEN 6       // left to right, the upper half lighter by 24

// Items of the date picker's calendars (the title's item is the control's
// attribute selector; NB_THEME_ITEM_CAL_TITLE is its default).
#define NB_THEME_ITEM_CAL_DAYS 42        // day cells of the calendar's own month
#define NB_THEME_ITEM_CAL_OTHER_DAYS 43  // neighbour-month days and days before the start date
#define NB_THEME_ITEM_CAL_TITLE 44       // title, labels, hot and pressed frames, marked event days
#define NB_THEME_ITEM_CAL_WEEKDAYS 45    // the weekday letters row
#define NB_THEME_ITEM_CAL_GRID 46        // grid lines, frame and the selected week row
#define NB_THEME_ITEM_CAL_TODAY 47       // today's day number
#define NB_THEME_ITEM_CAL_SELECTED 49    // the selected day and its focus frame

// Section and keys of the category slots in the settings file:
// "Category0" ... "Category15" = slot 1 ... 16.
#define NB_SETTINGS_CATEGORY_COLORS "Category Colors"

struct NBTHEMEITEMINFO {
  int nKind;           // NB_THEME_KIND_*
  COLORREF crColor1;   // background, or the gradient's start
  COLORREF crColor2;   // the gradient's end; equal to crColor1 for a plain background
  int nGradientMode;   // NB_THEME_GRADIENT_*
  COLORREF crText;
};

// 0 when the theme supplies the item and *pInfo is filled; nonzero for an
// unknown item or a null pInfo (the record is then left as it is).
NBHOST_API int NbThemeGetItemInfo(int nItem, NBTHEMEITEMINFO* pInfo);

// The item's four colors into the pointers that are not null. 0 when the
// theme supplies the item; for an unknown item the colors are the system's
// button face, highlight, shadow and window text, and the result nonzero.
NBHOST_API int NbThemeGetItemColors(int nItem, COLORREF* pcr1, COLORREF* pcr2, COLORREF* pcr3, COLORREF* pcr4);

// The item's background over lpRect: a plain fill or its gradient. Nonzero
// when painted; an unknown item, a null DC or rectangle paint nothing.
NBHOST_API int NbThemeFillItem(CDC* pDC, LPCRECT lpRect, int nItem, int nReserved = 0);
// The muted second style (content that is hidden): the item's background
// color lightened by 48, crossed by a thin diagonal hatch in that color.
NBHOST_API int NbThemeFillItemAlt(CDC* pDC, LPCRECT lpRect, int nItem, int nReserved = 0);
// A gradient from crFrom to crTo; the first and last column (row, for a
// vertical gradient) have exactly the end colors. Modes as above; any other
// mode fills with crFrom.
NBHOST_API void NbThemeFillGradient(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, int nMode);

// The color at nStep of nSteps from crFrom to crTo, each channel rounded to
// the nearest value: step 0 is crFrom, step nSteps is crTo. A step outside
// 0 to nSteps is taken as the nearer end; nSteps <= 0 gives crFrom.
NBHOST_API COLORREF NbThemeBlendColor(COLORREF crFrom, COLORREF crTo, int nSteps, int nStep);
// nAmount added to each channel, clamped to 0 ... 255: lighter for a
// positive amount, darker for a negative one.
NBHOST_API COLORREF NbThemeShadeColor(COLORREF cr, int nAmount);

// A line with the DC's selected pen, from (x1, y1) up to but not including
// (x2, y2), as LineTo draws it. The current position ends at (x2, y2).
NBHOST_API BOOL NbThemeDrawLine(CDC* pDC, int x1, int y1, int x2, int y2);

// DrawText in the item's text color (the DC's text color is restored).
// Returns the height DrawText returns; 0 and nothing drawn for an unknown
// item or null arguments.
NBHOST_API int NbThemeDrawItemText(CDC* pDC, LPCTSTR lpszText, LPRECT lpRect, int nItem, int nReserved,
                                   UINT nFormat);
// The text of a label that opens a menu: as NbThemeDrawItemText, with a small
// down-pointing mark (5 pixels wide, 3 high) 3 pixels after the end of the
// text, in the text color. The mark's room (8 pixels) is taken from the
// rectangle's right, so right-aligned text moves left to make room.
NBHOST_API int NbThemeDrawMenuText(CDC* pDC, LPCTSTR lpszText, LPRECT lpRect, int nItem, int nReserved,
                                   UINT nFormat);

// A 1-pixel dotted frame just inside lpRect: pixels alternate between the
// item's text color and the DC's background color (set that first). Nonzero
// when drawn.
NBHOST_API int NbThemeDrawFocus(CDC* pDC, LPCRECT lpRect, int nItem);
// A vertical separator over a rectangle one pixel wide: crColor2 in the
// middle fading to crColor1 at the top and bottom ends.
NBHOST_API void NbThemeDrawSeparator(CDC* pDC, LPCRECT lpRect, COLORREF crColor1, COLORREF crColor2);
// A triangle filled with cr, edges included.
NBHOST_API void NbThemeFillTriangle(POINT pt1, POINT pt2, POINT pt3, CDC* pDC, COLORREF cr);

// The whole bitmap with its top-left corner at (x, y); pixels of
// crTransparent are left out. FALSE for a null DC or bitmap.
NBHOST_API BOOL NbThemeDrawTransparentBitmap(CDC* pDC, CBitmap* pBitmap, int x, int y, COLORREF crTransparent);
// The bitmap centred in lpRect, scaled down (keeping its proportions) when
// it is larger; pure red pixels are left out.
NBHOST_API BOOL NbThemeDrawBitmapInRect(CDC* pDC, CBitmap* pBitmap, LPCRECT lpRect, int nReserved = 0);
// The part of the bitmap that starts at (xSrc, ySrc), copied into lpRect
// (no scaling, no transparency); what lies beyond the bitmap is not drawn.
NBHOST_API BOOL NBDrawPartialBitmap(CDC* pDC, CBitmap* pBitmap, LPCRECT lpRect, int xSrc, int ySrc);

// The theme's fonts (DejaVu Sans, 12 and 10 pixels high). The argument of
// NbThemeGetFont is ignored.
NBHOST_API CFont* NbThemeGetFont(int nReserved = 0);
NBHOST_API CFont* NbThemeGetBoldFont();
NBHOST_API CFont* NbThemeGetSmallFont();
NBHOST_API CFont* NbThemeGetSmallBoldFont();
// An 8 x 8 monochrome checkerboard for pattern brushes: with it, a brush
// paints the DC's text color and background color in alternate pixels.
NBHOST_API CBitmap* NbThemeGetPatternBitmap();

// The color of slot 1 ... 16; CLR_INVALID for any other slot.
NBHOST_API COLORREF NbThemeGetSlotColor(int nSlot);
// The slot of category 0 ... 15 (category n starts with slot n + 1 until one
// is set); 0 for any other category.
NBHOST_API int NbThemeGetCategorySlot(int nCategory);
// Gives the category the slot, at once and in the settings file (section
// NB_SETTINGS_CATEGORY_COLORS), so that it outlives the program. FALSE, and
// nothing changes, for a category or slot out of range; FALSE too when the
// settings file could not be written (the slot then holds until the
// program ends).
NBHOST_API BOOL NbThemeSetCategorySlot(int nCategory, int nSlot);
// Forgets the slots held in memory: the next call reads the settings file
// again, as a new start of the program would.
NBHOST_API void NbThemeReloadCategorySlots();
