// Marks what the library exports: it builds with hidden visibility, so only
// declarations tagged NBUI_API are part of its binary interface.
#pragma once

#ifndef NBUI_API
#define NBUI_API __attribute__((visibility("default")))
#endif
