// Virtual-key codes of SDL's keys.
#pragma once

#include <SDL2/SDL.h>

#include "win/types.h"

namespace nbp::sdl {

// The virtual key of an SDL key event (0 when none), and whether the key is
// of the extended set.
UINT VirtualKeyOf(const SDL_Keysym& key, bool* extended);

}  // namespace nbp::sdl
