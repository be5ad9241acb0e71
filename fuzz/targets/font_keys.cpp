// libFuzzer target: see fontKeys() in fuzz/entry_points.h.
#include <cstddef>
#include <cstdint>

#include "fuzz/entry_points.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  caelora::fuzz::fontKeys(data, size);
  return 0;
}
