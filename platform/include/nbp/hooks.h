// Hooks the framework layer sets into the window system.
#pragma once

#include "win/messages.h"
#include "win/types.h"

namespace nbp {

// Called for every new window before it receives its first message, so that
// the framework can attach its object to the window and take over the
// window's procedure (as the framework's creation hook does).
using CreateHook = void (*)(HWND hwnd);
void SetCreateHook(CreateHook hook);

// The framework's pre-translation of a retrieved message (PreTranslateMessage
// along the window's parent chain); TRUE when the message was taken. The test
// driver's pump calls it as the framework's own pump does.
using PreTranslateHook = BOOL (*)(MSG* msg);
void SetPreTranslateHook(PreTranslateHook hook);
PreTranslateHook GetPreTranslateHook();

// The framework's idle work (freeing temporary objects), run when a pump has
// emptied the queue.
using IdleHook = void (*)();
void SetIdleHook(IdleHook hook);
IdleHook GetIdleHook();

}  // namespace nbp
