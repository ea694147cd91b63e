#include "tests/support/scratch_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace stats::testing {

ScratchDir::ScratchDir() {
  previous_ = fs::current_path().string();
  std::string pattern = (fs::temp_directory_path() / "stats-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  fs::current_path(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(path_, ignored);
}

std::string ScratchDir::write(const std::string& name, const std::string& bytes) const {
  const fs::path target = fs::path(path_) / name;
  fs::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary);
  out << bytes;
  return target.string();
}

std::string ScratchDir::read(const std::string& name) const {
  std::ifstream in(fs::path(path_) / name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool ScratchDir::exists(const std::string& name) const { return fs::exists(fs::path(path_) / name); }

}  // namespace stats::testing
