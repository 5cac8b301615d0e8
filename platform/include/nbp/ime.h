// The desktop's input method: text it composes reaches the window with the
// keyboard focus as WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION and
// WM_IME_ENDCOMPOSITION, and the window reads it from its input context
// (ImmGetContext, ImmGetCompositionStringA).
#pragma once

#include <string>

#include "nbp/headless.h"
#include "nbp/test_driver.h"

namespace nbp::ime {

// A composition in progress: the focus window gets WM_IME_STARTCOMPOSITION
// (for the first change) and WM_IME_COMPOSITION with GCS_COMPSTR. False when
// no window has the focus.
bool Compose(const std::string& utf8);
// The composition is finished with `utf8` as its result: the focus window
// gets WM_IME_STARTCOMPOSITION (unless composing already), WM_IME_COMPOSITION
// with GCS_RESULTSTR, then WM_IME_ENDCOMPOSITION, all sent at once. The
// result stays readable until the next composition starts. False when no
// window has the focus.
bool Commit(const std::string& utf8);
// The composition is abandoned: the focus window gets WM_IME_COMPOSITION
// with an empty GCS_COMPSTR, then WM_IME_ENDCOMPOSITION. False when nothing
// was being composed or no window has the focus.
bool Cancel();
// True between the start of a composition and its commit or cancel.
bool Composing();

}  // namespace nbp::ime

namespace nbp::test {

// Types text through the input method, as a user of one would: the focus
// window receives the composition messages, then pending messages run.
inline void ImeType(const std::string& utf8) {
  ime::Commit(utf8);
  HeadlessDesktop* headless = Headless();
  if (headless && headless->RunningIdleStep()) return;
  Pump();
}

}  // namespace nbp::test
