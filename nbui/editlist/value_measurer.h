// The value measurer: one hidden multi-line edit shared by every edit list
// of the process, used only to count the lines a value wraps to. It is made
// the first time a list measures (as that list's child) and made again under
// the measuring list should its parent have gone.
#pragma once

#include "mfc/geometry.h"
#include "mfc/wnd.h"

namespace nbui::editlist {

// The lines `value` takes in a box of that size with the theme's font;
// 0 when the measurer cannot be made.
int MeasureValueLines(CWnd* list, const char* value, const CRect& box, int rowHeight);
// Destroys the measurer; the library calls it when it is unloaded.
void DestroyValueMeasurer();

}  // namespace nbui::editlist
