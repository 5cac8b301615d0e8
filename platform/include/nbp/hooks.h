// Hooks the framework layer sets into the window system.
#pragma once

#include "win/types.h"

namespace nbp {

// Called for every new window before it receives its first message, so that
// the framework can attach its object to the window and take over the
// window's procedure (as the framework's creation hook does).
using CreateHook = void (*)(HWND hwnd);
void SetCreateHook(CreateHook hook);

}  // namespace nbp
