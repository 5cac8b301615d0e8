// The interactive desktop: top-level windows shown as real windows through
// SDL2, with the user's mouse, wheel, keyboard, text input, clipboard and
// cursor shapes, and the window system's message loop waiting on SDL's
// events (so an idle program sleeps).
#pragma once

namespace nbp {

// Makes an SDL desktop current. Returns false (and leaves the current desktop
// as it was) when no display can be opened.
bool UseSdlDesktop();

// True when a display is available to SDL (without switching desktops).
bool DisplayAvailable();

}  // namespace nbp
