// The subscription file lies in a user's folder and may hold anything: any
// bytes load as a subscription file or are refused without crashing the
// reader, and a file that loads is written and read back to the same
// subscriptions (written again, the same bytes).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "HostSubscriptions/subscriptions.h"

namespace {

std::string Folder() {
  static const std::string folder = [] {
    char dir[] = "/tmp/nbui-subfuzz-XXXXXX";
    return std::string(mkdtemp(dir) ? dir : "/tmp");
  }();
  return folder;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string in = Folder() + "/in.dat", once = Folder() + "/once.dat", twice = Folder() + "/twice.dat";
  std::ofstream(in, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  SubResetInfo();
  if (SubLoadInfo(in.c_str()) != SUB_OK) return 0;
  int count = SubGetCount();
  if (SubSaveInfo(once.c_str()) != SUB_OK) abort();
  SubResetInfo();
  if (SubLoadInfo(once.c_str()) != SUB_OK || SubGetCount() != count) abort();
  if (SubSaveInfo(twice.c_str()) != SUB_OK || Read(once) != Read(twice)) abort();
  return 0;
}
