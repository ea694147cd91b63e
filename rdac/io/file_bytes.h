#pragma once
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace rdac {

// No log, country file or header file comes near this; anything larger is not one of them.
inline constexpr uint64_t kMaxInputBytes = uint64_t{1} << 30;

// The whole of a regular file, or nothing when it cannot be read, is not a regular file
// (a folder, a device, a pipe) or is larger than kMaxInputBytes (`error` then says why).
std::optional<std::string> readFileBytes(const std::string& path, std::string& error);

// The path made absolute against the current folder, for a run that leaves it; empty stays
// empty.
std::string absolutePath(const std::string& path);

// A file written whole or not at all: into PATH.tmp in the same folder, renamed over PATH by
// `commit`, so a reader never sees half a file. Without a commit the temporary file goes.
class ReplacingFile {
 public:
  explicit ReplacingFile(std::string path);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  std::ofstream& out() { return out_; }
  // False with `error` set when the writing or the rename failed.
  bool commit(std::string& error);

 private:
  std::string path_, temporary_;
  std::ofstream out_;
  bool done_ = false;
};

// The whole file at once, through a ReplacingFile.
bool replaceFileBytes(const std::string& path, const std::string& bytes, std::string& error);

// As replaceFileBytes, but a file that holds these bytes already is left as it is, its time
// too: a second run of the same results rewrites nothing, and a mirror of the files copies only
// what changed.
bool updateFileBytes(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace rdac
