// rdac's country-file reader on any bytes, then the look-ups a run makes with it. The first
// line of the input is a callsign to resolve, the rest the file.
#include <cstdint>
#include <string_view>

#include "rdac/logs/country_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t end = bytes.find('\n');
  const std::string_view call = end == std::string_view::npos ? std::string_view() : bytes.substr(0, end);
  rdac::CountryFile countries = rdac::CountryFile::parse(bytes.substr(call.size()));
  for (std::string_view c : {call, std::string_view("UA9AAA"), std::string_view("DL/UA3ABC/P"),
                             std::string_view("UA3ABC/9"), std::string_view("/"), std::string_view("//MM")})
    countries.resolve(c);
  countries.mergeWaeIntoDxcc(call);
  return 0;
}
