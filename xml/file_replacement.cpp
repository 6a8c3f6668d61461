#include "xml/file_replacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The file the path names, with symbolic links resolved when it exists, so the
// rename replaces the file a plain open for writing would have written.
std::string resolvedTarget(const char* path) {
  char resolved[PATH_MAX];
  return realpath(path, resolved) ? std::string(resolved) : std::string(path);
}

// What a file created by fopen would get, or what the existing file has.
mode_t targetMode(const std::string& target) {
  struct stat status;
  if (stat(target.c_str(), &status) == 0) return status.st_mode & 07777;
  const mode_t mask = umask(0);  // read the umask; the program has a single thread
  umask(mask);
  return 0666 & ~mask;
}

// Sets the mode, writes and closes; the descriptor is closed in every case.
bool writeAll(int descriptor, mode_t mode, std::string_view contents) {
  std::FILE* stream = fchmod(descriptor, mode) == 0 ? fdopen(descriptor, "wb") : nullptr;
  if (!stream) {
    close(descriptor);
    return false;
  }
  const bool written = std::fwrite(contents.data(), 1, contents.size(), stream) == contents.size();
  const bool flushed = std::fflush(stream) == 0;
  return std::fclose(stream) == 0 && written && flushed;
}

}  // namespace

bool replaceFile(const char* path, std::string_view contents) {
  const std::string target = resolvedTarget(path);
  const size_t nameStart = target.rfind('/') + 1;  // 0 when there is no slash
  std::string temporary = target.substr(0, nameStart) + "." + target.substr(nameStart) + ".XXXXXX";
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) return false;
  const bool replaced = writeAll(descriptor, targetMode(target), contents) &&
                        std::rename(temporary.c_str(), target.c_str()) == 0;
  if (!replaced) std::remove(temporary.c_str());
  return replaced;
}
