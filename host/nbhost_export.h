// Marks what the host library exports: it builds with hidden visibility, so
// only declarations tagged NBHOST_API are part of its binary interface.
#pragma once

#ifndef NBHOST_API
#define NBHOST_API __attribute__((visibility("default")))
#endif
