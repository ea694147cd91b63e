#pragma once
#include <optional>
#include <string>

namespace rdac {

// The whole file, or nothing when it cannot be read (`error` then says why).
std::optional<std::string> readFileBytes(const std::string& path, std::string& error);

// Writes through a temporary file in the same folder renamed over the target, so a reader
// never sees half a file. False with `error` set when it fails.
bool replaceFileBytes(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace rdac
