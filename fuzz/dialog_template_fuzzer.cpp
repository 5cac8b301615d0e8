// Dialog templates come from language modules on disk: any bytes must be
// refused or read, never read past their end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "nbp/dialog_template.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the given size, so that reading one byte too far is caught.
  std::vector<uint8_t> bytes(data, data + size);
  auto parsed = nbp::ParseDialogTemplate(bytes.data(), bytes.size());
  if (parsed) {
    // What was read must write back and read again the same way.
    std::vector<uint8_t> again = nbp::WriteDialogTemplate(*parsed);
    auto reparsed = nbp::ParseDialogTemplate(again.data(), again.size());
    if (!reparsed || !(*reparsed == *parsed)) __builtin_trap();
  }
  return 0;
}
