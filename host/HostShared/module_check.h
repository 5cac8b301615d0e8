// Whether a file can be handed to the dynamic loader without harm. The
// loader maps a module's segments as its program headers describe them and
// trusts that they lie within the file: a cut or damaged file makes it touch
// pages past the end, and the process dies (SIGBUS) before any error can be
// returned. So a language module is looked at first.
#pragma once

#include <cstdint>

// Language modules are small; anything larger is not one of ours.
constexpr uint64_t kNbMaxLanguageModuleSize = 64ull << 20;

// True when the file at `path` is a regular file of at most `maxSize` bytes
// holding an ELF shared object of the machine, word size and byte order this
// library runs on, whose program header table and every segment's file
// contents lie within the file.
bool IsLoadableModuleFile(const char* path, uint64_t maxSize = kNbMaxLanguageModuleSize);
