// A logger that saves its whole log as some do: into a temporary file, renamed over the log,
// each save with one record more. It says how many of its renames failed, and fails itself
// when any did, for a reader of the log must never make a save fail.
// Usage: log_saver LOG RECORD_FILE SAVES MILLISECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string wholeFile(const char* path) {
  std::string bytes;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[1 << 16];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool writeWhole(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool fine = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
  return CloseHandle(file) && fine;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: log_saver LOG RECORD_FILE SAVES MILLISECONDS\n");
    return 2;
  }
  const std::string log = argv[1], temporary = log + ".sav";
  const std::string record = wholeFile(argv[2]);
  const int saves = std::atoi(argv[3]), pause = std::atoi(argv[4]);
  std::string content = wholeFile(log.c_str());
  int failed = 0;
  DWORD lastError = 0;
  for (int i = 0; i < saves; ++i) {
    content += record;
    if (!writeWhole(temporary, content)) {
      std::fprintf(stderr, "log_saver: cannot write %s\n", temporary.c_str());
      return 2;
    }
    if (!MoveFileExA(temporary.c_str(), log.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      ++failed;
      lastError = GetLastError();
      DeleteFileA(temporary.c_str());
      content.resize(content.size() - record.size());
    }
    Sleep(static_cast<DWORD>(pause));
  }
  std::printf("%d of %d renames failed (last error %lu)\n", failed, saves, static_cast<unsigned long>(lastError));
  return failed == 0 ? 0 : 1;
}
