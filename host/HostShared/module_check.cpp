#include "HostShared/module_check.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

// The header of this library as the loader mapped it: a module the loader
// can use in this process has the same machine, class and byte order.
const ElfW(Ehdr)* OwnHeader() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&IsLoadableModuleFile), &info) || !info.dli_fbase) return nullptr;
  return static_cast<const ElfW(Ehdr)*>(info.dli_fbase);
}

bool ReadAt(int fd, void* buffer, size_t size, uint64_t offset) {
  auto* out = static_cast<char*>(buffer);
  while (size > 0) {
    ssize_t n = pread(fd, out, size, static_cast<off_t>(offset));
    if (n <= 0) return false;
    out += n;
    size -= static_cast<size_t>(n);
    offset += static_cast<uint64_t>(n);
  }
  return true;
}

// offset + length <= size, without overflow.
bool Within(uint64_t offset, uint64_t length, uint64_t size) { return offset <= size && length <= size - offset; }

bool HeaderFits(const ElfW(Ehdr)& h, const ElfW(Ehdr)& own, uint64_t fileSize) {
  if (std::memcmp(h.e_ident, ELFMAG, SELFMAG) != 0) return false;
  if (h.e_ident[EI_CLASS] != own.e_ident[EI_CLASS] || h.e_ident[EI_DATA] != own.e_ident[EI_DATA] ||
      h.e_ident[EI_VERSION] != EV_CURRENT)
    return false;
  if (h.e_type != ET_DYN || h.e_machine != own.e_machine || h.e_version != EV_CURRENT) return false;
  if (h.e_phentsize != sizeof(ElfW(Phdr)) || h.e_phnum == 0 || h.e_phnum == PN_XNUM) return false;
  return Within(h.e_phoff, static_cast<uint64_t>(h.e_phnum) * sizeof(ElfW(Phdr)), fileSize);
}

bool SegmentsFit(const std::vector<ElfW(Phdr)>& headers, uint64_t fileSize) {
  bool loadable = false;
  for (const ElfW(Phdr)& p : headers) {
    if (!Within(p.p_offset, p.p_filesz, fileSize)) return false;
    if (p.p_type == PT_LOAD) {
      if (p.p_filesz > p.p_memsz) return false;
      loadable = true;
    }
  }
  return loadable;
}

}  // namespace

bool IsLoadableModuleFile(const char* path, uint64_t maxSize) {
  const ElfW(Ehdr)* own = OwnHeader();
  if (!path || !own) return false;
  // Non-blocking, so that a FIFO put in the module's place cannot stall us.
  int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) <= maxSize;
  const uint64_t size = ok ? static_cast<uint64_t>(st.st_size) : 0;
  ElfW(Ehdr) header{};
  ok = ok && size >= sizeof header && ReadAt(fd, &header, sizeof header, 0) && HeaderFits(header, *own, size);
  std::vector<ElfW(Phdr)> headers;
  if (ok) {
    headers.resize(header.e_phnum);
    ok = ReadAt(fd, headers.data(), headers.size() * sizeof(ElfW(Phdr)), header.e_phoff) && SegmentsFit(headers, size);
  }
  close(fd);
  return ok;
}
