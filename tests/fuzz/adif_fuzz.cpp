// rdac's ADIF reader on any bytes.
#include <cstdint>
#include <string_view>

#include "rdac/logs/adif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rdac::readAdif(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
