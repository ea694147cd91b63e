#include "rdac/io/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "rdac/io/messages.h"
#include "rdac/io/paths.h"

namespace rdac {

std::string absolutePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(pathOf(path), ec);
  return ec ? path : textOf(full.lexically_normal());
}

ReplacingFile::ReplacingFile(std::string path)
    : path_(std::move(path)), temporary_(path_ + ".tmp"), out_(pathOf(temporary_), std::ios::binary | std::ios::trunc) {}

ReplacingFile::~ReplacingFile() {
  std::error_code ignored;
  if (!done_) std::filesystem::remove(pathOf(temporary_), ignored);
}

bool ReplacingFile::commit(std::string& error) {
  out_.close();
  if (!out_) {
    error = tr("cannot write {1}: {2}", {temporary_, whatToDo(std::error_code(errno, std::generic_category()))});
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(pathOf(temporary_), pathOf(path_), ec);
  if (ec) {
    error = tr("cannot replace {1}: {2}", {path_, whatToDo(ec)});
    return false;
  }
  done_ = true;
  return true;
}

bool replaceFileBytes(const std::string& path, const std::string& bytes, std::string& error) {
  ReplacingFile file(path);
  file.out() << bytes;
  return file.commit(error);
}

bool updateFileBytes(const std::string& path, const std::string& bytes, std::string& error) {
  std::error_code ec;
  if (std::filesystem::file_size(pathOf(path), ec) == bytes.size() && !ec) {
    std::ifstream in(pathOf(path), std::ios::binary);
    std::string held(bytes.size(), '\0');
    if (in.read(held.data(), std::streamsize(held.size())) && held == bytes) return true;
  }
  return replaceFileBytes(path, bytes, error);
}

}  // namespace rdac
