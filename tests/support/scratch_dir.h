#pragma once
// A fresh folder that becomes the current folder for one test and is removed afterwards,
// so the plug-in's relative files ("Plugins\RDA.ini", the bad-QSO file) land in it.
#include <string>

namespace stats::testing {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  // Writes a file (folders made as needed); returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;  // "" when missing
  bool exists(const std::string& name) const;

 private:
  std::string path_;
  std::string previous_;
};

}  // namespace stats::testing
