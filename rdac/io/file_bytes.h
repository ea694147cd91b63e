#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace rdac {

// No log, country file or header file comes near this; anything larger is not one of them.
inline constexpr uint64_t kMaxInputBytes = uint64_t{1} << 30;

// The whole of a regular file, or nothing when it cannot be read, is not a regular file
// (a folder, a device, a pipe) or is larger than kMaxInputBytes (`error` then says why).
std::optional<std::string> readFileBytes(const std::string& path, std::string& error);

// Writes through a temporary file in the same folder renamed over the target, so a reader
// never sees half a file. False with `error` set when it fails.
bool replaceFileBytes(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace rdac
