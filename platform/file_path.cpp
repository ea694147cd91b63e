#include "platform/file_path.h"

namespace stats {

FilePath pathInFolder(const FilePath& folder, const std::string& relativeName) {
  if (folder.empty()) return hostPath(relativeName);
  return (folder / hostPath(relativeName)).lexically_normal();
}

}  // namespace stats
